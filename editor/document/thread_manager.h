#pragma once
// The behaviour of the thread manager window ("配置"): edit one brand's palette at a time.
// The dialog forwards its controls here.
#include "editor/document/palette_file.h"

#include <string>
#include <vector>

namespace brenmark {

class ThreadManager {
public:
    explicit ThreadManager(const PaletteStore& store);

    // The brand selector's entries: the program's one brand list (every brand with a
    // palette).
    const std::vector<std::string>& brands() const { return brands_; }
    const std::string& brand() const { return brand_; }
    const Palette& palette() const { return palette_; }
    int selected() const { return selected_; }

    // Shows "DMC" with no swatch selected.
    void open();
    // Saves the palette shown so far, then shows the other brand.
    void selectBrand(const std::string& brand);
    void selectSwatch(int index);

    // The edit boxes: components 0..255 and the thread number of the selected entry.
    struct Components {
        int red = 0, green = 0, blue = 0;
        std::string number;
    };
    Components components() const { return edit_; }
    void setComponents(int red, int green, int blue);
    void setNumber(std::string number) { edit_.number = std::move(number); }
    ColorRef previewColor() const;
    // Stores the edit boxes into the selected entry.
    bool apply();

    // "恢复绣线": the system palette replaces the working one and is shown.
    bool restore();
    // OK and Cancel both keep what is shown.
    bool ok() { return save(); }
    bool cancel() { return save(); }

private:
    bool save();
    void load(const std::string& brand);

    const PaletteStore& store_;
    std::vector<std::string> brands_;
    std::string brand_;
    Palette palette_;
    int selected_ = -1;
    Components edit_;
};

}  // namespace brenmark
