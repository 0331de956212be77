#include "cmyktool/builtin_picker.h"

#include <lcms2.h>

#include <algorithm>
#include <cmath>

#ifndef GLIMBERT_CMYK_PROFILE
#define GLIMBERT_CMYK_PROFILE "/usr/share/color/icc/ghostscript/default_cmyk.icc"
#endif

namespace brenmark::glimbert {
namespace {

int wholePercent(double p)
{
    return static_cast<int>(std::clamp(std::lround(p), 0L, 100L));
}

int channelValue(const std::string& text)
{
    if (text.empty() || text.size() > 3 || text.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    return std::min(std::stoi(text), 255);
}

// The built-in fields have fixed handles of their own, shown like grabbed ones.
constexpr FieldHandle kBuiltinHandleBase = 0x100;

}  // namespace

const std::string& builtinCmykProfile()
{
    static const std::string path = GLIMBERT_CMYK_PROFILE;
    return path;
}

RgbToCmyk::RgbToCmyk(const std::string& profilePath)
{
    cmsHPROFILE srgb = cmsCreate_sRGBProfile();
    cmsHPROFILE cmyk = cmsOpenProfileFromFile(profilePath.c_str(), "r");
    if (srgb && cmyk && cmsGetColorSpace(cmyk) == cmsSigCmykData)
        transform_ = cmsCreateTransform(srgb, TYPE_RGB_8, cmyk, TYPE_CMYK_DBL, INTENT_RELATIVE_COLORIMETRIC,
                                        cmsFLAGS_NOOPTIMIZE);
    if (cmyk)
        cmsCloseProfile(cmyk);
    if (srgb)
        cmsCloseProfile(srgb);
}

RgbToCmyk::~RgbToCmyk()
{
    if (transform_)
        cmsDeleteTransform(static_cast<cmsHTRANSFORM>(transform_));
}

CmykPercent RgbToCmyk::convert(int red, int green, int blue) const
{
    if (transform_) {
        const std::uint8_t rgb[3] = {static_cast<std::uint8_t>(red), static_cast<std::uint8_t>(green),
                                     static_cast<std::uint8_t>(blue)};
        double ink[4] = {0, 0, 0, 0};  // LittleCMS gives CMYK doubles as percentages
        cmsDoTransform(static_cast<cmsHTRANSFORM>(transform_), rgb, ink, 1);
        return {wholePercent(ink[0]), wholePercent(ink[1]), wholePercent(ink[2]), wholePercent(ink[3])};
    }
    const double r = red / 255.0, g = green / 255.0, b = blue / 255.0;
    const double k = 1 - std::max({r, g, b});
    if (k >= 1)
        return {0, 0, 0, 100};
    auto part = [k](double v) { return wholePercent((1 - v - k) / (1 - k) * 100); };
    return {part(r), part(g), part(b), wholePercent(k * 100)};
}

BuiltinPicker::BuiltinPicker(const std::string& profilePath) : converter_(profilePath)
{
    fields_[0] = fields_[1] = fields_[2] = "255";
    recalculate();
}

FieldHandle BuiltinPicker::handle(PickerField field) const
{
    return kBuiltinHandleBase + static_cast<FieldHandle>(field);
}

bool BuiltinPicker::clearField(PickerField field)
{
    fields_[static_cast<int>(field)].clear();
    recalculate();
    return true;
}

bool BuiltinPicker::typeCharacter(PickerField field, char character)
{
    // Like an edit field of a picker: the RGB fields take digits only, three at most; the
    // CMYK fields are results.
    std::string& text = fields_[static_cast<int>(field)];
    if (static_cast<int>(field) > static_cast<int>(PickerField::Blue) || character < '0' || character > '9' ||
        text.size() >= 3)
        return true;
    text += character;
    recalculate();
    return true;
}

std::optional<std::string> BuiltinPicker::readField(PickerField field, std::size_t maxBytes)
{
    const std::string& text = fields_[static_cast<int>(field)];
    return text.substr(0, maxBytes);
}

void BuiltinPicker::recalculate()
{
    const CmykPercent ink = converter_.convert(channelValue(fields_[0]), channelValue(fields_[1]),
                                               channelValue(fields_[2]));
    fields_[3] = std::to_string(ink.c);
    fields_[4] = std::to_string(ink.m);
    fields_[5] = std::to_string(ink.y);
    fields_[6] = std::to_string(ink.k);
}

}  // namespace brenmark::glimbert
