#include "cmyktool/copy_cycle.h"

#include <array>

namespace brenmark::glimbert {
namespace {

constexpr std::array<TableField, kTableFieldCount> kTableFields = {TableField::List, TableField::Number,
                                                                     TableField::Red, TableField::Green,
                                                                     TableField::Blue};
constexpr std::array<PickerField, kPickerFieldCount> kPickerFields = {
    PickerField::Red, PickerField::Green, PickerField::Blue, PickerField::C,
    PickerField::M,   PickerField::Y,     PickerField::K};

std::string trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool digitsUpTo(const std::string& text, int most)
{
    if (text.empty() || text.size() > 3)
        return false;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    return value <= most;
}

void unreachable(MessageBoxes& messages)
{
    messages.show(kUnreachableText, kUnreachableTitle, MessageIcon::Stop);
}

void notANumber(MessageBoxes& messages, const std::string& text)
{
    messages.show(uiText(kNotANumberText) + text, kTitleInfo, MessageIcon::Warning);
}

}  // namespace

bool isChannelText(const std::string& text)
{
    return digitsUpTo(text, 255);
}

bool isPercentText(const std::string& text)
{
    if (!text.empty() && text.back() == '%')
        return digitsUpTo(text.substr(0, text.size() - 1), 100);
    return digitsUpTo(text, 100);
}

CyclePlace placeInList(int rowCount, const std::string& lastNumber, const std::string& lastSecondNumber)
{
    if (rowCount <= 0)
        return {0, 1};
    if (lastNumber.empty())
        return {rowCount - 1, 1};
    if (lastSecondNumber.empty())
        return {rowCount - 1, 6};
    return {rowCount, 1};
}

CycleResult runCopyCycle(TablePartner& table, PickerPartner& picker, MessageBoxes& messages)
{
    for (TableField field : kTableFields) {
        if (table.handle(field) == 0) {
            messages.show(kEmptyHandleText, kTitleInfo, MessageIcon::Stop);
            return {CycleOutcome::EmptyHandle, {}};
        }
    }
    for (PickerField field : kPickerFields) {
        if (picker.handle(field) == 0) {
            messages.show(kEmptyHandleText, kTitleInfo, MessageIcon::Stop);
            return {CycleOutcome::EmptyHandle, {}};
        }
    }

    const auto number = table.readField(TableField::Number, kMaxFieldBytes);
    const auto red = table.readField(TableField::Red, kMaxFieldBytes);
    const auto green = table.readField(TableField::Green, kMaxFieldBytes);
    const auto blue = table.readField(TableField::Blue, kMaxFieldBytes);
    if (!number || !red || !green || !blue) {
        unreachable(messages);
        return {CycleOutcome::Unreachable, {}};
    }
    // The channels are checked before anything is typed: the picker must never be left
    // holding part of a colour.
    const std::array<std::string, 3> channels = {trimmed(*red), trimmed(*green), trimmed(*blue)};
    for (const std::string& channel : channels) {
        if (!isChannelText(channel)) {
            notANumber(messages, channel);
            return {CycleOutcome::NotANumber, {}};
        }
    }

    const std::array<PickerField, 3> rgbFields = {PickerField::Red, PickerField::Green, PickerField::Blue};
    for (std::size_t i = 0; i < rgbFields.size(); ++i) {
        if (!picker.clearField(rgbFields[i])) {
            unreachable(messages);
            return {CycleOutcome::Unreachable, {}};
        }
        for (char c : channels[i]) {
            if (!picker.typeCharacter(rgbFields[i], c)) {
                unreachable(messages);
                return {CycleOutcome::Unreachable, {}};
            }
        }
    }

    const std::array<PickerField, 4> cmykFields = {PickerField::C, PickerField::M, PickerField::Y, PickerField::K};
    std::array<std::string, 5> values;  // C, M, Y, K and the thread number: five subitems
    for (std::size_t i = 0; i < cmykFields.size(); ++i) {
        const auto text = picker.readField(cmykFields[i], kMaxFieldBytes);
        if (!text) {
            unreachable(messages);
            return {CycleOutcome::Unreachable, {}};
        }
        std::string value = trimmed(*text);
        if (!isPercentText(value)) {
            notANumber(messages, value);
            return {CycleOutcome::NotANumber, {}};
        }
        if (value.back() == '%')
            value.pop_back();
        values[i] = value;
    }
    values[4] = *number;

    const auto count = table.rowCount();
    if (!count) {
        unreachable(messages);
        return {CycleOutcome::Unreachable, {}};
    }
    std::string lastNumber, lastSecond;
    if (*count > 0) {
        const auto first = table.cellText(*count - 1, 5, kMaxFieldBytes);
        const auto second = first && !first->empty() ? table.cellText(*count - 1, 10, kMaxFieldBytes)
                                                     : std::optional<std::string>(std::string());
        if (!first || !second) {
            unreachable(messages);
            return {CycleOutcome::Unreachable, {}};
        }
        lastNumber = *first;
        lastSecond = *second;
    }
    const CyclePlace place = placeInList(*count, lastNumber, lastSecond);
    if (place.row == *count && !table.insertRow(place.row, std::to_string(place.row))) {
        unreachable(messages);
        return {CycleOutcome::Unreachable, {}};
    }
    for (int i = 0; i < 5; ++i) {
        if (!table.setCellText(place.row, place.firstColumn + i, values[i])) {
            unreachable(messages);
            return {CycleOutcome::Unreachable, {}};
        }
    }
    return {CycleOutcome::Written, place};
}

}  // namespace brenmark::glimbert
