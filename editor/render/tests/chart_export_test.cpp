// The pages written as files: names, headers, sizes, page counts.
#include "editor/render/chart_export.h"

#include "editor/render/tests/chart_test_support.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace brenmark;

namespace {

PatternDocument pattern(int w, int h)
{
    return test::checkerPattern(w, h);
}

QByteArray head(const QString& path, int n)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.read(n);
}

}  // namespace

TEST(ChartExport, A4IsItsSizeInLogicalUnits)
{
    EXPECT_EQ(paperUnits(210, 297), QSize(793, 1122));
}

TEST(ChartExport, AOnePagePatternWritesTheFirstPageAndTheKey)
{
    QTemporaryDir dir;
    const PatternDocument doc = pattern(20, 20);
    const ChartLayout layout(doc, PrintSettings{}, paperUnits(210, 297));
    const QString folder = dir.filePath(u"heart"_qs);  // created on the way
    const QStringList files = writePagePictures(layout, folder, u"heart"_qs, "PNG", ChartStyle::PrintColour);
    ASSERT_EQ(files.size(), 2);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), (QStringList{u"heart_1.png"_qs, u"heart_KEY.png"_qs}));
    EXPECT_EQ(head(files[0], 8), QByteArray("\x89PNG\r\n\x1a\n", 8));
    const QImage page(files[0]);
    EXPECT_EQ(page.size(), QSize(793, 1122));
    EXPECT_EQ(page.pixel(3, 1100) & 0xFFFFFFu, 0xFFFFFFu);
}

TEST(ChartExport, BmpAndJpegPagesCarryTheirHeaders)
{
    QTemporaryDir dir;
    const PatternDocument doc = pattern(20, 20);
    const ChartLayout layout(doc, PrintSettings{}, paperUnits(210, 297));
    const QStringList bmp = writePagePictures(layout, dir.path(), u"p"_qs, "BMP", ChartStyle::PrintBlackWhite);
    ASSERT_EQ(bmp.size(), 2);
    EXPECT_EQ(head(bmp[0], 2), QByteArray("BM"));
    const QStringList jpg = writePagePictures(layout, dir.path(), u"p"_qs, "JPG", ChartStyle::PrintColour);
    ASSERT_EQ(jpg.size(), 2);
    EXPECT_EQ(head(jpg[0], 3), QByteArray("\xFF\xD8\xFF", 3));
}

TEST(ChartExport, ThePdfHasOnePagePerPrintPageAndTheKey)
{
    QTemporaryDir dir;
    const PatternDocument doc = pattern(100, 250);
    const ChartLayout layout(doc, PrintSettings{}, paperUnits(210, 297));
    const int total = layout.grid().total;
    ASSERT_GT(total, 3);
    const QString path = dir.filePath(u"chart.pdf"_qs);
    ASSERT_TRUE(writeChartPdf(layout, path, ChartStyle::PrintColour));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "), total)
        << "pages";
    EXPECT_TRUE(bytes.contains("/FontFile2")) << "an embedded TrueType font";
}

TEST(ChartExport, AFolderThatCannotBeMadeIsRefused)
{
    QTemporaryDir dir;
    QFile blocker(dir.filePath(u"file"_qs));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const PatternDocument doc = pattern(5, 5);
    const ChartLayout layout(doc, PrintSettings{}, paperUnits(210, 297));
    QString error;
    EXPECT_TRUE(writePagePictures(layout, dir.filePath(u"file/sub"_qs), u"p"_qs, "PNG", ChartStyle::PrintColour, &error).isEmpty());
    EXPECT_FALSE(error.isEmpty());
}
