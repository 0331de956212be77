// The photo dialog's panel (library list, sizes, refusals, results), the dialog over it, and
// ShowPhoto / CloseDlg through the shared library.
#include "editor/output/picture_import.h"
#include "interchange/gbk_qstring.h"
#include "photo/imrelle.h"
#include "photo/photo_dialog.h"
#include "photo/photo_panel.h"
#include "photo/tests/gif_writer.h"
#include "photo/tests/photo_test_support.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace brenmark {
namespace {

constexpr ColorRef kRed = rgb(200, 0, 0);
constexpr ColorRef kBlue = rgb(0, 0, 200);

// A 40 x 20 photo: left half red, right half blue, in a 4-entry global table.
std::string writeHalves(const std::string& path, int width = 40, int height = 20)
{
    test::GifFile g;
    g.globalTable = {200, 0, 0, 0, 0, 200, 0, 255, 0, 9, 9, 9};
    test::GifFrame f;
    f.width = width;
    f.height = height;
    f.minCodeSize = 2;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            f.pixels.push_back(x < width / 2 ? 0 : 1);
    g.frames = {f};
    return test::writeFile(path, test::writeGif(g));
}

class PhotoPanel : public ::testing::Test {
protected:
    test::ScratchDir dir;
    test::RecordingMessages messages;
    void SetUp() override
    {
        test::writePalette(dir.path(), "DMC", {{"321", kRed}, {"796", kBlue}, {"310", rgb(0, 0, 0)}});
    }
};

TEST_F(PhotoPanel, TheLibraryListHoldsEveryBrandWithAPaletteOnce)
{
    for (const char* brand : {"DMC", "MADEIRA", "ANCHOR", "Zeta"})
        test::writeSystemPalette(dir.path(), brand, {{"1", kRed}});
    const PaletteStore store(dir.path());
    const PhotoImportPanel panel(store);
    EXPECT_EQ(panel.libraries(),
              (std::vector<std::string>{"ANCHOR", "DMC", "MADEIRA", "Zeta"}));
    EXPECT_EQ(panel.selectedLibraryName(), "DMC");
}

TEST_F(PhotoPanel, ChoosingAPhotoFillsTheSizesAndTheSidesKeepItsProportions)
{
    const PaletteStore store(dir.path());
    PhotoImportPanel panel(store);
    ASSERT_TRUE(panel.selectPhoto(writeHalves(dir.file("halves.gif"), 40, 30)));
    EXPECT_EQ(panel.photoSize(), (PictureSize{40, 30}));
    EXPECT_EQ(panel.widthText(), "40");
    EXPECT_EQ(panel.heightText(), "30");
    panel.editWidth("13");  // 30 * 13 / 40 = 9.75
    EXPECT_EQ(panel.heightText(), "9");
    panel.editHeight("7");  // 40 * 7 / 30 = 9.33
    EXPECT_EQ(panel.widthText(), "9");
    EXPECT_EQ(panel.heightText(), "7");
}

TEST_F(PhotoPanel, AConversionGivesLibraryThreadsInOrderOfFirstUse)
{
    const PaletteStore store(dir.path());
    PhotoImportPanel panel(store);
    panel.selectPhoto(writeHalves(dir.file("halves.gif")));
    panel.editWidth("10");
    test::RecordingProgress progress;
    ASSERT_TRUE(panel.convert(&messages, &progress));
    EXPECT_TRUE(messages.shown.empty());
    const ConversionResult& r = panel.result();
    EXPECT_EQ(r.width, 10);
    EXPECT_EQ(r.height, 5);
    EXPECT_EQ(r.colors, (std::vector<ColorRef>{kRed, kBlue}));
    EXPECT_EQ(r.cells[0], 0);
    EXPECT_EQ(r.cells[9], 1);
    EXPECT_EQ(panel.threadCountCaption(), "绣线数:2");
    EXPECT_EQ(panel.convertedLibrary(), "DMC");
    EXPECT_EQ(progress.positions.back(), 10);
}

TEST_F(PhotoPanel, RefusalsSayWhyAndKeepTheConversionBefore)
{
    const PaletteStore store(dir.path());
    PhotoImportPanel panel(store);
    EXPECT_FALSE(panel.convert(&messages));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, kMsgNoPhoto);

