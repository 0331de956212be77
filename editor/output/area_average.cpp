#include "editor/output/area_average.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace brenmark {

namespace {

const std::array<float, 256>& linearTable()
{
    static const std::array<float, 256> table = [] {
        std::array<float, 256> t{};
        for (unsigned i = 0; i < 256; ++i) {
            const double c = i / 255.0;
            t[i] = static_cast<float>(c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
        }
        return t;
    }();
    return table;
}

// One output cell's share of the source pixels along one axis: the first pixel and the
// weight of each pixel from it.
struct Span {
    int first = 0;
    std::vector<double> weights;
};

std::vector<Span> spansOf(double start, double length, int cells, int limit)
{
    std::vector<Span> spans(static_cast<std::size_t>(cells));
    const double step = length / cells;
    for (int i = 0; i < cells; ++i) {
        const double from = std::clamp(start + step * i, 0.0, static_cast<double>(limit));
        const double to = std::clamp(start + step * (i + 1), 0.0, static_cast<double>(limit));
        Span& s = spans[static_cast<std::size_t>(i)];
        s.first = std::min(static_cast<int>(std::floor(from)), limit - 1);
        const int last = std::max(s.first, std::min(static_cast<int>(std::ceil(to)) - 1, limit - 1));
        double total = 0;
        for (int p = s.first; p <= last; ++p) {
            const double w = std::max(0.0, std::min<double>(p + 1, to) - std::max<double>(p, from));
            s.weights.push_back(w);
            total += w;
        }
        if (total <= 0) {
            // A cell thinner than rounding leaves: the pixel it sits on.
            s.weights.assign(1, 1.0);
            total = 1;
        }
        for (double& w : s.weights)
            w /= total;
    }
    return spans;
}

}  // namespace

std::optional<CropRect> clampCrop(const CropRect& crop, int pictureWidth, int pictureHeight)
{
    const int x0 = std::clamp(crop.x, 0, pictureWidth), y0 = std::clamp(crop.y, 0, pictureHeight);
    const long long x1 = std::clamp<long long>(static_cast<long long>(crop.x) + crop.width, 0, pictureWidth);
    const long long y1 = std::clamp<long long>(static_cast<long long>(crop.y) + crop.height, 0, pictureHeight);
    if (x1 <= x0 || y1 <= y0)
        return std::nullopt;
    return CropRect{x0, y0, static_cast<int>(x1 - x0), static_cast<int>(y1 - y0)};
}

std::optional<CropRect> cropWithin(const CropRect& area, double left, double top, double right, double bottom)
{
    const auto span = [](int from, int length, double a, double b) -> std::pair<int, int> {
        const double lo = std::clamp(std::min(a, b), 0.0, 1.0), hi = std::clamp(std::max(a, b), 0.0, 1.0);
        const int start = from + static_cast<int>(std::floor(lo * length));
        const int end = from + static_cast<int>(std::ceil(hi * length));
        return {start, std::max(end, start + 1) - start};
    };
    if (left == right || top == bottom || area.width < 1 || area.height < 1)
        return std::nullopt;
    const auto [x, w] = span(area.x, area.width, left, right);
    const auto [y, h] = span(area.y, area.height, top, bottom);
    return clampCrop({x, y, w, h}, area.x + area.width, area.y + area.height);
}

double linearOf(unsigned channel)
{
    return linearTable()[std::min(channel, 255u)];
}

unsigned encodedOf(double linear)
{
    const double c = std::clamp(linear, 0.0, 1.0);
    const double v = c <= 0.0031308 ? c * 12.92 : 1.055 * std::pow(c, 1 / 2.4) - 0.055;
    return static_cast<unsigned>(std::lround(v * 255.0));
}

std::vector<ColorRef> areaAverage(std::span<const ColorRef> pixels, int width, int height, PictureArea area,
                                  int outWidth, int outHeight)
{
    if (width < 1 || height < 1 || outWidth < 1 || outHeight < 1 ||
        pixels.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
        return {};
    const double x0 = std::max(area.x, 0.0), y0 = std::max(area.y, 0.0);
    const double x1 = std::min(area.x + area.width, static_cast<double>(width));
    const double y1 = std::min(area.y + area.height, static_cast<double>(height));
    if (x1 <= x0 || y1 <= y0)
        return {};
    const std::vector<Span> columns = spansOf(x0, x1 - x0, outWidth, width);
    const std::vector<Span> rows = spansOf(y0, y1 - y0, outHeight, height);
    const auto& table = linearTable();

    // Each source row averaged across into the cell columns (linear R, G, B), then the cell
    // rows down those. Consecutive cell rows share at most their boundary row, which is kept,
    // so every source row is averaged across once or twice and only one is held at a time.
    const std::size_t ow = static_cast<std::size_t>(outWidth);
    std::vector<double> across(ow * 3, 0.0), sum(ow * 3, 0.0);
    int acrossRow = -1;
    auto rowAcross = [&](int y) -> const std::vector<double>& {
        if (y == acrossRow)
            return across;
        const ColorRef* line = pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
        for (std::size_t c = 0; c < ow; ++c) {
            const Span& s = columns[c];
            double r = 0, g = 0, b = 0;
            for (std::size_t k = 0; k < s.weights.size(); ++k) {
                const ColorRef p = line[static_cast<std::size_t>(s.first) + k];
                const double w = s.weights[k];
                r += w * table[redOf(p)];
                g += w * table[greenOf(p)];
                b += w * table[blueOf(p)];
            }
            across[c * 3] = r, across[c * 3 + 1] = g, across[c * 3 + 2] = b;
        }
        acrossRow = y;
        return across;
    };
    std::vector<ColorRef> result(ow * static_cast<std::size_t>(outHeight));
    for (int cy = 0; cy < outHeight; ++cy) {
        const Span& s = rows[static_cast<std::size_t>(cy)];
        std::fill(sum.begin(), sum.end(), 0.0);
        for (std::size_t k = 0; k < s.weights.size(); ++k) {
            const std::vector<double>& v = rowAcross(s.first + static_cast<int>(k));
            for (std::size_t i = 0; i < sum.size(); ++i)
                sum[i] += s.weights[k] * v[i];
        }
        for (std::size_t c = 0; c < ow; ++c)
            result[static_cast<std::size_t>(cy) * ow + c] =
                rgb(encodedOf(sum[c * 3]), encodedOf(sum[c * 3 + 1]), encodedOf(sum[c * 3 + 2]));
    }
    return result;
}

}  // namespace brenmark
