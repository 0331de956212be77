#include "editor/output/background_colour.h"

#include <map>

namespace brenmark {

ColorRef borderColour(std::span<const ColorRef> pixels, int width, int height)
{
    struct Bin {
        std::size_t count = 0;
        unsigned long r = 0, g = 0, b = 0;
    };
    std::map<unsigned, Bin> bins;
    auto add = [&](int x, int y) {
        const ColorRef c = pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
        Bin& bin = bins[(redOf(c) >> 3) | (greenOf(c) >> 3) << 5 | (blueOf(c) >> 3) << 10];
        ++bin.count, bin.r += redOf(c), bin.g += greenOf(c), bin.b += blueOf(c);
    };
    if (width < 1 || height < 1 || pixels.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
        return kWhite;
    for (int x = 0; x < width; ++x) {
        add(x, 0);
        if (height > 1)
            add(x, height - 1);
    }
    for (int y = 1; y + 1 < height; ++y) {
        add(0, y);
        if (width > 1)
            add(width - 1, y);
    }
    const Bin* best = nullptr;
    for (const auto& [key, bin] : bins)
        if (!best || bin.count > best->count)
            best = &bin;
    const auto mean = [&](unsigned long sum) { return static_cast<unsigned>((sum + best->count / 2) / best->count); };
    return rgb(mean(best->r), mean(best->g), mean(best->b));
}

std::vector<std::uint8_t> backgroundCells(std::span<const ColorRef> pixels, std::span<const LabVec> labs, int width,
                                          int height, const BackgroundRule& rule)
{
    const ColorRef colour = rule.colour ? *rule.colour : borderColour(pixels, width, height);
    const LabVec target = labVecOf(labOf(colour));
    std::vector<std::uint8_t> empty(labs.size(), 0);
    for (std::size_t i = 0; i < labs.size(); ++i)
        empty[i] = deltaE00(labs[i], target) <= rule.tolerance;
    return empty;
}

}  // namespace brenmark
