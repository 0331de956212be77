// Figures of the 300-per-inch pages: centimetres, the page and whole-chart figures,
// pagination and the output file names.
#include "tiffwriter/tiff_layout.h"

#include <gtest/gtest.h>

using namespace brenmark;

TEST(TiffLayout, ThreeMillimetreCellsGiveThePageFigures)
{
    EXPECT_EQ(cmToPixels(0.3), 35);   // trunc(35.43)
    EXPECT_EQ(cmToPixels(25.0), 2952);
    EXPECT_EQ(cmToPixels(20.0), 2362);
    EXPECT_EQ(cmToPixels(2.54), 300);
    const PageFigures f = pageFigures(35);
    EXPECT_EQ(f.font, 26);    // trunc(35 - 8.4)
    EXPECT_EQ(f.pitch, 34);   // trunc(8.4 + 26)
    EXPECT_EQ(f.margin, 67);  // trunc(16 × 4.2)
    EXPECT_EQ(wholeFigures(35, 10, 10, 1, 67).pitch, 43);  // trunc(35 + 8.4)
    EXPECT_EQ(wholeFigures(35, 10, 10, 1, 67).font, 35);
    EXPECT_EQ(scaled(20), 84);
    EXPECT_EQ(scaled(20 * 0.8), 67);
    EXPECT_EQ(scaled(1), 4);
    EXPECT_EQ(scaled(2), 8);
    EXPECT_EQ(pageFigures(18).margin, 0);  // a font under 10 pixels leaves no margin, never a negative one
}

TEST(TiffLayout, PagesFollowThePrintedPagesWithThePageWritersMargin)
{
    const PageFigures f = pageFigures(35);
    // 2952 wide: 100 columns of 34 do not fit (2952 - 3400 < 1): (2952 - 134) / 34 = 82 a page.
    PageGrid g = tiffPageGrid(2952, 2362, f, 84, 100, 50);
    EXPECT_EQ(g.columnsPerPage, 82);
    EXPECT_EQ(g.pagesAcross, 2);
    // rows: trunc((2362 - 134 - 84) / 34 - 1) = 62, cut to the 50 rows there are.
    EXPECT_EQ(g.rowsPerPage, 50);
    EXPECT_EQ(g.pagesDown, 1);
    EXPECT_EQ(g.total, 3);

    g = tiffPageGrid(2952, 2362, f, 84, 80, 200);
    EXPECT_EQ(g.pagesAcross, 1);
    EXPECT_EQ(g.columnsPerPage, 80);
    EXPECT_EQ(g.rowsPerPage, 62);
    EXPECT_EQ(g.pagesDown, 4);  // ceiling(200 / 62)
    EXPECT_EQ(g.total, 5);
    EXPECT_EQ(tiffPageCells(g, 4, 80, 200), (CellRange{0, 186, 80, 200}));

    g = tiffPageGrid(2952, 2362, f, 84, 200, 100);
    EXPECT_EQ(g.pagesAcross, 3);
    EXPECT_EQ(g.pagesDown, 2);
    EXPECT_EQ(tiffPageCells(g, 1, 200, 100), (CellRange{0, 0, 82, 62}));
    EXPECT_EQ(tiffPageCells(g, 3, 200, 100), (CellRange{164, 0, 200, 62}));
    EXPECT_EQ(tiffPageCells(g, 5, 200, 100), (CellRange{82, 62, 164, 100}));

    // A page too small for the header still shows a row.
    g = tiffPageGrid(600, 200, f, 84, 5, 5);
    EXPECT_EQ(g.rowsPerPage, 1);
    EXPECT_EQ(g.pagesDown, 5);
}

TEST(TiffLayout, TheWholeChartCanvasHasRoomForTheChartAndEveryKeyBand)
{
    const WholeFigures f = wholeFigures(35, 300, 300, 40, 67);
    EXPECT_EQ(f.width, 13336);  // trunc(43 × 300 + 436.8)
    EXPECT_EQ(f.keyColumns, (13336 - 84 - 252) / 210);
    EXPECT_EQ(f.keyBands, 1);
    // trunc(((1 × 45 + 15) + 125) × 4.2 + 43 × 300 + 67) + 168
    EXPECT_EQ(f.height, static_cast<int>(185 * 4.2 + 12900 + 67) + 168);

    // A narrow chart with many threads needs several key bands, and the canvas grows by them.
    const WholeFigures narrow = wholeFigures(35, 20, 20, 200, 67);
    EXPECT_EQ(narrow.width, static_cast<int>(43 * 20 + 436.8));
    EXPECT_EQ(narrow.keyColumns, 4);
    EXPECT_EQ(narrow.keyBands, 50);
    EXPECT_EQ(narrow.height, static_cast<int>(((50 * 45 + 15) + 125) * 4.2 + 860 + 67) + 168);
}

TEST(TiffLayout, OutputNamesAndPageFiles)
{
    EXPECT_EQ(tiffOutputName("/out/heart"), "/out/heart.tiff");
    // A name that already ends in ".tif" or ".tiff" is the name the user wants.
    EXPECT_EQ(tiffOutputName("/out/heart.tif"), "/out/heart.tif");
    EXPECT_EQ(tiffOutputName("/out/heart.TIF"), "/out/heart.TIF");
    EXPECT_EQ(tiffOutputName("/out/heart.v2.tiff"), "/out/heart.v2.tiff");
    EXPECT_EQ(tiffOutputName("/out/heart.tiffany"), "/out/heart.tiff");
    EXPECT_EQ(tiffOutputName("/out/.tif"), "/out/.tiff");  // no name before the extension
    EXPECT_EQ(tiffOutputName("/out/heart.big.jpg"), "/out/heart.tiff");  // from the first "."
    EXPECT_EQ(tiffOutputName("/my.folder/heart"), "/my.folder/heart.tiff");  // folders keep theirs
    EXPECT_EQ(tiffOutputName("heart"), "heart.tiff");

    const PageFiles files = pageFiles("/out/heart.tiff");
    EXPECT_EQ(files.folder, "/out/heart/");
    EXPECT_EQ(files.base, "heart");
    EXPECT_EQ(pageFileName(files, 1, 2), "/out/heart/heart_1.tif");
    EXPECT_EQ(pageFileName(files, 2, 2), "/out/heart/heart_KEY.tif");
    EXPECT_EQ(pageFileName(files, 1, 7), "/out/heart/heart_1.tif");
    EXPECT_EQ(pageFileName(files, 6, 7), "/out/heart/heart_6.tif");
    EXPECT_EQ(pageFileName(files, 7, 7), "/out/heart/heart_KEY.tif");
    EXPECT_EQ(pageFiles("/a.b/chart").folder, "/a.b/chart/");
    EXPECT_EQ(pageFiles("/out/heart.tif").folder, "/out/heart/");
    EXPECT_EQ(pageFiles("/out/heart.tif").base, "heart");
}

TEST(TiffLayout, OptionsOutsideTheLimitsAreRefused)
{
    EXPECT_EQ(checkOptions(PrintOptions{}), "");
    PrintOptions o;
    o.cellCm = 0;
    EXPECT_NE(checkOptions(o), "");
    o = {};
    o.paperWidthCm = -25;
    EXPECT_NE(checkOptions(o), "");
    o = {};
    o.paperHeightCm = std::numeric_limits<double>::quiet_NaN();
    EXPECT_NE(checkOptions(o), "");
}
