// Writing OXS: the visible chart as the text other programs read.
#include "editor/output/oxs_file.h"
#include "interchange/ui_text.h"

#include "interchange/file_bytes.h"
#include "editor/output/oxs_xml.h"
#include "interchange/code_page.h"

#include <algorithm>

namespace brenmark {

using namespace oxs;

OxsExport writeOxs(const PatternDocument& doc, const std::string& title, const std::optional<FabricName>& fabricName,
                   const ThreadNames& names)
{
    OxsExport result;
    // The palette: every thread, then line colours no thread has.
    std::vector<ColorRef> colours = doc.threads.colors;
    std::vector<std::string> numbers = doc.threads.numbers;
    auto paletteIndex = [&](ColorRef colour, const std::string& number) {
        const auto it = std::find(colours.begin(), colours.end(), colour);
        if (it != colours.end())
            return static_cast<int>(it - colours.begin()) + 1;
        colours.push_back(colour);
        numbers.push_back(number);
        return static_cast<int>(colours.size());
    };
    std::vector<int> lineIndex;
    for (const BackstitchLine& line : doc.lines)
        lineIndex.push_back(paletteIndex(line.color, line.thread));

    std::string x = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<chart>\n";
    x += "<format comments01=\"Designed to allow interchange of basic pattern data between any cross stitch style software\"/>\n";
    x += format("<properties oxsversion=\"1.0\" software=\"Brenmark\" software_version=\"1.0\" chartheight=\"%d\" chartwidth=\"%d\" ",
                doc.height(), doc.width());
    x += "charttitle=\"" + oxsAttributeText(gbkToUtf8(title)) + "\" author=\"\" copyright=\"\" instructions=\"\" ";
    x += format("stitchesperinch=\"14\" stitchesperinch_y=\"14\" palettecount=\"%d\"/>\n", static_cast<int>(colours.size()));

    x += "<palette>\n";
    const std::string cloth = fabricName ? gbkToUtf8(fabricName->name) : std::string("cloth");
    x += "<palette_item index=\"0\" number=\"cloth\" name=\"" + oxsAttributeText(cloth) + "\" color=\"" + hexColour(doc.fabric) + "\"/>\n";
    const std::string brand = gbkToUtf8(doc.brand);
    for (std::size_t i = 0; i < colours.size(); ++i) {
        const std::string number = brand + " " + gbkToUtf8(numbers[i]);
        const auto named = names.find(numbers[i]);
        const std::string& name = named != names.end() ? named->second : numbers[i];
        x += format("<palette_item index=\"%d\" number=\"", static_cast<int>(i) + 1) + oxsAttributeText(number) + "\" name=\"" +
             oxsAttributeText(gbkToUtf8(name)) + "\" color=\"" + hexColour(colours[i]) + "\" strands=\"2\"";
        if (i < doc.symbols.size() && i < doc.threads.colors.size() && !doc.symbols[i].symbol.empty())
            x += " symbol=\"" + oxsAttributeText(gbkToUtf8(doc.symbols[i].symbol)) + "\"";
        x += " bsstrands=\"1\" bscolor=\"" + hexColour(colours[i]) + "\"/>\n";
    }
    x += "</palette>\n";

    std::vector<int> markAt(doc.grid.cells.size(), 0);
    for (const StitchMark& m : doc.marks)
        if (doc.grid.contains(m.column, m.row))
            markAt[static_cast<std::size_t>(m.row) * static_cast<std::size_t>(doc.width()) + static_cast<std::size_t>(m.column)] = m.kind;
    std::string full = "<fullstitches>\n", part = "<partstitches>\n", objects = "<ornaments_inc_knots_and_beads>\n";
    for (int r = 0; r < doc.height(); ++r)
        for (int c = 0; c < doc.width(); ++c) {
            const std::int32_t v = doc.cell(c, r);
            if (!doc.isThread(v))
                continue;
            const int pal = v + 1;
            const int kind = markAt[static_cast<std::size_t>(r) * static_cast<std::size_t>(doc.width()) + static_cast<std::size_t>(c)];
            // A mark of a number past the table is written as the full stitch it sits on.
            const StitchKindInfo* info = stitchKindInfo(kind);
            const StitchShape shape = info ? info->shape : StitchShape::Full;
            if (shape == StitchShape::Full || shape == StitchShape::Ornament)
                full += format("<stitch x=\"%d\" y=\"%d\" palindex=\"%d\"/>\n", c, r, pal);
            if (shape == StitchShape::Ornament) {
                objects += "<object x1=\"" + coordinate(c + 0.5) + "\" y1=\"" + coordinate(r + 0.5) +
                           format("\" palindex=\"%d\" objecttype=\"%s\"/>\n", pal, info->oxsObject);
            } else if (shape == StitchShape::Quarter) {
                objects += "<object x1=\"" + coordinate(c + info->cornerX) + "\" y1=\"" + coordinate(r + info->cornerY) +
                           format("\" palindex=\"%d\" objecttype=\"quarter\"/>\n", pal);
            } else if (shape != StitchShape::Full) {
                int direction = 3, first = pal, second = 0;
                if (info->kind == StitchKind::HalfBackward)
                    direction = 4;
                else if (info->kind == StitchKind::ThreeQuarterTopLeft)
                    direction = 2;
                else if (info->kind == StitchKind::ThreeQuarterTopRight)
                    direction = 1, first = 0, second = pal;
                part += format("<partstitch x=\"%d\" y=\"%d\" palindex1=\"%d\" palindex2=\"%d\" direction=\"%d\"/>\n", c, r,
                               first, second, direction);
            }
        }
    x += full + "</fullstitches>\n" + part + "</partstitches>\n<backstitches>\n";
    for (std::size_t i = 0; i < doc.lines.size(); ++i) {
        const BackstitchLine& l = doc.lines[i];
        auto px = [](std::int32_t column, std::int32_t corner) { return column + (corner == TopRight || corner == BottomRight ? 1 : 0); };
        auto py = [](std::int32_t row, std::int32_t corner) { return row + (corner == BottomLeft || corner == BottomRight ? 1 : 0); };
        x += format("<backstitch x1=\"%d\" y1=\"%d\" x2=\"%d\" y2=\"%d\" palindex=\"%d\" objecttype=\"backstitch\" sequence=\"%d\"/>\n",
                    px(l.startColumn, l.startCorner), py(l.startRow, l.startCorner), px(l.endColumn, l.endCorner),
                    py(l.endRow, l.endCorner), lineIndex[i], static_cast<int>(i));
    }
    x += "</backstitches>\n" + objects + "</ornaments_inc_knots_and_beads>\n<commentboxes/>\n</chart>\n";
    result.xml = std::move(x);

    if (doc.layers.size() > 1)
        result.dropped.push_back(format(uiText("%d个图层合并为一层").c_str(), doc.layers.size()));
    int hidden = 0;
    for (const PatternLayer& layer : doc.layers.layers)
        hidden += layer.visible ? 0 : 1;
    if (hidden > 0)
        result.dropped.push_back(format(uiText("%d个隐藏的图层未导出").c_str(), hidden));
    return result;
}

bool saveOxs(const PatternDocument& doc, const std::string& path, const std::optional<FabricName>& fabricName,
             std::vector<std::string>* dropped, std::string* error, const ThreadNames& names)
{
    std::string title = path;
    if (const std::size_t slash = title.find_last_of('/'); slash != std::string::npos)
        title.erase(0, slash + 1);
    if (const std::size_t dot = title.rfind('.'); dot != std::string::npos && dot > 0)
        title.erase(dot);
    const OxsExport out = writeOxs(doc, title, fabricName, names);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(out.xml.data());
    if (!replaceFile(path, std::span(bytes, out.xml.size()))) {
        if (error)
            *error = uiText("不能写入文件 ") + utf8ToGbk(path);
        return false;
    }
    if (dropped)
        *dropped = out.dropped;
    return true;
}

std::string oxsExportSummary(const std::vector<std::string>& dropped)
{
    std::string text = UI_TEXT_NOOP("OXS绣图导出完毕");
    for (const std::string& d : dropped)
        text += "\n" + d;
    return text;
}

}  // namespace brenmark
