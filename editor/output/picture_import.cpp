#include "editor/output/picture_import.h"

#include "editor/output/conversion_quality.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace brenmark {

std::string paletteUnusableMessage(const std::string& brand)
{
    std::string text = kMsgPaletteUnusable;
    // '%' is never the second byte of a GBK character, so the search cannot land inside one.
    const auto at = text.find("%s");
    return text.replace(at, 2, brand);
}

std::string threadCountText(int threads)
{
    if (threads <= 0)
        return uiText(kThreadCountLabel);
    return uiText(kThreadCountLabel) + ":" + std::to_string(threads);
}

int readDecimal(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > 0x7FFFFFFF)
            value = 0x7FFFFFFF;  // far past any side a pattern may have; refused later
    }
    return static_cast<int>(negative ? -value : value);
}

int proportionalHeight(PictureSize picture, int width)
{
    if (picture.width <= 0)
        return 0;
    return static_cast<int>(std::trunc(static_cast<double>(picture.height) * width / picture.width));
}

int proportionalWidth(PictureSize picture, int height)
{
    if (picture.height <= 0)
        return 0;
    return static_cast<int>(std::trunc(static_cast<double>(picture.width) * height / picture.height));
}

bool acceptableSide(int side)
{
    return side >= 1 && side <= kMaxConvertedSide;
}

// --- the converter -------------------------------------------------------------------------

bool PictureConverter::convert(const std::string& path, int width, int height, std::span<const ColorRef> palette,
                               ProgressReport* progress, const ConversionOptions& options)
{
    reset();
    if (width < 1 || height < 1)
        return false;
    // The histogram rule keeps its own drawing of the picture; the options modes average each
    // cell's area in linear light.
    const auto pixels = options.plain() ? readPicturePixels(path, width, height)
                                        : readPictureAveraged(path, width, height, options.crop);
    if (!pixels)
        return false;
    if (options.plain())
        result_ = convertPixels(*pixels, width, height, palette, progress, &histogram_);
    else
        result_ = convertPixelsWith(*pixels, width, height, palette, options, progress);
    return !result_.empty();
}

void PictureConverter::reset()
{
    result_ = ConversionResult{};
    histogram_ = ColorHistogram{};
}

// --- the panel -----------------------------------------------------------------------------

int defaultThreadKind(const std::vector<std::string>& kinds)
{
    const int dmc = brandIndex(kinds, kDefaultThreadBrand);
    return dmc >= 0 ? dmc : (kinds.empty() ? -1 : 0);
}

PictureImportPanel::PictureImportPanel(const PaletteStore& palettes)
    : palettes_(palettes), kinds_(palettes.threadKindList())
{
    kind_ = defaultThreadKind(kinds_);
}

void PictureImportPanel::selectKind(int index)
{
    if (index >= 0 && index < static_cast<int>(kinds_.size()))
        kind_ = index;
}

std::string PictureImportPanel::selectedBrand() const
{
    return kind_ >= 0 && kind_ < static_cast<int>(kinds_.size()) ? kinds_[static_cast<std::size_t>(kind_)] : std::string();
}

bool PictureImportPanel::selectPicture(const std::string& path)
{
    path_ = path;
    picture_ = readPictureSize(path);
    options_.crop.reset();
    widthText_ = picture_ ? std::to_string(picture_->width) : std::string();
    heightText_ = picture_ ? std::to_string(picture_->height) : std::string();
    reset();
    return picture_.has_value();
}

void PictureImportPanel::editWidth(const std::string& text)
{
    widthText_ = text;
    if (const auto area = shownArea())
        heightText_ = std::to_string(proportionalHeight({area->width, area->height}, readDecimal(text)));
}

void PictureImportPanel::editHeight(const std::string& text)
{
    heightText_ = text;
    if (const auto area = shownArea())
        widthText_ = std::to_string(proportionalWidth({area->width, area->height}, readDecimal(text)));
}

std::optional<CropRect> PictureImportPanel::shownArea() const
{
    if (!picture_)
        return std::nullopt;
    return options_.crop.value_or(CropRect{0, 0, picture_->width, picture_->height});
}

