// Exports against the room they need and the user's wish to stop: an output whose estimated
// size passes the target's free space is refused before anything is written, a stopped
// export takes back everything it began, and folders a failed run made go with it.
#include "editor/output/chart_files.h"
#include "editor/output/tests/output_files_support.h"

#include "interchange/file_bytes.h"
#include "editor/document/output_room.h"
#include "editor/render/chart_export.h"
#include "editor/render/replacement_device.h"
#include "editor/render/tests/chart_test_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <vector>

using namespace brenmark;

namespace {

using test::contents;
using test::entries;
using test::kA4;

struct RealRoom {
    ~RealRoom()
    {
        injectFreeSpace(-1);
        injectWriteFault(-1);
    }
};

// Counts the pages and says stop once a page number is reached (never with 0).
struct StopAt final : ProgressReport {
    explicit StopAt(int page) : stop(page) {}
    int stop;
    std::vector<int> seen;
    void setRange(int, int) override {}
    void setPosition(int position) override { seen.push_back(position); }
    bool cancelled() const override { return stop > 0 && !seen.empty() && seen.back() >= stop; }
};

// Stopped from the start, as Ctrl+C before the first write.
struct Stopped final : ProgressReport {
    void setRange(int, int) override {}
    void setPosition(int) override {}
    bool cancelled() const override { return true; }
};

double ratio(std::uint64_t estimate, qint64 actual)
{
    return static_cast<double>(estimate) / static_cast<double>(std::max<qint64>(actual, 1));
}

}  // namespace

TEST(ExportRoom, TheNoRoomTextSaysWhatIsNeededAndWhatThereIs)
{
    EXPECT_EQ(noRoomText(kTextNoRoom, NoRoom{3u << 20, 512 * 1024}),
              "导出文件需要3.0 MB磁盘空间,目标磁盘只有512 KB可用,不能导出");
    EXPECT_EQ(noRoomText(kTextNoRoomPages, NoRoom{5ull << 30, 1ull << 30}, 479),
              "导出文件共479页,需要5.0 GB磁盘空间,目标磁盘只有1.0 GB可用,不能导出");
    RealRoom real;
    injectFreeSpace(1000);
    EXPECT_FALSE(checkRoom("/", 1000).has_value());
    ASSERT_TRUE(checkRoom("/", 1001).has_value());
    EXPECT_EQ(checkRoom("/", 1001)->available, 1000u);
}

TEST(ExportRoom, ABmpEstimateIsItsExactSize)
{
    QTemporaryDir dir;
    const auto canvas = renderWholeChart(wholeChartLayout(test::checkerPattern(37, 23), PrintSettings{}),
                                         ChartStyle::PrintColour, nullptr);
    ASSERT_TRUE(canvas);
    const QString path = dir.filePath(u"w.bmp"_qs);
    ASSERT_TRUE(savePicture(*canvas, path, ChartFormat::Bmp, nullptr));
    EXPECT_EQ(estimatePictureBytes(*canvas, ChartFormat::Bmp), static_cast<std::uint64_t>(contents(path).size()));
}

TEST(ExportRoom, EstimatesOfCompressedAndVectorFilesComeNearTheirSize)
{
    QTemporaryDir dir;
    const PatternDocument doc = test::checkerPattern(120, 90);
    const ChartLayout whole = wholeChartLayout(doc, PrintSettings{});
    const auto canvas = renderWholeChart(whole, ChartStyle::PrintColour, nullptr);
    ASSERT_TRUE(canvas);
    for (ChartFormat format : {ChartFormat::Png, ChartFormat::Jpeg}) {
        const QString path = dir.filePath(u"w"_qs + extensionOf(format));
        ASSERT_TRUE(savePicture(*canvas, path, format, nullptr));
        const double r = ratio(estimatePictureBytes(*canvas, format), contents(path).size());
        EXPECT_GT(r, 0.5) << extensionOf(format).toStdString();
        EXPECT_LT(r, 2.0) << extensionOf(format).toStdString();
    }
    const QString svg = dir.filePath(u"w.svg"_qs);
    ASSERT_TRUE(writeWholeChart(whole, ChartStyle::PrintColour, svg, ChartFormat::Svg, nullptr));
    const double r = ratio(estimateVectorBytes(whole.pageSize(), ChartFormat::Svg,
                                               [&](QPainter& p) { whole.drawWholeChart(p, ChartStyle::PrintColour); }),
                           contents(svg).size());
    EXPECT_GT(r, 0.95);
    EXPECT_LT(r, 1.05);

    const PatternDocument pageDoc = test::checkerPattern(150, 150);
    const ChartLayout pages(pageDoc, PrintSettings{}, kA4);
    ASSERT_GT(pages.grid().total, 3);
    for (ChartFormat format : {ChartFormat::Png, ChartFormat::Svg, ChartFormat::Pdf}) {
        ExportError error;
        const QStringList files =
            writeChartPages(pages, ChartStyle::PrintColour, dir.filePath(u"p"_qs + extensionOf(format)), format, nullptr, &error);
        ASSERT_FALSE(files.isEmpty()) << error.text;
        qint64 written = 0;
        for (const QString& f : files)
            written += contents(f).size();
        const double pr = ratio(estimatePageSetBytes(pages, ChartStyle::PrintColour, format), written);
        EXPECT_GT(pr, 0.5) << extensionOf(format).toStdString();
        EXPECT_LT(pr, 2.0) << extensionOf(format).toStdString();
    }
}