    panel.selectPhoto(writeHalves(dir.file("halves.gif")));
    ASSERT_TRUE(panel.convert(&messages));
    const ConversionResult before = panel.result();

    // "ROSE" with a palette file that holds nothing: offered, but refused.
    ASSERT_TRUE(store.save("ROSE", std::vector<ColorRef>{}, std::vector<std::string>{}));
    PhotoImportPanel withRose(store);
    ASSERT_TRUE(withRose.selectPhoto(writeHalves(dir.file("halves.gif"))));
    withRose.selectLibrary(brandIndex(withRose.libraries(), "ROSE"));
    EXPECT_FALSE(withRose.convert(&messages));
    EXPECT_EQ(messages.shown.back().text, "绣线库(ROSE)的线未配置,不能使用");
    EXPECT_EQ(messages.shown.back().title, kTitleInfo);
    panel.selectLibrary(brandIndex(panel.libraries(), "DMC"));
    panel.editWidth("0");
    EXPECT_FALSE(panel.convert(&messages));
    EXPECT_EQ(messages.shown.back().text, kMsgBadConvertSize);
    EXPECT_EQ(messages.shown.back().icon, MessageIcon::Warning);
    panel.editWidth("3001");
    EXPECT_FALSE(panel.convert(&messages));
    // Nothing of it changed what was converted.
    EXPECT_TRUE(panel.converted());
    EXPECT_EQ(panel.result(), before);
    EXPECT_EQ(panel.convertedLibrary(), "DMC");

    // A new file drops it; a file that is no readable GIF says why on "转换".
    std::vector<std::uint8_t> cut = test::writeGif([] {
        test::GifFile g;
        g.globalTable = {1, 2, 3, 4, 5, 6};
        test::GifFrame f;
        f.width = f.height = 30;
        f.minCodeSize = 2;
        f.pixels.assign(900, 1);
        g.frames = {f};
        return g;
    }());
    cut.resize(cut.size() / 2);
    EXPECT_FALSE(panel.selectPhoto(test::writeFile(dir.file("cut.gif"), cut)));
    EXPECT_FALSE(panel.converted());
    EXPECT_EQ(panel.threadCountCaption(), "绣线数");
    EXPECT_EQ(panel.photoProblem(), GifProblem::Truncated);
    EXPECT_TRUE(panel.widthText().empty());
    EXPECT_FALSE(panel.convert(&messages));
    EXPECT_EQ(messages.shown.back().text, gifProblemText(GifProblem::Truncated));
}

// --- the dialog -----------------------------------------------------------------------------

TEST_F(PhotoPanel, TheDialogShowsThePanelAndConvertsOnItsButton)
{
    const PaletteStore store(dir.path());
    PhotoImportPanel panel(store);
    PhotoImportDialog dialog(panel, messages);
    EXPECT_EQ(dialog.windowTitle(), fromGbk("导入照片"));
    EXPECT_EQ(dialog.fileDialog()->nameFilters(), QStringList{fromGbk("照片文件 (.gif) (*.gif)")});
    EXPECT_FALSE(dialog.fileDialog()->sidebarUrls().isEmpty());
    EXPECT_EQ(dialog.libraries()->count(), 1);  // only DMC has a palette here
    EXPECT_EQ(dialog.libraries()->currentText(), u"DMC"_qs);
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    EXPECT_EQ(dialog.threadCount()->text(), fromGbk("绣线数"));

    dialog.selectPhoto(QString::fromStdString(writeHalves(dir.file("halves.gif"), 40, 20)));
    EXPECT_EQ(dialog.photoWidth()->text(), u"40"_qs);
    EXPECT_EQ(dialog.photoHeight()->text(), u"20"_qs);
    EXPECT_EQ(dialog.widthEdit()->text(), u"40"_qs);
    EXPECT_FALSE(dialog.photoPreview()->pixmap().isNull());
    dialog.widthEdit()->setText(u"8"_qs);
    emit dialog.widthEdit()->textEdited(u"8"_qs);
    EXPECT_EQ(dialog.heightEdit()->text(), u"4"_qs);

    dialog.convertButton()->click();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(dialog.threadCount()->text(), fromGbk("绣线数:2"));
    EXPECT_TRUE(dialog.okButton()->isEnabled());
    EXPECT_EQ(dialog.progressBar()->value(), 10);
    EXPECT_FALSE(dialog.patternPreview()->pixmap().isNull());
    EXPECT_EQ(panel.result().width, 8);

    // Another file takes the conversion back.
    dialog.selectPhoto(QString::fromStdString(writeHalves(dir.file("other.gif"), 10, 10)));
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    EXPECT_EQ(dialog.progressBar()->value(), 0);
}

