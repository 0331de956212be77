// conversion_quality [--png DIR] [PICTURE...]: how faithfully each conversion method shows a
// set of pictures, and how much confetti it leaves. Every picture is converted against DMC at
// 80 and 150 cells wide with 20, 40 and 80 threads; each method is measured per cell against
// the picture averaged over each cell's area (conversion_quality.h): mean and 95th percentile
// CIEDE2000, the mean after a 3 x 3 blur in linear light, the confetti share, the threads used
// and the time of the conversion from the averaged pixels, by the wall clock and in processor
// time (the "every option" row converts from the file, decoding included, with the border's
// colour ignored at a tolerance of 3). The figures are averaged over the pictures.
//
// Without pictures named, it takes pictures made here (a sky over a face-coloured ball, a
// grey-brown animal with two small yellow-green eyes, a noisy texture) and these photos of
// the Debian package plasma-workspace-wallpapers (scripts/setup.sh installs it):
// BytheWater, ColdRipple, EveningGlow, FallenLeaf, OneStandsOut and Path at 1920 x 1080,
// ColorfulCups at 2560 x 1600.
//
// The baseline is k-means in Oklab (k-means++ seeding, Lloyd's rounds) with each centre
// snapped to the nearest DMC thread by CIEDE2000 and every cell given the nearest of those,
// written here for the comparison.
#include "editor/document/palette_file.h"
#include "editor/output/area_average.h"
#include "editor/output/colour_matching.h"
#include "editor/output/conversion_quality.h"
#include "editor/output/picture_decode.h"
#include "editor/output/sample_picture.h"
#include "editor/output/picture_import.h"
#include "editor/output/thread_matcher.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QRadialGradient>

#include <chrono>
#include <cmath>
#include <ctime>
#include <cstdio>
#include <functional>
#include <limits>
#include <map>
#include <random>
#include <string>
#include <vector>

using namespace brenmark;

namespace {

using Clock = std::chrono::steady_clock;
using Oklab = std::array<double, 3>;

const char* const kPhotos[] = {
    "/usr/share/wallpapers/BytheWater/contents/images/1920x1080.jpg",
    "/usr/share/wallpapers/ColdRipple/contents/images/1920x1080.jpg",
    "/usr/share/wallpapers/ColorfulCups/contents/images/2560x1600.jpg",
    "/usr/share/wallpapers/EveningGlow/contents/images/1920x1080.jpg",
    "/usr/share/wallpapers/FallenLeaf/contents/images/1920x1080.jpg",
    "/usr/share/wallpapers/OneStandsOut/contents/images/1920x1080.jpg",
    "/usr/share/wallpapers/Path/contents/images/1920x1080.jpg",
};

QImage animalWithEyes(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    std::mt19937 rng(5);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            const int fur = static_cast<int>(rng() % 40);
            image.setPixel(x, y, qRgb(110 + fur, 92 + fur, 70 + fur * 3 / 4));
        }
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    for (const double cx : {0.38, 0.62}) {
        p.setBrush(QColor(170, 200, 40));
        p.drawEllipse(QPointF(size.width() * cx, size.height() * 0.4), size.width() * 0.03, size.height() * 0.035);
        p.setBrush(QColor(20, 20, 10));
        p.drawEllipse(QPointF(size.width() * cx, size.height() * 0.4), size.width() * 0.008, size.height() * 0.03);
    }
    return image;
}

QImage noisyTexture(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    std::mt19937 rng(9);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            const int n = static_cast<int>(rng() % 60) - 30;
            image.setPixel(x, y, qRgb(std::clamp(90 + x * 120 / size.width() + n, 0, 255), std::clamp(140 + n, 0, 255),
                                      std::clamp(200 - y * 120 / size.height() + n, 0, 255)));
        }
    return image;
}

// --- the baseline: k-means in Oklab -------------------------------------------------------------

