#pragma once
// The photo dialog as a plain object: the chosen photo, the thread library, the pattern size
// and the conversion. The dialog shows what the panel holds and forwards every choice, edit
// and button here; the command line runs the same conversion through convertPhoto.
#include "editor/document/palette_file.h"
#include "editor/document/user_prompts.h"
#include "editor/output/colour_matching.h"
#include "editor/output/picture_converter.h"
#include "editor/output/picture_file.h"
#include "interchange/ui_text.h"
#include "photo/gif_decoder.h"
#include "photo/photo_conversion.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace brenmark {

inline constexpr const char* kTitleImportPhoto = UI_TEXT_NOOP("导入照片");
inline constexpr const char* kPhotoFilter = UI_TEXT_NOOP("照片文件 (.gif)|*.gif|");
inline constexpr const char* kLibraryCaption = UI_TEXT_NOOP("选择绣线种类");
// "转换" before any photo was chosen.
inline constexpr const char* kMsgNoPhoto = UI_TEXT_NOOP("请先选择一个GIF照片文件");

// The photo drawn at width x height and converted against the library colours, its colour
// table giving the candidates. An empty result for a size below 1 or an empty library.
// Options other than the plain ones match the photo's pixels themselves (colour_matching.h).
ConversionResult convertPhoto(const GifPicture& photo, int width, int height, std::span<const ColorRef> library,
                              ProgressReport* progress = nullptr, PhotoConversionState* state = nullptr,
                              const ConversionOptions& options = {});

class PhotoImportPanel {
public:
    explicit PhotoImportPanel(const PaletteStore& palettes);

    // "选择绣线种类": the program's one brand list (every brand with a palette); "DMC"
    // selected at first when it is there, as in the picture dialog.
    const std::vector<std::string>& libraries() const { return libraries_; }
    int selectedLibrary() const { return library_; }
    void selectLibrary(int index);
    std::string selectedLibraryName() const;

    // A file was chosen: it is decoded, its size shown ("宽", "高") and copied into the
    // pattern size, and any conversion is dropped. A file that is no readable GIF shows no
    // size and empty edits, and photoProblem() says why; returns whether it is one.
    bool selectPhoto(const std::string& path);
    const std::string& photoPath() const { return path_; }
    const std::optional<GifPicture>& photo() const { return photo_; }
    GifProblem photoProblem() const { return problem_; }
    std::optional<PictureSize> photoSize() const;

    // "绣图宽", "绣图高": the typed text, and the other side following it in proportion.
    const std::string& widthText() const { return widthText_; }
    const std::string& heightText() const { return heightText_; }
    void editWidth(const std::string& text);
    void editHeight(const std::string& text);

    // The part of the photo converted: a rectangle dragged on the preview, or the whole photo
    // again (nothing). The height follows the crop's proportions at the typed width. A new
    // photo starts whole.
    void setCrop(const std::optional<CropRect>& crop);
    // The crop, or the whole photo; nothing without a photo.
    std::optional<CropRect> shownArea() const;

    // "转换". No readable photo, a side outside 1 .. kMaxConvertedSide or a library without
    // threads is refused with a message, and whatever was converted before stays. A
    // conversion replaces the one before. True once converted.
    bool convert(MessageBoxes* messages, ProgressReport* progress = nullptr);

    bool converted() const { return converted_; }
    const ConversionResult& result() const { return result_; }
    const PhotoConversionState& state() const { return state_; }
    // "色差算法", "抖动", "最多绣线数": what the next "转换" converts with.
    ConversionOptions& options() { return options_; }
    // The library of the last conversion.
    const std::string& convertedLibrary() const { return convertedLibrary_; }
    // "绣线数:%d", or "绣线数" without a conversion.
    std::string threadCountCaption() const;
    // "单针:%.1f%%" after a conversion, "单针" before.
    std::string confettiCaption() const;

private:
    void dropConversion();

    const PaletteStore& palettes_;
    std::vector<std::string> libraries_;
    int library_ = 0;
    std::string path_;
    std::optional<GifPicture> photo_;
    GifProblem problem_ = GifProblem::None;
    std::string widthText_, heightText_;
    ConversionResult result_;
    PhotoConversionState state_;
    ConversionOptions options_;
    std::string convertedLibrary_;
    bool converted_ = false;
};

}  // namespace brenmark
