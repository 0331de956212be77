#pragma once
// The two programs the tool drives: the thread table ("CMYK绣线工具") and a colour picker.
// The copy cycle sees them only through these interfaces; the desktop backend talks to real
// windows over the accessibility bus, the built-in picker converts by itself, tests script
// both. Every text crossing these interfaces is GBK.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace brenmark::glimbert {

// A partner's fields. The table program's controls keep their window control ids as the
// names they are found by (see cmyktool/README.md).
enum class TableField { List, Number, Red, Green, Blue };
enum class PickerField { Red, Green, Blue, C, M, Y, K };

inline constexpr int kTableFieldCount = 5;
inline constexpr int kPickerFieldCount = 7;

// The picker fields' names in the dialog's captions and on the accessibility bus: "Red",
// "Green", "Blue", "C", "M", "Y", "K".
inline const char* pickerFieldName(PickerField field)
{
    static const char* const names[kPickerFieldCount] = {"Red", "Green", "Blue", "C", "M", "Y", "K"};
    return names[static_cast<int>(field)];
}

// An object of another program as the dialog shows it ("Red窗口:0x%x"); 0 = none yet.
using FieldHandle = std::uint32_t;

class TablePartner {
public:
    virtual ~TablePartner() = default;
    virtual FieldHandle handle(TableField field) const = 0;
    // The field's text, at most maxBytes; nothing when the program cannot be reached.
    virtual std::optional<std::string> readField(TableField field, std::size_t maxBytes) = 0;
    // The list: its rows, one cell's text, a new row (with the text of column 0), a cell's
    // new text. Nothing / false when the program cannot be reached.
    virtual std::optional<int> rowCount() = 0;
    virtual std::optional<std::string> cellText(int row, int column, std::size_t maxBytes) = 0;
    virtual bool insertRow(int row, const std::string& text) = 0;
    virtual bool setCellText(int row, int column, const std::string& text) = 0;
};

class PickerPartner {
public:
    virtual ~PickerPartner() = default;
    virtual FieldHandle handle(PickerField field) const = 0;
    // Empties the field; then each character is typed into it as if from the keyboard, so
    // the picker recalculates as it would for a user.
    virtual bool clearField(PickerField field) = 0;
    virtual bool typeCharacter(PickerField field, char character) = 0;
    virtual std::optional<std::string> readField(PickerField field, std::size_t maxBytes) = 0;
};

}  // namespace brenmark::glimbert
