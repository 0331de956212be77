#include "tiffwriter/colour_to_cmyk.h"

#include <lcms2.h>

#include <algorithm>
#include <cmath>

#ifndef PRESSLY_CMYK_PROFILE
#define PRESSLY_CMYK_PROFILE "/usr/share/color/icc/ghostscript/default_cmyk.icc"
#endif

namespace brenmark {
namespace {

std::uint8_t wholePercent(double p)
{
    return static_cast<std::uint8_t>(std::clamp(std::lround(p), 0L, 100L));
}

CmykPercent formulaPercent(ColorRef colour)
{
    const double r = redOf(colour) / 255.0, g = greenOf(colour) / 255.0, b = blueOf(colour) / 255.0;
    const double k = 1 - std::max({r, g, b});
    if (k >= 1)
        return {0, 0, 0, 100};
    auto part = [k](double v) { return wholePercent((1 - v - k) / (1 - k) * 100); };
    return {part(r), part(g), part(b), wholePercent(k * 100)};
}

}  // namespace

const std::string& defaultCmykProfile()
{
    static const std::string path = PRESSLY_CMYK_PROFILE;
    return path;
}

ColourToCmyk::ColourToCmyk(const std::string& profilePath)
{
    cmsHPROFILE srgb = cmsCreate_sRGBProfile();
    cmsHPROFILE cmyk = cmsOpenProfileFromFile(profilePath.c_str(), "r");
    if (srgb && cmyk && cmsGetColorSpace(cmyk) == cmsSigCmykData) {
        // A few dozen colours a run: evaluating the profiles directly costs less than
        // building the optimised lookup table first, and is exact.
        forward_ = cmsCreateTransform(srgb, TYPE_RGB_8, cmyk, TYPE_CMYK_DBL, INTENT_RELATIVE_COLORIMETRIC, cmsFLAGS_NOOPTIMIZE);
        backward_ = cmsCreateTransform(cmyk, TYPE_CMYK_8, srgb, TYPE_RGB_8, INTENT_RELATIVE_COLORIMETRIC, cmsFLAGS_NOOPTIMIZE);
    }
    if (cmyk)
        cmsCloseProfile(cmyk);
    if (srgb)
        cmsCloseProfile(srgb);
}

ColourToCmyk::~ColourToCmyk()
{
    if (forward_)
        cmsDeleteTransform(forward_);
    if (backward_)
        cmsDeleteTransform(backward_);
}

CmykPercent ColourToCmyk::percent(ColorRef colour) const
{
    if (!forward_)
        return formulaPercent(colour);
    const std::uint8_t rgb[3] = {static_cast<std::uint8_t>(redOf(colour)), static_cast<std::uint8_t>(greenOf(colour)),
                                 static_cast<std::uint8_t>(blueOf(colour))};
    double out[4] = {};  // LittleCMS gives CMYK doubles in percent
    cmsDoTransform(forward_, rgb, out, 1);
    return {wholePercent(out[0]), wholePercent(out[1]), wholePercent(out[2]), wholePercent(out[3])};
}

ColorRef ColourToCmyk::toScreen(CmykValue value) const
{
    if (!backward_) {
        auto channel = [&](std::uint8_t ink) { return static_cast<unsigned>((255 - ink) * (255 - value.k) / 255); };
        return rgb(channel(value.c), channel(value.m), channel(value.y));
    }
    const std::uint8_t in[4] = {value.c, value.m, value.y, value.k};
    std::uint8_t out[3] = {};
    cmsDoTransform(backward_, in, out, 1);
    return rgb(out[0], out[1], out[2]);
}

}  // namespace brenmark
