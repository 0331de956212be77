// glimbert: fills the CMYK thread table of the program titled "CMYK绣线工具" from a colour
// picker's fields, one thread per Ctrl+F9 (or per "自动填数" where the desktop has no
// global keys).
//
// For scripts (and the end-to-end test) two options replace the hands on mouse and keys:
//   --picker-app NAME    the picker's fields are taken by accessible name ("Red" ... "K")
//                        from the application, or top-level window, named NAME;
//   --cycles-from-stdin  each line "cycle" on standard input runs one copy cycle and prints
//                        its outcome ("Written ROW COLUMN", "EmptyHandle", "Unreachable",
//                        "NotANumber"); "status" prints what was found; messages go to
//                        standard error instead of message boxes.
#include "cmyktool/atspi_partners.h"
#include "cmyktool/glimbert_dialog.h"
#include "cmyktool/global_hotkey.h"
#include "cmyktool/qt_messages.h"
#include "cmyktool/stdin_lines.h"
#include "interchange/ui_text.h"

#include "editor/document/program_folders.h"
#include "interchange/gbk_qstring.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>

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

// The picker named on the command line, looked up again while fields are missing (the
// picker may have started after us).
class PickerOnDemand final : public PickerPartner {
public:
    PickerOnDemand(DesktopPicker& picker, std::string owner) : picker_(picker), owner_(std::move(owner)) {}
    FieldHandle handle(PickerField field) const override
    {
        if (!picker_.foundAll())
            picker_.findByName(owner_);
        return picker_.handle(field);
    }
    bool clearField(PickerField field) override { return picker_.clearField(field); }
    bool typeCharacter(PickerField field, char c) override { return picker_.typeCharacter(field, c); }
    std::optional<std::string> readField(PickerField f, std::size_t n) override { return picker_.readField(f, n); }

private:
    DesktopPicker& picker_;
    std::string owner_;
};

// Messages of an unattended run: one line each on standard error, nobody to press OK.
class StderrMessages final : public MessageBoxes {
public:
    void show(const std::string& text, const std::string& title, MessageIcon) override
    {
        std::fprintf(stderr, "%s: %s\n", gbkToUtf8(title).c_str(), gbkToUtf8(text).c_str());
        std::fflush(stderr);
    }
};

const char* outcomeName(CycleOutcome outcome)
{
    switch (outcome) {
    case CycleOutcome::Written: return "Written";
    case CycleOutcome::EmptyHandle: return "EmptyHandle";
    case CycleOutcome::Unreachable: return "Unreachable";
    case CycleOutcome::NotANumber: return "NotANumber";
    }
    return "";
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption pickerApp(u"picker-app"_qs,
                                       u"Take the picker's fields by accessible name from the application "
                                       "(or top-level window) NAME instead of grabbing them."_qs,
                                       u"NAME"_qs);
    const QCommandLineOption fromStdin(u"cycles-from-stdin"_qs,
                                       u"Run one copy cycle per line \"cycle\" on standard input and print "
                                       "its outcome; messages go to standard error."_qs);
    const QCommandLineOption language(u"lang"_qs, u"The interface's language: zh or en (else BRENMARK_LANG, else the locale)."_qs,
                                      u"LANGUAGE"_qs);
    parser.addOption(pickerApp);
    parser.addOption(fromStdin);
    parser.addOption(language);
    parser.process(app);
    std::vector<std::string> languageArgs;
    if (parser.isSet(language))
        languageArgs = {"--lang", parser.value(language).toStdString()};
    startUiLanguage(languageArgs, 0, programFolders().shipped, std::nullopt);
    const bool unattended = parser.isSet(fromStdin);

    QtMessages boxes;
    StderrMessages lines;
    MessageBoxes& messages = unattended ? static_cast<MessageBoxes&>(lines) : boxes;

    DesktopTable table;
    DesktopPicker picker;
    const std::string pickerOwner = parser.isSet(pickerApp) ? toGbk(parser.value(pickerApp)) : std::string();
    if (startAccessibility()) {
        table.find();
        if (!pickerOwner.empty())
            picker.findByName(pickerOwner);
    } else {
        messages.show(kUnreachableText, kUnreachableTitle, MessageIcon::Stop);
    }
    TableOnDemand tableOnDemand(table);
    PickerOnDemand pickerByName(picker, pickerOwner);
    BuiltinPicker builtin;

    DialogPartners partners;
    partners.table = &tableOnDemand;
    partners.grabbedPicker = pickerOwner.empty() ? static_cast<PickerPartner*>(&picker) : &pickerByName;
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

    StdinLines input;
    if (unattended) {
        QObject::connect(&input, &StdinLines::finished, &app, &QApplication::quit);
        QObject::connect(&input, &StdinLines::line, &dialog, [&](const QString& line) {
            if (line == u"cycle") {
                const CycleResult result = dialog.runCycle();
                QString text = QString::fromLatin1(outcomeName(result.outcome));
                if (result.outcome == CycleOutcome::Written)
                    text += u" %1 %2"_qs.arg(result.place.row).arg(result.place.firstColumn);
                printLine(text);
            } else if (line == u"status") {
                if (!pickerOwner.empty() && !picker.foundAll())
                    picker.findByName(pickerOwner);
                if (!table.foundAll())
                    table.find();
                dialog.refreshCaptions();
                printLine(u"table %1 picker %2"_qs.arg(table.foundAll() ? u"found"_qs : u"missing"_qs,
                                                       picker.foundAll() ? u"found"_qs : u"missing"_qs));
            } else if (line == u"quit") {
                app.quit();
            } else if (!line.isEmpty()) {
                printLine(u"unknown "_qs + line);
            }
        });
    }
    return app.exec();
}
