// The chart files: the path rules, the canvas figures and limits, the BMP bytes, the whole
// chart, the simulated picture and the JPEG conversion off the user-interface thread.
#include "editor/output/chart_files.h"
#include "editor/output/jpeg_conversion.h"

#include "editor/render/tests/chart_test_support.h"
#include "interchange/gbk_qstring.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

using namespace brenmark;

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

std::uint32_t le32(const QByteArray& b, int at)
{
    return static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8 |
           static_cast<std::uint8_t>(b[at + 2]) << 16 | static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at + 3])) << 24;
}

int le16(const QByteArray& b, int at)
{
    return static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8;
}

PatternDocument patternWithThreads(int w, int h, int threads)
{
    PatternDocument doc;
    doc.create(w, h, "DMC");
    for (int i = 0; i < threads; ++i)
        doc.addThread(rgb(i * 8, 255 - i * 8, 100), std::to_string(100 + i));
    doc.assignDefaultSymbols();
    for (int r = 0; r < h; ++r)
        for (int c = 0; c < w; ++c)
            doc.setCell(c, r, (c + r * w) % threads);
    return doc;
}

}  // namespace

TEST(ChartFilePaths, FromTheFirstDotOfTheFileNameTheExtensionIsReplaced)
{
    EXPECT_EQ(withExtension(u"/tmp/heart"_qs, u".bmp"_qs), u"/tmp/heart.bmp"_qs);
    EXPECT_EQ(withExtension(u"/tmp/heart.a.b"_qs, u".bmp"_qs), u"/tmp/heart.bmp"_qs);
    EXPECT_EQ(withExtension(u"/tmp/heart.jpg"_qs, u".emf"_qs), u"/tmp/heart.emf"_qs);
    // A dot in a folder's name is not the file's.
    EXPECT_EQ(withExtension(u"/tmp/v1.2/heart"_qs, u".bmp"_qs), u"/tmp/v1.2/heart.bmp"_qs);
    EXPECT_EQ(withExtension(u"C:\\a.b\\heart.x"_qs, u".bmp"_qs), u"C:\\a.b\\heart.bmp"_qs);
    EXPECT_EQ(withExtension(u"/tmp/heart.jpg"_qs, QString()), u"/tmp/heart"_qs);
}

TEST(ChartFilePaths, JpegTargetsJpgAndFallsBackToBmpWithoutAWriter)
{
    EXPECT_EQ(picturePath(u"/tmp/heart.jpeg"_qs, ChartFormat::Jpeg, true), u"/tmp/heart.jpg"_qs);
    EXPECT_EQ(picturePath(u"/tmp/heart.jpeg"_qs, ChartFormat::Jpeg, false), u"/tmp/heart.bmp"_qs);
    EXPECT_EQ(writableFormat(ChartFormat::Jpeg, false), ChartFormat::Bmp);
    EXPECT_EQ(writableFormat(ChartFormat::Png, false), ChartFormat::Png);
    EXPECT_EQ(picturePath(u"/tmp/heart"_qs, ChartFormat::Png, false), u"/tmp/heart.png"_qs);
    EXPECT_TRUE(jpegWriterAvailable());  // Debian's Qt ships the plug-in
}

TEST(WholeChartCanvas, HasTheFiguresOfA100By80PatternWith30Threads)
{
    const PatternDocument doc = patternWithThreads(100, 80, 30);
    PrintSettings metres;
    metres.amountsInMetres = true;
    const ChartLayout whole = wholeChartLayout(doc, metres);
    const int t = whole.titleHeight();
    EXPECT_EQ(whole.pageSize(), QSize(1104, 2 * 45 + 800 + t + 140));
    EXPECT_EQ(whole.keyColumns(1104 - 20), 19);
    EXPECT_EQ(whole.settings().cellSize, 10);

    const ChartLayout cells = wholeChartLayout(doc, PrintSettings{});
    EXPECT_EQ(cells.keyColumns(1104 - 20), 20);
    EXPECT_EQ(cells.pageSize(), QSize(1104, 2 * 45 + 800 + t + 140));
    // 41 threads need three bands of 20 in the cells key.
    EXPECT_EQ(wholeChartLayout(patternWithThreads(100, 80, 41), PrintSettings{}).pageSize().height(),
              3 * 45 + 800 + t + 140);
}

