#include "editor/render/pdf_font_subset.h"

#include <hb-subset.h>
#include <hb.h>

#include <memory>
#include <mutex>
#include <span>
#include <vector>

namespace brenmark {
namespace {

struct BlobFree {
    void operator()(hb_blob_t* b) const { hb_blob_destroy(b); }
};
struct FaceFree {
    void operator()(hb_face_t* f) const { hb_face_destroy(f); }
};
struct InputFree {
    void operator()(hb_subset_input_t* i) const { hb_subset_input_destroy(i); }
};
using Blob = std::unique_ptr<hb_blob_t, BlobFree>;
using Face = std::unique_ptr<hb_face_t, FaceFree>;
using Input = std::unique_ptr<hb_subset_input_t, InputFree>;

// The tables a PDF reader needs to draw glyphs by index. A TrueType face embedded for its
// glyph indices needs no character map, names or layout tables (and HarfBuzz is spared
// cutting a character map of tens of thousands of entries); a CFF face goes in as an
// OpenType file and keeps the tables that make it one.
constexpr const char* kTrueTypeTables[] = {"head", "hhea", "maxp", "hmtx", "loca", "glyf"};
constexpr const char* kCffTables[] = {"head", "hhea", "maxp", "hmtx", "CFF ", "cmap", "OS/2", "post", "name"};

// The whole face a font's tables make, kept for the fonts a process embeds again and again
// (every export of a chart uses the same few): reading the tables of a large face costs more
// than cutting it.
struct SourceFace {
    QString family, style;
    QByteArray head;
    Face face;
    bool cff = false;
};

std::shared_ptr<SourceFace> sourceFace(const QRawFont& font)
{
    static std::mutex guard;
    static std::vector<std::shared_ptr<SourceFace>> known;  // most recent last
    constexpr std::size_t kKept = 6;
    const QByteArray head = font.fontTable("head");
    {
        const std::lock_guard lock(guard);
        for (auto it = known.begin(); it != known.end(); ++it)
            if ((*it)->family == font.familyName() && (*it)->style == font.styleName() && (*it)->head == head) {
                auto found = *it;
                known.erase(it);
                known.push_back(found);
                return found;
            }
    }
    // The tables go through a face builder into a whole font file first: HarfBuzz cuts only
    // faces it can list the tables of.
    Face builder(hb_face_builder_create());
    const bool glyf = !font.fontTable("loca").isEmpty();
    bool cff = false;
    const auto tables = glyf ? std::span<const char* const>(kTrueTypeTables) : std::span<const char* const>(kCffTables);
    for (const char* tag : tables) {
        const QByteArray table = font.fontTable(tag);
        if (table.isEmpty())
            continue;
        cff = cff || qstrcmp(tag, "CFF ") == 0;
        // The builder copies the tables into the file it makes.
        Blob blob(hb_blob_create(table.constData(), static_cast<unsigned>(table.size()), HB_MEMORY_MODE_DUPLICATE,
                                 nullptr, nullptr));
        hb_face_builder_add_table(builder.get(), hb_tag_from_string(tag, 4), blob.get());
    }
    if (!cff && !glyf)
        return nullptr;
    Blob whole(hb_face_reference_blob(builder.get()));
    auto made = std::make_shared<SourceFace>();
    made->family = font.familyName();
    made->style = font.styleName();
    made->head = head;
    made->face.reset(hb_face_create(whole.get(), 0));
    made->cff = cff && !glyf;
    const std::lock_guard lock(guard);
    known.push_back(made);
    if (known.size() > kKept)
        known.erase(known.begin());
    return made;
}

}  // namespace

FontProgram subsetFontProgram(const QRawFont& font, const std::set<quint32>& glyphs)
{
    const std::shared_ptr<SourceFace> source = sourceFace(font);
    if (!source)
        return {};
    Input input(hb_subset_input_create_or_fail());
    if (!input)
        return {};
    hb_set_t* wanted = hb_subset_input_glyph_set(input.get());
    hb_set_add(wanted, 0);  // .notdef
    for (quint32 g : glyphs)
        hb_set_add(wanted, g);
    hb_subset_input_set_flags(input.get(), HB_SUBSET_FLAGS_RETAIN_GIDS | HB_SUBSET_FLAGS_NO_HINTING);
    Face subset(hb_subset_or_fail(source->face.get(), input.get()));
    if (!subset)
        return {};
    Blob out(hb_face_reference_blob(subset.get()));
    unsigned length = 0;
    const char* data = hb_blob_get_data(out.get(), &length);
    if (!data || length == 0)
        return {};
    return FontProgram{QByteArray(data, static_cast<qsizetype>(length)), source->cff};
}

}  // namespace brenmark
