// Kept free of Qt: the GLib headers and Qt's keywords do not mix.
#include "cmyktool/atspi_partners.h"

#include "interchange/code_page.h"

#include <atspi/atspi.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <thread>

namespace brenmark::glimbert {
namespace {

// A walk over another program's objects stops here, so a huge or cyclic tree cannot hang us.
constexpr int kMaxDepth = 24;
constexpr int kMaxObjects = 4000;
// How long a typed key may take to reach the field before it is inserted instead.
constexpr auto kKeyWait = std::chrono::milliseconds(400);
// The list offers this action to add a row at its end.
constexpr const char* kInsertRowAction = "insertRow";

// Takes the text atspi returns and frees it; an error is a failed call.
std::optional<std::string> owned(gchar* text, GError* error)
{
    if (error) {
        g_error_free(error);
        g_free(text);
        return std::nullopt;
    }
    std::string result = text ? text : "";
    g_free(text);
    return result;
}

bool succeeded(gboolean ok, GError* error)
{
    if (error) {
        g_error_free(error);
        return false;
    }
    return ok != FALSE;
}

// Texts on the bus are UTF-8; ours are GBK, cut to maxBytes on a character boundary.
std::string boundedGbk(const std::string& utf8, std::size_t maxBytes)
{
    return std::string(gbkPrefix(utf8ToGbk(utf8), maxBytes));
}

std::optional<std::string> objectText(AtspiAccessible* object, std::size_t maxBytes)
{
    if (!object)
        return std::nullopt;
    if (AtspiText* text = atspi_accessible_get_text_iface(object)) {
        GError* error = nullptr;
        gint count = atspi_text_get_character_count(text, &error);
        if (error) {
            g_error_free(error);
            g_object_unref(text);
            return std::nullopt;
        }
        // A character is at most four bytes of UTF-8 and at least one: no more characters than
        // bytes are ever needed.
        if (count > static_cast<gint>(maxBytes))
            count = static_cast<gint>(maxBytes);
        auto result = owned(atspi_text_get_text(text, 0, count, &error), error);
        g_object_unref(text);
        if (!result)
            return std::nullopt;
        return boundedGbk(*result, maxBytes);
    }
    GError* error = nullptr;
    auto name = owned(atspi_accessible_get_name(object, &error), error);
    if (!name)
        return std::nullopt;
    return boundedGbk(*name, maxBytes);
}

bool setObjectText(AtspiAccessible* object, const std::string& gbk)
{
    AtspiEditableText* editable = object ? atspi_accessible_get_editable_text_iface(object) : nullptr;
    if (!editable)
        return false;
    GError* error = nullptr;
    const bool ok = succeeded(atspi_editable_text_set_text_contents(editable, gbkToUtf8(gbk).c_str(), &error), error);
    g_object_unref(editable);
    return ok;
}

// What a visitor of walk wants next.
enum class Visit { Descend, Skip, Stop };

// Visits object and its descendants depth first until visit says Stop (then true).
bool walk(AtspiAccessible* object, int depth, int& budget, const std::function<Visit(AtspiAccessible*)>& visit)
{
    if (!object || depth > kMaxDepth || --budget < 0)
        return false;
    const Visit next = visit(object);
    if (next != Visit::Descend)
        return next == Visit::Stop;
    GError* error = nullptr;
    const gint count = atspi_accessible_get_child_count(object, &error);
    if (error) {
        g_error_free(error);
        return false;
    }
    for (gint i = 0; i < count && budget > 0; ++i) {
        AtspiAccessible* child = atspi_accessible_get_child_at_index(object, i, &error);
        if (error) {
            g_error_free(error);
            error = nullptr;
            continue;
        }
        const bool done = walk(child, depth + 1, budget, visit);
        if (child)
            g_object_unref(child);
        if (done)
            return true;
    }
    return false;
}

std::string nameOf(AtspiAccessible* object)
{
    GError* error = nullptr;
    return owned(atspi_accessible_get_name(object, &error), error).value_or(std::string());
}

std::string idOf(AtspiAccessible* object)
{
    GError* error = nullptr;
    return owned(atspi_accessible_get_accessible_id(object, &error), error).value_or(std::string());
}

bool isOurs(AtspiAccessible* object)
{
    GError* error = nullptr;
    const guint pid = atspi_accessible_get_process_id(object, &error);
    if (error) {
        g_error_free(error);
        return false;
    }
    return pid == static_cast<guint>(getpid());
}


bool hasInterface(AtspiAccessible* object, GObject* (*get)(AtspiAccessible*))
{
    GObject* iface = get(object);
    if (iface)
        g_object_unref(iface);
    return iface != nullptr;
}

GObject* textIface(AtspiAccessible* object)
{
    return G_OBJECT(atspi_accessible_get_text_iface(object));
}

GObject* tableIface(AtspiAccessible* object)
{
    return G_OBJECT(atspi_accessible_get_table_iface(object));
}

// True when the object has the keyboard focus now.
bool hasFocus(AtspiAccessible* object)
{
    AtspiStateSet* states = atspi_accessible_get_state_set(object);
    if (!states)
        return false;
    const bool focused = atspi_state_set_contains(states, ATSPI_STATE_FOCUSED) != FALSE;
    g_object_unref(states);
    return focused;
}

// An object that holds text a field can be read from: a label that names a field is not one.
bool isTextField(AtspiAccessible* object)
{
    if (!hasInterface(object, textIface))
        return false;
    GError* error = nullptr;
    const AtspiRole role = atspi_accessible_get_role(object, &error);
    if (error) {
        g_error_free(error);
        return false;
    }
    return role != ATSPI_ROLE_LABEL && role != ATSPI_ROLE_STATIC && role != ATSPI_ROLE_CAPTION;
}

// Calls visit with each application on the bus other than this program, until it returns
// an object. One application's error (a program that went away) skips only that one.
RemoteObject firstOfOtherApplications(const std::function<RemoteObject(AtspiAccessible*)>& visit)
{
    AtspiAccessible* desktop = atspi_get_desktop(0);
    if (!desktop)
        return {};
    RemoteObject found;
    GError* error = nullptr;
    const gint apps = atspi_accessible_get_child_count(desktop, &error);
    if (error) {
        g_error_free(error);
        g_object_unref(desktop);
        return {};
    }
    for (gint a = 0; a < apps && !found; ++a) {
        AtspiAccessible* app = atspi_accessible_get_child_at_index(desktop, a, &error);
        if (error) {
            g_error_free(error);
            error = nullptr;
        } else if (app && !isOurs(app)) {
            found = visit(app);
        }
        if (app)
            g_object_unref(app);
    }
    g_object_unref(desktop);
    return found;
}

// The first top-level object (an application when wantApplication, else a window of one)
// whose accessible name is name (UTF-8).
RemoteObject topLevelNamed(const std::string& name, bool wantApplication)
{
    return firstOfOtherApplications([&](AtspiAccessible* app) -> RemoteObject {
        if (wantApplication)
            return nameOf(app) == name ? RemoteObject(static_cast<AtspiAccessible*>(g_object_ref(app))) : RemoteObject();
        RemoteObject found;
        GError* error = nullptr;
        const gint windows = atspi_accessible_get_child_count(app, &error);
        for (gint w = 0; !error && w < windows && !found; ++w) {
            AtspiAccessible* top = atspi_accessible_get_child_at_index(app, w, &error);
            if (top && !error && nameOf(top) == name) {
                found = RemoteObject(top);
                top = nullptr;
            }
            if (top)
                g_object_unref(top);
        }
        if (error)
            g_error_free(error);
        return found;
    });
}

}  // namespace

const char* tableFieldName(TableField field)
{
    switch (field) {
    case TableField::List: return "1002";
    case TableField::Number: return "1006";
    case TableField::Red: return "1007";
    case TableField::Green: return "1008";
    case TableField::Blue: return "1009";
    }
    return "";
}

bool startAccessibility()
{
    static const bool started = [] {
        const int status = atspi_init();
        if (status != 0 && status != 1)
            return false;
        AtspiAccessible* desktop = atspi_get_desktop(0);
        if (!desktop)
            return false;
        GError* error = nullptr;
        atspi_accessible_get_child_count(desktop, &error);
        g_object_unref(desktop);
        if (error) {
            g_error_free(error);
            return false;
        }
        return true;
    }();
    return started;
}

RemoteObject::RemoteObject(AtspiAccessible* adopted) : object_(adopted) {}

RemoteObject::RemoteObject(const RemoteObject& other) : object_(other.object_)
{
    if (object_)
        g_object_ref(object_);
}

RemoteObject& RemoteObject::operator=(const RemoteObject& other)
{
    if (this != &other) {
        if (other.object_)
            g_object_ref(other.object_);
        if (object_)
            g_object_unref(object_);
        object_ = other.object_;
    }
    return *this;
}

RemoteObject::~RemoteObject()
{
    if (object_)
        g_object_unref(object_);
}

FieldHandle RemoteObject::handle() const
{
    if (!object_)
        return 0;
    std::string key;
    if (const gchar* bus = object_->parent.app ? object_->parent.app->bus_name : nullptr)
        key = bus;
    if (object_->parent.path)
        key += object_->parent.path;
    std::uint32_t hash = 2166136261u;  // FNV-1a
    for (unsigned char c : key)
        hash = (hash ^ c) * 16777619u;
    return hash ? hash : 1;
}

RemoteObject objectAtPoint(int x, int y)
{
    if (!startAccessibility())
        return {};
    return firstOfOtherApplications([x, y](AtspiAccessible* app) -> RemoteObject {
        RemoteObject found;
        GError* error = nullptr;
        const gint windows = atspi_accessible_get_child_count(app, &error);
        for (gint w = 0; !error && w < windows && !found; ++w) {
            AtspiAccessible* window = atspi_accessible_get_child_at_index(app, w, &error);
            if (error || !window)
                break;
            AtspiComponent* outer = atspi_accessible_get_component_iface(window);
            const bool inside = outer && atspi_component_contains(outer, x, y, ATSPI_COORD_TYPE_SCREEN, &error);
            if (outer)
                g_object_unref(outer);
            if (error || !inside) {
                g_object_unref(window);
                continue;
            }
            AtspiAccessible* current = window;  // the reference we hold
            for (int depth = 0; depth < kMaxDepth; ++depth) {
                AtspiComponent* component = atspi_accessible_get_component_iface(current);
                if (!component)
                    break;
                AtspiAccessible* inner =
                    atspi_component_get_accessible_at_point(component, x, y, ATSPI_COORD_TYPE_SCREEN, &error);
                g_object_unref(component);
                if (error || !inner || inner == current) {
                    if (inner)
                        g_object_unref(inner);
                    break;
                }
                g_object_unref(current);
                current = inner;
            }
            // The window itself is no field: only an object inside it is taken.
            if (current != window) {
                found = RemoteObject(current);
                continue;
            }
            g_object_unref(current);
        }
        if (error)
            g_error_free(error);
        return found;
    });
}

void DesktopTable::find()
{
    fields_ = {};
    if (!startAccessibility())
        return;
    const RemoteObject window = topLevelNamed(gbkToUtf8(kTableWindowTitle), false);
    if (!window)
        return;

    int budget = kMaxObjects;
    walk(window.get(), 0, budget, [this](AtspiAccessible* object) {
        const std::string id = idOf(object), name = nameOf(object);
        for (int f = 0; f < kTableFieldCount; ++f) {
            const std::string wanted = tableFieldName(static_cast<TableField>(f));
            if (fields_[f] || (id != wanted && name != wanted))
                continue;
            const bool fits = f == 0 ? hasInterface(object, tableIface) : isTextField(object);
            if (!fits)
                continue;
            g_object_ref(object);
            fields_[f] = RemoteObject(object);
            // A control's own parts (the list's cells) are no other control.
            return foundAll() ? Visit::Stop : Visit::Skip;
        }
        return Visit::Descend;
    });
}

bool DesktopTable::foundAll() const
{
    for (const RemoteObject& field : fields_)
        if (!field)
            return false;
    return true;
}

FieldHandle DesktopTable::handle(TableField field) const
{
    return fields_[static_cast<int>(field)].handle();
}

std::optional<std::string> DesktopTable::readField(TableField field, std::size_t maxBytes)
{
    return objectText(fields_[static_cast<int>(field)].get(), maxBytes);
}

std::optional<int> DesktopTable::rowCount()
{
    ::AtspiTable* table = nullptr;
    if (AtspiAccessible* list = fields_[0].get())
        table = atspi_accessible_get_table_iface(list);
    if (!table)
        return std::nullopt;
    GError* error = nullptr;
    const gint rows = atspi_table_get_n_rows(table, &error);
    g_object_unref(table);
    if (error) {
        g_error_free(error);
        return std::nullopt;
    }
    return rows;
}

namespace {

RemoteObject cellAt(AtspiAccessible* list, int row, int column)
{
    ::AtspiTable* table = list ? atspi_accessible_get_table_iface(list) : nullptr;
    if (!table)
        return {};
    GError* error = nullptr;
    AtspiAccessible* cell = atspi_table_get_accessible_at(table, row, column, &error);
    g_object_unref(table);
    if (error) {
        g_error_free(error);
        if (cell)
            g_object_unref(cell);
        return {};
    }
    return RemoteObject(cell);
}

}  // namespace

std::optional<std::string> DesktopTable::cellText(int row, int column, std::size_t maxBytes)
{
    const RemoteObject cell = cellAt(fields_[0].get(), row, column);
    return objectText(cell.get(), maxBytes);
}

bool DesktopTable::insertRow(int row, const std::string& text)
{
    AtspiAccessible* list = fields_[0].get();
    AtspiAction* action = list ? atspi_accessible_get_action_iface(list) : nullptr;
    if (!action)
        return false;
    GError* error = nullptr;
    const gint count = atspi_action_get_n_actions(action, &error);
    bool ran = false;
    for (gint i = 0; !error && i < count && !ran; ++i) {
        const auto name = owned(atspi_action_get_action_name(action, i, &error), error);
        error = nullptr;
        if (name && *name == kInsertRowAction)
            ran = succeeded(atspi_action_do_action(action, i, &error), error);
    }
    if (error)
        g_error_free(error);
    g_object_unref(action);
    const auto rows = rowCount();
    return ran && rows && *rows > row && setCellText(row, 0, text);
}

bool DesktopTable::setCellText(int row, int column, const std::string& text)
{
    const RemoteObject cell = cellAt(fields_[0].get(), row, column);
    return setObjectText(cell.get(), text);
}

void DesktopPicker::setField(PickerField field, RemoteObject object)
{
    fields_[static_cast<int>(field)] = std::move(object);
}

bool DesktopPicker::findByName(const std::string& owner)
{
    if (!startAccessibility())
        return false;
    const std::string name = gbkToUtf8(owner);
    RemoteObject scope = topLevelNamed(name, true);
    if (!scope)
        scope = topLevelNamed(name, false);
    if (!scope)
        return false;
    std::array<RemoteObject, kPickerFieldCount> found;
    int budget = kMaxObjects;
    walk(scope.get(), 0, budget, [&found](AtspiAccessible* object) {
        const std::string objectName = nameOf(object);
        for (int f = 0; f < kPickerFieldCount; ++f) {
            if (found[f] || objectName != pickerFieldName(static_cast<PickerField>(f)) || !isTextField(object))
                continue;
            g_object_ref(object);
            found[f] = RemoteObject(object);
            for (const RemoteObject& field : found)
                if (!field)
                    return Visit::Skip;
            return Visit::Stop;
        }
        return Visit::Descend;
    });
    for (int f = 0; f < kPickerFieldCount; ++f)
        if (found[f])
            fields_[f] = found[f];
    return foundAll();
}

bool DesktopPicker::foundAll() const
{
    for (const RemoteObject& field : fields_)
        if (!field)
            return false;
    return true;
}

FieldHandle DesktopPicker::handle(PickerField field) const
{
    return fields_[static_cast<int>(field)].handle();
}

bool DesktopPicker::clearField(PickerField field)
{
    return setObjectText(fields_[static_cast<int>(field)].get(), std::string());
}

bool DesktopPicker::typeCharacter(PickerField field, char character)
{
    AtspiAccessible* object = fields_[static_cast<int>(field)].get();
    const auto before = objectText(object, 4096);
    if (!before)
        return false;
    const std::string wanted = *before + character;
    const char typed[2] = {character, '\0'};

    // A real key press is what a picker reacts to most surely, but a key goes wherever the
    // desktop's keyboard focus is: it is sent only when the field itself has the focus, or it
    // would type into whichever window the user was in (the table program, say).
    if (AtspiComponent* component = atspi_accessible_get_component_iface(object)) {
        GError* error = nullptr;
        const bool asked = succeeded(atspi_component_grab_focus(component, &error), error);
        g_object_unref(component);
        error = nullptr;
        if (asked && hasFocus(object) &&
            succeeded(atspi_generate_keyboard_event(0, typed, ATSPI_KEY_STRING, &error), error)) {
            const auto until = std::chrono::steady_clock::now() + kKeyWait;
            while (std::chrono::steady_clock::now() < until) {
                const auto now = objectText(object, 4096);
                if (now && *now == wanted)
                    return true;
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        }
    }
    // No key reached it (no focus on this desktop, no key synthesis): insert the character
    // at the end as the field's own editing would, unless a late key did it meanwhile.
    const auto now = objectText(object, 4096);
    if (!now)
        return false;
    if (*now == wanted)
        return true;
    if (*now != *before)
        return false;
    AtspiEditableText* editable = atspi_accessible_get_editable_text_iface(object);
    if (!editable)
        return false;
    GError* error = nullptr;
    const gint end = static_cast<gint>(g_utf8_strlen(gbkToUtf8(*now).c_str(), -1));
    const bool ok = succeeded(atspi_editable_text_insert_text(editable, end, typed, 1, &error), error);
    g_object_unref(editable);
    return ok;
}

std::optional<std::string> DesktopPicker::readField(PickerField field, std::size_t maxBytes)
{
    return objectText(fields_[static_cast<int>(field)].get(), maxBytes);
}

}  // namespace brenmark::glimbert