TEST_F(PhotoPanel, DraggingOnThePreviewCropsAndADoubleClickTakesTheWholePhoto)
{
    const PaletteStore store(dir.path());
    PhotoImportPanel panel(store);
    PhotoImportDialog dialog(panel, messages);
    EXPECT_EQ(dialog.confettiShare()->text(), fromGbk("单针"));
    dialog.selectPhoto(QString::fromStdString(writeHalves(dir.file("halves.gif"), 40, 20)));
    dialog.widthEdit()->setText(u"20"_qs);
    emit dialog.widthEdit()->textEdited(u"20"_qs);
    dialog.convertButton()->click();
    ASSERT_TRUE(panel.converted());
    EXPECT_EQ(panel.result().colorCount(), 2);
    EXPECT_EQ(dialog.confettiShare()->text(), fromGbk("单针:0.0%"));

    // The right quarter of the preview's picture: blue alone, the height following the crop.
    const QPixmap shown = dialog.patternPreview()->pixmap();
    const QLabel* preview = dialog.patternPreview();
    const QPoint origin((preview->width() - shown.width()) / 2, (preview->height() - shown.height()) / 2);
    dialog.cropOnPreview(origin + QPoint(shown.width() * 3 / 4, 0), origin + QPoint(shown.width(), shown.height()));
    ASSERT_TRUE(panel.options().crop);
    EXPECT_EQ(*panel.options().crop, (CropRect{30, 0, 10, 20}));
    EXPECT_EQ(dialog.heightEdit()->text(), u"40"_qs);
    ASSERT_TRUE(panel.converted());
    EXPECT_EQ(panel.result().colors, std::vector<ColorRef>{kBlue});
    EXPECT_EQ(panel.result().height, 40);

    dialog.wholePicture();
    EXPECT_FALSE(panel.options().crop);
    EXPECT_EQ(dialog.heightEdit()->text(), u"10"_qs);
    EXPECT_EQ(panel.result().colorCount(), 2);
    // A new photo starts whole.
    dialog.cropOnPreview(origin, origin + QPoint(shown.width() / 4, shown.height()));
    ASSERT_TRUE(panel.options().crop);
    dialog.selectPhoto(QString::fromStdString(writeHalves(dir.file("other.gif"), 10, 10)));
    EXPECT_FALSE(panel.options().crop);
}

TEST_F(PhotoPanel, TheOptionsBoxEditsConfettiLeastStitchesAndBackground)
{
    const PaletteStore store(dir.path());
    PhotoImportPanel panel(store);
    PhotoImportDialog dialog(panel, messages);
    auto* confetti = dialog.findChild<QSpinBox*>(u"confettiStrength"_qs);
    auto* least = dialog.findChild<QSpinBox*>(u"minStitches"_qs);
    auto* background = dialog.findChild<QCheckBox*>(u"ignoreBackground"_qs);
    auto* colour = dialog.findChild<QLineEdit*>(u"backgroundColour"_qs);
    auto* tolerance = dialog.findChild<QSpinBox*>(u"backgroundTolerance"_qs);
    ASSERT_TRUE(confetti && least && background && colour && tolerance);
    EXPECT_EQ(confetti->maximum(), 10);
    confetti->setValue(7);
    least->setValue(12);
    EXPECT_EQ(panel.options().confetti, 7);
    EXPECT_EQ(panel.options().minStitches, 12);
    background->setChecked(true);
    ASSERT_TRUE(panel.options().background);
    EXPECT_FALSE(panel.options().background->colour);  // the border's colour
    colour->setText(u"#C80000"_qs);
    tolerance->setValue(4);
    EXPECT_EQ(panel.options().background, (BackgroundRule{kRed, 4}));
    // The red half becomes fabric.
    dialog.selectPhoto(QString::fromStdString(writeHalves(dir.file("halves.gif"), 40, 20)));
    dialog.convertButton()->click();
    ASSERT_TRUE(panel.converted());
    EXPECT_EQ(panel.result().colors, std::vector<ColorRef>{kBlue});
    background->setChecked(false);
    EXPECT_FALSE(panel.options().background);
}

