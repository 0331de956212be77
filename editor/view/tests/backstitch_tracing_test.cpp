// The tracing picture under the outline tool, and the outline commands' table.
#include "editor/view/tests/backstitch_test_support.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

namespace brenmark::outlinetest {
namespace {

QImage paintView(PatternView& view)
{
    QImage image(400, 300, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter p(&image);
    view.paint(p, image.size());
    return image;
}

TEST(BackstitchTracing, PictureKeepsItsOwnSizeUpToEightPixelsACellAndTheLongestSide)
{
    QImage source(30, 7, QImage::Format_RGB32);
    source.fill(Qt::green);
    EXPECT_EQ(tracingPictureFrom(source, 10, 5).size(), QSize(30, 7)) << "a small picture is not blown up";
    EXPECT_EQ(tracingPictureFrom(source, 2, 5).size(), QSize(16, 7)) << "no more than 8 pixels a cell";
    const QImage picture = tracingPictureFrom(source, 2, 5);
    EXPECT_EQ(picture.pixel(15, 6) & 0xFFFFFFu, 0x00FF00u);
    EXPECT_TRUE(tracingPictureFrom(QImage(), 10, 5).isNull());
    // A 2000 x 2000 pattern once needed a 16 000 x 16 000 picture.
    QImage big(5000, 3000, QImage::Format_RGB32);
    big.fill(Qt::red);
    EXPECT_EQ(tracingPictureFrom(big, 2000, 2000).size(), QSize(4096, 3000));
}

// How the view once showed a tracing picture: scaled to 8 pixels a cell when loaded, then
// drawn over the pattern area.
QImage paintedTheOldWay(PatternView& view, const QImage& source)
{
    const PatternDocument& doc = view.document();
    view.setBaseImage(source.convertToFormat(QImage::Format_RGB32)
                          .scaled(doc.width() * 8, doc.height() * 8, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    return paintView(view);
}

TEST(BackstitchTracing, LooksAsTheEightPixelPictureDidAtEightAndFourPixelsACell)
{
    // A photo-like picture: gradients and hard edges, larger than 8 pixels a cell.
    QImage source(260, 190, QImage::Format_RGB32);
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            source.setPixel(x, y, qRgb(x % 256, (y * 3) % 256, ((x / 13 + y / 11) % 2) * 200));
    for (const bool zoomedOut : {false, true}) {
        Fixture f;  // 20 x 20 cells
        if (zoomedOut)
            f.view.zoomOut();
        f.view.setShowGrid(false);
        f.view.setShowBaseImage(true);
        const QImage old = paintedTheOldWay(f.view, source);
        f.view.setBaseImage(tracingPictureFrom(source, f.doc.width(), f.doc.height()));
        EXPECT_LE(f.view.baseImage().width(), 160);
        EXPECT_EQ(paintView(f.view), old) << "at " << f.view.cellSize() << " pixels a cell";
    }
}

TEST(BackstitchTracing, ASmallPictureIsStretchedAsTheBlownUpOneWas)
{
    // Smooth content: the two ways of enlarging differ only by rounding.
    QImage source(9, 6, QImage::Format_RGB32);
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            source.setPixel(x, y, qRgb(60 + x * 12, 80 + y * 15, 120));
    Fixture f;
    f.view.setShowGrid(false);
    f.view.setShowBaseImage(true);
    const QImage old = paintedTheOldWay(f.view, source);
    f.view.setBaseImage(tracingPictureFrom(source, f.doc.width(), f.doc.height()));
    const QImage now = paintView(f.view);
    int worst = 0;
    for (int y = 0; y < now.height(); ++y)
        for (int x = 0; x < now.width(); ++x) {
            const QRgb a = now.pixel(x, y), b = old.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
        }
    EXPECT_LE(worst, 16);
}

TEST(BackstitchTracing, LoadingShowsThePictureInModeZero)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // Left half red, right half blue.
    QImage source(40, 20, QImage::Format_RGB32);
    source.fill(Qt::blue);
    {
        QPainter p(&source);
        p.fillRect(0, 0, 20, 20, Qt::red);
    }
    const QString file = dir.filePath(u"trace.bmp"_qs);
    ASSERT_TRUE(source.save(file, "BMP"));

    Fixture f;
    f.view.setShowGrid(false);
    const QImage plain = paintView(f.view);
    f.dialogs.files.push_back(std::nullopt);  // cancelled first
    EXPECT_FALSE(f.editor.command(CmdLoadTracingPicture));
    EXPECT_FALSE(f.view.showBaseImage());

    f.dialogs.files.push_back(QFile::encodeName(file).toStdString());
    EXPECT_TRUE(f.editor.command(CmdLoadTracingPicture));
    ASSERT_EQ(f.dialogs.asked.size(), 2u);
    EXPECT_EQ(f.dialogs.asked[1].first, "载入钩边原图");
    EXPECT_EQ(f.dialogs.asked[1].second, BackstitchEditor::tracingPictureFilter());
    EXPECT_NE(f.dialogs.asked[1].second.find("*.png;"), std::string::npos);
    EXPECT_TRUE(f.view.showBaseImage());
    EXPECT_TRUE(f.view.showGrid());
    EXPECT_EQ(f.host.tracing, 1);
    EXPECT_EQ(f.undo.undoCount(), 0u);

    // 20 x 20 cells at 8 pixels: the picture covers 160 x 160 pixels from (35, 20).
    f.view.setShowGrid(false);
    const QImage shown = paintView(f.view);
    EXPECT_EQ(plain.pixel(40, 100) & 0xFFFFFFu, 0xFFFFFFu);  // empty cells before
    EXPECT_EQ(shown.pixel(40, 100) & 0xFFFFFFu, 0xFF0000u);
    EXPECT_EQ(shown.pixel(190, 170) & 0xFFFFFFu, 0x0000FFu);
    // Other modes show the cells.
    f.view.setViewMode(ViewMode::SymbolsOnColour);
    EXPECT_EQ(paintView(f.view).pixel(40, 100) & 0xFFFFFFu, 0xFFFFFFu);
}

TEST(BackstitchTracing, TheOpenFilterOffersPngAndEveryFormatThePictureReaderKnows)
{
    const std::string filter = BackstitchEditor::tracingPictureFilter();
    EXPECT_NE(filter.find("*.png"), std::string::npos) << filter;
    EXPECT_NE(filter.find("*.bmp"), std::string::npos) << filter;
    EXPECT_NE(filter.find("*.jpg"), std::string::npos) << filter;
    EXPECT_TRUE(filter.ends_with("|All Files (*.*)|*.*|")) << filter;
    // Each format once.
    EXPECT_EQ(filter.find("*.png;"), filter.rfind("*.png;")) << filter;
    // A PNG loads as a tracing picture.
    QTemporaryDir dir;
    const QString file = dir.filePath(u"trace.png"_qs);
    QImage picture(20, 10, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    ASSERT_TRUE(picture.save(file));
    Fixture f;
    EXPECT_TRUE(f.editor.loadTracingPicture(QFile::encodeName(file).toStdString()));
}

TEST(BackstitchTracing, AFileThatIsNoPictureChangesNothing)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(u"not.jpg"_qs);
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("no picture");
    out.close();
    Fixture f;
    f.view.setShowGrid(false);
    EXPECT_FALSE(f.editor.loadTracingPicture(QFile::encodeName(file).toStdString()));
    EXPECT_FALSE(f.view.showBaseImage());
    EXPECT_FALSE(f.view.showGrid());
    EXPECT_EQ(f.host.tracing, 0);
    ASSERT_EQ(f.messages.shown.size(), 1u);
    EXPECT_EQ(f.messages.shown[0].text, kMsgTracingUnreadable);
    EXPECT_EQ(f.messages.shown[0].title, "提示");
}

TEST(BackstitchCommands, TableNamesTheFourCommands)
{
    ASSERT_EQ(kBackstitchCommands.size(), 4u);
    EXPECT_EQ(std::string(kBackstitchCommands[0].caption), "删除选区描边");
    EXPECT_EQ(kBackstitchCommands[0].id, 32790);
    EXPECT_EQ(std::string(kBackstitchCommands[1].caption), "载入钩边原图");
    EXPECT_EQ(std::string(kBackstitchCommands[2].caption), "更换指定描边颜色");
    EXPECT_EQ(std::string(kBackstitchCommands[3].caption), "删除选中的描边");
    Fixture f;
    EXPECT_FALSE(f.editor.command(12345));
}

}  // namespace
}  // namespace brenmark::outlinetest
