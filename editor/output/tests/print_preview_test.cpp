// The preview's pictures: the page drawn by the layout, and the page fitted and centred in
// the grey area.
#include "editor/output/print_preview.h"

#include "editor/render/tests/chart_test_support.h"

#include <QPainter>

#include <gtest/gtest.h>

using namespace brenmark;

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;

QRgb at(const QImage& image, int x, int y)
{
    return image.pixel(x, y) | 0xFF000000u;
}

TEST(PrintPreview, ThePageKeepsItsProportionsAndIsCentred)
{
    // A4 portrait in a wide area: the height decides, the page sits in the middle across.
    EXPECT_EQ(previewPageRect(QSize(1000, 561), QSize(793, 1122)), QRect(301, 0, 397, 561));
    // In a tall area the width decides.
    EXPECT_EQ(previewPageRect(QSize(400, 1000), QSize(800, 600)), QRect(0, 350, 400, 300));
    // The same proportions fill the area.
    EXPECT_EQ(previewPageRect(QSize(397, 561), QSize(794, 1122)), QRect(0, 0, 397, 561));
    EXPECT_TRUE(previewPageRect(QSize(0, 100), QSize(793, 1122)).isEmpty());
    EXPECT_TRUE(previewPageRect(QSize(100, 100), QSize()).isEmpty());
}

TEST(PrintPreview, TheAreaIsGreyAroundAWhitePage)
{
    QImage page(200, 100, QImage::Format_RGB32);
    page.fill(Qt::white);
    QImage area(300, 300, QImage::Format_RGB32);
    area.fill(Qt::black);
    {
        QPainter p(&area);
        drawPrintPreview(p, area.size(), page);
    }
    // The page is 300 x 150 at y 75.
    EXPECT_EQ(at(area, 150, 10), kPreviewGrey);
    EXPECT_EQ(at(area, 150, 74), kPreviewGrey);
    EXPECT_EQ(at(area, 150, 75), kWhite);
    EXPECT_EQ(at(area, 150, 224), kWhite);
    EXPECT_EQ(at(area, 150, 225), kPreviewGrey);
    EXPECT_EQ(at(area, 0, 150), kWhite);
    EXPECT_EQ(at(area, 299, 150), kWhite);
}

TEST(PrintPreview, TheScaledPageIsAveragedNotSampled)
{
    // Black one-pixel lines every fourth row, shrunk to a quarter: every row of the preview
    // is grey, none left white as sampling would leave some.
    QImage page(400, 400, QImage::Format_RGB32);
    page.fill(Qt::white);
    for (int y = 0; y < 400; y += 4)
        for (int x = 0; x < 400; ++x)
            page.setPixel(x, y, 0xFF000000);
    QImage area(100, 100, QImage::Format_RGB32);
    {
        QPainter p(&area);
        drawPrintPreview(p, area.size(), page);
    }
    for (int y = 1; y < 99; ++y)
        EXPECT_LT(qRed(area.pixel(50, y)), 250) << y;
}

TEST(PrintPreview, ThePageImageIsTheLayoutsPageOnWhite)
{
    const PatternDocument doc = test::checkerPattern(20, 30);
    PrintSettings settings;
    settings.cellSize = 20;
    const ChartLayout layout(doc, settings, QSize(793, 1122));
    const QImage colour = printPageImage(layout, 1, ChartStyle::PrintColour);
    ASSERT_EQ(colour.size(), QSize(793, 1122));
    EXPECT_EQ(at(colour, 2, 1120), kWhite);
    const QPoint origin = layout.chartOrigin(20);
    EXPECT_EQ(at(colour, origin.x() + 2, origin.y() + 2), qRgb(0, 0, 96));
    // In black and white the same cell stays white.
    const QImage bw = printPageImage(layout, 1, ChartStyle::PrintBlackWhite);
    EXPECT_EQ(at(bw, origin.x() + 2, origin.y() + 2), kWhite);
    // Past the pattern pages comes the key page: no chart where the chart was.
    const QImage key = printPageImage(layout, 2, ChartStyle::PrintColour);
    EXPECT_EQ(key.size(), colour.size());
    EXPECT_NE(at(key, origin.x() + 2, origin.y() + 2), qRgb(0, 0, 96));
    EXPECT_EQ(printPageImage(layout, 9, ChartStyle::PrintColour), key);
}

}  // namespace
