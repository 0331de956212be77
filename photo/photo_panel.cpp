#include "photo/photo_panel.h"

#include "editor/output/conversion_quality.h"
#include "editor/output/picture_import.h"
#include "photo/photo_picture.h"

#include <algorithm>

namespace brenmark {

ConversionResult convertPhoto(const GifPicture& photo, int width, int height, std::span<const ColorRef> library,
                              ProgressReport* progress, PhotoConversionState* state, const ConversionOptions& options)
{
    if (width < 1 || height < 1 || library.empty())
        return {};
    if (!options.plain()) {
        // The options modes average each cell's area of the photo in linear light.
        const std::vector<ColorRef> pixels = averagedPhotoPixels(photo, width, height, options.crop);
        if (pixels.empty())
            return {};
        return convertPixelsWith(pixels, width, height, library, options, progress);
    }
    const std::vector<ColorRef> pixels = photoPixels(photo, width, height);
    return convertPhotoPixels(pixels, width, height, photo.colours, library, progress, state);
}

PhotoImportPanel::PhotoImportPanel(const PaletteStore& palettes)
    : palettes_(palettes), libraries_(palettes.threadKindList())
{
    library_ = defaultThreadKind(libraries_);
}

void PhotoImportPanel::selectLibrary(int index)
{
    if (index >= 0 && index < static_cast<int>(libraries_.size()))
        library_ = index;
}

std::string PhotoImportPanel::selectedLibraryName() const
{
    return library_ >= 0 && library_ < static_cast<int>(libraries_.size()) ? libraries_[static_cast<std::size_t>(library_)]
                                                                           : std::string();
}

bool PhotoImportPanel::selectPhoto(const std::string& path)
{
    path_ = path;
    GifReadResult read = readGifFile(path);
    photo_ = std::move(read.picture);
    problem_ = read.problem;
    options_.crop.reset();
    const auto size = photoSize();
    widthText_ = size ? std::to_string(size->width) : std::string();
    heightText_ = size ? std::to_string(size->height) : std::string();
    dropConversion();
    return photo_.has_value();
}

std::optional<PictureSize> PhotoImportPanel::photoSize() const
{
    if (!photo_)
        return std::nullopt;
    return PictureSize{photo_->width, photo_->height};
}

void PhotoImportPanel::editWidth(const std::string& text)
{
    widthText_ = text;
    if (const auto area = shownArea())
        heightText_ = std::to_string(proportionalHeight({area->width, area->height}, readDecimal(text)));
}

void PhotoImportPanel::editHeight(const std::string& text)
{
    heightText_ = text;
    if (const auto area = shownArea())
        widthText_ = std::to_string(proportionalWidth({area->width, area->height}, readDecimal(text)));
}

std::optional<CropRect> PhotoImportPanel::shownArea() const
{
    if (!photo_)
        return std::nullopt;
    return options_.crop.value_or(CropRect{0, 0, photo_->width, photo_->height});
}

void PhotoImportPanel::setCrop(const std::optional<CropRect>& crop)
{
    if (!photo_)
        return;
    options_.crop = crop ? clampCrop(*crop, photo_->width, photo_->height) : std::nullopt;
    editWidth(widthText_);
}

std::string PhotoImportPanel::confettiCaption() const
{
    return confettiShareText(converted_ ? result_ : ConversionResult{});
}

bool PhotoImportPanel::convert(MessageBoxes* messages, ProgressReport* progress)
{
    auto refuse = [messages](const std::string& text, const char* title, MessageIcon icon) {
        if (messages)
            messages->show(text, title, icon);
        return false;
    };
    if (!photo_)
        return refuse(path_.empty() ? std::string(kMsgNoPhoto) : gifProblemText(problem_), kTitleInfo,
                      MessageIcon::Information);
    const std::string library = selectedLibraryName();
    Palette palette;
    if (!palettes_.load(library, palette) || palette.size() == 0)
        return refuse(paletteUnusableMessage(library), kTitleInfo, MessageIcon::Information);
    const int width = readDecimal(widthText_);
    const int height = readDecimal(heightText_);
    if (!acceptableSide(width) || !acceptableSide(height))
        return refuse(kMsgBadConvertSize, kTitleWarning, MessageIcon::Warning);
    if (progress)
        progress->setPosition(0);
    PhotoConversionState state;
    ConversionResult result = convertPhoto(*photo_, width, height, palette.colors, progress, &state, options_);
    if (result.empty())
        return false;
    result_ = std::move(result);
    state_ = std::move(state);
    convertedLibrary_ = library;
    converted_ = true;
    return true;
}

std::string PhotoImportPanel::threadCountCaption() const
{
    return threadCountText(converted_ ? result_.colorCount() : 0);
}

void PhotoImportPanel::dropConversion()
{
    converted_ = false;
    result_ = ConversionResult{};
    state_ = PhotoConversionState{};
    convertedLibrary_.clear();
}

}  // namespace brenmark
