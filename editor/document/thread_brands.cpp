#include "editor/document/thread_brands.h"

#include <algorithm>

namespace brenmark {

int brandIndex(const std::vector<std::string>& brands, std::string_view brand)
{
    const auto at = std::find(brands.begin(), brands.end(), brand);
    return at == brands.end() ? -1 : static_cast<int>(at - brands.begin());
}

bool isSafeBrandName(std::string_view brand)
{
    return !brand.empty() && brand != "." && brand != ".." && brand.find('/') == std::string_view::npos &&
           brand.find('\0') == std::string_view::npos;
}

}  // namespace brenmark
