#include "editor/app/photo_dialogs.h"

#include "photo/imrelle.h"

namespace brenmark {

std::optional<PhotoImport> LibraryPhotoDialogs::importPhoto()
{
    std::int32_t code = 0;
    bool converted = false;
    void* dialog = nullptr;
    std::string library;
    const ConversionResult* result = ShowPhoto(&code, &converted, &dialog, &library, true);
    std::optional<PhotoImport> chosen;
    // The result belongs to the dialog: it is copied before the dialog goes.
    if (result && code == 1 && converted)
        chosen = PhotoImport{*result, library};
    if (dialog)
        CloseDlg(dialog);
    return chosen;
}

}  // namespace brenmark