TEST(WholeChartCanvas, LimitsAreTheRasterSideAndTwoGigabytes)
{
    EXPECT_TRUE(canvasFits(QSize(32767, 1)));
    EXPECT_FALSE(canvasFits(QSize(32768, 1)));
    EXPECT_FALSE(canvasFits(QSize(1, 32768)));
    EXPECT_TRUE(canvasFits(QSize(20000, 20000)));
    EXPECT_FALSE(canvasFits(QSize(30000, 20000)));
    EXPECT_FALSE(canvasFits(QSize(0, 10)));
}

TEST(WholeChartCanvas, ATooLargeChartIsRefusedBeforeAnythingIsAllocated)
{
    QTemporaryDir dir;
    const PatternDocument doc = patternWithThreads(3300, 3, 2);  // 33104 units wide
    const ChartLayout whole = wholeChartLayout(doc, PrintSettings{});
    ASSERT_GT(whole.pageSize().width(), 32767);
    ExportError error;
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(renderWholeChart(whole, ChartStyle::PrintColour, &error));
    EXPECT_EQ(error.text, "不能导出过大的绣图");
    EXPECT_EQ(error.title, "警告");
    for (const ChartFormat f : {ChartFormat::Bmp, ChartFormat::Png, ChartFormat::Svg, ChartFormat::Pdf}) {
        const QString path = dir.filePath(u"big"_qs + extensionOf(f));
        EXPECT_FALSE(writeWholeChart(whole, ChartStyle::PrintColour, path, f, &error));
        EXPECT_FALSE(QFile::exists(path));
    }
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
    EXPECT_LT(timer.elapsed(), 2000);  // nothing was painted
}

TEST(BmpFile, HeadersCarryTheSizesLittleEndian)
{
    const QSize size(3, 2);  // rows of 9 bytes padded to 12
    const QByteArray file = bmpFileHeader(size);
    ASSERT_EQ(file.size(), 14);
    EXPECT_EQ(file.left(2), QByteArray("BM"));
    EXPECT_EQ(le32(file, 2), 14u + 40u + 24u);
    EXPECT_EQ(le32(file, 6), 0u);  // both reserved words
    EXPECT_EQ(le32(file, 10), 54u);
    const QByteArray info = bmpInfoHeader(size);
    ASSERT_EQ(info.size(), 40);
    EXPECT_EQ(le32(info, 0), 40u);
    EXPECT_EQ(le32(info, 4), 3u);
    EXPECT_EQ(le32(info, 8), 2u);
    EXPECT_EQ(le16(info, 12), 1);
    EXPECT_EQ(le16(info, 14), 24);
    EXPECT_EQ(le32(info, 16), 0u);
    EXPECT_EQ(le32(info, 20), 24u);
    EXPECT_EQ(bmpRowBytes(1), 4);
    EXPECT_EQ(bmpRowBytes(4), 12);
    EXPECT_EQ(bmpRowBytes(5), 16);
}

TEST(BmpFile, PixelsAreBottomUpBgrRowsThatQtReadsBack)
{
    QTemporaryDir dir;
    QImage image(3, 2, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(10, 20, 30));
    image.setPixel(1, 0, qRgb(40, 50, 60));
    image.setPixel(2, 0, qRgb(70, 80, 90));
    image.setPixel(0, 1, qRgb(1, 2, 3));
    image.setPixel(1, 1, qRgb(4, 5, 6));
    image.setPixel(2, 1, qRgb(7, 8, 9));
    const QString path = dir.filePath(u"p.bmp"_qs);
    ASSERT_TRUE(savePicture(image, path, ChartFormat::Bmp, nullptr));
    const QByteArray bytes = readAll(path);
    ASSERT_EQ(bytes.size(), 54 + 24);
    // The last row comes first, blue first, padded with three zeros.
    EXPECT_EQ(bytes.mid(54, 12), QByteArray("\x03\x02\x01\x06\x05\x04\x09\x08\x07\0\0\0", 12));
    EXPECT_EQ(bytes.mid(66, 12), QByteArray("\x1e\x14\x0a\x3c\x32\x28\x5a\x50\x46\0\0\0", 12));
    EXPECT_EQ(QImage(path).convertToFormat(QImage::Format_RGB32), image);
}

