// Every export writer under write faults: a failure at any byte (a full disk) leaves the
// old file whole under its name and nothing else behind; a page set is replaced whole or
// not at all; names that are not UTF-8 are written under their own bytes.
#include "editor/output/chart_files.h"
#include "editor/output/tests/output_files_support.h"

#include "interchange/file_bytes.h"
#include "editor/render/chart_export.h"
#include "editor/render/replacement_device.h"
#include "editor/render/tests/chart_test_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/mount.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include <gtest/gtest.h>

using namespace brenmark;

namespace {

using test::contents;
using test::entries;
using test::kA4;

struct FaultOff {
    ~FaultOff() { injectWriteFault(-1); }
};

// Writes the whole chart (or the simulated picture) to path in a format.
bool writeOne(const PatternDocument& doc, const QString& path, ChartFormat format, bool simulated, ExportError* error)
{
    if (simulated) {
        const auto picture = renderSimulatedPicture(doc, error);
        return picture && savePicture(*picture, path, format, error);
    }
    const ChartLayout whole = wholeChartLayout(doc, PrintSettings{});
    return writeWholeChart(whole, printStyle(true, false), path, format, error);
}

struct Case {
    ChartFormat format;
    bool simulated;
    const char* name;
};

const Case kCases[] = {
    {ChartFormat::Png, false, "w.png"}, {ChartFormat::Jpeg, false, "w.jpg"}, {ChartFormat::Bmp, false, "w.bmp"},
    {ChartFormat::Svg, false, "w.svg"}, {ChartFormat::Pdf, false, "w.pdf"}, {ChartFormat::Emf, false, "w.emf"},
    {ChartFormat::Jpeg, true, "s.jpg"}, {ChartFormat::Png, true, "s.png"},
};

}  // namespace

TEST(ExportWriteFault, AFailedWriteAtAnyByteKeepsTheOldFileInEveryFormat)
{
    QTemporaryDir dir;
    const PatternDocument small = test::checkerPattern(6, 6);
    const PatternDocument bigger = test::checkerPattern(30, 30);
    FaultOff off;
    for (const Case& c : kCases) {
        const QString path = dir.filePath(QString::fromLatin1(c.name));
        ExportError error;
        ASSERT_TRUE(writeOne(small, path, c.format, c.simulated, &error)) << c.name << error.text;
        const QByteArray old = contents(path);
        ASSERT_FALSE(old.isEmpty());
        // The new file's length, then failures short of it by 1 byte to most of it.
        const QString probe = dir.filePath(u"probe"_qs);
        ASSERT_TRUE(writeOne(bigger, probe, c.format, c.simulated, &error));
        const qint64 full = contents(probe).size();
        QFile::remove(probe);
        for (qint64 budget : {qint64{0}, full / 2, full - 1}) {
            injectWriteFault(budget);
            EXPECT_FALSE(writeOne(bigger, path, c.format, c.simulated, &error)) << c.name << " at " << budget;
            injectWriteFault(-1);
            EXPECT_NE(error.text.find("磁盘空间不足"), std::string::npos) << c.name;
            EXPECT_EQ(contents(path), old) << c.name << " at " << budget;
        }
        injectWriteFault(full);  // exactly enough
        EXPECT_TRUE(writeOne(bigger, path, c.format, c.simulated, &error)) << c.name;
        injectWriteFault(-1);
        EXPECT_EQ(contents(path).size(), full) << c.name;
    }
    QStringList names;
    for (const Case& c : kCases)
        names << QString::fromLatin1(c.name);
    names.sort();
    EXPECT_EQ(entries(dir.path()), names);  // no temporary left
}

TEST(ExportWriteFault, AFailingPageRunKeepsTheOldSetWholeAndMakesNoFolder)
{
    QTemporaryDir dir;
    const PatternDocument small = test::checkerPattern(10, 10);
    const PatternDocument bigger = test::checkerPattern(150, 150);
    const ChartLayout one(small, PrintSettings{}, kA4);
    const ChartLayout many(bigger, PrintSettings{}, kA4);
    ASSERT_GT(many.grid().total, 3);
    FaultOff off;
    for (ChartFormat format : {ChartFormat::Png, ChartFormat::Svg, ChartFormat::Bmp}) {
        const QString chosen = dir.filePath(u"set"_qs + extensionOf(format));
        // No old set: a failure leaves no folder.
        injectWriteFault(20000);
        ExportError error;
        EXPECT_TRUE(writeChartPages(many, ChartStyle::PrintColour, chosen, format, nullptr, &error).isEmpty());
        injectWriteFault(-1);
        EXPECT_EQ(entries(dir.path()), QStringList{}) << error.text;

        const QStringList first = writeChartPages(one, ChartStyle::PrintColour, chosen, format, nullptr, &error);
        ASSERT_EQ(first.size(), 2);
        const QByteArray page1 = contents(first[0]);
        // The bigger set fails part-way: the old two pages stand as they were.
        injectWriteFault(3 * page1.size());
        EXPECT_TRUE(writeChartPages(many, ChartStyle::PrintColour, chosen, format, nullptr, &error).isEmpty());
        injectWriteFault(-1);
        EXPECT_EQ(entries(dir.filePath(u"set"_qs)), (QStringList{u"set_1"_qs + extensionOf(format), u"set_KEY"_qs + extensionOf(format)}));
        EXPECT_EQ(contents(first[0]), page1);
        EXPECT_EQ(entries(dir.path()), QStringList{u"set"_qs});
        // Then it succeeds, and a smaller set after it takes the extra pages away.
        EXPECT_EQ(writeChartPages(many, ChartStyle::PrintColour, chosen, format, nullptr, &error).size(), many.grid().total);
        EXPECT_EQ(writeChartPages(one, ChartStyle::PrintColour, chosen, format, nullptr, &error).size(), 2);
        EXPECT_EQ(entries(dir.filePath(u"set"_qs)).size(), 2);
        QDir(dir.filePath(u"set"_qs)).removeRecursively();
    }
}

