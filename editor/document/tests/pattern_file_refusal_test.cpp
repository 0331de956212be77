// Files the reader must refuse, what it says, and that the open pattern survives.
#include "interchange/file_bytes.h"
#include "editor/document/tests/test_support.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

using namespace brenmark;
using namespace brenmark::test;

namespace {

PatternDocument openPattern()
{
    PatternDocument doc;
    doc.create(4, 3, "DMC");
    doc.addThread(rgb(5, 5, 5), "310");
    doc.setCell(1, 1, 0);
    doc.placeMark(2, 1, 1);
    return doc;
}

PatternFileBuilder fullFile()
{
    PatternFileBuilder f;
    f.width = 3, f.height = 2;
    f.threads = {{rgb(1, 2, 3), "310"}};
    f.cells = {0, 0xFF, 0, 0xFF, 0, 0xFF};
    f.writeLineSection = true;
    BackstitchLine line;
    line.thread = "310";
    f.lines = {line, line};
    f.marks = {{3, 0, 0, 0}};
    f.layers = {{false, true, true, "A", {0, 0, 0, 0xFF, 0xFF, 0xFF}, {line}, {{3, 0, 0, 0}}},
                {false, false, true, "B", {}, {}, {}}};
    return f;
}

struct Attempt {
    LoadResult result;
    std::vector<std::string> messages;
};

Attempt tryLoad(const std::vector<std::uint8_t>& bytes, PatternDocument& doc, LoadMode mode = LoadMode::Library)
{
    TempDir dir;
    writeBytes(dir.file("p.xiu"), bytes);
    RecordingMessages messages;
    const PaletteStore store(dir.path());
    const auto outcome = loadPattern(dir.file("p.xiu"), mode, doc, {&store, &messages, nullptr});
    return {outcome.result, messages.texts()};
}

void patch32(std::vector<std::uint8_t>& b, std::size_t offset, std::int32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[offset + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i));
}

}  // namespace

TEST(PatternFileRefusal, MissingFileShowsThePathThenTheMessage)
{
    TempDir dir;
    PatternDocument doc = openPattern();
    RecordingMessages messages;
    const std::string path = dir.file("nothing.xiu");
    EXPECT_EQ(loadPattern(path, LoadMode::Library, doc, {nullptr, &messages, nullptr}).result, LoadResult::Failed);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].text, path);
    EXPECT_EQ(messages.shown[1].text, "被选文件不存在");
    EXPECT_EQ(messages.shown[1].title, "提示");
    EXPECT_EQ(messages.shown[1].icon, MessageIcon::Information);
    EXPECT_EQ(doc.width(), 4);
}

TEST(PatternFileRefusal, AMissingPathIsShownInTheMessageCodePage)
{
    TempDir dir;
    PatternDocument doc;
    RecordingMessages messages;
    const std::string utf8Name = reinterpret_cast<const char*>(u8"缺.xiu");
    loadPattern(dir.file(utf8Name), LoadMode::Library, doc, {nullptr, &messages, nullptr});
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].text, dir.file("缺.xiu"));  // GBK, as every message text
}

// --- paths that are no regular file: refused at once, with what the path is ---------------

namespace {

// Runs work on another thread and waits two seconds at most. Work still running then
// fails the test and is let go by opening the pipe at path for writing, so a reader stuck
// on a pipe cannot hang the run. (Plain POSIX threads: <thread> and <future> bring
// <chrono>, which this code page cannot compile.)
void finishesPromptly(const std::string& path, std::function<void()> work)
{
    struct Job {
        std::function<void()> work;
        int done = 0;
    } job{std::move(work)};
    pthread_t thread;
    ASSERT_EQ(pthread_create(
                  &thread, nullptr,
                  [](void* p) -> void* {
                      auto* j = static_cast<Job*>(p);
                      j->work();
                      __atomic_store_n(&j->done, 1, __ATOMIC_RELEASE);
                      return nullptr;
                  },
                  &job),
              0);
    for (int waited = 0; waited < 200 && !__atomic_load_n(&job.done, __ATOMIC_ACQUIRE); ++waited)
        ::usleep(10000);
    if (!__atomic_load_n(&job.done, __ATOMIC_ACQUIRE)) {
        ADD_FAILURE() << "reading " << path << " blocked";
        const int writer = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0)
            ::close(writer);
    }
    pthread_join(thread, nullptr);
}

