#pragma once
// The patterns opened or saved last, newest first, as the file menu lists them.
#include <string>
#include <vector>

namespace brenmark {

class RecentFiles {
public:
    static constexpr std::size_t kMax = 10;

    RecentFiles() = default;
    explicit RecentFiles(std::vector<std::string> paths);

    // path goes to the front; an earlier entry of the same path goes, the oldest beyond ten.
    void add(const std::string& path);
    void remove(const std::string& path);
    const std::vector<std::string>& paths() const { return paths_; }

private:
    std::vector<std::string> paths_;
};

}  // namespace brenmark
