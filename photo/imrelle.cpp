#include "photo/imrelle.h"

#include "editor/document/program_directory.h"
#include "editor/document/program_folders.h"
#include "editor/widgets/message_box.h"
#include "interchange/gbk_qstring.h"
#include "photo/photo_dialog.h"

#include <QApplication>

#include <algorithm>
#include <memory>

namespace brenmark {

namespace {

// What a dialog handle points at: the panel with its result, alive until CloseDlg.
struct PhotoDialogObject {
    explicit PhotoDialogObject(const std::string& programDir) : palettes(PaletteStore::forProgram(programDir)), panel(palettes) {}
    PaletteStore palettes;
    PhotoImportPanel panel;
    QtMessageBoxes messages;  // the dialog's refusals, over it
};

// The options and library the last dialog was left with, offered by the next (without its
// crop, which belonged to its photo).
struct Remembered {
    ConversionOptions options;
    std::string library;
};
Remembered& remembered()
{
    static Remembered last;
    return last;
}

}  // namespace

}  // namespace brenmark

extern "C" const brenmark::ConversionResult* ShowPhoto(std::int32_t* resultCode, bool* converted, void** dialog,
                                                       std::string* libraryName, bool option)
{
    using namespace brenmark;
    (void)option;
    if (!resultCode || !converted || !dialog || !libraryName)
        return nullptr;
    *resultCode = 0;
    *converted = false;
    *dialog = nullptr;
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return nullptr;
    try {
        auto object = std::make_unique<PhotoDialogObject>(programFolders().shipped);
        object->panel.options() = remembered().options;
        const auto& libraries = object->panel.libraries();
        if (const auto at = std::find(libraries.begin(), libraries.end(), remembered().library); at != libraries.end())
            object->panel.selectLibrary(static_cast<int>(at - libraries.begin()));
        int code = 2;
        {
            PhotoImportDialog window(object->panel, object->messages, QApplication::activeWindow());
            object->messages.setParent(&window);
            code = window.exec() == QDialog::Accepted ? 1 : 2;
            object->messages.setParent(nullptr);
        }
        remembered() = {object->panel.options(), object->panel.selectedLibraryName()};
        remembered().options.crop.reset();
        *resultCode = code;
        *converted = object->panel.converted();
        *libraryName = object->panel.convertedLibrary();
        const ConversionResult* result = &object->panel.result();
        *dialog = object.release();
        return result;
    } catch (...) {
        // Out of memory in the middle of a conversion: nothing converted, nothing to free.
        *resultCode = 0;
        *converted = false;
        return nullptr;
    }
}

extern "C" void CloseDlg(void* dialog)
{
    delete static_cast<brenmark::PhotoDialogObject*>(dialog);
}
