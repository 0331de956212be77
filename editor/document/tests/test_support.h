#pragma once
// Helpers shared by the document tests: scratch folders, scripted message boxes and
// progress bars, and a builder for pattern files of any version, byte by byte.
#include "editor/document/byte_io.h"
#include "editor/document/palette_file.h"
#include "editor/document/pattern_file.h"
#include "editor/document/user_prompts.h"

#include <cstdint>
#include <string>
#include <vector>

namespace brenmark::test {

// A fresh folder, removed with its contents at the end of the test.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }  // ends in "/"
    std::string file(const std::string& name) const { return path_ + name; }

private:
    std::string path_;
};

struct ShownMessage {
    std::string text, title;
    MessageIcon icon;
};

class RecordingMessages final : public MessageBoxes {
public:
    std::vector<ShownMessage> shown;
    void show(const std::string& text, const std::string& title, MessageIcon icon) override
    {
        shown.push_back({text, title, icon});
    }
    std::vector<std::string> texts() const
    {
        std::vector<std::string> t;
        for (const auto& m : shown)
            t.push_back(m.text);
        return t;
    }
};

class RecordingProgress final : public ProgressReport {
public:
    int low = -1, high = -1;
    std::vector<int> positions;
    void setRange(int l, int h) override { low = l, high = h; }
    void setPosition(int p) override { positions.push_back(p); }
};

void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> readBytes(const std::string& path);

std::int32_t int32At(const std::vector<std::uint8_t>& bytes, std::size_t offset);

// A palette folder under dir with one working palette.
void writePalette(const std::string& dir, const std::string& brand, const std::vector<std::pair<std::string, ColorRef>>& entries);

// Builds pattern files by hand, section by section, in the layout of the given version.
struct PatternFileBuilder {
    std::int32_t width = 2, height = 2, version = kPatternFileVersion;
    std::string brand = "DMC";
    bool currentLibrary = true;
    std::vector<std::pair<ColorRef, std::string>> threads;
    std::vector<std::uint8_t> cells;  // width * height bytes; defaults to all 0xFF
    std::vector<BackstitchLine> lines;
    bool writeLineSection = false;  // header byte 32
    std::vector<StitchMark> marks;
    ColorRef fabric = kWhite;
    struct Layer {
        bool linked = false, drawable = false, visible = true;
        std::string name;
        std::vector<std::uint8_t> cells;
        std::vector<BackstitchLine> lines;
        std::vector<StitchMark> marks;
    };
    std::vector<Layer> layers;
    std::vector<std::pair<std::string, std::int32_t>> symbols;  // slots from 0; the rest empty, colour 0

    std::vector<std::uint8_t> build() const;
};

}  // namespace brenmark::test
