#pragma once
// What the photo tests share: a scratch program directory with palettes, a message log,
// and giflib's reading of a file as the reference for our decoder.
#include "editor/document/color_ref.h"
#include "editor/document/palette_file.h"
#include "editor/document/user_prompts.h"

#include <gif_lib.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace brenmark::test {

// A fresh folder, removed with its contents at the end; its path ends in "/".
class ScratchDir {
public:
    ScratchDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "photo-test-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            std::abort();
        path_ = pattern + "/";
    }
    ~ScratchDir() { std::filesystem::remove_all(path_); }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + name; }

private:
    std::string path_;
};

using PaletteEntries = std::vector<std::pair<std::string, ColorRef>>;

inline void writePalette(const std::string& dir, const std::string& brand, const PaletteEntries& entries)
{
    const PaletteStore store(dir);
    store.ensurePaletteFolder();
    std::vector<ColorRef> colours;
    std::vector<std::string> numbers;
    for (const auto& [number, colour] : entries) {
        numbers.push_back(number);
        colours.push_back(colour);
    }
    if (!store.save(brand, colours, numbers))
        std::abort();
}

// A system palette file "SysPAL/<brand>.pal".
inline void writeSystemPalette(const std::string& dir, const std::string& brand, const PaletteEntries& entries)
{
    std::filesystem::create_directories(dir + "SysPAL");
    std::vector<ColorRef> colours;
    std::vector<std::string> numbers;
    for (const auto& [number, colour] : entries) {
        numbers.push_back(number);
        colours.push_back(colour);
    }
    const auto bytes = encodePalette(colours, numbers);
    std::ofstream(dir + "SysPAL/" + brand + ".pal", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline std::string writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
}

struct RecordedMessage {
    std::string text, title;
    MessageIcon icon;
};

class RecordingMessages final : public MessageBoxes {
public:
    std::vector<RecordedMessage> shown;
    void show(const std::string& text, const std::string& title, MessageIcon icon) override
    {
        shown.push_back({text, title, icon});
    }
};

class RecordingProgress final : public ProgressReport {
public:
    std::vector<int> positions;
    int low = -1, high = -1;
    void setRange(int l, int h) override
    {
        low = l;
        high = h;
    }
    void setPosition(int p) override { positions.push_back(p); }
};

// giflib's reading of the first image: its size, pixels in row order and colour table.
struct ReferenceImage {
    int width = 0, height = 0;
    std::vector<std::uint8_t> pixels;
    std::vector<ColorRef> colours;
    int images = 0;
};

inline std::optional<ReferenceImage> giflibRead(const std::vector<std::uint8_t>& bytes)
{
    struct Source {
        const std::vector<std::uint8_t>* bytes;
        std::size_t at;
    } source{&bytes, 0};
    auto read = [](GifFileType* gif, GifByteType* out, int n) -> int {
        auto* s = static_cast<Source*>(gif->UserData);
        const std::size_t take = std::min<std::size_t>(static_cast<std::size_t>(n), s->bytes->size() - s->at);
        std::memcpy(out, s->bytes->data() + s->at, take);
        s->at += take;
        return static_cast<int>(take);
    };
    int error = 0;
    GifFileType* gif = DGifOpen(&source, read, &error);
    if (!gif)
        return std::nullopt;
    std::optional<ReferenceImage> out;
    if (DGifSlurp(gif) == GIF_OK && gif->ImageCount > 0) {
        const SavedImage& image = gif->SavedImages[0];
        ReferenceImage r;
        r.width = image.ImageDesc.Width;
        r.height = image.ImageDesc.Height;
        r.images = gif->ImageCount;
        r.pixels.assign(image.RasterBits, image.RasterBits + static_cast<std::size_t>(r.width) * static_cast<std::size_t>(r.height));
        const ColorMapObject* map = image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
        if (map)
            for (int i = 0; i < map->ColorCount; ++i)
                r.colours.push_back(rgb(map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue));
        out = std::move(r);
    }
    DGifCloseFile(gif, &error);
    return out;
}

}  // namespace brenmark::test
