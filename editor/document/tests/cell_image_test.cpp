// How a cell value becomes a pixel in the pictures built from cells.
#include "editor/document/cell_image.h"

#include <gtest/gtest.h>

#include <vector>

namespace brenmark {
namespace {

TEST(ThreadPixels, AThreadShowsItsColourAsAnOpaqueRgbPixel)
{
    const ThreadPixels pixel({rgb(0x12, 0x34, 0x56), rgb(0xFF, 0, 0)}, 0xFFABCDEFu);
    EXPECT_EQ(pixel(0), 0xFF123456u);
    EXPECT_EQ(pixel(1), 0xFFFF0000u);
}

TEST(ThreadPixels, EmptyCellsIndicesWithoutAThreadAndValuesPastTheTableShowTheEmptyPixel)
{
    const ThreadPixels pixel({rgb(1, 2, 3)}, 0xFFABCDEFu);
    for (const std::int32_t v : {-1, 1, 254, 255, 256, 1000, -2})
        EXPECT_EQ(pixel(v), 0xFFABCDEFu) << v;
}

TEST(ThreadPixels, TheLastThreadAPatternCanHoldHasItsColour)
{
    std::vector<ColorRef> colours(255, rgb(0, 0, 0));
    colours[254] = rgb(9, 8, 7);
    const ThreadPixels transparentEmpty(colours, 0u);
    EXPECT_EQ(transparentEmpty(254), 0xFF090807u);
    EXPECT_EQ(transparentEmpty(-1), 0u);
}

TEST(PaintCells, PaintsEveryCellInItsThreadColourOverTheFabric)
{
    CellImage image;
    paintCells(image, 3, 1, {0, -1, 7}, {rgb(0x10, 0x20, 0x30)}, rgb(0xF0, 0xE0, 0xD0));
    EXPECT_EQ(image.width, 3);
    EXPECT_EQ(image.height, 1);
    ASSERT_EQ(image.pixels.size(), 3u);
    EXPECT_EQ(image.pixels[0], 0xFF102030u);
    EXPECT_EQ(image.pixels[1], 0xFFF0E0D0u);
    EXPECT_EQ(image.pixels[2], 0xFFF0E0D0u);
}

}  // namespace
}  // namespace brenmark
