#include "editor/app/fabric_colour_dialog.h"
#include "editor/app/new_pattern_dialog.h"
#include "editor/app/qt_user_dialogs.h"
#include "editor/app/splash_window.h"
#include "editor/app/tests/app_test_support.h"
#include "editor/app/thread_manager_dialog.h"
#include "editor/app/toolbar_icons.h"
#include "interchange/gbk_qstring.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

namespace brenmark {
namespace {

TEST(QtFileFilter, PatternsAreRepeatedSoQtFindsThem)
{
    EXPECT_EQ(qtFileFilter("绣图文件 (.xiu)|*.xiu|"), fromGbk("绣图文件 (.xiu) (*.xiu)"));
    EXPECT_EQ(qtFileFilter("图片文件 (.bmp;.jpg)|*.bmp;*.jpg|All Files (*.*)|*.*|"),
              fromGbk("图片文件 (.bmp;.jpg) (*.bmp *.jpg);;All Files (*.*) (*)"));
}

TEST(QtFileFilter, TheFirstPatternGivesTheSuffixOfSavedNames)
{
    EXPECT_EQ(defaultSuffix("绣图文件 (.xiu)|*.xiu|"), u"xiu"_qs);
    EXPECT_EQ(defaultSuffix("All Files (*.*)|*.*|"), QString());
    EXPECT_EQ(defaultSuffix("|"), QString());
}

TEST(NewPatternDialog, ShowsTheEntryAndHandsBackWhatWasTyped)
{
    NewPatternDialog dialog({"ANCHOR", "DMC", "DMR", "J&P", "ROSE"}, {"DMC", "100", "100"});
    EXPECT_EQ(dialog.windowTitle(), fromGbk("新建绣图"));
    auto* brand = dialog.findChild<QComboBox*>(u"brand"_qs);
    ASSERT_NE(brand, nullptr);
    EXPECT_EQ(brand->count(), 5);
    EXPECT_EQ(brand->currentText(), u"DMC"_qs);
    EXPECT_EQ(dialog.entry(), (NewPatternEntry{"DMC", "100", "100"}));

    brand->setCurrentIndex(3);
    dialog.findChild<QLineEdit*>(u"width"_qs)->setText(u"0"_qs);
    EXPECT_EQ(dialog.entry(), (NewPatternEntry{"J&P", "0", "100"}));
}

std::vector<FabricChoice> someFabrics()
{
    return {{"白色(5200)", kWhite}, {"红色(321)", rgb(200, 0, 0)}, {"黑色(310)", 0}};
}

TEST(FabricColourDialog, PreselectsAndPreviewsTheCurrentFabric)
{
    FabricColourDialog dialog(someFabrics(), 1);
    EXPECT_EQ(dialog.windowTitle(), fromGbk("请选绣布颜色"));
    EXPECT_EQ(dialog.chosen(), 1);
    EXPECT_EQ(dialog.previewColour(), rgb(200, 0, 0));
    dialog.findChild<QComboBox*>(u"fabricList"_qs)->setCurrentIndex(2);
    EXPECT_EQ(dialog.chosen(), 2);
    EXPECT_EQ(dialog.previewColour(), 0u);
}

TEST(FabricColourDialog, AFabricNotInTheListChoosesNothing)
{
    FabricColourDialog dialog(someFabrics(), -1);
    EXPECT_EQ(dialog.chosen(), -1);
}

TEST(SwatchGrid, PointsMapToSwatchesRowByRow)
{
    EXPECT_EQ(swatchAt({0, 0}, 20, 18, 50), 0);
    EXPECT_EQ(swatchAt({17, 17}, 20, 18, 50), 0);
    EXPECT_EQ(swatchAt({18, 0}, 20, 18, 50), 1);
    EXPECT_EQ(swatchAt({5, 18}, 20, 18, 50), 20);
    EXPECT_EQ(swatchAt({20 * 18, 0}, 20, 18, 50), -1);
    EXPECT_EQ(swatchAt({18 * 10, 18 * 2}, 20, 18, 50), -1);  // index 50: past the end
    EXPECT_EQ(swatchAt({-1, 3}, 20, 18, 50), -1);
}

class ThreadManagerWindow : public ::testing::Test {
protected:
    test::ScratchDir dir;
    PaletteStore store{dir.path()};
    ThreadManager manager{store};