TEST(ExportRoom, AWholeChartThatWouldNotFitIsRefusedAndTheOldFileStays)
{
    QTemporaryDir dir;
    RealRoom real;
    const PatternDocument smallDoc = test::checkerPattern(6, 6);
    const PatternDocument bigDoc = test::checkerPattern(80, 80);
    const ChartLayout small = wholeChartLayout(smallDoc, PrintSettings{});
    const ChartLayout big = wholeChartLayout(bigDoc, PrintSettings{});
    for (ChartFormat format : {ChartFormat::Bmp, ChartFormat::Png, ChartFormat::Jpeg, ChartFormat::Svg, ChartFormat::Pdf}) {
        const QString path = dir.filePath(u"w"_qs + extensionOf(format));
        ASSERT_TRUE(writeWholeChart(small, ChartStyle::PrintColour, path, format, nullptr));
        const QByteArray old = contents(path);
        injectFreeSpace(old.size() + 10);
        ExportError error;
        EXPECT_FALSE(writeWholeChart(big, ChartStyle::PrintColour, path, format, &error));
        EXPECT_EQ(error.title, kTitleWarning);
        EXPECT_EQ(error.text.rfind("导出文件需要", 0), 0u) << error.text;
        EXPECT_NE(error.text.find(sizeText(static_cast<std::uint64_t>(old.size() + 10))), std::string::npos) << error.text;
        EXPECT_EQ(contents(path), old);
        injectFreeSpace(-1);
    }
    EXPECT_EQ(entries(dir.path()).size(), 5);  // nothing beside the five old files
}

TEST(ExportRoom, APageSetThatWouldNotFitIsRefusedBeforeAnyPageIsWritten)
{
    QTemporaryDir dir;
    RealRoom real;
    const PatternDocument doc = test::checkerPattern(150, 150);
    const ChartLayout layout(doc, PrintSettings{}, kA4);
    const int total = layout.grid().total;
    for (ChartFormat format : {ChartFormat::Png, ChartFormat::Jpeg, ChartFormat::Bmp, ChartFormat::Svg, ChartFormat::Pdf}) {
        const std::uint64_t estimate = estimatePageSetBytes(layout, ChartStyle::PrintColour, format);
        ASSERT_GT(estimate, 0u);
        injectFreeSpace(static_cast<std::int64_t>(estimate) - 1);
        StopAt progress(0);
        ExportError error;
        const QString chosen = dir.filePath(u"new/set"_qs + extensionOf(format));
        EXPECT_TRUE(writeChartPages(layout, ChartStyle::PrintColour, chosen, format, &progress, &error).isEmpty());
        EXPECT_EQ(error.text, noRoomText(kTextNoRoomPages, NoRoom{estimate, estimate - 1}, total));
        EXPECT_TRUE(progress.seen.empty());  // refused before the first page
        EXPECT_EQ(entries(dir.path()), QStringList{});
        // With the room it needs, the same set is written.
        injectFreeSpace(static_cast<std::int64_t>(estimate));
        EXPECT_FALSE(writeChartPages(layout, ChartStyle::PrintColour, chosen, format, &progress, &error).isEmpty())
            << error.text;
        injectFreeSpace(-1);
        QDir(dir.filePath(u"new"_qs)).removeRecursively();
    }
}

TEST(ExportRoom, APdfOfPagesCountsItsPagesAndStopsWhenAsked)
{
    QTemporaryDir dir;
    const PatternDocument doc = test::checkerPattern(150, 150);
    const ChartLayout layout(doc, PrintSettings{}, kA4);
    const int total = layout.grid().total;
    ASSERT_GT(total, 3);
    const QString chosen = dir.filePath(u"c.pdf"_qs);
    StopAt all(0);
    ExportError error;
    ASSERT_EQ(writeChartPages(layout, ChartStyle::PrintColour, chosen, ChartFormat::Pdf, &all, &error).size(), 1);
    std::vector<int> expected{0};
    for (int n = 1; n <= total; ++n)
        expected.push_back(n);
    expected.push_back(total);
    EXPECT_EQ(all.seen, expected);
    const QByteArray old = contents(chosen);

    StopAt two(2);
    EXPECT_TRUE(writeChartPages(layout, ChartStyle::PrintColour, chosen, ChartFormat::Pdf, &two, &error).isEmpty());
    EXPECT_EQ(error.text, kTextExportCancelled);
    EXPECT_EQ(error.title, kTitleInfo);
    EXPECT_EQ(two.seen.back(), 2);
    EXPECT_EQ(contents(chosen), old);
    EXPECT_EQ(entries(dir.path()), QStringList{u"c.pdf"_qs});
}

