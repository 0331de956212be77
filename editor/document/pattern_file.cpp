#include "editor/document/pattern_file.h"

#include "editor/document/byte_io.h"
#include "interchange/file_bytes.h"
#include "editor/document/palette_file.h"

#include <algorithm>
#include <compare>
#include <cstring>
#include <iterator>
#include <mutex>
#include <type_traits>
#include <unordered_map>

namespace brenmark {
namespace {

constexpr char kMagic[6] = {'K', 'O', 'V', 'R', 'A', 'N'};

void tell(const LoadContext& ctx, const std::string& text)
{
    if (ctx.messages)
        ctx.messages->show(text, kTitleInfo, MessageIcon::Information);
}

// Raised inside the decoder when the file cannot hold what its header announces.
struct Damaged {};

template <class Reader>
void require(Reader& in, std::uint64_t bytes)
{
    if (bytes > in.remaining() || !in.need(static_cast<std::size_t>(bytes)))
        throw Damaged{};
}

// A pattern file read as the decoder asks for it: the small fields through a window that is
// refilled as the decoder passes its end, each layer's cells straight into the layer's
// buffer. The file is never held whole, so a load costs its bytes once. A file that ends
// before the length it had when opened (cut while being read) is damaged, as a short one is.
class FileByteReader : public FieldReader<FileByteReader> {
public:
    FileByteReader(ReadableFile& file, std::uint64_t size) : file_(file), size_(size) {}

    bool ok() const { return ok_; }
    std::size_t remaining() const { return static_cast<std::size_t>(size_ - pos_); }
    bool need(std::size_t n)
    {
        if (!ok_ || n > remaining()) {
            ok_ = false;
            return false;
        }
        return true;
    }
    // The next n bytes without taking them; null when fewer remain.
    const std::uint8_t* peek(std::size_t n)
    {
        if (!ok_ || n > remaining())
            return nullptr;
        if (end_ - start_ < n)
            fill(n);
        return window_.data() + start_;
    }
    const std::uint8_t* take(std::size_t n)
    {
        if (!need(n))
            return nullptr;
        const std::uint8_t* p = peek(n);
        start_ += n;
        pos_ += n;
        return p;
    }
    bool readInto(std::uint8_t* out, std::size_t n)
    {
        if (!need(n))
            return false;
        const std::size_t buffered = std::min(n, end_ - start_);
        if (buffered)
            std::memcpy(out, window_.data() + start_, buffered);
        start_ += buffered;
        if (file_.read(out + buffered, n - buffered) != n - buffered)
            throw Damaged{};
        pos_ += n;
        return true;
    }

private:
    static constexpr std::size_t kWindow = 256 * 1024;

    // Makes at least n unread bytes stand in the window.
    void fill(std::size_t n)
    {
        const std::size_t unread = end_ - start_;
        if (unread && start_)
            std::memmove(window_.data(), window_.data() + start_, unread);
        start_ = 0;
        end_ = unread;
        const std::size_t want = std::max(n, std::min(kWindow, remaining()));
        if (window_.size() < want)
            window_.resize(want);
        end_ += file_.read(window_.data() + end_, want - end_);
        if (end_ < n)
            throw Damaged{};
    }

    ReadableFile& file_;
    std::uint64_t size_;
    std::uint64_t pos_ = 0;
    std::vector<std::uint8_t> window_;
    std::size_t start_ = 0, end_ = 0;  // the unread bytes of the window
    bool ok_ = true;
};

// The big buffers of the document a load replaced, kept for the next load: a pattern of the
// same size then decodes into memory that is already the process's, instead of the system
// clearing tens of megabytes of fresh pages for it while the old document still holds its
// own. One document's worth is kept, and a buffer more than twice the size a load needs is
// let go rather than held by the smaller pattern.
class SpareBlocks {
public:
    static SpareBlocks& instance()
    {
        static SpareBlocks spare;
        return spare;
    }
    template <class T>
    void take(std::vector<T>& into, std::size_t count)
    {
        const std::lock_guard hold(lock_);
        auto& pile = pileOf<T>();
        while (!pile.empty()) {
            std::vector<T> block = std::move(pile.back());
            pile.pop_back();
            if (block.capacity() >= count && block.capacity() / 2 <= count) {
                into.swap(block);
                return;
            }
        }
    }
    // Keeps the grid's and the layers' buffers of a document about to be replaced.
    void keep(PatternDocument& doc)
    {
        const std::lock_guard hold(lock_);
        cells_.clear();
        bytes_.clear();
        cells_.push_back(std::move(doc.grid.cells.vector()));
        for (PatternLayer& layer : doc.layers.layers)
            bytes_.push_back(std::move(layer.cells.buffer().vector()));
    }

private:
    template <class T>
    std::vector<std::vector<T>>& pileOf()
    {
        if constexpr (std::is_same_v<T, std::int32_t>)
            return cells_;
        else
            return bytes_;
    }

