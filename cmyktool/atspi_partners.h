#pragma once
// The partners on a Linux desktop: the other programs' objects reached over the
// accessibility bus (AT-SPI). The table program is found by its window title and its
// controls by name (cmyktool/README.md has the convention); the picker's fields are grabbed
// by the user, one object under the pointer at a time.
#include "cmyktool/partners.h"

#include <array>
#include <memory>
#include <string>

typedef struct _AtspiAccessible AtspiAccessible;

namespace brenmark::glimbert {

// The window title of the table program (GBK); untranslated: the other program's own title.
inline constexpr const char* kTableWindowTitle = "CMYK绣线工具";

// Names the table program's controls answer to: their accessible id or accessible name.
const char* tableFieldName(TableField field);

// Connects to the accessibility bus once; false when there is none.
bool startAccessibility();

// One reference to an object of another program; 0 handle when empty.
class RemoteObject {
public:
    RemoteObject() = default;
    explicit RemoteObject(AtspiAccessible* adopted);
    RemoteObject(const RemoteObject& other);
    RemoteObject& operator=(const RemoteObject& other);
    ~RemoteObject();

    AtspiAccessible* get() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }
    // A short number for the object (bus name and path hashed), never 0.
    FieldHandle handle() const;

private:
    AtspiAccessible* object_ = nullptr;
};

// The object of another program at a screen point (the deepest one there), skipping this
// process's own windows; empty when there is none or the desktop gives no screen positions.
RemoteObject objectAtPoint(int x, int y);

class DesktopTable final : public TablePartner {
public:
    // Looks for the top-level window titled kTableWindowTitle and its five controls; what it
    // does not find stays empty.
    void find();
    bool foundAll() const;

    FieldHandle handle(TableField field) const override;
    std::optional<std::string> readField(TableField field, std::size_t maxBytes) override;
    std::optional<int> rowCount() override;
    std::optional<std::string> cellText(int row, int column, std::size_t maxBytes) override;
    bool insertRow(int row, const std::string& text) override;
    bool setCellText(int row, int column, const std::string& text) override;

private:
    std::array<RemoteObject, kTableFieldCount> fields_;
};

class DesktopPicker final : public PickerPartner {
public:
    void setField(PickerField field, RemoteObject object);
    // Takes the seven fields by accessible name ("Red" ... "K", as pickerFieldName gives
    // them) from the application, or else the top-level window, named owner (GBK), instead of
    // the user grabbing them one by one. Only objects with text count, so a label that names
    // a field is never taken for it. Fields it does not find keep what they had; true when
    // all seven are there.
    bool findByName(const std::string& owner);
    bool foundAll() const;
    RemoteObject field(PickerField field) const { return fields_[static_cast<int>(field)]; }

    FieldHandle handle(PickerField field) const override;
    bool clearField(PickerField field) override;
    bool typeCharacter(PickerField field, char character) override;
    std::optional<std::string> readField(PickerField field, std::size_t maxBytes) override;

private:
    std::array<RemoteObject, kPickerFieldCount> fields_;
};

}  // namespace brenmark::glimbert
