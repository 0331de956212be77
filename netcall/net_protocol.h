#pragma once
// The request and reply documents of the web service, apart from the transport: a request
// is a compact JSON document converted to UTF-8 and compressed; a reply is a compressed
// UTF-8 JSON document with "bOK", "sMsg", "command" and "m_ReturnOBJ".
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace dunmere {

// Largest reply the client accepts, compressed or inflated. Inflating is linear in what it
// produces, so this also bounds the time a reply can take to inflate (some milliseconds);
// how far a reply inflates is no fault: ordinary JSON inflates many times over.
inline constexpr std::size_t kReplyLimit = 10'485'760;
// Messages reach callers cut to this many bytes (at a character boundary).
inline constexpr std::size_t kMessageLimit = 499;

// untranslated (these three): the web service's words, compared and passed on as they come.
inline constexpr const char* kCallFailed = "调用失败";
inline constexpr const char* kNoLogin = "未登陆不能访问";  // untranslated
inline constexpr const char* kLoginWord = "登陆";  // untranslated

// The request document's text (GBK), or nothing when the parameter text is neither empty
// nor JSON.
std::optional<std::string> requestText(std::string_view loginKey, std::string_view className,
                                       std::string_view functionName, std::string_view parameters);
// The text as it goes on the wire: UTF-8, compressed.
std::optional<std::string> requestBody(std::string_view requestText);

struct Reply {
    bool ok = false;
    std::string message;
    std::string command;
    std::string result;  // the raw text of "m_ReturnOBJ"
    bool hasResult = false;
};

// A compressed reply body: nothing when it does not inflate within kReplyLimit bytes or is
// not a JSON document.
std::optional<std::string> replyText(std::string_view body);
std::optional<Reply> readReply(std::string_view replyText);

// The message as callers get it.
std::string cutMessage(std::string_view message);

}  // namespace dunmere