    std::mutex lock_;
    std::vector<std::vector<std::int32_t>> cells_;
    std::vector<std::vector<LayerByte>> bytes_;
};

// Cell bytes: 0xFF is empty, every other byte its own index. Seen through this iterator the
// bytes read as indices, so a cell vector is built straight from the file without being
// zero-filled first; for a big pattern that halves the stores into freshly mapped memory.
class CellByteIterator {
public:
    using iterator_category = std::random_access_iterator_tag;
    using value_type = std::int32_t;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = std::int32_t;

    CellByteIterator() = default;
    explicit CellByteIterator(const std::uint8_t* p) : p_(p) {}

    std::int32_t operator*() const { return *p_ == 0xFF ? EmptyCell : static_cast<std::int32_t>(*p_); }
    std::int32_t operator[](difference_type n) const { return *(*this + n); }
    CellByteIterator& operator++() { ++p_; return *this; }
    CellByteIterator operator++(int) { CellByteIterator old = *this; ++p_; return old; }
    CellByteIterator& operator--() { --p_; return *this; }
    CellByteIterator operator--(int) { CellByteIterator old = *this; --p_; return old; }
    CellByteIterator& operator+=(difference_type n) { p_ += n; return *this; }
    CellByteIterator& operator-=(difference_type n) { p_ -= n; return *this; }
    CellByteIterator operator+(difference_type n) const { return CellByteIterator(p_ + n); }
    CellByteIterator operator-(difference_type n) const { return CellByteIterator(p_ - n); }
    difference_type operator-(const CellByteIterator& other) const { return p_ - other.p_; }
    bool operator==(const CellByteIterator& other) const { return p_ == other.p_; }
    auto operator<=>(const CellByteIterator& other) const { return p_ <=> other.p_; }

private:
    const std::uint8_t* p_ = nullptr;
};

void appendCells(std::vector<std::int32_t>& dst, const std::uint8_t* src, std::size_t n)
{
    dst.insert(dst.end(), CellByteIterator(src), CellByteIterator(src + n));
}

// Replaces dst by the decoded cells.
void decodeCells(std::vector<std::int32_t>& dst, const std::uint8_t* src, std::size_t n)
{
    dst.clear();
    dst.reserve(n);
    appendCells(dst, src, n);
}

// The progress position of cell i is i / (cells / 10) as a float, truncated, and capped at
// the bar's end. The cells are decoded in runs between the indices where that position
// changes, so the bar is told at most eleven times however big the pattern.
void decodeCellsWithProgress(std::vector<std::int32_t>& dst, const std::uint8_t* src, std::size_t total,
                             ProgressReport* progress)
{
    if (progress) {
        progress->setRange(0, 10);
        progress->setPosition(0);
    }
    const std::size_t divisor = total / 10;
    if (!progress || divisor == 0) {
        decodeCells(dst, src, total);
        return;
    }
    dst.clear();
    dst.reserve(total);
    const float d = static_cast<float>(divisor);
    auto positionAt = [d](std::size_t i) { return std::min(10, static_cast<int>(static_cast<float>(i) / d)); };
    std::size_t done = 0;
    int shown = 0;
    while (done < total) {
        // First index after done whose position differs from the one shown.
        std::size_t lo = done, hi = total;
        while (lo < hi) {
            const std::size_t mid = lo + (hi - lo) / 2;
            if (positionAt(mid) > shown)
                hi = mid;
            else
                lo = mid + 1;
        }
        appendCells(dst, src + done, lo - done);
        done = lo;
        if (done < total) {
            shown = positionAt(done);
            progress->setPosition(shown);
        }
    }
}

// Adds the records that pass keep() to marks by the rule of placeMarkIn (one mark per cell, a
// later mark taking an earlier one's place in the list), looking cells up in a table
// instead of scanning the list for every record.
template <class Keep>
void placeMarksIn(std::vector<StitchMark>& marks, const std::vector<StitchMark>& records, Keep keep)
{
    auto key = [](const StitchMark& m) {
        return static_cast<std::uint64_t>(static_cast<std::uint32_t>(m.column)) << 32 |
               static_cast<std::uint32_t>(m.row);
    };
    std::unordered_map<std::uint64_t, std::size_t> at;
    at.reserve(marks.size() + records.size());
    for (std::size_t i = 0; i < marks.size(); ++i)
        at.emplace(key(marks[i]), i);  // the first of equal cells is the one placeMarkIn finds
    for (const StitchMark& m : records) {
        if (!keep(m))
            continue;
        const auto [it, added] = at.emplace(key(m), marks.size());
        if (added)
            marks.push_back(m);
        else
            marks[it->second] = m;
    }
}

// A text field the writer always ends with a terminator. One without is cut the way the
// writer cuts (at a character boundary, one byte short of the field), so a loaded pattern
// saves back as it was read: an unterminated brand would otherwise come back shorter and
// name a different palette.
template <class Reader>
std::string terminatedText(Reader& in, std::size_t field)
{
    std::string text = in.text(field);
    if (text.size() == field)
        text.resize(gbkPrefix(text, field - 1).size());
    return text;
}

template <class Reader>
BackstitchLine readLine(Reader& in)
{
    BackstitchLine line;
    line.selected = in.u8();
    line.thread = terminatedText(in, kLineThreadField);
    line.color = in.u32();
    line.startColumn = in.i32();
    line.startRow = in.i32();
    line.startCorner = in.i32();
    line.endColumn = in.i32();
    line.endRow = in.i32();
    line.endCorner = in.i32();
    return line;
}

template <class Reader>
BackstitchLine readLineV1(Reader& in)
{
    BackstitchLine line;
    line.selected = in.u8();
    in.skip(3);
    line.thread = "310";
    line.color = 0;
    line.startColumn = in.i32();
    line.startRow = in.i32();
    line.startCorner = in.i32();
    line.endColumn = in.i32();
    line.endRow = in.i32();
    line.endCorner = in.i32();
    return line;
}

template <class Reader>
std::vector<BackstitchLine> readLines(Reader& in, std::size_t recordSize, bool versionOne)
{
    const std::int32_t count = in.i32();
    if (!in.ok() || count < 0)
        throw Damaged{};
    require(in, static_cast<std::uint64_t>(count) * recordSize);
    std::vector<BackstitchLine> lines;
    lines.reserve(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i)
        lines.push_back(versionOne ? readLineV1(in) : readLine(in));
    return lines;
}

template <class Reader>
std::vector<StitchMark> readMarkRecords(Reader& in)
{
    const std::int32_t count = in.i32();
    if (!in.ok() || count < 0)
        throw Damaged{};
    require(in, static_cast<std::uint64_t>(count) * kMarkRecordSize);
    std::vector<StitchMark> records;
    records.reserve(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i) {
        StitchMark m;
        m.kind = in.i32();
        in.skip(4);  // reserved
        m.column = in.i32();
        m.row = in.i32();
        in.skip(4);  // glyph reference, meaningless in a file
        records.push_back(m);
    }
    return records;
}

// Reads the header's announced sections; throws Damaged when the file cannot hold them.
template <class Reader>
void decodeBody(Reader& in, std::int32_t version, bool hasLines, LoadMode mode, PatternDocument& doc,
                const LoadContext& ctx, std::int32_t width, std::int32_t height, std::int32_t threadCount)
{
    require(in, static_cast<std::uint64_t>(threadCount) * kThreadRecordSize);
    const std::uint64_t cellCount = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);

