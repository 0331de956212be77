#pragma once
// "导入照片": the photo dialog of the photo library, behind an interface the tests script.
// The picture commands route the menu command; a PictureDialogs that also is a
// PhotoDialogs shows the photo dialog too, and otherwise the library's own dialog is shown.
#include "editor/output/picture_converter.h"

#include <optional>
#include <string>

namespace brenmark {

class EditorSession;

// What the photo dialog hands back: the conversion and the thread library it used.
struct PhotoImport {
    ConversionResult result;
    std::string library;
};

class PhotoDialogs {
public:
    virtual ~PhotoDialogs() = default;
    // The dialog, modal. A copy of the conversion when it was closed with OK after one;
    // nothing when it was cancelled or closed without a conversion.
    virtual std::optional<PhotoImport> importPhoto() = 0;
};

// The photo library's dialog through ShowPhoto and CloseDlg.
class LibraryPhotoDialogs final : public PhotoDialogs {
public:
    std::optional<PhotoImport> importPhoto() override;
};

// The command: the save prompt, the photo dialog, then the conversion installed as a new
// untitled pattern of the library's brand on white fabric, as a picture import does.
// Cancelling, closing without a conversion or a library without threads leave the open
// pattern exactly as it was.
bool importPhoto(EditorSession& session, PhotoDialogs& dialogs);

}  // namespace brenmark
