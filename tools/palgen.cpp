// Build step: turns thread colour tables (CSV: number,name,r,g,b) into system palettes and
// seeds the working palette folder with any palette it does not have yet.
//
//   palgen PROGRAM_DIR csv=BRAND [csv=BRAND ...]
#include "interchange/file_bytes.h"
#include "editor/document/palette_file.h"

#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace brenmark;

namespace {

bool parseCsv(const std::string& path, std::vector<ColorRef>& colors, std::vector<std::string>& numbers,
              std::string& names)
{
    std::ifstream in(path);
    if (!in)
        return false;
    std::string line;
    std::getline(in, line);  // header
    int lineNo = 1;
    while (std::getline(in, line)) {
        ++lineNo;
        if (line.empty())
            continue;
        std::vector<std::string> fields;
        std::stringstream ss(line);
        std::string field;
        while (std::getline(ss, field, ','))
            fields.push_back(field);
        if (fields.size() < 5) {
            std::fprintf(stderr, "%s:%d: expected number,name,r,g,b\n", path.c_str(), lineNo);
            return false;
        }
        // The name may itself hold commas: the colour is always the last three fields.
        const std::size_t n = fields.size();
        const int r = std::stoi(fields[n - 3]), g = std::stoi(fields[n - 2]), b = std::stoi(fields[n - 1]);
        if (fields[0].empty() || fields[0].size() > kPaletteNumberField - 1 || r < 0 || r > 255 || g < 0 ||
            g > 255 || b < 0 || b > 255) {
            std::fprintf(stderr, "%s:%d: bad thread number or colour\n", path.c_str(), lineNo);
            return false;
        }
        // The thread's name: the fields between the number and the colour.
        std::string name = fields[1];
        for (std::size_t k = 2; k + 3 < n; ++k)
            name += "," + fields[k];
        names += fields[0] + "\t" + name + "\n";
        numbers.push_back(fields[0]);
        colors.push_back(rgb(static_cast<unsigned>(r), static_cast<unsigned>(g), static_cast<unsigned>(b)));
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: palgen PROGRAM_DIR table.csv=BRAND ...\n");
        return 2;
    }
    std::string dir = argv[1];
    if (dir.back() != '/')
        dir += '/';
    ::mkdir((dir + "SysPAL").c_str(), 0777);
    ::mkdir((dir + "PAL").c_str(), 0777);
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto eq = arg.rfind('=');
        if (eq == std::string::npos) {
            std::fprintf(stderr, "palgen: expected table.csv=BRAND, got %s\n", arg.c_str());
            return 2;
        }
        const std::string csv = arg.substr(0, eq), brand = arg.substr(eq + 1);
        std::vector<ColorRef> colors;
        std::vector<std::string> numbers;
        std::string names;
        if (!parseCsv(csv, colors, numbers, names)) {
            std::fprintf(stderr, "palgen: cannot read %s\n", csv.c_str());
            return 1;
        }
        // Beside the palette, the threads' names ("number<TAB>name" lines) for the files
        // that carry them (OXS).
        const std::string namesPath = dir + "SysPAL/" + brand + ".names";
        const std::vector<std::uint8_t> nameBytes(names.begin(), names.end());
        std::vector<std::uint8_t> oldNames;
        if ((!readWholeFile(namesPath, oldNames) || oldNames != nameBytes) && !replaceFile(namesPath, nameBytes)) {
            std::fprintf(stderr, "palgen: cannot write %s\n", namesPath.c_str());
            return 1;
        }
        const auto bytes = encodePalette(colors, numbers);
        const std::string system = dir + "SysPAL/" + brand + ".pal";
        std::vector<std::uint8_t> old;
        if ((!readWholeFile(system, old) || old != bytes) && !replaceFile(system, bytes)) {
            std::fprintf(stderr, "palgen: cannot write %s\n", system.c_str());
            return 1;
        }
        const std::string working = dir + "PAL/" + brand + ".pal";
        if (!fileExists(working) && !replaceFile(working, bytes)) {
            std::fprintf(stderr, "palgen: cannot write %s\n", working.c_str());
            return 1;
        }
    }
    return 0;
}