TEST(ExportWriteFault, NamesThatAreNotUtf8KeepTheirBytes)
{
    QTemporaryDir dir;
    const PatternDocument doc = test::checkerPattern(6, 6);
    const std::string folder = QFile::encodeName(dir.path()).toStdString() + "/";
    for (const std::string name : {std::string("\xff\xfe\x80"), std::string("\xd0\xe5\xcd\xbc")}) {  // GBK "绣图"
        const QString chosen = fileNameFromBytes(folder + name + ".png");
        EXPECT_EQ(fileNameBytes(chosen), folder + name + ".png");
        ExportError error;
        ASSERT_TRUE(writeOne(doc, chosen, ChartFormat::Png, false, &error)) << error.text;
        EXPECT_EQ(pathKind(folder + name + ".png"), PathKind::RegularFile);
        const QStringList pages = writeChartPages(ChartLayout(doc, PrintSettings{}, kA4), ChartStyle::PrintColour,
                                                  fileNameFromBytes(folder + name + ".svg"), ChartFormat::Svg, nullptr, &error);
        ASSERT_EQ(pages.size(), 2) << error.text;
        EXPECT_EQ(fileNameBytes(pages[0]), folder + name + "/" + name + "_1.svg");
        EXPECT_EQ(pathKind(fileNameBytes(pages[0])), PathKind::RegularFile);
    }
    // Ordinary names come through unchanged, whatever their script.
    EXPECT_EQ(fileNameBytes(fileNameFromBytes("a/\xe7\xbb\xa3\xe5\x9b\xbe.png")), "a/\xe7\xbb\xa3\xe5\x9b\xbe.png");
    EXPECT_EQ(fileNameFromBytes("\xe7\xbb\xa3"), QString::fromUtf8("\xe7\xbb\xa3"));
}

TEST(ExportWriteFault, AFullDiskInEveryFormatLeavesTheOldFileOrAWholeNewOne)
{
    QTemporaryDir dir;
    const QString mount = dir.filePath(u"small"_qs);
    ASSERT_TRUE(QDir().mkpath(mount));
    const QByteArray where = QFile::encodeName(mount);
    if (::mount("tmpfs", where.constData(), "tmpfs", 0, "size=4m") != 0)
        GTEST_SKIP() << "a small tmpfs needs root (mount: " << std::strerror(errno) << ")";
    struct Unmount {
        QByteArray where;
        ~Unmount() { ::umount(where.constData()); }
    } unmount{where};
    const PatternDocument small = test::checkerPattern(6, 6);
    const PatternDocument bigger = test::checkerPattern(40, 40);
    for (const Case& c : kCases) {
        const QString path = mount + u'/' + QString::fromLatin1(c.name);
        ExportError error;
        ASSERT_TRUE(writeOne(small, path, c.format, c.simulated, &error)) << c.name << error.text;
        const QByteArray old = contents(path);
        const QString reference = dir.filePath(QString::fromLatin1(c.name));
        ASSERT_TRUE(writeOne(bigger, reference, c.format, c.simulated, &error));
        const qint64 whole = contents(reference).size();
        // The rest of the disk filled but for a few kilobytes.
        for (int leave : {1, 8, 32}) {
            const QString filler = mount + u"/filler"_qs;
            {
                QFile f(filler);
                ASSERT_TRUE(f.open(QIODevice::WriteOnly));
                const QByteArray block(1024, 'x');
                while (f.write(block) == block.size() && f.flush())
                    ;
            }
            // Free up leave kilobytes again.
            QFile::resize(filler, std::max<qint64>(0, QFileInfo(filler).size() - leave * 1024));
            const bool written = writeOne(bigger, path, c.format, c.simulated, &error);
            const QByteArray now = contents(path);
            if (written) {
                EXPECT_EQ(now.size(), whole) << c.name;
            } else {
                EXPECT_EQ(now, old) << c.name << " leaving " << leave << " KB";
                // Refused for its estimated size, or failed on the full disk.
                EXPECT_TRUE(error.text.find("磁盘空间不足") != std::string::npos ||
                            error.text.rfind("导出文件需要", 0) == 0)
                    << error.text;
            }
            QFile::remove(filler);
            ASSERT_TRUE(writeOne(small, path, c.format, c.simulated, &error)) << c.name << error.text;
        }
        QFile::remove(path);
        EXPECT_EQ(entries(mount), QStringList{}) << c.name;
    }
}

TEST(ExportWriteFault, ACancelledPageRunTakesBackWhatItWrote)
{
    QTemporaryDir dir;
    const PatternDocument doc = test::checkerPattern(150, 150);
    const ChartLayout layout(doc, PrintSettings{}, kA4);
    ASSERT_GT(layout.grid().total, 3);
    struct CancelAfterTwo final : ProgressReport {
        int at = 0;
        void setRange(int, int) override {}
        void setPosition(int position) override { at = position; }
        bool cancelled() const override { return at >= 2; }
    } progress;
    ExportError error;
    EXPECT_TRUE(writeChartPages(layout, ChartStyle::PrintColour, dir.filePath(u"c.png"_qs), ChartFormat::Png, &progress,
                                &error)
                    .isEmpty());
    EXPECT_EQ(error.text, kTextExportCancelled);
    EXPECT_EQ(progress.at, 2);
    EXPECT_EQ(entries(dir.path()), QStringList{});
}