Oklab oklabOf(ColorRef c)
{
    const double r = linearOf(redOf(c)), g = linearOf(greenOf(c)), b = linearOf(blueOf(c));
    const double l = std::cbrt(0.4122214708 * r + 0.5363325363 * g + 0.0514459929 * b);
    const double m = std::cbrt(0.2119034982 * r + 0.6806995451 * g + 0.1073969566 * b);
    const double s = std::cbrt(0.0883024619 * r + 0.2817188376 * g + 0.6299787005 * b);
    return {0.2104542553 * l + 0.7936177850 * m - 0.0040720468 * s, 1.9779984951 * l - 2.4285922050 * m + 0.4505937099 * s,
            0.0259040371 * l + 0.7827717662 * m - 0.8086757660 * s};
}

ColorRef srgbOf(const Oklab& o)
{
    const double l = std::pow(o[0] + 0.3963377774 * o[1] + 0.2158037573 * o[2], 3);
    const double m = std::pow(o[0] - 0.1055613458 * o[1] - 0.0638541728 * o[2], 3);
    const double s = std::pow(o[0] - 0.0894841775 * o[1] - 1.2914855480 * o[2], 3);
    return rgb(encodedOf(4.0767416621 * l - 3.3077115913 * m + 0.2309699292 * s),
               encodedOf(-1.2684380046 * l + 2.6097574011 * m - 0.3413193965 * s),
               encodedOf(-0.0041960863 * l - 0.7034186147 * m + 1.7076147010 * s));
}

double sq(const Oklab& a, const Oklab& b)
{
    return (a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]) + (a[2] - b[2]) * (a[2] - b[2]);
}

ConversionResult kmeansOklab(const std::vector<ColorRef>& pixels, int width, int height,
                             const std::vector<ColorRef>& palette, int k)
{
    std::map<ColorRef, double> counts;
    for (const ColorRef c : pixels)
        counts[c] += 1;
    std::vector<Oklab> points;
    std::vector<double> weight;
    for (const auto& [c, n] : counts)
        points.push_back(oklabOf(c)), weight.push_back(n);
    std::mt19937 rng(1);
    std::vector<Oklab> centres{points[std::uniform_int_distribution<std::size_t>(0, points.size() - 1)(rng)]};
    std::vector<double> d2(points.size(), std::numeric_limits<double>::max());
    while (static_cast<int>(centres.size()) < std::min<int>(k, static_cast<int>(points.size()))) {
        double total = 0;
        for (std::size_t i = 0; i < points.size(); ++i)
            total += weight[i] * (d2[i] = std::min(d2[i], sq(points[i], centres.back())));
        if (total <= 0)
            break;
        double pick = std::uniform_real_distribution<double>(0, total)(rng);
        std::size_t chosen = points.size() - 1;
        for (std::size_t i = 0; i < points.size(); ++i)
            if ((pick -= weight[i] * d2[i]) <= 0) {
                chosen = i;
                break;
            }
        centres.push_back(points[chosen]);
    }
    for (int round = 0; round < 20; ++round) {
        std::vector<Oklab> sum(centres.size(), Oklab{0, 0, 0});
        std::vector<double> n(centres.size(), 0);
        for (std::size_t i = 0; i < points.size(); ++i) {
            std::size_t best = 0;
            for (std::size_t c = 1; c < centres.size(); ++c)
                if (sq(points[i], centres[c]) < sq(points[i], centres[best]))
                    best = c;
            for (std::size_t a = 0; a < 3; ++a)
                sum[best][a] += points[i][a] * weight[i];
            n[best] += weight[i];
        }
        for (std::size_t c = 0; c < centres.size(); ++c)
            if (n[c] > 0)
                for (std::size_t a = 0; a < 3; ++a)
                    centres[c][a] = sum[c][a] / n[c];
    }
    // Each centre snapped to DMC by CIEDE2000, every cell to the nearest snapped thread.
    const std::vector<Lab> paletteLab = labsOf(palette);
    std::vector<int> chosen;
    for (const Oklab& c : centres) {
        const Lab l = labOf(srgbOf(c));
        int best = 0;
        for (std::size_t t = 1; t < palette.size(); ++t)
            if (deltaE2000(l, paletteLab[t]) < deltaE2000(l, paletteLab[static_cast<std::size_t>(best)]))
                best = static_cast<int>(t);
        if (std::find(chosen.begin(), chosen.end(), best) == chosen.end())
            chosen.push_back(best);
    }
    ConversionResult r;
    r.width = width, r.height = height;
    std::map<ColorRef, std::int32_t> cellOf;
    for (const auto& [c, n] : counts) {
        const Lab l = labOf(c);
        std::size_t best = 0;
        for (std::size_t t = 1; t < chosen.size(); ++t)
            if (deltaE2000(l, paletteLab[static_cast<std::size_t>(chosen[t])]) <
                deltaE2000(l, paletteLab[static_cast<std::size_t>(chosen[best])]))
                best = t;
        cellOf[c] = static_cast<std::int32_t>(best);
    }
    for (const int t : chosen)
        r.colors.push_back(palette[static_cast<std::size_t>(t)]);
    for (const ColorRef c : pixels)
        r.cells.push_back(cellOf[c]);
    return r;
}

