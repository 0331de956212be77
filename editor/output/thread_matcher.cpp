#include "editor/output/thread_matcher.h"

#include <lcms2.h>

namespace brenmark {
namespace {


// One sRGB to Lab (D50) transform for the whole program; LittleCMS transforms may be used
// from any thread once made.
cmsHTRANSFORM labTransform()
{
    static const cmsHTRANSFORM transform = [] {
        cmsHPROFILE srgb = cmsCreate_sRGBProfile();
        cmsHPROFILE lab = cmsCreateLab4Profile(nullptr);  // D50
        // 0x00BBGGRR in memory is R, G, B and a spare byte.
        cmsHTRANSFORM t = cmsCreateTransform(srgb, TYPE_RGBA_8, lab, TYPE_Lab_DBL, INTENT_RELATIVE_COLORIMETRIC, 0);
        cmsCloseProfile(srgb);
        cmsCloseProfile(lab);
        return t;
    }();
    return transform;
}

}  // namespace

std::vector<Lab> labsOf(std::span<const ColorRef> colours)
{
    std::vector<cmsCIELab> out(colours.size());
    if (!colours.empty())
        cmsDoTransform(labTransform(), colours.data(), out.data(), static_cast<cmsUInt32Number>(colours.size()));
    std::vector<Lab> labs(colours.size());
    for (std::size_t i = 0; i < out.size(); ++i)
        labs[i] = {out[i].L, out[i].a, out[i].b};
    return labs;
}

}  // namespace brenmark
