// The real print windows: "打印细节设置" with its defaults and the millimetre rule,
// "打印选择", and the preview window's page fitted and centred on grey.
#include "editor/app/print_choice_dialog.h"
#include "editor/app/print_preview_window.h"
#include "editor/app/print_settings_dialog.h"
#include "editor/app/print_windows.h"
#include "editor/output/print_preview.h"
#include "interchange/gbk_qstring.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

namespace brenmark {
namespace {

QStringList itemsOf(QComboBox* box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

TEST(PrintSettingsWindow, StartsAtEveryDefault)
{
    PrintSettingsDialog dialog{PrintSettings{}};
    EXPECT_EQ(dialog.windowTitle(), fromGbk("打印细节设置"));
    EXPECT_DOUBLE_EQ(dialog.cellMillimetres()->value(), 2.65);  // 10 units
    EXPECT_EQ(itemsOf(dialog.tenLineWidth()), (QStringList{u"1"_qs, u"2"_qs, u"3"_qs, u"4"_qs}));
    EXPECT_EQ(dialog.tenLineWidth()->currentText(), u"2"_qs);
    EXPECT_EQ(dialog.gridShade()->value(), 0x78);
    EXPECT_EQ(dialog.gridSample()->palette().color(QPalette::Window), QColor(0x78, 0x78, 0x78));
    EXPECT_TRUE(dialog.byCells()->isChecked());
    EXPECT_FALSE(dialog.byMetres()->isChecked());
    EXPECT_EQ(itemsOf(dialog.fabric()), (QStringList{u"8CT"_qs, u"9CT"_qs, u"11CT"_qs, u"14CT"_qs, u"16CT"_qs,
                                                      u"18CT"_qs, u"24CT"_qs, u"28CT"_qs, u"32CT"_qs}));
    EXPECT_EQ(dialog.fabric()->currentText(), u"14CT"_qs);
    EXPECT_EQ(dialog.strands()->count(), 6);
    EXPECT_EQ(dialog.strands()->currentText(), u"2"_qs);
    EXPECT_EQ(dialog.outlineStrands()->count(), 4);
    EXPECT_EQ(dialog.outlineStrands()->currentText(), u"1"_qs);
    EXPECT_EQ(dialog.author()->text(), fromGbk(kDefaultAuthor));
    EXPECT_EQ(dialog.title()->text(), fromGbk("Velmora十字绣绣图"));

    // Untouched, it hands back what it was given.
    const PrintSettings same = dialog.settings();
    const PrintSettings defaults;
    EXPECT_EQ(same.cellSize, defaults.cellSize);
    EXPECT_EQ(same.tenLineWidth, defaults.tenLineWidth);
    EXPECT_EQ(same.gridColour, defaults.gridColour);
    EXPECT_EQ(same.amountsInMetres, defaults.amountsInMetres);
    EXPECT_EQ(same.fabric, defaults.fabric);
    EXPECT_EQ(same.strands, defaults.strands);
    EXPECT_EQ(same.outlineStrands, defaults.outlineStrands);
    EXPECT_EQ(same.author, defaults.author);
    EXPECT_EQ(same.title, defaults.title);
    // The pages as the printed chart has them: no overlap, no map, the key in Chinese.
    EXPECT_EQ(itemsOf(dialog.pageOverlap()), (QStringList{u"0"_qs, u"1"_qs, u"2"_qs, u"3"_qs, u"4"_qs, u"5"_qs}));
    EXPECT_EQ(same.pageOverlap, 0);
    EXPECT_FALSE(same.pageMap);
    EXPECT_FALSE(same.englishKey);
}

TEST(PrintSettingsWindow, MillimetresBecomeWholeUnitsRoundedByTheFirstDecimal)
{
    const auto unitsFor = [](double mm) {
        PrintSettingsDialog dialog{PrintSettings{}};
        dialog.cellMillimetres()->setValue(mm);
        return dialog.settings().cellSize;
    };
    EXPECT_EQ(unitsFor(10.0), 38);  // 37.795
    EXPECT_EQ(unitsFor(9.9), 37);   // 37.417
    EXPECT_EQ(unitsFor(1.3), 5);    // 4.913
    EXPECT_EQ(unitsFor(5.0), 19);   // 18.898
    EXPECT_EQ(unitsFor(3.9), 15);   // 14.740
    // The smallest cell offered is still a unit.
    EXPECT_EQ(unitsFor(0.0), 1);

    // A size the millimetres only approximate stays as it was while they are not edited.
    PrintSettings odd;
    odd.cellSize = 11;
    PrintSettingsDialog dialog(odd);
    EXPECT_EQ(dialog.settings().cellSize, 11);
}

TEST(PrintSettingsWindow, EveryControlReachesTheSettings)
{
    PrintSettingsDialog dialog{PrintSettings{}};
    dialog.tenLineWidth()->setCurrentIndex(3);
    dialog.gridShade()->setValue(200);
    dialog.byMetres()->setChecked(true);
    dialog.fabric()->setCurrentText(u"18CT"_qs);
    dialog.strands()->setCurrentIndex(5);
    dialog.outlineStrands()->setCurrentIndex(2);
    dialog.author()->setText(fromGbk("王"));
    dialog.title()->setText(fromGbk("春"));
    dialog.pageOverlap()->setCurrentIndex(3);
    dialog.pageMap()->setChecked(true);
    dialog.englishKey()->setChecked(true);
    const PrintSettings s = dialog.settings();
    EXPECT_EQ(s.pageOverlap, 3);
    EXPECT_TRUE(s.pageMap);
    EXPECT_TRUE(s.englishKey);
    EXPECT_EQ(s.tenLineWidth, 4);
    EXPECT_EQ(s.gridColour, rgb(200, 200, 200));
    EXPECT_EQ(dialog.gridSample()->palette().color(QPalette::Window), QColor(200, 200, 200));
    EXPECT_TRUE(s.amountsInMetres);
    EXPECT_EQ(s.fabric, "18CT");
    EXPECT_EQ(s.strands, 6);
    EXPECT_EQ(s.outlineStrands, 3);
    EXPECT_EQ(s.author, "王");
    EXPECT_EQ(s.title, "春");
}

TEST(PrintChoiceWindow, OffersColourRangeCopiesAndColouredSymbols)
{
    PrintChoiceRequest request;
    request.pages = {"第1张", "第2张", "绣线表"};
    PrintChoiceDialog dialog(request);
    EXPECT_EQ(dialog.windowTitle(), fromGbk("打印选择"));
    EXPECT_TRUE(dialog.colour()->isChecked());
    EXPECT_TRUE(dialog.allPages()->isChecked());
    EXPECT_FALSE(dialog.pages()->isEnabled());
    EXPECT_EQ(itemsOf(dialog.pages()), (QStringList{fromGbk("第1张"), fromGbk("第2张"), fromGbk("绣线表")}));
    EXPECT_EQ(dialog.copies()->value(), 1);
    EXPECT_EQ(dialog.choice(), PrintChoice{});

    dialog.onePage()->setChecked(true);
    EXPECT_TRUE(dialog.pages()->isEnabled());
    dialog.pages()->setCurrentIndex(2);
    dialog.blackWhite()->setChecked(true);
    dialog.copies()->setValue(3);
    dialog.colouredSymbols()->setChecked(true);
    const PrintChoice c = dialog.choice();
    EXPECT_EQ(c.page, 3);
    EXPECT_FALSE(c.colour);
    EXPECT_EQ(c.copies, 3);
    EXPECT_TRUE(c.colouredSymbols);

    // It starts from the choice it is given.
    request.initial = c;
    PrintChoiceDialog again(request);
    EXPECT_EQ(again.choice(), c);
    EXPECT_TRUE(again.onePage()->isChecked());
}

// Pages of a known look: page n is a red sheet 100 x 200 (the key page blue), and every
// request is logged.
class FakePages final : public PreviewSource {
public:
    std::vector<PreviewOptions> asked;
    bool empty = false;
    std::vector<std::string> previewPages() override
    {
        if (empty)
            return {};
        return {"第1张", "第2张", "绣线表"};
    }
    QImage previewPage(const PreviewOptions& options) override
    {
        asked.push_back(options);
        if (empty)
            return QImage();
        QImage page(100, 200, QImage::Format_RGB32);
        page.fill(options.page == 3 ? QColor(0, 0, 255) : QColor(255, 0, 0));
        return page;
    }
};

QRgb at(const QImage& image, int x, int y)
{
    return image.pixel(x, y) | 0xFF000000u;
}

TEST(PrintPreviewScreen, ThePageIsFittedAndCentredOnGrey)
{
    FakePages pages;
    PrintPreviewWindow window(pages, PreviewOptions{});
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.area()->setFixedSize(400, 300);
    QApplication::processEvents();
    const QImage shot = window.area()->grab().toImage();
    ASSERT_EQ(shot.size(), QSize(400, 300));
    // 100 x 200 into 400 x 300: scale 1.5, 150 x 300 at x 125.
    EXPECT_EQ(previewPageRect(QSize(400, 300), QSize(100, 200)), QRect(125, 0, 150, 300));
    EXPECT_EQ(at(shot, 124, 150), kPreviewGrey);
    EXPECT_EQ(at(shot, 125, 150), qRgb(255, 0, 0));
    EXPECT_EQ(at(shot, 274, 150), qRgb(255, 0, 0));
    EXPECT_EQ(at(shot, 275, 150), kPreviewGrey);
    EXPECT_EQ(at(shot, 10, 10), kPreviewGrey);
    EXPECT_EQ(at(shot, 200, 0), qRgb(255, 0, 0));
    EXPECT_EQ(at(shot, 200, 299), qRgb(255, 0, 0));
}

TEST(PrintPreviewScreen, ThePageListAndTheColourOptionsAskForTheirPage)
{
    FakePages pages;
    PrintPreviewWindow window(pages, PreviewOptions{});
    EXPECT_EQ(itemsOf(window.pages()), (QStringList{fromGbk("第1张"), fromGbk("第2张"), fromGbk("绣线表")}));
    ASSERT_EQ(pages.asked.size(), 1u);
    EXPECT_EQ(pages.asked[0], PreviewOptions{});
    window.pages()->setCurrentIndex(2);
    EXPECT_EQ(pages.asked.back(), (PreviewOptions{3, true, false}));
    EXPECT_EQ(window.area()->page().pixel(0, 0) | 0xFF000000u, qRgb(0, 0, 255));
    window.colour()->setCurrentIndex(1);
    EXPECT_EQ(pages.asked.back(), (PreviewOptions{3, false, false}));
    window.colouredSymbols()->setChecked(true);
    EXPECT_EQ(pages.asked.back(), (PreviewOptions{3, false, true}));
    EXPECT_EQ(pages.asked.size(), 4u);

    // A page that is gone becomes the last there is.
    window.setOptions({9, true, false});
    EXPECT_EQ(window.options().page, 3);
}

TEST(PrintPreviewScreen, ARunOfReloadsDrawsThePageOnce)
{
    FakePages pages;
    PrintPreviewWindow window(pages, PreviewOptions{});
    const std::size_t before = pages.asked.size();
    for (int i = 0; i < 5; ++i)
        window.reloadSoon();
    EXPECT_EQ(pages.asked.size(), before);
    QTest::qWait(400);
    EXPECT_EQ(pages.asked.size(), before + 1);
}

TEST(PrintPreviewScreen, TheRealPreviewOpensOnceClosesWithReturnAndRefusesNoPage)
{
    QWidget parent;
    QtPrintDialogs dialogs(&parent);
    FakePages pages;
    EXPECT_FALSE(dialogs.closePreview());
    ASSERT_TRUE(dialogs.showPreview(pages, PreviewOptions{}));
    PrintPreviewWindow* first = dialogs.preview();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->windowTitle(), fromGbk("打印预览"));
    // Asked again, the same window comes up with the new options.
    ASSERT_TRUE(dialogs.showPreview(pages, PreviewOptions{2, true, false}));
    EXPECT_EQ(dialogs.preview(), first);
    EXPECT_EQ(first->options().page, 2);
    EXPECT_TRUE(dialogs.closePreview());
    EXPECT_EQ(dialogs.preview(), nullptr);

    // Its own button closes it too.
    ASSERT_TRUE(dialogs.showPreview(pages, PreviewOptions{}));
    dialogs.preview()->back()->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(dialogs.preview(), nullptr);

    pages.empty = true;
    EXPECT_FALSE(dialogs.showPreview(pages, PreviewOptions{}));
    EXPECT_EQ(dialogs.preview(), nullptr);
}

}  // namespace
}  // namespace brenmark