    Palette palette;
    if (mode == LoadMode::Library && ctx.palettes)
        ctx.palettes->load(doc.brand, palette);
    for (std::int32_t i = 0; i < threadCount; ++i) {
        ColorRef color = in.u32();
        std::string number = terminatedText(in, kThreadNumberField);
        if (mode == LoadMode::Library) {
            const int hit = palette.find(number);
            if (hit >= 0)
                color = palette.colors[static_cast<std::size_t>(hit)];
        }
        doc.addThread(color, std::move(number));
    }

    require(in, cellCount);
    doc.grid.width = width;
    doc.grid.height = height;
    const std::uint8_t* cells = in.take(static_cast<std::size_t>(cellCount));
    if (!cells)
        throw Damaged{};
    SpareBlocks::instance().take(doc.grid.cells.vector(), static_cast<std::size_t>(cellCount));
    decodeCellsWithProgress(doc.grid.cells.vector(), cells, static_cast<std::size_t>(cellCount), ctx.progress);

    if (hasLines)
        doc.lines = version == 1 ? readLines(in, kLineRecordSizeV1, true) : readLines(in, kLineRecordSize, false);

    if (version >= kVersionSymbols) {
        require(in, doc.symbols.size() * kSymbolRecordSize + 4);
        for (std::size_t i = 0; i < doc.symbols.size(); ++i) {
            SymbolEntry& entry = doc.symbols[i];
            const std::uint8_t* field = in.peek(kSymbolTextField);
            if (i == kClearSymbolsSlot && field && std::equal(kClearSymbolsMark.begin(), kClearSymbolsMark.end(), field))
                doc.clearSymbols = true;
            entry.symbol = terminatedText(in, kSymbolTextField);
            entry.color = in.i32();
        }
        doc.fabric = in.u32();
    } else {
        doc.symbols[0].color = -1;
    }