TEST(BmpFile, ABigPictureWrittenInBlocksHasTheSameBytes)
{
    QTemporaryDir dir;
    QImage image(2501, 1700, QImage::Format_RGB32);  // more than the one-write buffer
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x & 0xFF, y & 0xFF, (x ^ y) & 0xFF));
    const QString path = dir.filePath(u"big.bmp"_qs);
    ASSERT_TRUE(savePicture(image, path, ChartFormat::Bmp, nullptr));
    EXPECT_EQ(QFileInfo(path).size(), 54 + bmpRowBytes(2501) * 1700);
    EXPECT_EQ(QImage(path).convertToFormat(QImage::Format_RGB32), image);
}

TEST(BmpFile, AFailedWriteLeavesTheOldFileAndNoOtherBehind)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"old.bmp"_qs);
    {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write("old");
    }
    ExportError error;
    EXPECT_FALSE(savePicture(QImage(), path, ChartFormat::Bmp, &error));
    EXPECT_EQ(readAll(path), QByteArray("old"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"old.bmp"_qs});
    EXPECT_EQ(error.title, "警告");
    EXPECT_NE(error.text.find("old.bmp"), std::string::npos);
    // A folder that cannot be made (a file has its name) is no file either; a folder that is
    // only missing is made.
    EXPECT_FALSE(savePicture(QImage(4, 4, QImage::Format_RGB32), dir.filePath(u"old.bmp/x.bmp"_qs), ChartFormat::Bmp, &error));
    EXPECT_EQ(readAll(path), QByteArray("old"));
    EXPECT_TRUE(savePicture(QImage(4, 4, QImage::Format_RGB32), dir.filePath(u"none/x.bmp"_qs), ChartFormat::Bmp, &error));
    EXPECT_TRUE(QFile::exists(dir.filePath(u"none/x.bmp"_qs)));
}

TEST(WholeChartImage, IsTheChartOverItsKeyOnWhite)
{
    QTemporaryDir dir;
    const PatternDocument doc = test::checkerPattern(30, 20);
    const ChartLayout whole = wholeChartLayout(doc, PrintSettings{});
    const QString path = dir.filePath(u"whole.bmp"_qs);
    ASSERT_TRUE(writeWholeChart(whole, ChartStyle::PrintColour, path, ChartFormat::Bmp, nullptr));
    const QImage image(path);
    ASSERT_EQ(image.size(), whole.pageSize());
    EXPECT_EQ(image.size().width(), 10 * 30 + 104);
    // The first cell holds the dark blue thread; the corner is white paper.
    const QPoint o = whole.chartOrigin(30);
    EXPECT_EQ(image.pixel(o.x() + 2, o.y() + 2) & 0xFFFFFFu, 0x000060u);
    EXPECT_EQ(image.pixel(1, 1) & 0xFFFFFFu, 0xFFFFFFu);
    // PNG and the vector files of the same chart.
    for (const ChartFormat f : {ChartFormat::Png, ChartFormat::Svg, ChartFormat::Pdf}) {
        const QString p = dir.filePath(u"whole"_qs + extensionOf(f));
        EXPECT_TRUE(writeWholeChart(whole, ChartStyle::PrintBlackWhite, p, f, nullptr));
        EXPECT_GT(QFileInfo(p).size(), 1000);
    }
    EXPECT_TRUE(readAll(dir.filePath(u"whole.svg"_qs)).contains("<text"));
}

