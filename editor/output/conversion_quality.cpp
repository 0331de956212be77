#include "editor/output/conversion_quality.h"

#include "editor/output/area_average.h"
#include "editor/output/confetti.h"
#include "editor/output/thread_matcher.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <set>

namespace brenmark {

namespace {

using Linear = std::array<double, 3>;

Linear linearRgb(ColorRef c)
{
    return {linearOf(redOf(c)), linearOf(greenOf(c)), linearOf(blueOf(c))};
}

std::vector<ColorRef> blurred(const std::vector<ColorRef>& picture, int width, int height)
{
    std::vector<Linear> linear(picture.size());
    for (std::size_t i = 0; i < picture.size(); ++i)
        linear[i] = linearRgb(picture[i]);
    std::vector<ColorRef> out(picture.size());
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            Linear sum{0, 0, 0};
            int n = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int nx = x + dx, ny = y + dy;
                    if (nx < 0 || ny < 0 || nx >= width || ny >= height)
                        continue;
                    const Linear& v = linear[static_cast<std::size_t>(ny) * static_cast<std::size_t>(width) + static_cast<std::size_t>(nx)];
                    for (std::size_t k = 0; k < 3; ++k)
                        sum[k] += v[k];
                    ++n;
                }
            out[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] =
                rgb(encodedOf(sum[0] / n), encodedOf(sum[1] / n), encodedOf(sum[2] / n));
        }
    return out;
}

}  // namespace

std::string confettiShareText(const ConversionResult& result)
{
    if (result.empty())
        return uiText(kConfettiShareLabel);
    char share[32];
    std::snprintf(share, sizeof share, ":%.1f%%", 100.0 * confettiShare(result.cells, result.width, result.height));
    return uiText(kConfettiShareLabel) + share;
}

ConversionQuality measureConversion(const ConversionResult& result, std::span<const ColorRef> reference)
{
    ConversionQuality q;
    const std::size_t count = static_cast<std::size_t>(result.width) * static_cast<std::size_t>(result.height);
    if (result.cells.size() != count || reference.size() < count || count == 0)
        return q;
    std::vector<ColorRef> chart(count);
    std::set<std::int32_t> used;
    for (std::size_t i = 0; i < count; ++i) {
        const std::int32_t c = result.cells[i];
        chart[i] = c >= 0 && c < result.colorCount() ? result.colors[static_cast<std::size_t>(c)] : reference[i];
        if (c >= 0)
            used.insert(c);
    }
    const std::vector<ColorRef> ref(reference.begin(), reference.begin() + static_cast<std::ptrdiff_t>(count));
    const std::vector<Lab> chartLab = labsOf(chart), refLab = labsOf(ref);
    const std::vector<Lab> chartBlur = labsOf(blurred(chart, result.width, result.height));
    const std::vector<Lab> refBlur = labsOf(blurred(ref, result.width, result.height));
    std::vector<double> errors;
    double blurSum = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (result.cells[i] < 0)
            continue;
        errors.push_back(deltaE2000(chartLab[i], refLab[i]));
        blurSum += deltaE2000(chartBlur[i], refBlur[i]);
    }
    q.threads = static_cast<int>(used.size());
    q.stitched = static_cast<int>(errors.size());
    q.confetti = confettiShare(result.cells, result.width, result.height);
    if (errors.empty())
        return q;
    double sum = 0;
    for (const double e : errors)
        sum += e;
    q.meanDeltaE = sum / static_cast<double>(errors.size());
    q.blurredMeanDeltaE = blurSum / static_cast<double>(errors.size());
    const std::size_t at = std::min(errors.size() - 1, static_cast<std::size_t>(0.95 * static_cast<double>(errors.size())));
    std::nth_element(errors.begin(), errors.begin() + static_cast<std::ptrdiff_t>(at), errors.end());
    q.p95DeltaE = errors[at];
    return q;
}

}  // namespace brenmark
