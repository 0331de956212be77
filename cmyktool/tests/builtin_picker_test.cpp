#include "cmyktool/builtin_picker.h"
#include "cmyktool/copy_cycle.h"
#include "cmyktool/tests/scripted_partners.h"

#include <gtest/gtest.h>

#include <fstream>

namespace brenmark::glimbert {
namespace {

void typeText(BuiltinPicker& picker, PickerField field, const std::string& text)
{
    picker.clearField(field);
    for (char c : text)
        picker.typeCharacter(field, c);
}

std::string read(BuiltinPicker& picker, PickerField field)
{
    return picker.readField(field, kMaxFieldBytes).value_or("?");
}

TEST(RgbToCmyk, UsesTheSharedGhostscriptProfile)
{
    EXPECT_EQ(builtinCmykProfile(), "/usr/share/color/icc/ghostscript/default_cmyk.icc");
    ASSERT_TRUE(std::ifstream(builtinCmykProfile()).good()) << "libgs-common is not installed";
    const RgbToCmyk converter;
    EXPECT_TRUE(converter.usesProfile());
    // Paper white needs no ink; black needs much K; a pure red is mostly M and Y. A profile
    // mixes K into dark colours, so the plain formula's exact values are not expected.
    const CmykPercent white = converter.convert(255, 255, 255);
    EXPECT_EQ(white.c + white.m + white.y + white.k, 0);
    const CmykPercent black = converter.convert(0, 0, 0);
    EXPECT_GE(black.k, 70);
    const CmykPercent red = converter.convert(255, 0, 0);
    EXPECT_GE(red.m, 80);
    EXPECT_GE(red.y, 80);
    EXPECT_LE(red.c, 15);
    for (int v : {red.c, red.m, red.y, red.k, black.c, black.m, black.y})
        EXPECT_TRUE(v >= 0 && v <= 100);
}

TEST(RgbToCmyk, FallsBackToTheFormulaWithoutAProfile)
{
    const RgbToCmyk converter("/nonexistent/profile.icc");
    EXPECT_FALSE(converter.usesProfile());
    const CmykPercent red = converter.convert(255, 0, 0);
    EXPECT_EQ(red.c, 0);
    EXPECT_EQ(red.m, 100);
    EXPECT_EQ(red.y, 100);
    EXPECT_EQ(red.k, 0);
    const CmykPercent grey = converter.convert(128, 128, 128);
    EXPECT_EQ(grey.k, 50);
    EXPECT_EQ(grey.c, 0);
    EXPECT_EQ(converter.convert(0, 0, 0).k, 100);
}

TEST(BuiltinPicker, RecalculatesAsEachCharacterIsTyped)
{
    BuiltinPicker picker("/nonexistent/profile.icc");
    typeText(picker, PickerField::Red, "0");
    typeText(picker, PickerField::Green, "0");
    typeText(picker, PickerField::Blue, "0");
    EXPECT_EQ(read(picker, PickerField::K), "100");
    picker.clearField(PickerField::Red);
    picker.typeCharacter(PickerField::Red, '2');
    picker.typeCharacter(PickerField::Red, '5');
    EXPECT_EQ(read(picker, PickerField::Red), "25");
    EXPECT_EQ(read(picker, PickerField::K), "90");  // 1 - 25/255
    picker.typeCharacter(PickerField::Red, '5');
    EXPECT_EQ(read(picker, PickerField::K), "0");
    EXPECT_EQ(read(picker, PickerField::M), "100");
}

TEST(BuiltinPicker, FieldsTakeOnlyWhatAnRgbFieldWould)
{
    BuiltinPicker picker("/nonexistent/profile.icc");
    typeText(picker, PickerField::Green, "1x2-34");
    EXPECT_EQ(read(picker, PickerField::Green), "123");
    picker.typeCharacter(PickerField::C, '9');  // the results are not typed into
    EXPECT_NE(read(picker, PickerField::C), "09");
    for (int f = 0; f < kPickerFieldCount; ++f)
        EXPECT_NE(picker.handle(static_cast<PickerField>(f)), 0u);
}

TEST(BuiltinPicker, DrivesTheCycleLikeAnOutsidePicker)
{
    testing::ScriptedTable table;
    testing::RecordedMessages messages;
    BuiltinPicker picker("/nonexistent/profile.icc");
    table.texts[2] = "255";
    table.texts[3] = "0";
    table.texts[4] = "0";
    ASSERT_EQ(runCopyCycle(table, picker, messages).outcome, CycleOutcome::Written);
    EXPECT_EQ(table.rows[0], (std::vector<std::string>{"0", "0", "100", "100", "0", "DMC 310", "", "", "", "", ""}));
    // The next thread replaces, not extends, the picker's fields.
    table.texts[2] = "0";
    table.texts[4] = "255";
    runCopyCycle(table, picker, messages);
    EXPECT_EQ(table.rows[0][6], "100");
    EXPECT_EQ(table.rows[0][8], "0");
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace brenmark::glimbert