TEST(SimulatedPicture, TilesCellsAtFivePixelsWithWhiteMidpoints)
{
    PatternDocument doc = test::checkerPattern(8, 6);
    doc.setCell(7, 5, EmptyCell);
    BackstitchLine line;
    line.startColumn = 0;
    line.startRow = 0;
    line.startCorner = TopLeft;
    line.endColumn = 4;
    line.endRow = 0;
    line.endCorner = TopLeft;
    line.color = rgb(255, 0, 0);
    doc.lines.push_back(line);
    const QSize size = simulatedPictureSize(doc);
    ASSERT_EQ(size.width(), 40);
    const auto picture = renderSimulatedPicture(doc, nullptr);
    ASSERT_TRUE(picture);
    ASSERT_EQ(picture->size(), size);
    const int top = size.height() - 30;
    EXPECT_GE(top, 20);
    // The midpoints of cell (1, 2)'s edges are white, its middle is not.
    const int x = 5, y = top + 10;
    EXPECT_EQ(picture->pixel(x + 2, y) & 0xFFFFFFu, 0xFFFFFFu);
    EXPECT_EQ(picture->pixel(x, y + 2) & 0xFFFFFFu, 0xFFFFFFu);
    EXPECT_NE(picture->pixel(x + 2, y + 2) & 0xFFFFFFu, 0xFFFFFFu);
    // The outline is black along the top edge, whatever its own colour.
    EXPECT_EQ(picture->pixel(12, top) & 0xFFFFFFu, 0u);
    EXPECT_EQ(picture->pixel(12, top + 2) & 0xFFFFFFu, picture->pixel(12 + 10, top + 2) & 0xFFFFFFu);
    // The title is written in the band above the cells.
    int ink = 0;
    for (int yy = 0; yy < top; ++yy)
        for (int xx = 0; xx < size.width(); ++xx)
            ink += (picture->pixel(xx, yy) & 0xFFFFFFu) != 0xFFFFFFu;
    EXPECT_GT(ink, 10);
}

