// Parses arbitrary text as a JSON document and queries it with paths taken from the input:
// a query never changes the document, never fails on a valid handle, and the indexed form
// stays inside the member count. The parsed document is written and read back unchanged.
#include "fuzz/fuzz_support.h"

#include "interchange/zr_json_var.h"

#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    // The first line holds the paths (split at "|"), the rest is the document.
    const std::size_t cut = input.find('\n');
    const std::string_view paths = cut == std::string_view::npos ? input : input.substr(0, cut);
    const std::string_view text = cut == std::string_view::npos ? std::string_view() : input.substr(cut + 1);
    ZRJsonVar json;
    if (!json.LoadJsonText(text))
        FUZZ_CHECK(json.GetJsonText() == "null\n");
    const std::string before = json.GetJsonText();
    for (const std::string& path : ZRJsonVar::SplitString(paths, '|')) {
        std::string value, type, name;
        FUZZ_CHECK(json.GetVarValue(path, value, type));
        FUZZ_CHECK(!type.empty());
        const std::int32_t members = json.GetMainVarSize(path);
        FUZZ_CHECK(members >= 0);
        FUZZ_CHECK(json.GetVarValue(path, members, value, name, type) == false);
        if (members > 0)
            FUZZ_CHECK(json.GetVarValue(path, members - 1, value, name, type));
        (void)json.GetArraySize(path);
        (void)json.GetBytesValue(path);
    }
    FUZZ_CHECK(json.GetJsonText() == before);
    if (json.GetJsonInfo().size() < 100000)
        (void)json.ListTypeText();
    ZRJsonVar again;
    FUZZ_CHECK(again.LoadJsonText(before));
    FUZZ_CHECK(again.GetJsonText() == before);
    return 0;
}