// --- the table ----------------------------------------------------------------------------

struct Sum {
    double mean = 0, p95 = 0, blurred = 0, confetti = 0, threads = 0, ms = 0, cpuMs = 0;
    int n = 0;
};

// This process's processor time: the conversions run on one thread, so on a busy machine it
// shows what the wall clock would on an idle one.
double cpuMilliseconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

std::string tempPicture(const QImage& image, const std::string& name)
{
    const std::string path = QDir::tempPath().toStdString() + "/brenmark-quality-" + name + ".png";
    image.save(QString::fromStdString(path), "PNG");
    return path;
}

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    std::string pngDir;
    std::vector<std::string> pictures;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--png" && i + 1 < argc)
            pngDir = argv[++i];
        else
            pictures.push_back(a);
    }
    if (pictures.empty()) {
        pictures.push_back(tempPicture(skyAndBallPicture(QSize(1200, 800)), "sky"));
        pictures.push_back(tempPicture(animalWithEyes(QSize(1200, 800)), "eyes"));
        pictures.push_back(tempPicture(noisyTexture(QSize(1200, 800)), "noise"));
        for (const char* p : kPhotos)
            if (QFileInfo::exists(QString::fromLatin1(p)))
                pictures.push_back(p);
            else
                std::fprintf(stderr, "missing %s (install plasma-workspace-wallpapers)\n", p);
    }
    const PaletteStore store = PaletteStore::forProgram(BRENMARK_PROGRAM_DIR);
    Palette dmc;
    if (!store.load("DMC", dmc)) {
        std::fprintf(stderr, "no DMC palette under %s\n", BRENMARK_PROGRAM_DIR);
        return 1;
    }
    using Method = std::function<ConversionResult(const std::string& path, const std::vector<ColorRef>& averaged,
                                                  const std::vector<ColorRef>& qtScaled, int w, int h, int k)>;
    auto options = [&](ColourMetric m, Dithering d, int k, int confetti) {
        ConversionOptions o;
        o.metric = m, o.dither = d, o.maxThreads = k, o.confetti = confetti;
        return o;
    };
    const std::vector<std::pair<std::string, Method>> methods = {
        {"rgb, limit (Qt scaling)",
         [&](auto&, auto&, auto& qt, int w, int h, int k) {
             return convertPixelsWith(qt, w, h, dmc.colors, options(ColourMetric::Rgb, Dithering::None, k, 0));
         }},
        {"k-means Oklab (baseline)", [&](auto&, auto& av, auto&, int w, int h, int k) { return kmeansOklab(av, w, h, dmc.colors, k); }},
        {"lab", [&](auto&, auto& av, auto&, int w, int h, int k) {
             return convertPixelsWith(av, w, h, dmc.colors, options(ColourMetric::Lab, Dithering::None, k, 0));
         }},
        {"lab, confetti 5", [&](auto&, auto& av, auto&, int w, int h, int k) {
             return convertPixelsWith(av, w, h, dmc.colors, options(ColourMetric::Lab, Dithering::None, k, 5));
         }},
        {"lab, confetti 10", [&](auto&, auto& av, auto&, int w, int h, int k) {
             return convertPixelsWith(av, w, h, dmc.colors, options(ColourMetric::Lab, Dithering::None, k, 10));
         }},
        {"lab, fs", [&](auto&, auto& av, auto&, int w, int h, int k) {
             return convertPixelsWith(av, w, h, dmc.colors, options(ColourMetric::Lab, Dithering::FloydSteinberg, k, 0));
         }},
        {"lab, fs, confetti 5", [&](auto&, auto& av, auto&, int w, int h, int k) {
             return convertPixelsWith(av, w, h, dmc.colors, options(ColourMetric::Lab, Dithering::FloydSteinberg, k, 5));
         }},
        {"every option, from the file", [&](auto& path, auto&, auto&, int w, int h, int k) {
             ConversionOptions o = options(ColourMetric::Lab, Dithering::None, k, 5);
             o.minStitches = 10;
             o.background = BackgroundRule{std::nullopt, 3};
             PictureConverter converter;
             converter.convert(path, w, h, dmc.colors, nullptr, o);
             return converter.result();
         }},
    };
    std::map<std::tuple<int, int, std::size_t>, Sum> table;
    for (const std::string& path : pictures) {
        const auto size = readPictureSize(path);
        if (!size)
            continue;
        for (const int w : {80, 150}) {
            const int h = std::max(1, size->height * w / size->width);
            const auto averaged = readPictureAveraged(path, w, h);
            const auto qtScaled = readPicturePixels(path, w, h);
            if (!averaged || !qtScaled)
                continue;
            for (const int k : {20, 40, 80})
                for (std::size_t m = 0; m < methods.size(); ++m) {
                    const auto start = Clock::now();
                    const double cpuStart = cpuMilliseconds();
                    const ConversionResult r = methods[m].second(path, *averaged, *qtScaled, w, h, k);
                    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
                    const double cpuMs = cpuMilliseconds() - cpuStart;
                    const ConversionQuality q = measureConversion(r, *averaged);
                    Sum& s = table[{w, k, m}];
                    s.mean += q.meanDeltaE, s.p95 += q.p95DeltaE, s.blurred += q.blurredMeanDeltaE;
                    s.confetti += q.confetti * 100, s.threads += q.threads, s.ms += ms, s.cpuMs += cpuMs, ++s.n;
                    std::fprintf(stderr, "%s %d %d %s: %.2f %.2f %.1f%% %d %.0f ms\n", QFileInfo(QString::fromStdString(path)).fileName().toUtf8().constData(),
                                 w, k, methods[m].first.c_str(), q.meanDeltaE, q.p95DeltaE, q.confetti * 100, q.threads, ms);
                    if (!pngDir.empty() && w == 150 && k == 40) {
                        const QImage chart = previewImage(r).scaled(w * 4, h * 4);
                        // Photos of a wallpaper package are named by their folder.
                        QDir folder = QFileInfo(QString::fromStdString(path)).dir();
                        QString name = QFileInfo(QString::fromStdString(path)).baseName();
                        if (folder.dirName() == u"images"_qs && folder.cdUp() && folder.cdUp())
                            name = folder.dirName();
                        chart.save(QString::fromStdString(pngDir + "/") + name + u'-' + QString::number(m) + u".png"_qs);
                    }
                }
        }
    }
    std::printf("| width | threads | method | mean dE00 | p95 dE00 | blurred dE00 | confetti %% | threads used | ms | cpu ms |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|---|\n");
    for (const auto& [key, s] : table) {
        const auto [w, k, m] = key;
        const double n = s.n;
        std::printf("| %d | %d | %s | %.2f | %.2f | %.2f | %.1f | %.1f | %.0f | %.0f |\n", w, k, methods[m].first.c_str(),
                    s.mean / n, s.p95 / n, s.blurred / n, s.confetti / n, s.threads / n, s.ms / n, s.cpuMs / n);
    }
    return 0;
}