    void SetUp() override
    {
        test::writePalette(dir.path(), "DMC", {{"310", 0}, {"321", rgb(200, 0, 0)}, {"796", rgb(0, 0, 200)}});
        test::writePalette(dir.path(), "ANCHOR", {{"1", rgb(9, 9, 9)}});
        manager.open();
    }
    Palette reload(const char* brand)
    {
        Palette p;
        store.load(brand, p);
        return p;
    }
};

TEST_F(ThreadManagerWindow, ClickingASwatchShowsItsComponentsAndNumber)
{
    ThreadManagerDialog dialog(manager);
    EXPECT_EQ(dialog.windowTitle(), fromGbk("绣线管理窗口"));
    EXPECT_EQ(dialog.findChild<QComboBox*>(u"brand"_qs)->currentText(), u"DMC"_qs);
    QTest::mouseClick(dialog.grid(), Qt::LeftButton, {}, QPoint(SwatchGrid::kCell + 5, 5));
    EXPECT_EQ(manager.selected(), 1);
    EXPECT_EQ(dialog.findChild<QSpinBox*>(u"red"_qs)->value(), 200);
    EXPECT_EQ(dialog.findChild<QLineEdit*>(u"number"_qs)->text(), u"321"_qs);
}

TEST_F(ThreadManagerWindow, AppliedEditsAreSavedEvenOnCancel)
{
    ThreadManagerDialog dialog(manager);
    QTest::mouseClick(dialog.grid(), Qt::LeftButton, {}, QPoint(2 * SwatchGrid::kCell + 5, 5));
    dialog.findChild<QSpinBox*>(u"green"_qs)->setValue(77);
    auto* number = dialog.findChild<QLineEdit*>(u"number"_qs);
    number->selectAll();
    QTest::keyClicks(number, u"796A"_qs);
    dialog.findChild<QPushButton*>(u"apply"_qs)->click();
    dialog.reject();

    const Palette dmc = reload("DMC");
    EXPECT_EQ(dmc.colors[2], rgb(0, 77, 200));
    EXPECT_EQ(dmc.numbers[2], "796A");
}

TEST_F(ThreadManagerWindow, AnotherBrandIsShownAfterTheFirstIsSaved)
{
    ThreadManagerDialog dialog(manager);
    manager.selectSwatch(0);
    manager.setComponents(5, 5, 5);
    manager.apply();
    dialog.findChild<QComboBox*>(u"brand"_qs)->setCurrentText(u"ANCHOR"_qs);
    EXPECT_EQ(manager.brand(), "ANCHOR");
    EXPECT_EQ(manager.palette().size(), 1);
    EXPECT_EQ(reload("DMC").colors[0], rgb(5, 5, 5));
}

TEST(Splash, WithoutThePictureTheWindowIsPlainBlue)
{
    test::ScratchDir dir;
    SplashWindow splash(splashPicturePath(dir.path()));
    EXPECT_FALSE(splash.hasPicture());
    const QImage shot = splash.grab().toImage();
    EXPECT_EQ(shot.pixel(10, 10) & 0xFFFFFFu, 0x0000FFu);
    EXPECT_EQ(shot.pixel(shot.width() - 5, shot.height() - 5) & 0xFFFFFFu, 0x0000FFu);
}

TEST(Splash, ThePictureIsStretchedOverTheWindow)
{
    test::ScratchDir dir;
    test::makeFolder(dir.file("SysPAL"));
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(QColor(0, 200, 0));
    ASSERT_TRUE(picture.save(QString::fromStdString(dir.file("SysPAL/splash.jpg")), "JPG"));
    EXPECT_EQ(splashPicturePath(dir.path()), dir.file("SysPAL/splash.jpg"));

    SplashWindow splash(splashPicturePath(dir.path()));
    ASSERT_TRUE(splash.hasPicture());
    const QColor c = splash.grab().toImage().pixelColor(splash.width() - 3, splash.height() - 3);
    EXPECT_LT(c.red(), 30);
    EXPECT_GT(c.green(), 170);
}

TEST(ToolbarIcons, EveryIconIsDrawn)
{
    for (int i = 0; i <= static_cast<int>(CommandIcon::Application); ++i) {
        const QImage image = commandPixmap(static_cast<CommandIcon>(i), 32).toImage();
        int opaque = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                opaque += qAlpha(image.pixel(x, y)) > 0;
        EXPECT_GT(opaque, 40) << "icon " << i;
    }
}

}  // namespace
}  // namespace brenmark