Attempt loadWithin(const std::string& path, PatternDocument& doc)
{
    RecordingMessages messages;
    LoadResult result = LoadResult::Failed;
    finishesPromptly(path, [&] { result = loadPattern(path, LoadMode::Library, doc, {nullptr, &messages, nullptr}).result; });
    return {result, messages.texts()};
}

}  // namespace

TEST(PatternFileRefusal, AFolderIsNamedAsAFolderNotAsMissing)
{
    TempDir dir;
    std::filesystem::create_directory(dir.file("heart.xiu"));
    PatternDocument doc = openPattern();
    const Attempt a = loadWithin(dir.file("heart.xiu"), doc);
    EXPECT_EQ(a.result, LoadResult::Failed);
    EXPECT_EQ(a.messages, (std::vector<std::string>{dir.file("heart.xiu"), kMsgPathIsFolder}));
    EXPECT_EQ(doc.width(), 4);
}

TEST(PatternFileRefusal, APipeIsRefusedAtOnceAndNamedAsAPipe)
{
    TempDir dir;
    const std::string path = dir.file("p.xiu");
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    PatternDocument doc = openPattern();
    const Attempt a = loadWithin(path, doc);
    EXPECT_EQ(a.result, LoadResult::Failed);
    EXPECT_EQ(a.messages, (std::vector<std::string>{path, kMsgPathIsPipe}));
    EXPECT_EQ(doc.width(), 4);

    // The palettes are read the same way.
    std::vector<std::uint8_t> bytes{1, 2, 3};
    bool read = true;
    finishesPromptly(path, [&] { read = readWholeFile(path, bytes); });
    EXPECT_FALSE(read);
    EXPECT_TRUE(bytes.empty());
}

TEST(PatternFileRefusal, ADeviceIsNamedAsADevice)
{
    PatternDocument doc = openPattern();
    const Attempt a = loadWithin("/dev/null", doc);
    EXPECT_EQ(a.result, LoadResult::Failed);
    EXPECT_EQ(a.messages, (std::vector<std::string>{"/dev/null", kMsgPathIsDevice}));
}

TEST(PatternFileRefusal, NotAPatternFileIsRefusedSilently)
{
    PatternDocument doc = openPattern();
    for (const std::vector<std::uint8_t>& bytes :
         {std::vector<std::uint8_t>{}, std::vector<std::uint8_t>{'K', 'O', 'V'},
          std::vector<std::uint8_t>(100, 'x')}) {
        const Attempt a = tryLoad(bytes, doc);
        EXPECT_EQ(a.result, LoadResult::Failed);
        EXPECT_TRUE(a.messages.empty());
    }
    EXPECT_EQ(doc.width(), 4);
}

TEST(PatternFileRefusal, AFileCutShortAnywhereIsRefusedAndTheOpenPatternStays)
{
    const auto bytes = fullFile().build();
    const PatternDocument before = openPattern();
    const auto beforeBytes = encodePattern(before);
    {
        PatternDocument doc = openPattern();
        ASSERT_EQ(tryLoad(bytes, doc).result, LoadResult::WithLayers);
    }
    for (std::size_t cut = 6; cut < bytes.size(); ++cut) {
        PatternDocument doc = openPattern();
        const Attempt a = tryLoad({bytes.begin(), bytes.begin() + static_cast<long>(cut)}, doc);
        ASSERT_EQ(a.result, LoadResult::Failed) << "cut at " << cut;
        ASSERT_EQ(a.messages, std::vector<std::string>{kMsgDamaged}) << "cut at " << cut;
        ASSERT_EQ(encodePattern(doc), beforeBytes) << "cut at " << cut;
    }
}

