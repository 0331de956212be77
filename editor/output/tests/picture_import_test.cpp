// The picture dialog's panel, decoding picture files at a size, and installing a
// conversion into the open pattern.
#include "editor/document/pattern_file.h"
#include "editor/output/picture_decode.h"
#include "editor/output/picture_import.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>

namespace brenmark {
namespace {

struct Shown {
    std::string text, title;
};
class Messages final : public MessageBoxes {
public:
    std::vector<Shown> shown;
    void show(const std::string& text, const std::string& title, MessageIcon) override { shown.push_back({text, title}); }
};

constexpr ColorRef kRed = rgb(200, 20, 20);
constexpr ColorRef kBlue = rgb(20, 20, 200);
constexpr ColorRef kWhiteThread = rgb(250, 250, 250);

struct ImportFixture : ::testing::Test {
    std::string dir;
    PaletteStore palettes{""};

    void SetUp() override
    {
        std::string t = (std::filesystem::temp_directory_path() / "brenmark-import-XXXXXX").string();
        ASSERT_TRUE(::mkdtemp(t.data()));
        dir = t + "/";
        palettes = PaletteStore(dir);
        ASSERT_TRUE(palettes.ensurePaletteFolder());
        ASSERT_TRUE(palettes.save("DMC", std::vector<ColorRef>{kRed, kBlue, kWhiteThread},
                                  std::vector<std::string>{"321", "796", "B5200"}));
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    // A picture of w x h: the left half red, the right half blue.
    std::string halves(const std::string& name, int w, int h, const char* format = "PNG")
    {
        QImage image(w, h, QImage::Format_RGB32);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                image.setPixel(x, y, x < w / 2 ? qRgb(205, 25, 25) : qRgb(25, 25, 205));
        const std::string path = dir + name;
        EXPECT_TRUE(image.save(QString::fromStdString(path), format));
        return path;
    }
};

TEST(SizeRule, EditingOneSideKeepsThePicturesProportionsTruncated)
{
    const PictureSize picture{400, 300};
    EXPECT_EQ(proportionalHeight(picture, 200), 150);  // half the width halves the height
    EXPECT_EQ(proportionalHeight(picture, 3), 2);      // 2.25
    EXPECT_EQ(proportionalWidth(picture, 100), 133);   // 133.33
    EXPECT_EQ(proportionalHeight(picture, 0), 0);
    EXPECT_EQ(readDecimal(" 42x"), 42);
    EXPECT_EQ(readDecimal("abc"), 0);
    EXPECT_EQ(readDecimal("-7"), -7);
}

TEST_F(ImportFixture, SelectingAPictureShowsItsSizeAndCopiesItIntoTheTargets)
{
    PictureImportPanel panel(palettes);
    EXPECT_EQ(panel.selectedBrand(), "DMC");
    ASSERT_TRUE(panel.selectPicture(halves("a.png", 40, 30)));
    EXPECT_EQ(panel.pictureSize(), (PictureSize{40, 30}));
    EXPECT_EQ(panel.widthText(), "40");
    EXPECT_EQ(panel.heightText(), "30");
    panel.editWidth("20");
    EXPECT_EQ(panel.heightText(), "15");
    panel.editHeight("10");
    EXPECT_EQ(panel.widthText(), "13");
    EXPECT_FALSE(panel.openEnabled());
    EXPECT_EQ(panel.threadCountCaption(), "绣线数");
}

TEST_F(ImportFixture, ConvertingEnablesOpenAndANewFileDisablesItAgain)
{
    PictureImportPanel panel(palettes);
    panel.selectPicture(halves("a.png", 40, 30));
    panel.editWidth("20");
    Messages messages;
    ASSERT_TRUE(panel.convert(&messages));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(panel.openEnabled());
    EXPECT_EQ(panel.threadCountCaption(), "绣线数:2");
    EXPECT_EQ(panel.result().width, 20);
    EXPECT_EQ(panel.result().height, 15);
    EXPECT_EQ(panel.result().colors, (std::vector<ColorRef>{kRed, kBlue}));
    EXPECT_EQ(panel.convertedBrand(), "DMC");
    const QImage preview = previewImage(panel.result());
    EXPECT_EQ(preview.pixel(0, 0), pixelOf(kRed));
    EXPECT_EQ(preview.pixel(19, 14), pixelOf(kBlue));

    panel.selectPicture(halves("b.png", 8, 8));
    EXPECT_FALSE(panel.openEnabled());
    EXPECT_EQ(panel.threadCountCaption(), "绣线数");
    EXPECT_TRUE(panel.result().empty());
}

TEST_F(ImportFixture, ThePanelsConversionOptionsReachTheConversion)
{
    PictureImportPanel panel(palettes);
    panel.selectPicture(halves("a.png", 40, 30));
    panel.editWidth("20");
    panel.options() = ConversionOptions{ColourMetric::Lab, Dithering::None, 1};
    ASSERT_TRUE(panel.convert(nullptr));
    EXPECT_EQ(panel.result().colorCount(), 1);
    panel.options() = ConversionOptions{ColourMetric::Lab, Dithering::FloydSteinberg, 0};
    ASSERT_TRUE(panel.convert(nullptr));
    EXPECT_EQ(panel.result().colors, (std::vector<ColorRef>{kRed, kBlue}));
}

TEST_F(ImportFixture, SizesOutsideOneTo3000AreRefusedAndThePanelStays)
{
    PictureImportPanel panel(palettes);
    panel.selectPicture(halves("a.png", 40, 30));
    ASSERT_TRUE(panel.convert(nullptr));
    for (const char* width : {"0", "3001", "x", "-5", ""}) {
        Messages messages;
        panel.editWidth(width);
        EXPECT_FALSE(panel.convert(&messages));
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, "绣图的宽和高必须是1到3000之间的整数");
        EXPECT_EQ(messages.shown[0].title, "警告");
        EXPECT_TRUE(panel.openEnabled());  // the earlier conversion still stands
    }
}

TEST_F(ImportFixture, AMissingOrEmptyPaletteIsRefusedWithTheBrandConversionsMessage)
{
    ASSERT_TRUE(palettes.save("ROSE", std::vector<ColorRef>{}, std::vector<std::string>{}));
    ASSERT_TRUE(palettes.save("ANCHOR", std::vector<ColorRef>{}, std::vector<std::string>{}));
    PictureImportPanel panel(palettes);
    // A brand without any palette file is not offered at all.
    EXPECT_EQ(brandIndex(panel.threadKinds(), "DOME"), -1);
    panel.selectPicture(halves("a.png", 4, 4));
    for (const char* brand : {"ANCHOR", "ROSE"}) {
        const auto& kinds = panel.threadKinds();
        panel.selectKind(static_cast<int>(std::find(kinds.begin(), kinds.end(), brand) - kinds.begin()));
        ASSERT_EQ(panel.selectedBrand(), brand);
        Messages messages;
        EXPECT_FALSE(panel.convert(&messages));
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, "绣线库(" + std::string(brand) + ")的线未配置,不能使用");
        EXPECT_EQ(messages.shown[0].title, "提示");
        EXPECT_FALSE(panel.openEnabled());
    }
}

TEST_F(ImportFixture, AFileThatIsNoPictureConvertsToNothingWithoutAMessage)
{
    const std::string path = dir + "not-a-picture.jpg";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fputs("hello", f);
    std::fclose(f);
    PictureImportPanel panel(palettes);
    EXPECT_FALSE(panel.selectPicture(path));
    panel.editWidth("10");
    panel.editHeight("10");
    Messages messages;
    EXPECT_FALSE(panel.convert(&messages));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(panel.openEnabled());
    PictureConverter converter;
    EXPECT_FALSE(converter.convert("", 10, 10, std::vector<ColorRef>{kRed}));
}

TEST_F(ImportFixture, ABigJpegIsDecodedStraightToTheTargetSize)
{
    const std::string path = halves("big.jpg", 1600, 1200, "JPEG");
    const auto pixels = readPicturePixels(path, 200, 150);
    ASSERT_TRUE(pixels);
    ASSERT_EQ(pixels->size(), 200u * 150u);
    PictureConverter converter;
    ASSERT_TRUE(converter.convert(path, 200, 150, std::vector<ColorRef>{kRed, kBlue}));
    EXPECT_EQ(converter.result().cells[0], 0);
    EXPECT_EQ(converter.result().cells[199], 1);
}

TEST_F(ImportFixture, TransparentPartsShowAsWhite)
{
    QImage image(2, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(0, 0, 0, 0));
    image.setPixel(1, 0, qRgba(200, 20, 20, 255));
    const std::string path = dir + "alpha.png";
    ASSERT_TRUE(image.save(QString::fromStdString(path)));
    const auto pixels = readPicturePixels(path, 2, 1);
    ASSERT_TRUE(pixels);
    EXPECT_EQ(*pixels, (std::vector<ColorRef>{kWhite, rgb(200, 20, 20)}));
    // Enlarging repeats pixels rather than blending them.
    const auto enlarged = readPicturePixels(path, 4, 2);
    ASSERT_TRUE(enlarged);
    EXPECT_EQ(std::count(enlarged->begin(), enlarged->end(), kWhite), 4);
}

TEST(ImportFilter, KeepsTheClassicTypesFirstAndOffersPng)
{
    const std::string filter = pictureImportFilter();
    EXPECT_EQ(filter.rfind("图片文件 (.bmp;.jpg;.jpeg;.gif;.ico;", 0), 0u);
    EXPECT_NE(filter.find("*.png"), std::string::npos);
    EXPECT_NE(filter.find("|All Files (*.*)|*.*|"), std::string::npos);
}

// --- installing ------------------------------------------------------------------------------

ConversionResult twoThreadResult()
{
    ConversionResult r;
    r.width = 3;
    r.height = 2;
    r.cells = {0, 1, 0, 1, 1, 0};
    r.colors = {kBlue, kRed};
    return r;
}

TEST_F(ImportFixture, InstallingBuildsAFreshPatternFromThePalette)
{
    PatternDocument doc;
    doc.create(5, 5, "ANCHOR");
    doc.addThread(rgb(1, 2, 3), "9");
    doc.lines.push_back(BackstitchLine{});
    doc.setFabricColor(rgb(9, 9, 9));
    const InstallOutcome outcome = installConversion(doc, twoThreadResult(), "DMC", palettes, ImportKind::Picture, nullptr);
    ASSERT_TRUE(outcome.installed);
    EXPECT_FALSE(outcome.showBaseImage);
    EXPECT_EQ(doc.brand, "DMC");
    EXPECT_EQ(doc.width(), 3);
    EXPECT_EQ(doc.height(), 2);
    EXPECT_EQ(doc.threads.numbers, (std::vector<std::string>{"796", "321"}));
    EXPECT_EQ(doc.threads.colors, (std::vector<ColorRef>{kBlue, kRed}));
    EXPECT_EQ(doc.grid.colorValues, doc.threads.colors);
    EXPECT_EQ(std::vector<std::int32_t>(doc.grid.cells.begin(), doc.grid.cells.end()),
              (std::vector<std::int32_t>{0, 1, 0, 1, 1, 0}));
    EXPECT_EQ(doc.lockFlags, (std::vector<std::uint32_t>{0, 0}));
    EXPECT_EQ(doc.distinct.numbers, (std::vector<std::string>{"796", "321"}));
    EXPECT_TRUE(doc.lines.empty());
    EXPECT_EQ(doc.fabric, kWhite);
    EXPECT_EQ(doc.symbols[0].symbol, "1");
    EXPECT_EQ(doc.symbols[1].symbol, "2");
    ASSERT_EQ(doc.layers.size(), 1);
    EXPECT_EQ(doc.layers[0].name, "背景");
    EXPECT_EQ(doc.layers[0].cells, (std::vector<std::int32_t>{0, 1, 0, 1, 1, 0}));
}

TEST_F(ImportFixture, ACartoonKeepsTheFabricAndShowsItsPicture)
{
    PatternDocument doc;
    doc.create(5, 5, "DMC");
    doc.setFabricColor(rgb(9, 9, 9));
    const InstallOutcome outcome = installConversion(doc, twoThreadResult(), "DMC", palettes, ImportKind::Cartoon, nullptr);
    ASSERT_TRUE(outcome.installed);
    EXPECT_TRUE(outcome.showBaseImage);
    EXPECT_EQ(doc.fabric, rgb(9, 9, 9));
}

TEST_F(ImportFixture, AColourThePaletteLacksTakesItsNearestThread)
{
    ConversionResult r = twoThreadResult();
    r.colors[1] = rgb(190, 30, 30);  // from a conversion against another palette
    PatternDocument doc;
    ASSERT_TRUE(installConversion(doc, r, "DMC", palettes, ImportKind::Photo, nullptr).installed);
    EXPECT_EQ(doc.threads.numbers, (std::vector<std::string>{"796", "321"}));
    EXPECT_EQ(doc.threads.colors[1], kRed);
}

TEST_F(ImportFixture, ARefusedInstallLeavesTheOpenPatternExactlyAsItWas)
{
    PatternDocument doc;
    doc.create(4, 3, "DMC");
    doc.addThread(kRed, "321");
    doc.setCell(1, 1, 0);
    doc.layers.backgroundFromGrid(doc);
    doc.assignDefaultSymbols();
    const auto before = encodePattern(doc);
    Messages messages;
    EXPECT_FALSE(installConversion(doc, twoThreadResult(), "ANCHOR", palettes, ImportKind::Picture, &messages).installed);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "绣线库(ANCHOR)的线未配置,不能使用");
    EXPECT_EQ(encodePattern(doc), before);
    ConversionResult broken = twoThreadResult();
    broken.cells.pop_back();
    EXPECT_FALSE(installConversion(doc, broken, "DMC", palettes, ImportKind::Picture, nullptr).installed);
    EXPECT_EQ(encodePattern(doc), before);
}