TEST(ExportRoom, AStoppedSvgPageRunTakesBackWhatItWrote)
{
    QTemporaryDir dir;
    const PatternDocument doc = test::checkerPattern(150, 150);
    const ChartLayout layout(doc, PrintSettings{}, kA4);
    StopAt two(2);
    ExportError error;
    EXPECT_TRUE(writeChartPages(layout, ChartStyle::PrintColour, dir.filePath(u"s.svg"_qs), ChartFormat::Svg, &two, &error)
                    .isEmpty());
    EXPECT_EQ(error.text, kTextExportCancelled);
    EXPECT_EQ(entries(dir.path()), QStringList{});
}

TEST(ExportRoom, AStoppedWholeExportLeavesTheOldFileAndNoTemporary)
{
    QTemporaryDir dir;
    const PatternDocument smallDoc = test::checkerPattern(6, 6);
    const PatternDocument bigDoc = test::checkerPattern(40, 40);
    const ChartLayout small = wholeChartLayout(smallDoc, PrintSettings{});
    const ChartLayout big = wholeChartLayout(bigDoc, PrintSettings{});
    for (ChartFormat format : {ChartFormat::Bmp, ChartFormat::Png, ChartFormat::Jpeg, ChartFormat::Svg, ChartFormat::Pdf}) {
        const QString path = dir.filePath(u"w"_qs + extensionOf(format));
        ASSERT_TRUE(writeWholeChart(small, ChartStyle::PrintColour, path, format, nullptr));
        const QByteArray old = contents(path);
        Stopped stopped;
        ExportError error;
        EXPECT_FALSE(writeWholeChart(big, ChartStyle::PrintColour, path, format, &error, 96, &stopped));
        EXPECT_EQ(error.text, kTextExportCancelled);
        EXPECT_EQ(contents(path), old);
    }
    EXPECT_EQ(entries(dir.path()).size(), 5);
}

TEST(ExportRoom, AStopMidWriteFailsTheDeviceAndRemovesItsFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"d.bin"_qs);
    bool stop = false;
    ReplacementDevice file(path);
    file.setCancel([&] { return stop; });
    ASSERT_TRUE(file.begin());
    EXPECT_EQ(file.write("abc", 3), 3);
    stop = true;
    file.write("def", 3);  // dropped: the writer runs to its end, the file is never committed
    EXPECT_TRUE(file.cancelled());
    EXPECT_FALSE(file.commit());
    EXPECT_EQ(entries(dir.path()), QStringList{});
}

TEST(ExportRoom, FoldersMadeForAFailedExportAreRemoved)
{
    QTemporaryDir dir;
    RealRoom real;
    const PatternDocument doc = test::checkerPattern(20, 20);
    const ChartLayout whole = wholeChartLayout(doc, PrintSettings{});
    injectWriteFault(100);
    ExportError error;
    EXPECT_FALSE(writeWholeChart(whole, ChartStyle::PrintColour, dir.filePath(u"a/b/c/w.png"_qs), ChartFormat::Png, &error));
    EXPECT_FALSE(writeChartPages(ChartLayout(doc, PrintSettings{}, kA4), ChartStyle::PrintColour,
                                 dir.filePath(u"x/y/set.pdf"_qs), ChartFormat::Pdf, nullptr, &error)
                     .size());
    EXPECT_FALSE(writeChartPages(ChartLayout(doc, PrintSettings{}, kA4), ChartStyle::PrintColour,
                                 dir.filePath(u"x/y/set.png"_qs), ChartFormat::Png, nullptr, &error)
                     .size());
    injectWriteFault(-1);
    EXPECT_EQ(entries(dir.path()), QStringList{});
    // A folder that was there stays, and a run that succeeds keeps what it made.
    ASSERT_TRUE(QDir().mkpath(dir.filePath(u"a"_qs)));
    ASSERT_TRUE(writeWholeChart(whole, ChartStyle::PrintColour, dir.filePath(u"a/b/w.png"_qs), ChartFormat::Png, &error));
    EXPECT_EQ(entries(dir.filePath(u"a/b"_qs)), QStringList{u"w.png"_qs});
}

TEST(ExportRoom, MadeFoldersGoDeepestFirstAndOnlyWhileEmpty)
{
    QTemporaryDir dir;
    const std::string base = QFile::encodeName(dir.path()).toStdString();
    {
        MadeFolders made;
        ASSERT_TRUE(made.make(base + "/p/q/r"));
        EXPECT_EQ(made.made(), (std::vector<std::string>{base + "/p", base + "/p/q", base + "/p/q/r"}));
        QFile keep(dir.filePath(u"p/kept"_qs));
        ASSERT_TRUE(keep.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(entries(dir.filePath(u"p"_qs)), QStringList{u"kept"_qs});
    MadeFolders blocked;
    errno = 0;
    EXPECT_FALSE(blocked.make(base + "/p/kept/under"));
    EXPECT_EQ(errno, ENOTDIR);
    EXPECT_EQ(parentFolderBytes("a.png"), ".");
    EXPECT_EQ(parentFolderBytes("/a.png"), "/");
    EXPECT_EQ(parentFolderBytes("x/y/"), "x");
}
