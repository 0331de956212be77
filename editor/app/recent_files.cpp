#include "editor/app/recent_files.h"

#include <algorithm>

namespace brenmark {

RecentFiles::RecentFiles(std::vector<std::string> paths)
{
    // Stored lists may hold anything: keep the first of each path, no empty ones, ten at most.
    for (std::string& p : paths)
        if (!p.empty() && std::find(paths_.begin(), paths_.end(), p) == paths_.end() && paths_.size() < kMax)
            paths_.push_back(std::move(p));
}

void RecentFiles::add(const std::string& path)
{
    if (path.empty())
        return;
    remove(path);
    paths_.insert(paths_.begin(), path);
    if (paths_.size() > kMax)
        paths_.resize(kMax);
}

void RecentFiles::remove(const std::string& path)
{
    std::erase(paths_, path);
}

}  // namespace brenmark