TEST_F(ImportFixture, TheOptionsModesAverageTheScaledJpegCloseToTheWholeDecode)
{
    // Soft gradients with a sharp bar on a cell's edges, 800 x 600, as a JPEG: at 40 x 30
    // cells the reader decodes at 1/4 (200 x 150, five times the cells each way; at 1/8 the
    // bar's cell came out 44 levels off) and the averages stay within a few levels of
    // averaging the whole decode.
    QImage image(800, 600, QImage::Format_RGB32);
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x)
            image.setPixel(x, y, x / 20 == 17 ? qRgb(20, 20, 20) : qRgb(x * 255 / 800, y * 255 / 600, 128));
    const std::string path = dir + "soft.jpg";
    ASSERT_TRUE(image.save(QString::fromStdString(path), "JPEG", 95));
    const auto scaled = readPictureAveraged(path, 40, 30);
    ASSERT_TRUE(scaled);
    const QImage whole = QImage(QString::fromStdString(path)).convertToFormat(QImage::Format_RGB32);
    const auto reference = areaAverage(colourRefsOf(whole), 800, 600, {0, 0, 800, 600}, 40, 30);
    ASSERT_EQ(scaled->size(), reference.size());
    int worst = 0;
    for (std::size_t i = 0; i < reference.size(); ++i)
        for (const auto channel : {redOf, greenOf, blueOf})
            worst = std::max(worst, std::abs(int(channel((*scaled)[i])) - int(channel(reference[i]))));
    EXPECT_LE(worst, 4);
    // A crop takes its part only: the dark bar alone.
    const auto bar = readPictureAveraged(path, 2, 2, CropRect{342, 100, 16, 400});
    ASSERT_TRUE(bar);
    for (const ColorRef c : *bar)
        EXPECT_LT(redOf(c), 40u);
    EXPECT_FALSE(readPictureAveraged(path, 2, 2, CropRect{900, 0, 10, 10}));
}

TEST_F(ImportFixture, ACropOnThePanelKeepsItsProportionsAndANewPictureStartsWhole)
{
    PictureImportPanel panel(palettes);
    ASSERT_TRUE(panel.selectPicture(halves("h.png", 40, 20)));
    panel.editWidth("20");
    EXPECT_EQ(panel.heightText(), "10");
    panel.setCrop(CropRect{20, 0, 20, 20});
    EXPECT_EQ(panel.heightText(), "20");
    ASSERT_TRUE(panel.convert(nullptr));
    EXPECT_EQ(panel.result().colors, std::vector<ColorRef>{kBlue});
    EXPECT_EQ(panel.confettiCaption(), "单针:0.0%");
    panel.setCrop(std::nullopt);
    EXPECT_EQ(panel.heightText(), "10");
    panel.setCrop(CropRect{0, 0, 10, 10});
    ASSERT_TRUE(panel.selectPicture(halves("g.png", 40, 20)));
    EXPECT_FALSE(panel.options().crop);
    EXPECT_EQ(panel.confettiCaption(), "单针");
}

}  // namespace
}  // namespace brenmark
