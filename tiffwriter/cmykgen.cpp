// Build step: a CMYK table for every system palette of a program directory, each thread's
// colour converted with the page writer's own conversion. A table already in "cmyk/" is
// left alone: it may be a print shop's measured values.
//
//   cmykgen PROGRAM_DIR
#include "interchange/file_bytes.h"
#include "editor/document/palette_file.h"
#include "editor/document/program_directory.h"
#include "tiffwriter/cmyk_table.h"
#include "tiffwriter/colour_to_cmyk.h"

#include <sys/stat.h>

#include <cstdio>
#include <string>
#include <vector>

using namespace brenmark;

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: cmykgen PROGRAM_DIR\n");
        return 2;
    }
    std::string dir = argv[1];
    if (!dir.empty() && dir.back() != '/')
        dir += '/';
    const std::string folder = expandPathTemplate(kCmykFolderTemplate, {dir});
    if (!directoryExists(folder) && ::mkdir(folder.c_str(), 0755) != 0) {
        std::fprintf(stderr, "cmykgen: cannot create %s\n", folder.c_str());
        return 1;
    }
    const ColourToCmyk converter;
    if (!converter.hasProfile()) {
        std::fprintf(stderr, "cmykgen: cannot read the CMYK profile %s\n", defaultCmykProfile().c_str());
        return 1;
    }
    const PaletteStore store(dir);
    int status = 0;
    for (const std::string& brand : store.systemBrands()) {
        const std::string target = cmykTablePath(dir, brand);
        if (target.empty() || fileExists(target))
            continue;
        std::vector<std::uint8_t> bytes;
        Palette palette;
        if (!readWholeFile(store.systemPalettePath(brand), bytes) || !decodePalette(bytes, palette)) {
            std::fprintf(stderr, "cmykgen: cannot read the system palette of %s\n", brand.c_str());
            status = 1;
            continue;
        }
        std::vector<CmykPercent> percents;
        for (const ColorRef colour : palette.colors)
            percents.push_back(converter.percent(colour));
        if (!replaceFile(target, encodeCmykTable(palette.numbers, percents))) {
            std::fprintf(stderr, "cmykgen: cannot write %s\n", target.c_str());
            status = 1;
        }
    }
    return status;
}