    if (version >= kVersionMarks)
        placeMarksIn(doc.marks, readMarkRecords(in),
                     [&](const StitchMark& m) { return doc.grid.contains(m.column, m.row); });

    if (version >= kVersionLayers) {
        const std::int32_t layerCount = in.i32();
        if (!in.ok() || layerCount < 0 || layerCount > kMaxLayers)
            throw Damaged{};
        doc.layers.reset();
        for (std::int32_t k = 0; k < layerCount; ++k) {
            PatternLayer layer;
            require(in, 3 + kLayerNameField + cellCount);
            layer.linked = in.u8() != 0;
            layer.drawable = in.u8() != 0;
            layer.visible = in.u8() != 0;
            layer.name = terminatedText(in, kLayerNameField);
            layer.width = width;
            layer.height = height;
            // Layer cells are held as the file's bytes, read straight into their buffer.
            SpareBlocks::instance().take(layer.cells.buffer().vector(), static_cast<std::size_t>(cellCount));
            layer.cells.buffer().resize(static_cast<std::size_t>(cellCount));
            if (!in.readInto(layer.cells.buffer().data(), static_cast<std::size_t>(cellCount)))
                throw Damaged{};
            layer.threadColors = doc.threads.colors;
            layer.threadNumbers = doc.threads.numbers;
            layer.lines = readLines(in, kLineRecordSize, false);
            // A mark on a transparent cell, or on a cell naming no thread, is dropped.
            placeMarksIn(layer.marks, readMarkRecords(in), [&](const StitchMark& m) {
                if (!doc.grid.contains(m.column, m.row))
                    return false;
                const std::int32_t v = layer.cells[doc.grid.indexOf(m.column, m.row)];
                return v >= 0 && v < threadCount;
            });
            doc.layers.layers.push_back(std::move(layer));
        }
        doc.layers.refreshButtonStates();
    }
}

// The header, then the body it announces, from any reader over `size` bytes.
template <class Reader>
PatternReadOutcome decodeFrom(Reader& in, std::uint64_t size, LoadMode mode, PatternDocument& doc,
                              const LoadContext& ctx)
{
    PatternReadOutcome outcome;
    try {
        if (size < sizeof kMagic)
            return outcome;
        const std::uint8_t* magic = in.take(sizeof kMagic);
        if (!magic || std::memcmp(magic, kMagic, sizeof kMagic) != 0)
            return outcome;
        if (size < kHeaderSize) {
            tell(ctx, kMsgDamaged);
            return outcome;
        }
        in.skip(2);
        const std::int32_t width = in.i32();
        const std::int32_t height = in.i32();
        const std::int32_t threadCount = in.i32();
        const std::int32_t version = in.i32();
        std::string brand = terminatedText(in, kBrandField);
        const bool hasLines = in.u8() != 0;
        const bool currentLibrary = in.u8() != 0;
        in.skip(2);
        outcome.version = version;

        if (version > kPatternFileVersion) {
            tell(ctx, kMsgNewerVersion);
            return outcome;
        }
        if (mode == LoadMode::Library && !currentLibrary) {
            tell(ctx, kMsgOldLibrary);
            return outcome;
        }
        if (version < 1 || width <= 0 || height <= 0 || threadCount < 0 || threadCount > kMaxThreads) {
            tell(ctx, kMsgDamaged);
            return outcome;
        }

        doc.brand = std::move(brand);
        decodeBody(in, version, hasLines, mode, doc, ctx, width, height, threadCount);
    } catch (const Damaged&) {
        tell(ctx, kMsgDamaged);
        return outcome;
    }
    outcome.result = outcome.version < kVersionLayers ? LoadResult::WithoutLayers : LoadResult::WithLayers;
    return outcome;
}

}  // namespace

