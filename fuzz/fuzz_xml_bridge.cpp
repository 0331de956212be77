// Feeds arbitrary text to the XML-to-JSON bridge: a refused text leaves the document as it
// was; an accepted one gives a document whose text reads back unchanged.
#include "fuzz/fuzz_support.h"

#include "interchange/zr_json_var.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    ZRJsonVar json;
    json.AddOneParame("keep", "me");
    const std::string before = json.GetJsonText();
    if (!json.LoadXML(text, "")) {
        FUZZ_CHECK(json.GetJsonText() == before);
    } else {
        ZRJsonVar again;
        FUZZ_CHECK(again.LoadJsonText(json.GetJsonText()));
        FUZZ_CHECK(again.GetJsonText() == json.GetJsonText());
    }
    ZRJsonVar web;
    (void)web.LoadWebXML(text, "StartApp");
    (void)web.LoadXML(text, "a");
    return 0;
}