TEST(PatternFileRefusal, HeaderSizesTheFileCannotHoldAreRefusedBeforeAllocating)
{
    const auto good = fullFile().build();
    struct Case {
        const char* what;
        std::size_t offset;
        std::int32_t value;
    };
    const std::size_t lineCount = kHeaderSize + 24 + 6;
    const std::size_t markCount = lineCount + 4 + 2 * 40 + 256 * 7 + 4;
    const std::size_t layerCount = markCount + 4 + 20;
    for (const Case& c : {Case{"zero width", 8, 0}, Case{"negative height", 12, -3},
                          Case{"huge grid", 8, 0x7FFFFFFF}, Case{"huge height", 12, 0x40000000},
                          Case{"negative threads", 16, -1}, Case{"256 threads", 16, 256},
                          Case{"threads past the end", 16, 200}, Case{"version zero", 20, 0},
                          Case{"negative lines", lineCount, -1}, Case{"huge lines", lineCount, 0x7FFFFFFF},
                          Case{"huge marks", markCount, 50'000'000}, Case{"negative marks", markCount, -5},
                          Case{"eleven layers", layerCount, 11}, Case{"negative layers", layerCount, -1},
                          Case{"three layers", layerCount, 3}}) {
        auto bytes = good;
        patch32(bytes, c.offset, c.value);
        PatternDocument doc = openPattern();
        const Attempt a = tryLoad(bytes, doc);
        EXPECT_EQ(a.result, LoadResult::Failed) << c.what;
        EXPECT_EQ(a.messages, std::vector<std::string>{kMsgDamaged}) << c.what;
        EXPECT_EQ(doc.width(), 4) << c.what;
    }
}

TEST(PatternFileRefusal, MarksOutsideTheGridAreDropped)
{
    PatternFileBuilder f = fullFile();
    f.marks = {{3, 0, 3, 0}, {4, 0, -1, 0}, {5, 0, 2, 1}, {6, 0, 0, 2}};
    PatternDocument doc;
    ASSERT_EQ(tryLoad(f.build(), doc).result, LoadResult::WithLayers);
    EXPECT_EQ(doc.marks, (std::vector<StitchMark>{{5, 0, 2, 1}}));
}

TEST(PatternFileRefusal, NoLayersInALayeredFileStillGivesABackgroundLayer)
{
    PatternFileBuilder f = fullFile();
    f.layers.clear();
    PatternDocument doc;
    ASSERT_EQ(tryLoad(f.build(), doc).result, LoadResult::WithLayers);
    ASSERT_EQ(doc.layers.size(), 1);
    EXPECT_EQ(doc.layers[0].cells, doc.grid.cells);
}

TEST(PatternFileSave, ReplacesAnExistingFileWholeAndLeavesNoTemporaryFiles)
{
    TempDir dir;
    const std::string path = dir.file("p.xiu");
    writeBytes(path, std::vector<std::uint8_t>(100000, 0xAB));
    const PatternDocument doc = openPattern();
    ASSERT_TRUE(savePattern(path, doc));
    EXPECT_EQ(readBytes(path), encodePattern(doc));
    int files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path()))
        ++files;
    EXPECT_EQ(files, 1);
}

TEST(PatternFileSave, AFailedSaveReportsFalseAndKeepsTheOldFile)
{
    TempDir dir;
    const std::string path = dir.file("p.xiu");
    writeBytes(path, {1, 2, 3});
    PatternDocument closed;
    EXPECT_FALSE(savePattern(path, closed));  // no pattern open
    PatternDocument tooMany = openPattern();
    for (int i = 0; i < 255; ++i)
        tooMany.addThread(rgb(1, 1, 1), "x");
    EXPECT_FALSE(savePattern(path, tooMany));  // 256 threads cannot be stored
    EXPECT_EQ(readBytes(path), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_FALSE(savePattern(dir.file("no/such/folder.xiu"), openPattern()));
}