PatternReadOutcome decodePattern(std::span<const std::uint8_t> bytes, LoadMode mode, PatternDocument& doc,
                                 const LoadContext& ctx)
{
    ByteReader in(bytes);
    return decodeFrom(in, bytes.size(), mode, doc, ctx);
}

const char* pathRefusal(PathKind kind)
{
    switch (kind) {
    case PathKind::RegularFile:
        return nullptr;
    case PathKind::Missing:
        return kMsgFileMissing;
    case PathKind::Folder:
        return kMsgPathIsFolder;
    case PathKind::Pipe:
        return kMsgPathIsPipe;
    case PathKind::Device:
        return kMsgPathIsDevice;
    case PathKind::Socket:
        return kMsgPathIsSocket;
    case PathKind::Other:
        break;
    }
    return kMsgPathNotRegular;
}

PatternReadOutcome readPatternFile(const std::string& path, LoadMode mode, PatternDocument& doc,
                                   const LoadContext& ctx)
{
    if (const char* refusal = pathRefusal(pathKind(path))) {
        tell(ctx, utf8ToGbk(path));  // file names are UTF-8, message texts GBK
        tell(ctx, refusal);
        return {};
    }
    // Nothing is read whole: the magic decides first (a file that is no pattern costs one
    // window of reading), then every section is read as it is decoded.
    ReadableFile file(path);
    if (!file.isOpen()) {
        if (regularFileSize(path) > 0)
            tell(ctx, kMsgDamaged);  // there, but not to be read
        return {};
    }
    // No pattern this program made is longer than memory could hold, whatever its header
    // says; one that starts as a pattern is damaged, anything else is simply no pattern.
    if (!holdableInMemory(file.size())) {
        std::uint8_t head[sizeof kMagic];
        if (file.read(head, sizeof head) == sizeof head && std::memcmp(head, kMagic, sizeof kMagic) == 0)
            tell(ctx, kMsgDamaged);
        return {};
    }
    FileByteReader in(file, file.size());
    return decodeFrom(in, file.size(), mode, doc, ctx);
}

PatternReadOutcome loadPattern(const std::string& path, LoadMode mode, PatternDocument& doc, const LoadContext& ctx)
{
    PatternDocument loaded;
    const PatternReadOutcome outcome = readPatternFile(path, mode, loaded, ctx);
    if (outcome.result == LoadResult::Failed)
        return outcome;
    SpareBlocks::instance().keep(doc);
    doc = std::move(loaded);
    doc.finishLoad();
    return outcome;
}