void PictureImportPanel::setCrop(const std::optional<CropRect>& crop)
{
    if (!picture_)
        return;
    options_.crop = crop ? clampCrop(*crop, picture_->width, picture_->height) : std::nullopt;
    editWidth(widthText_);
}

std::string PictureImportPanel::confettiCaption() const
{
    return confettiShareText(converted_ ? result() : ConversionResult{});
}

bool PictureImportPanel::convert(MessageBoxes* messages, ProgressReport* progress)
{
    const int width = readDecimal(widthText_);
    const int height = readDecimal(heightText_);
    if (!acceptableSide(width) || !acceptableSide(height)) {
        if (messages)
            messages->show(kMsgBadConvertSize, kTitleWarning, MessageIcon::Warning);
        return false;
    }
    const std::string brand = selectedBrand();
    Palette palette;
    if (!palettes_.load(brand, palette) || palette.size() == 0) {
        if (messages)
            messages->show(paletteUnusableMessage(brand), kTitleInfo, MessageIcon::Information);
        return false;
    }
    if (progress)
        progress->setPosition(0);
    converted_ = converter_.convert(path_, width, height, palette.colors, progress, options_);
    convertedBrand_ = converted_ ? brand : std::string();
    return converted_;
}

void PictureImportPanel::reset()
{
    converted_ = false;
    convertedBrand_.clear();
    converter_.reset();
}

// --- installing ----------------------------------------------------------------------------

PatternDocument convertedPattern(const ConversionResult& result, const std::string& brand, const Palette& palette,
                                 ColorRef fabric)
{
    PatternDocument doc;
    doc.create(result.width, result.height, brand);
    for (const ColorRef colour : result.colors) {
        auto exact = std::find(palette.colors.begin(), palette.colors.end(), colour);
        std::size_t entry = static_cast<std::size_t>(exact - palette.colors.begin());
        if (exact == palette.colors.end())
            entry = static_cast<std::size_t>(nearestColour(palette.colors, colour));
        doc.addThread(palette.colors[entry], palette.numbers[entry]);
    }
    const std::int32_t threads = doc.threads.size();
    for (std::size_t i = 0; i < result.cells.size() && i < doc.grid.cells.size(); ++i) {
        const std::int32_t v = result.cells[i];
        doc.grid.cells.set(i, v >= 0 && v < threads ? v : EmptyCell);
    }
    doc.distinct.rebuild(doc.threads);
    doc.clearLocks();
    doc.assignDefaultSymbols();
    doc.fabric = fabric;
    doc.layers.backgroundFromGrid(doc);
    return doc;
}

std::optional<PatternDocument> buildImportedPattern(const ConversionResult& result, const std::string& brand,
                                                    const PaletteStore& palettes, ImportKind kind,
                                                    ColorRef currentFabric, MessageBoxes* messages)
{
    Palette palette;
    const bool usable = palettes.load(brand, palette) && palette.size() > 0;
    const bool sound = acceptableSide(result.width) && acceptableSide(result.height) &&
                       result.cells.size() == static_cast<std::size_t>(result.width) * static_cast<std::size_t>(result.height) &&
                       result.colorCount() <= kMaxConvertedThreads;
    if (!usable || !sound) {
        if (messages && !usable)
            messages->show(paletteUnusableMessage(brand), kTitleInfo, MessageIcon::Information);
        return std::nullopt;
    }
    return convertedPattern(result, brand, palette, kind == ImportKind::Cartoon ? currentFabric : kWhite);
}

InstallOutcome installConversion(PatternDocument& doc, const ConversionResult& result, const std::string& brand,
                                 const PaletteStore& palettes, ImportKind kind, MessageBoxes* messages)
{
    auto built = buildImportedPattern(result, brand, palettes, kind, doc.fabric, messages);
    if (!built)
        return {};
    doc = std::move(*built);  // the observers stay with doc
    doc.notifyReplaced();
    return {true, kind == ImportKind::Cartoon};
}

}  // namespace brenmark
