// glimbert: fills the CMYK thread table of the program titled "CMYK绣线工具" from a colour
// picker's fields, one thread per Ctrl+F9 (or per "自动填数" where the desktop has no
// global keys).
#include "cmyktool/atspi_partners.h"
#include "cmyktool/global_hotkey.h"
#include "cmyktool/glimbert_dialog.h"
#include "cmyktool/qt_messages.h"

#include "editor/render/gbk_qstring.h"

#include <QApplication>

using namespace brenmark;
using namespace brenmark::glimbert;

namespace {

// The table program found at start-up; if it was not running then, the cycle looks again
// rather than refusing until the tool is restarted.
class TableOnDemand final : public TablePartner {
public:
    explicit TableOnDemand(DesktopTable& table) : table_(table) {}
    FieldHandle handle(TableField field) const override
    {
        if (!table_.foundAll())
            table_.find();
        return table_.handle(field);
    }
    std::optional<std::string> readField(TableField f, std::size_t n) override { return table_.readField(f, n); }
    std::optional<int> rowCount() override { return table_.rowCount(); }
    std::optional<std::string> cellText(int r, int c, std::size_t n) override { return table_.cellText(r, c, n); }
    bool insertRow(int row, const std::string& text) override { return table_.insertRow(row, text); }
    bool setCellText(int r, int c, const std::string& text) override { return table_.setCellText(r, c, text); }

private:
    DesktopTable& table_;
};

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QtMessages messages;

    DesktopTable table;
    if (startAccessibility())
        table.find();
    else
        messages.show(kUnreachableText, kUnreachableTitle, MessageIcon::Stop);
    TableOnDemand tableOnDemand(table);
    DesktopPicker picker;
    BuiltinPicker builtin;

    DialogPartners partners;
    partners.table = &tableOnDemand;
    partners.grabbedPicker = &picker;
    partners.builtinPicker = &builtin;
    partners.messages = &messages;
    partners.grab = [&picker](PickerField target, QPoint at) {
        RemoteObject object = objectAtPoint(at.x(), at.y());
        const FieldHandle handle = object.handle();
        if (object)
            picker.setField(target, std::move(object));
        return handle;
    };

    GlobalHotKey hotKey;
    GlimbertDialog dialog(partners, hotKey.active());
    QObject::connect(&hotKey, &GlobalHotKey::pressed, &dialog, [&dialog] { dialog.runCycle(); });
    QObject::connect(&dialog, &GlimbertDialog::aboutRequested, &dialog, [&dialog] { showAbout(&dialog); });
    dialog.show();
    return app.exec();
}