namespace {

void writeLine(ByteWriter& out, const BackstitchLine& line)
{
    out.u8(0);  // the selection is never stored
    out.field(line.thread, kLineThreadField);
    out.u32(line.color);
    out.i32(line.startColumn);
    out.i32(line.startRow);
    out.i32(line.startCorner);
    out.i32(line.endColumn);
    out.i32(line.endRow);
    out.i32(line.endCorner);
}

void writeLines(ByteWriter& out, const std::vector<BackstitchLine>& lines)
{
    out.i32(static_cast<std::int32_t>(lines.size()));
    for (const BackstitchLine& line : lines)
        writeLine(out, line);
}

void writeMarks(ByteWriter& out, const std::vector<StitchMark>& marks)
{
    out.i32(static_cast<std::int32_t>(marks.size()));
    for (const StitchMark& m : marks) {
        out.i32(m.kind);
        out.i32(0);
        out.i32(m.column);
        out.i32(m.row);
        out.i32(0);
    }
}

// Cells are encoded in runs of this many. savePattern passes its buffer on to the file once
// it holds a run, so a saved file goes through one to two runs' worth of memory (more only
// for a section of lines or marks bigger than that), never through a buffer of the whole.
constexpr std::size_t kCellRun = std::size_t(1) << 20;

// The low byte of each value: -1 becomes 0xFF. Cells missing from a short layer are empty.
// spill(out) is given the chance to pass the bytes on after every run.
template <class Spill>
void writeCells(ByteWriter& out, const std::vector<std::int32_t>& cells, std::size_t count, Spill& spill)
{
    const std::size_t have = std::min(count, cells.size());
    for (std::size_t at = 0; at < count; at += kCellRun) {
        const std::size_t n = std::min(kCellRun, count - at);
        std::uint8_t* dst = out.grow(n);
        const std::size_t known = at < have ? std::min(n, have - at) : 0;
        const std::int32_t* src = cells.data() + at;
        for (std::size_t i = 0; i < known; ++i)
            dst[i] = static_cast<std::uint8_t>(src[i]);
        std::memset(dst + known, 0xFF, n - known);
        spill(out);
    }
}

// A layer's cells are already the file's bytes.
template <class Spill>
void writeCells(ByteWriter& out, const LayerCells& cells, std::size_t count, Spill& spill)
{
    const std::size_t have = std::min(count, cells.size());
    for (std::size_t at = 0; at < count; at += kCellRun) {
        const std::size_t n = std::min(kCellRun, count - at);
        std::uint8_t* dst = out.grow(n);
        const std::size_t known = at < have ? std::min(n, have - at) : 0;
        std::memcpy(dst, cells.bytes() + at, known);
        std::memset(dst + known, 0xFF, n - known);
        spill(out);
    }
}

std::size_t encodedSize(const PatternDocument& doc)
{
    const std::size_t cells = doc.grid.cellCount();
    std::size_t size = kHeaderSize + doc.threads.colors.size() * kThreadRecordSize + cells;
    if (!doc.lines.empty())
        size += 4 + doc.lines.size() * kLineRecordSize;
    size += doc.symbols.size() * kSymbolRecordSize + 4 + 4 + doc.marks.size() * kMarkRecordSize + 4;
    for (const PatternLayer& layer : doc.layers.layers)
        size += 3 + kLayerNameField + cells + 4 + layer.lines.size() * kLineRecordSize + 4 +
                layer.marks.size() * kMarkRecordSize;
    return size;
}

// The whole encoding, section by section; spill(out) may take the bytes written so far out
// of the writer between sections and between runs of cells.
template <class Spill>
void encodeInto(ByteWriter& out, const PatternDocument& doc, Spill& spill)
{
    out.bytes(kMagic, sizeof kMagic);
    out.zeros(2);
    out.i32(doc.grid.width);
    out.i32(doc.grid.height);
    out.i32(doc.threads.size());
    out.i32(kPatternFileVersion);
    out.field(doc.brand, kBrandField);
    out.u8(doc.lines.empty() ? 0 : 1);
    out.u8(1);  // current thread library
    out.zeros(2);

    for (std::size_t i = 0; i < doc.threads.colors.size(); ++i) {
        out.u32(doc.threads.colors[i]);
        out.field(doc.threads.numbers[i], kThreadNumberField);
    }
    spill(out);
    const std::size_t cells = doc.grid.cellCount();
    writeCells(out, doc.grid.cells, cells, spill);
    if (!doc.lines.empty())
        writeLines(out, doc.lines);
    for (std::size_t i = 0; i < doc.symbols.size(); ++i) {
        const SymbolEntry& entry = doc.symbols[i];
        if (i == kClearSymbolsSlot && doc.clearSymbols && entry.symbol.empty())
            out.bytes(kClearSymbolsMark.data(), kClearSymbolsMark.size());
        else
            out.field(entry.symbol, kSymbolTextField);
        out.i32(entry.color);
    }
    out.u32(doc.fabric);
    writeMarks(out, doc.marks);
    out.i32(doc.layers.size());
    spill(out);
    for (const PatternLayer& layer : doc.layers.layers) {
        out.u8(layer.linked ? 1 : 0);
        out.u8(layer.drawable ? 1 : 0);
        out.u8(layer.visible ? 1 : 0);
        out.field(layer.name, kLayerNameField);
        writeCells(out, layer.cells, cells, spill);
        writeLines(out, layer.lines);
        writeMarks(out, layer.marks);
        spill(out);
    }
}

}  // namespace

std::vector<std::uint8_t> encodePattern(const PatternDocument& doc)
{
    ByteWriter out(encodedSize(doc));
    auto keep = [](ByteWriter&) {};
    encodeInto(out, doc, keep);
    return out.take();
}

bool savePattern(const std::string& path, const PatternDocument& doc)
{
    // What the reader would refuse is never written.
    if (!doc.isOpen() || doc.threads.size() > kMaxThreads || doc.layers.size() > kMaxLayers)
        return false;
    ReplacementFile file(path);
    if (!file.ok())
        return false;
    ByteWriter out(2 * kCellRun);
    auto pass = [&file](ByteWriter& pending) {
        if (pending.size() >= kCellRun) {
            file.write(pending.buffer());
            pending.clear();
        }
    };
    encodeInto(out, doc, pass);
    file.write(out.buffer());
    return file.commit();
}

}  // namespace brenmark
