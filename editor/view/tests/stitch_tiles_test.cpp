#include "editor/render/stitch_tiles.h"

#include <gtest/gtest.h>

using namespace brenmark;

TEST(StitchTiles, MultiplyScreenAndSaturationBoost)
{
    // Black thread under a black highlight stays black; white under white stays white.
    EXPECT_EQ(stitchPixel({200, 200, 200}, {0, 0, 0}, {0, 0, 0}), (Rgb8{0, 0, 0}));
    EXPECT_EQ(stitchPixel({255, 255, 255}, {0, 0, 0}, {255, 255, 255}), (Rgb8{255, 255, 255}));
    // Greys have no saturation to boost.
    const Rgb8 grey = stitchPixel({128, 128, 128}, {0, 0, 0}, {255, 255, 255});
    EXPECT_EQ(grey.r, grey.g);
    EXPECT_EQ(grey.g, grey.b);
    EXPECT_NEAR(grey.r, 128, 1);
    // A muted red comes out redder.
    const Rgb8 red = stitchPixel({255, 255, 255}, {0, 0, 0}, {160, 80, 80});
    EXPECT_GT(red.r, 160);
    EXPECT_LT(red.g, 80);
    EXPECT_EQ(red.g, red.b);
}

TEST(StitchTiles, TilesAreSixteenPixelsAndTakeTheThreadsHue)
{
    const QImage tile = makeStitchTile(rgb(0, 0, 255));
    ASSERT_EQ(tile.size(), QSize(kTileSize, kTileSize));
    const QRgb centre = tile.pixel(8, 8);
    EXPECT_GT(qBlue(centre), qRed(centre));
    EXPECT_GT(qBlue(centre), qGreen(centre));
    const QImage fabric = makeFabricTile(rgb(240, 234, 218));
    EXPECT_EQ(fabric.size(), QSize(kTileSize, kTileSize));
}

TEST(StitchTiles, DarkColourRuleWeighsRedMost)
{
    EXPECT_TRUE(isDarkColour(rgb(0, 0, 255)));     // 28.05
    EXPECT_FALSE(isDarkColour(rgb(255, 255, 0)));  // 226.95
    EXPECT_TRUE(isDarkColour(rgb(0, 255, 0)));     // 76.5
    EXPECT_FALSE(isDarkColour(rgb(255, 0, 0)));    // 150.45
}

TEST(StitchTiles, MarkGlyphsContrastWithTheirCell)
{
    EXPECT_TRUE(stitchMarkGlyph(0, 0).isNull());
    EXPECT_TRUE(stitchMarkGlyph(14, 0).isNull());
    for (int kind = 1; kind <= 13; ++kind) {
        const QImage onBlack = stitchMarkGlyph(kind, rgb(0, 0, 0));
        ASSERT_EQ(onBlack.size(), QSize(16, 16)) << kind;
        bool light = false;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                light |= qAlpha(onBlack.pixel(x, y)) > 200 && qRed(onBlack.pixel(x, y)) > 200;
        EXPECT_TRUE(light) << kind;
    }
}
