#pragma once
// Importing a picture as a new pattern: the picture dialog's conversion panel as a plain
// object, the converter it runs, and the installation of a conversion into the document.
// The dialog shows what the panel holds and forwards its edits and buttons here.
#include "editor/document/palette_file.h"
#include "editor/document/pattern_document.h"
#include "editor/document/user_prompts.h"
#include "editor/output/colour_matching.h"
#include "editor/output/picture_converter.h"
#include "editor/output/picture_file.h"
#include "interchange/ui_text.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace brenmark {

inline constexpr const char* kTitleImportCartoon = UI_TEXT_NOOP("带描边的卡通图片导入");
inline constexpr const char* kPreviewCaption = UI_TEXT_NOOP("绣图预览窗");
inline constexpr const char* kThreadCountLabel = UI_TEXT_NOOP("绣线数");
// The brand conversion's refusal, also when a picture would be matched to no threads.
inline constexpr const char* kMsgPaletteUnusable = UI_TEXT_NOOP("绣线库(%s)的线未配置,不能使用");
// The largest side a converted pattern may have, as for a new pattern, and the same words.
constexpr int kMaxConvertedSide = 3000;
inline constexpr const char* kMsgBadConvertSize = UI_TEXT_NOOP("绣图的宽和高必须是1到3000之间的整数");
// The thread kind the panel starts with: entry 1 of the thread kind list.
constexpr int kDefaultThreadKind = 1;
// The brand chosen at first when the list has it; else the list's first.
inline constexpr const char* kDefaultThreadBrand = kDefaultBrand;
int defaultThreadKind(const std::vector<std::string>& kinds);

// "绣线库(DMC)的线未配置,不能使用".
std::string paletteUnusableMessage(const std::string& brand);
// "绣线数:%d", or the bare caption for 0.
std::string threadCountText(int threads);

// A target edit's text as a decimal integer the way the panel reads it: leading blanks, an
// optional sign and the digits that follow; anything else (or nothing) is 0.
int readDecimal(const std::string& text);
// Keeping the picture's proportions when one side is typed: the other side is
// picture other x typed / picture side, in floating point, truncated toward zero.
int proportionalHeight(PictureSize picture, int width);
int proportionalWidth(PictureSize picture, int height);
// Whether a pattern side can be made: 1 .. kMaxConvertedSide.
bool acceptableSide(int side);

// The PictureConverter: one conversion of one picture file, its result and working state.
// Each conversion starts from nothing, so a failed one leaves no result behind.
class PictureConverter {
public:
    // The picture drawn at width x height and converted against the palette colours, by the
    // histogram rule unless the options ask for more. False (and no result) when the picture
    // cannot be read or decoded, or a side is below 1.
    bool convert(const std::string& path, int width, int height, std::span<const ColorRef> palette,
                 ProgressReport* progress = nullptr, const ConversionOptions& options = {});
    const ConversionResult& result() const { return result_; }
    const ColorHistogram& histogram() const { return histogram_; }
    void reset();

private:
    ConversionResult result_;
    ColorHistogram histogram_;
};

// The conversion panel of the picture dialog.
class PictureImportPanel {
public:
    explicit PictureImportPanel(const PaletteStore& palettes);

    // "选择绣线种类": the thread kind list, entry 1 ("DMC") selected at first.
    const std::vector<std::string>& threadKinds() const { return kinds_; }
    int selectedKind() const { return kind_; }
    void selectKind(int index);
    std::string selectedBrand() const;

    // A file was selected: the picture's size ("宽", "高") is shown and copied into the two
    // target edits, and the conversion state is reset. A file that is no picture shows no
    // size and empty edits; returns whether it is one.
    bool selectPicture(const std::string& path);
    const std::string& picturePath() const { return path_; }
    const std::optional<PictureSize>& pictureSize() const { return picture_; }

    // "绣图宽", "绣图高": the text the user typed, and the other edit following it.
    const std::string& widthText() const { return widthText_; }
    const std::string& heightText() const { return heightText_; }
    void editWidth(const std::string& text);
    void editHeight(const std::string& text);

    // The part of the picture converted: a rectangle dragged on the preview, or the whole
    // picture again (nothing). The height follows the crop's proportions at the typed width;
    // the typed sides keep them from then on. A new picture starts whole.
    void setCrop(const std::optional<CropRect>& crop);
    // The crop, or the whole picture; nothing without a picture.
    std::optional<CropRect> shownArea() const;

    // "转换". A side outside 1 .. kMaxConvertedSide or an unusable palette is refused with a
    // message and the panel stays as it was; a picture that cannot be decoded shows nothing
    // and leaves no conversion. True once converted.
    bool convert(MessageBoxes* messages, ProgressReport* progress = nullptr);

    bool converted() const { return converted_; }
    // "打开" is enabled only after a conversion of the picture selected now.
    bool openEnabled() const { return converted_; }
    std::string threadCountCaption() const { return threadCountText(converted_ ? result().colorCount() : 0); }
    // "单针:%.1f%%" after a conversion, "单针" before.
    std::string confettiCaption() const;
    const ConversionResult& result() const { return converter_.result(); }
    // "色差算法", "抖动", "最多绣线数": what the next "转换" converts with.
    ConversionOptions& options() { return options_; }
    // The brand the conversion used (the result's thread kind name).
    const std::string& convertedBrand() const { return convertedBrand_; }
    // Back to the state of a new selection: no conversion, progress 0.
    void reset();

private:
    const PaletteStore& palettes_;
    std::vector<std::string> kinds_;
    int kind_ = kDefaultThreadKind;
    std::string path_;
    std::optional<PictureSize> picture_;
    std::string widthText_, heightText_;
    PictureConverter converter_;
    ConversionOptions options_;
    std::string convertedBrand_;
    bool converted_ = false;
};

enum class ImportKind {
    Picture,  // "导入图片"
    Cartoon,  // "带描边的卡通图导入": the picture stays behind the pattern for tracing
    Photo,    // "导入照片"
};

// A complete new pattern from a conversion, as the import installs it: untitled, the brand,
// the cells and, for each result colour in order, the first palette entry of exactly that
// colour (number and colour, unlocked); a colour the palette lacks takes its nearest palette
// thread, so no cell points past the table. Default symbols, the background layer.
PatternDocument convertedPattern(const ConversionResult& result, const std::string& brand, const Palette& palette,
                                 ColorRef fabric);

struct InstallOutcome {
    bool installed = false;
    // "显示底图": shown and checked for a cartoon import, hidden and unchecked otherwise;
    // "不显网线" is unchecked either way.
    bool showBaseImage = false;
};

// The pattern an import would install, built whole before anything of the open pattern is
// touched: the palette of brand is loaded, and a missing or empty one is refused with
// kMsgPaletteUnusable ("提示"), as is an empty result. The fabric is white, except for a
// cartoon import, which keeps currentFabric. The editor then resets its editing state (undo
// lists, selection, floating piece), moves the pattern over the document and tells its
// observers, as opening a file does; a cartoon import also hands the view the picture as its
// tracing picture ("显示底图" shown and checked).
std::optional<PatternDocument> buildImportedPattern(const ConversionResult& result, const std::string& brand,
                                                    const PaletteStore& palettes, ImportKind kind,
                                                    ColorRef currentFabric, MessageBoxes* messages);

// The same, moved over doc at once for callers without editing state (the command line):
// a refusal leaves doc exactly as it was.
InstallOutcome installConversion(PatternDocument& doc, const ConversionResult& result, const std::string& brand,
                                 const PaletteStore& palettes, ImportKind kind, MessageBoxes* messages);

}  // namespace brenmark
