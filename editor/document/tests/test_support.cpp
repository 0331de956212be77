#include "editor/document/tests/test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace brenmark::test {

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "brenmark-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern + "/";
}

TempDir::~TempDir()
{
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::uint8_t> readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::int32_t int32At(const std::vector<std::uint8_t>& b, std::size_t o)
{
    return static_cast<std::int32_t>(std::uint32_t(b.at(o)) | std::uint32_t(b.at(o + 1)) << 8 |
                                     std::uint32_t(b.at(o + 2)) << 16 | std::uint32_t(b.at(o + 3)) << 24);
}

void writePalette(const std::string& dir, const std::string& brand, const std::vector<std::pair<std::string, ColorRef>>& entries)
{
    std::filesystem::create_directories(dir + "PAL");
    std::vector<ColorRef> colors;
    std::vector<std::string> numbers;
    for (const auto& [n, c] : entries) {
        numbers.push_back(n);
        colors.push_back(c);
    }
    writeBytes(dir + "PAL/" + brand + ".pal", encodePalette(colors, numbers));
}

namespace {

void putLine(ByteWriter& out, const BackstitchLine& l, bool versionOne)
{
    out.u8(l.selected);
    if (versionOne) {
        out.zeros(3);
    } else {
        out.field(l.thread, kLineThreadField);
        out.u32(l.color);
    }
    for (std::int32_t v : {l.startColumn, l.startRow, l.startCorner, l.endColumn, l.endRow, l.endCorner})
        out.i32(v);
}

void putMarks(ByteWriter& out, const std::vector<StitchMark>& marks)
{
    out.i32(static_cast<std::int32_t>(marks.size()));
    for (const StitchMark& m : marks) {
        out.i32(m.kind);
        out.i32(m.reserved);
        out.i32(m.column);
        out.i32(m.row);
        out.i32(0x12345678);  // a stale glyph handle: readers must ignore it
    }
}

std::vector<std::uint8_t> cellsOr(const std::vector<std::uint8_t>& cells, std::size_t n)
{
    return cells.empty() ? std::vector<std::uint8_t>(n, 0xFF) : cells;
}

}  // namespace

std::vector<std::uint8_t> PatternFileBuilder::build() const
{
    ByteWriter out;
    out.bytes("KOVRAN", 6);
    out.zeros(2);
    out.i32(width);
    out.i32(height);
    out.i32(static_cast<std::int32_t>(threads.size()));
    out.i32(version);
    out.field(brand, 8);
    out.u8(writeLineSection ? 1 : 0);
    out.u8(currentLibrary ? 1 : 0);
    out.zeros(2);
    for (const auto& [color, number] : threads) {
        out.u32(color);
        out.field(number, 20);
    }
    const std::size_t n = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    const auto c = cellsOr(cells, n);
    out.bytes(c.data(), c.size());
    if (writeLineSection) {
        out.i32(static_cast<std::int32_t>(lines.size()));
        for (const auto& l : lines)
            putLine(out, l, version == 1);
    }
    if (version >= 3) {
        for (std::size_t i = 0; i < 256; ++i) {
            if (i < symbols.size()) {
                out.field(symbols[i].first, 3);
                out.i32(symbols[i].second);
            } else {
                out.zeros(3);
                out.i32(0);
            }
        }
        out.u32(fabric);
    }
    if (version >= 2004)
        putMarks(out, marks);
    if (version >= 20050) {
        out.i32(static_cast<std::int32_t>(layers.size()));
        for (const Layer& layer : layers) {
            out.u8(layer.linked);
            out.u8(layer.drawable);
            out.u8(layer.visible);
            out.field(layer.name, 20);
            const auto lc = cellsOr(layer.cells, n);
            out.bytes(lc.data(), lc.size());
            out.i32(static_cast<std::int32_t>(layer.lines.size()));
            for (const auto& l : layer.lines)
                putLine(out, l, false);
            putMarks(out, layer.marks);
        }
    }
    return out.take();
}

}  // namespace brenmark::test
