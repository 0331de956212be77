#include "cmyktool/glimbert_dialog.h"
#include "cmyktool/tests/scripted_partners.h"
#include "cmyktool/tests/standin_table.h"
#include "editor/widgets/tests/chinese_texts.h"
#include "interchange/gbk_qstring.h"

#include <QPushButton>
#include <QTableWidget>

#include <gtest/gtest.h>

namespace brenmark::glimbert {
namespace {

// A picker whose fields the dialog's grab fills.
class GrabbedFields final : public PickerPartner {
public:
    FieldHandle handle(PickerField f) const override { return handles[static_cast<int>(f)]; }
    bool clearField(PickerField) override { return true; }
    bool typeCharacter(PickerField, char) override { return true; }
    std::optional<std::string> readField(PickerField, std::size_t) override { return std::string("1"); }
    FieldHandle handles[kPickerFieldCount] = {};
};

struct DialogTest : ::testing::Test {
    StandinTable table;
    GrabbedFields grabbed;
    BuiltinPicker builtin{"/nonexistent/profile.icc"};
    testing::RecordedMessages messages;
    std::vector<int> grabTargets;

    DialogPartners partners()
    {
        DialogPartners p;
        p.table = &table;
        p.grabbedPicker = &grabbed;
        p.builtinPicker = &builtin;
        p.messages = &messages;
        p.grab = [this](PickerField target, QPoint) {
            grabTargets.push_back(static_cast<int>(target));
            grabbed.handles[static_cast<int>(target)] = 0xabc0 + static_cast<FieldHandle>(target);
            return grabbed.handles[static_cast<int>(target)];
        };
        return p;
    }
};

TEST_F(DialogTest, CaptionsShowTheGrabbedHandleOfTheCaptureTarget)
{
    GlimbertDialog dialog(partners(), true);
    EXPECT_EQ(dialog.windowTitle(), u"Glimbert");
    EXPECT_EQ(dialog.fieldCaption(PickerField::Red), fromGbk("Red窗口"));
    dialog.setCaptureTarget(4);
    EXPECT_EQ(dialog.captureTarget(), 4);
    dialog.grabbed(partners().grab(PickerField::M, {}));
    EXPECT_EQ(dialog.fieldCaption(PickerField::M), fromGbk("M窗口:0xabc4"));
    EXPECT_EQ(dialog.fieldCaption(PickerField::Y), fromGbk("Y窗口"));
    dialog.setCaptureTarget(9);  // no such field: the target stays
    EXPECT_EQ(dialog.captureTarget(), 4);
}

TEST_F(DialogTest, BuiltinPickerShowsItsOwnFieldsAndRunsTheCycle)
{
    GlimbertDialog dialog(partners(), true);
    dialog.setUsesBuiltinPicker(true);
    EXPECT_EQ(dialog.fieldCaption(PickerField::K), fromGbk("K窗口:0x106"));
    table.setThread(u"310"_qs, 0, 0, 0);
    EXPECT_EQ(dialog.runCycle().outcome, CycleOutcome::Written);
    ASSERT_EQ(table.list()->rowCount(), 1);
    EXPECT_EQ(table.list()->item(0, 0)->text(), u"0");
    EXPECT_EQ(table.list()->item(0, 4)->text(), u"100");
    EXPECT_EQ(table.list()->item(0, 5)->text(), u"310");
}

TEST_F(DialogTest, UngrabbedPickerIsRefused)
{
    GlimbertDialog dialog(partners(), true);
    table.setThread(u"310"_qs, 1, 2, 3);
    EXPECT_EQ(dialog.runCycle().outcome, CycleOutcome::EmptyHandle);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "获得窗口有空值");
    EXPECT_EQ(table.list()->rowCount(), 0);
}

TEST_F(DialogTest, ButtonStandsInForTheHotKeyOnlyWithoutIt)
{
    auto runButton = [](GlimbertDialog& dialog) {
        for (QPushButton* button : dialog.findChildren<QPushButton*>())
            if (button->text() == fromGbk("自动填数"))
                return button;
        return static_cast<QPushButton*>(nullptr);
    };
    GlimbertDialog withKey(partners(), true);
    GlimbertDialog withoutKey(partners(), false);
    ASSERT_NE(runButton(withKey), nullptr);
    ASSERT_NE(runButton(withoutKey), nullptr);
    EXPECT_TRUE(runButton(withKey)->isHidden());
    EXPECT_FALSE(runButton(withoutKey)->isHidden());
    withoutKey.setUsesBuiltinPicker(true);
    table.setThread(u"1"_qs, 9, 9, 9);
    runButton(withoutKey)->click();
    EXPECT_EQ(table.list()->rowCount(), 1);
}

TEST_F(DialogTest, SpeaksEnglishWithTheCatalogue)
{
    ASSERT_TRUE(loadUiCatalogue(BRENMARK_CATALOGUE));
    {
        GlimbertDialog dialog(partners(), true);
        EXPECT_EQ(brenmark::test::chineseTexts(dialog), std::vector<std::string>());
        EXPECT_EQ(dialog.fieldCaption(PickerField::Red), u"Red window"_qs);
    }
    loadUiCatalogue("");
}

}  // namespace
}  // namespace brenmark::glimbert