TEST_F(PhotoPanel, ABrokenFileSaysWhyWhereThePhotoWouldBe)
{
    const PaletteStore store(dir.path());
    PhotoImportPanel panel(store);
    PhotoImportDialog dialog(panel, messages);
    dialog.selectPhoto(QString::fromStdString(test::writeFile(dir.file("text.gif"), {'h', 'e', 'l', 'l', 'o'})));
    EXPECT_EQ(dialog.photoPreview()->text(), fromGbk(gifProblemText(GifProblem::NotGif)));
    EXPECT_TRUE(dialog.photoWidth()->text().isEmpty());
    EXPECT_TRUE(messages.shown.empty());  // told on "转换", not while browsing
    dialog.convertButton()->click();
    ASSERT_EQ(messages.shown.size(), 1u);
}

// --- the exports ----------------------------------------------------------------------------

// Runs body on the modal dialog ShowPhoto opens, once it is up.
void whenTheDialogIsUp(std::function<void(QDialog&)> body)
{
    QTimer::singleShot(0, [body] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        body(*dialog);
    });
}

TEST(ShowPhoto, CancelGivesCodeTwoAndNoConversion)
{
    whenTheDialogIsUp([](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), fromGbk("导入照片"));
        dialog.findChild<QPushButton*>(u"cancel"_qs)->click();
    });
    std::int32_t code = -1;
    bool converted = true;
    void* handle = nullptr;
    std::string library = "stale";
    const ConversionResult* result = ShowPhoto(&code, &converted, &handle, &library, true);
    EXPECT_EQ(code, 2);
    EXPECT_FALSE(converted);
    ASSERT_NE(handle, nullptr);
    ASSERT_NE(result, nullptr);
    EXPECT_TRUE(result->empty());
    EXPECT_TRUE(library.empty());
    CloseDlg(handle);
}

TEST(ShowPhoto, AConversionComesBackUntilCloseDlg)
{
    // The library reads the palettes of its program directory: the build tree's.
    test::ScratchDir dir;
    const std::string photo = writeHalves(dir.file("halves.gif"), 30, 12);
    whenTheDialogIsUp([photo](QDialog& dialog) {
        auto* files = dialog.findChild<QFileDialog*>(u"files"_qs);
        ASSERT_NE(files, nullptr);
        emit files->fileSelected(QString::fromStdString(photo));
        dialog.findChild<QPushButton*>(u"convert"_qs)->click();
        dialog.findChild<QPushButton*>(u"ok"_qs)->click();
    });
    std::int32_t code = 0;
    bool converted = false;
    void* handle = nullptr;
    std::string library;
    const ConversionResult* result = ShowPhoto(&code, &converted, &handle, &library, true);
    EXPECT_EQ(code, 1);
    EXPECT_TRUE(converted);
    EXPECT_EQ(library, "DMC");
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->width, 30);
    EXPECT_EQ(result->height, 12);
    EXPECT_EQ(result->colorCount(), 2);
    EXPECT_EQ(result->cells.front(), 0);
    EXPECT_EQ(result->cells.back(), 1);
    CloseDlg(handle);
}

TEST(ShowPhoto, WithoutItsOutputsNothingIsShown)
{
    std::int32_t code = 5;
    bool converted = true;
    void* handle = &code;
    std::string library;
    EXPECT_EQ(ShowPhoto(nullptr, &converted, &handle, &library, true), nullptr);
    EXPECT_EQ(ShowPhoto(&code, &converted, nullptr, &library, true), nullptr);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    CloseDlg(nullptr);  // harmless
}

}  // namespace
}  // namespace brenmark
