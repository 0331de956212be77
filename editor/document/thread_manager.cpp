#include "editor/document/thread_manager.h"

#include <algorithm>

namespace brenmark {

ThreadManager::ThreadManager(const PaletteStore& store) : store_(store)
{
    brands_ = store_.threadKindList();
    if (brands_.empty())
        brands_.push_back(kDefaultBrand);
}

void ThreadManager::load(const std::string& brand)
{
    brand_ = brand;
    store_.load(brand_, palette_);
    selected_ = -1;
    edit_ = {};
}

void ThreadManager::open()
{
    store_.ensurePaletteFolder();
    // The brands as they are now: a library made since is there too.
    brands_ = store_.threadKindList();
    if (brands_.empty())
        brands_.push_back(kDefaultBrand);
    const int dmc = brandIndex(brands_, kDefaultBrand);
    load(brands_[dmc >= 0 ? static_cast<std::size_t>(dmc) : 0]);
}

void ThreadManager::selectBrand(const std::string& brand)
{
    if (brand == brand_)
        return;
    save();
    load(brand);
}

void ThreadManager::selectSwatch(int index)
{
    if (index < 0 || index >= palette_.size())
        return;
    selected_ = index;
    const ColorRef c = palette_.colors[static_cast<std::size_t>(index)];
    edit_ = {static_cast<int>(redOf(c)), static_cast<int>(greenOf(c)), static_cast<int>(blueOf(c)),
             palette_.numbers[static_cast<std::size_t>(index)]};
}

void ThreadManager::setComponents(int red, int green, int blue)
{
    edit_.red = std::clamp(red, 0, 255);
    edit_.green = std::clamp(green, 0, 255);
    edit_.blue = std::clamp(blue, 0, 255);
}

ColorRef ThreadManager::previewColor() const
{
    return rgb(static_cast<unsigned>(edit_.red), static_cast<unsigned>(edit_.green), static_cast<unsigned>(edit_.blue));
}

bool ThreadManager::apply()
{
    if (selected_ < 0)
        return false;
    palette_.colors[static_cast<std::size_t>(selected_)] = previewColor();
    palette_.numbers[static_cast<std::size_t>(selected_)] = edit_.number;
    return true;
}

bool ThreadManager::restore()
{
    const bool restored = store_.restore(brand_);
    load(brand_);
    return restored;
}

bool ThreadManager::save()
{
    if (brand_.empty())
        return false;
    return store_.save(brand_, palette_);
}

}  // namespace brenmark