TEST(JpegConversion, WritesOffTheUiThreadAndDeletesTheTemporaryBmp)
{
    QTemporaryDir dir;
    const QString target = dir.filePath(u"heart.jpg"_qs);
    const QString bmp = temporaryBmpPath(target);
    ASSERT_FALSE(bmp.isEmpty());
    EXPECT_TRUE(QFileInfo(bmp).fileName().startsWith(u"heart_"_qs));
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(qRgb(200, 30, 30));
    ASSERT_TRUE(savePicture(image, bmp, ChartFormat::Bmp, nullptr));

    JpegConversions conversions;
    int calls = 0;
    bool result = false;
    conversions.start(bmp, target, [&](const QString& path, bool ok) {
        ++calls;
        result = ok;
        EXPECT_EQ(path, target);
        EXPECT_FALSE(QFile::exists(bmp));  // gone before the done step
    });
    EXPECT_EQ(calls, 0);  // the done step waits for the event loop
    QElapsedTimer timer;
    timer.start();
    while (calls == 0 && timer.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    ASSERT_EQ(calls, 1);
    EXPECT_TRUE(result);
    EXPECT_EQ(conversions.running(), 0);
    EXPECT_EQ(readAll(target).left(2), QByteArray("\xFF\xD8"));
    const QImage back(target);
    EXPECT_EQ(back.size(), QSize(64, 48));
    EXPECT_NEAR(qRed(back.pixel(30, 20)), 200, 12);
}

TEST(JpegConversion, AFailedConversionIsReportedAndLeavesNoJpeg)
{
    QTemporaryDir dir;
    const QString target = dir.filePath(u"x.jpg"_qs);
    JpegConversions conversions;
    std::optional<bool> result;
    conversions.start(dir.filePath(u"missing.bmp"_qs), target, [&](const QString&, bool ok) { result = ok; });
    QElapsedTimer timer;
    timer.start();
    while (!result && timer.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    ASSERT_TRUE(result);
    EXPECT_FALSE(*result);
    EXPECT_FALSE(QFile::exists(target));
}

TEST(WholeChartImage, EveryExportMakesTheMissingFoldersOfItsTarget)
{
    QTemporaryDir dir;
    const PatternDocument doc = test::checkerPattern(12, 10);
    const ChartLayout whole = wholeChartLayout(doc, PrintSettings{});
    for (const ChartFormat f : {ChartFormat::Bmp, ChartFormat::Png, ChartFormat::Jpeg, ChartFormat::Svg, ChartFormat::Pdf}) {
        const QString p = dir.filePath(u"new/folder"_qs + extensionOf(f).mid(1) + u"/whole"_qs + extensionOf(f));
        ExportError error;
        EXPECT_TRUE(writeWholeChart(whole, ChartStyle::PrintColour, p, f, &error)) << gbkToUtf8(error.text);
        EXPECT_TRUE(QFileInfo(p).isFile()) << p.toStdString();
    }
    // A file where the folder would be: every format refuses with the same message.
    QFile blocker(dir.filePath(u"taken"_qs));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    for (const ChartFormat f : {ChartFormat::Bmp, ChartFormat::Png, ChartFormat::Svg, ChartFormat::Pdf}) {
        ExportError error;
        EXPECT_FALSE(writeWholeChart(whole, ChartStyle::PrintColour, dir.filePath(u"taken/whole"_qs + extensionOf(f)), f, &error));
        EXPECT_EQ(error.text.rfind("无法创建导出文件夹", 0), 0u) << gbkToUtf8(error.text);
    }
}

TEST(WholeChartImage, PicturesCarryTheResolutionChosen)
{
    QTemporaryDir dir;
    const PatternDocument doc = test::checkerPattern(12, 10);
    const ChartLayout whole = wholeChartLayout(doc, PrintSettings{});
    EXPECT_EQ(dotsPerMetre(300), 11811);
    EXPECT_EQ(dotsPerMetre(96), 3780);
    for (const int dpi : kExportResolutions) {
        const QSize pixels = rasterSize(whole.pageSize(), dpi);
        EXPECT_EQ(pixels.width(), static_cast<int>(std::ceil(whole.pageSize().width() * dpi / 96.0)));
        for (const ChartFormat f : {ChartFormat::Png, ChartFormat::Jpeg, ChartFormat::Bmp}) {
            const QString p = dir.filePath(QString::number(dpi) + extensionOf(f));
            ASSERT_TRUE(writeWholeChart(whole, ChartStyle::PrintColour, p, f, nullptr, dpi));
            const QImage back(p);
            EXPECT_EQ(back.size(), pixels) << dpi;
            // JPEG keeps whole dots per inch, PNG and BMP dots per metre.
            EXPECT_NEAR(back.dotsPerMeterX(), dotsPerMetre(dpi), 1) << dpi << " " << p.toStdString();
            EXPECT_NEAR(back.dotsPerMeterY(), dotsPerMetre(dpi), 1) << dpi << " " << p.toStdString();
        }
        const QByteArray bmp = readAll(dir.filePath(QString::number(dpi) + u".bmp"_qs));
        EXPECT_EQ(le32(bmp, 14 + 24), static_cast<std::uint32_t>(dotsPerMetre(dpi)));
        EXPECT_EQ(le32(bmp, 14 + 28), static_cast<std::uint32_t>(dotsPerMetre(dpi)));
    }
    // At 300 per inch the chart is the same drawing, three and a eighth times finer: the first
    // cell's colour is where the 96-per-inch cell is, scaled.
    const QImage fine(dir.filePath(u"300.png"_qs));
    const QPoint o = whole.chartOrigin(12);
    EXPECT_EQ(fine.pixel(static_cast<int>((o.x() + 4) * 3.125), static_cast<int>((o.y() + 4) * 3.125)) & 0xFFFFFFu, 0x000060u);
}

TEST(WholeChartImage, VectorFilesAreTitledWithTheChartTitle)
{
    QTemporaryDir dir;
    const PatternDocument doc = test::checkerPattern(12, 10);
    PrintSettings settings;
    settings.title = "心形绣图";
    const ChartLayout whole = wholeChartLayout(doc, settings);
    const QString svg = dir.filePath(u"t.svg"_qs);
    ASSERT_TRUE(writeWholeChart(whole, ChartStyle::PrintColour, svg, ChartFormat::Svg, nullptr));
    EXPECT_TRUE(QString::fromUtf8(readAll(svg)).contains(u"<title>"_qs + fromGbk("心形绣图") + u"</title>"_qs));
    const QString pdf = dir.filePath(u"t.pdf"_qs);
    ASSERT_TRUE(writeWholeChart(whole, ChartStyle::PrintColour, pdf, ChartFormat::Pdf, nullptr));
    QProcess info;
    info.start(u"pdfinfo"_qs, {pdf});
    ASSERT_TRUE(info.waitForFinished(30000));
    EXPECT_TRUE(QString::fromUtf8(info.readAllStandardOutput()).contains(fromGbk("心形绣图")));
}
