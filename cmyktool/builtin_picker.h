#pragma once
// "内置取色": a picker inside the tool for desktops with no image editor. Its seven fields
// live here; typing into Red, Green or Blue recalculates C, M, Y, K at once, converting
// sRGB through LittleCMS to the CMYK profile the TIFF page writer uses, so the table gets
// the same inks the printed pages will.
#include "cmyktool/partners.h"

#include <array>
#include <string>

namespace brenmark::glimbert {

// Ghostscript's default CMYK profile (Debian package libgs-common).
const std::string& builtinCmykProfile();

struct CmykPercent {
    int c = 0, m = 0, y = 0, k = 0;
};

// sRGB to whole CMYK percentages through a CMYK profile; without a usable profile the plain
// formula (K = 1 - max, the rest relative to 1 - K) stands in.
class RgbToCmyk {
public:
    explicit RgbToCmyk(const std::string& profilePath = builtinCmykProfile());
    ~RgbToCmyk();
    RgbToCmyk(const RgbToCmyk&) = delete;
    RgbToCmyk& operator=(const RgbToCmyk&) = delete;

    bool usesProfile() const { return transform_ != nullptr; }
    CmykPercent convert(int red, int green, int blue) const;

private:
    void* transform_ = nullptr;
};

class BuiltinPicker final : public PickerPartner {
public:
    explicit BuiltinPicker(const std::string& profilePath = builtinCmykProfile());

    FieldHandle handle(PickerField field) const override;
    bool clearField(PickerField field) override;
    bool typeCharacter(PickerField field, char character) override;
    std::optional<std::string> readField(PickerField field, std::size_t maxBytes) override;

    const RgbToCmyk& converter() const { return converter_; }

private:
    void recalculate();

    RgbToCmyk converter_;
    std::array<std::string, kPickerFieldCount> fields_;
};

}  // namespace brenmark::glimbert
