#pragma once
// Screen colours as print colours: sRGB to the CMYK profile Ghostscript ships, with the
// relative colorimetric intent, through LittleCMS. The build's CMYK tables and every thread a
// table lacks take their values from here, so both agree.
#include "editor/document/color_ref.h"
#include "tiffwriter/cmyk_table.h"

#include <string>

namespace brenmark {

// The profile the build found (libgs-common's default CMYK profile).
const std::string& defaultCmykProfile();

class ColourToCmyk {
public:
    explicit ColourToCmyk(const std::string& profilePath = defaultCmykProfile());
    ~ColourToCmyk();
    ColourToCmyk(const ColourToCmyk&) = delete;
    ColourToCmyk& operator=(const ColourToCmyk&) = delete;

    // False when the profile could not be read; the conversion then falls back to the plain
    // formula (K = 1 − max, the rest under-colour removed).
    bool hasProfile() const { return forward_ != nullptr; }
    // Whole percent, rounded, as a table file stores it.
    CmykPercent percent(ColorRef colour) const;
    // The value a table record of percent(colour) gives.
    CmykValue value(ColorRef colour) const { return valueFromPercent(percent(colour)); }
    // Back to the screen, for comparing pages with the preview.
    ColorRef toScreen(CmykValue value) const;

private:
    void* forward_ = nullptr;
    void* backward_ = nullptr;
};

}  // namespace brenmark
