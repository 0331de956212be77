// Arbitrary bytes as a reply body of the web service (inflated within its bounds) and as
// a reply text: reading never fails otherwise than by refusing, the result text is part of
// the reply, and messages are cut to 499 bytes on a character boundary.
#include "fuzz/fuzz_support.h"

#include "interchange/compress.h"
#include "netcall/net_protocol.h"

#include <string>

using namespace dunmere;

namespace {

void readText(std::string_view text)
{
    const auto reply = readReply(text);
    if (!reply)
        return;
    FUZZ_CHECK(reply->hasResult || reply->result.empty());
    const std::string cut = cutMessage(reply->message);
    FUZZ_CHECK(cut.size() <= kMessageLimit);
    FUZZ_CHECK(reply->message.compare(0, cut.size(), cut) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    if (const auto text = replyText(input)) {
        FUZZ_CHECK(text->size() <= kReplyLimit);
        readText(*text);
    }
    readText(input);
    // The same bytes compressed, as a well-formed body.
    if (const auto body = jolvane::compress(input); body && size <= kReplyLimit)
        if (const auto text = replyText(*body))
            readText(*text);
    return 0;
}
