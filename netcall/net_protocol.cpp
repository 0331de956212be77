#include "netcall/net_protocol.h"

#include "interchange/chinese_code.h"
#include "interchange/code_page.h"
#include "interchange/compress.h"
#include "interchange/zr_json_var.h"

#include <algorithm>

namespace dunmere {

std::optional<std::string> requestText(std::string_view loginKey, std::string_view className,
                                       std::string_view functionName, std::string_view parameters)
{
    ZRJsonVar parsed;  // null for an empty text
    if (!parameters.empty() && !parsed.LoadJsonText(parameters))
        return std::nullopt;
    ZRJsonVar inner;
    inner.AddOneParame("ClassFullName", className);
    inner.AddOneParame("FunctionName", functionName);
    inner.AddOneParame("m_Parame", parsed);
    ZRJsonVar request;
    request.AddOneParame("command", "RUN");
    request.AddOneParame("LGKey", loginKey);
    request.AddOneParame("m_Parame", inner);
    return request.GetJsonText();
}

std::optional<std::string> requestBody(std::string_view requestText)
{
    return jolvane::compress(CChineseCodeLib::toUtf8(requestText));
}

std::optional<std::string> replyText(std::string_view body)
{
    if (body.size() > kReplyLimit)
        return std::nullopt;
    auto text = jolvane::uncompress(body, kReplyLimit);
    if (!text)
        return std::nullopt;
    // The inflated text ends at its first NUL, as a C string would.
    text->resize(std::min(text->size(), text->find('\0')));
    return CChineseCodeLib::toGbk(*text);
}

namespace {

constexpr std::string_view kResultMarker = "m_ReturnOBJ\":";

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string memberText(const Json::Value& root, const char* name)
{
    const Json::Value* v = root.find(name, name + std::char_traits<char>::length(name));
    if (!v || v->isNull())
        return {};
    return v->isString() ? v->asString() : describeJsonValue(*v).first;
}

}  // namespace

std::optional<Reply> readReply(std::string_view text)
{
    ZRJsonVar json;
    if (!json.LoadJsonText(text) || !json.ToJson().isObject())
        return std::nullopt;
    const Json::Value& root = json.ToJson();
    Reply reply;
    const Json::Value* ok = root.find("bOK", "bOK" + 3);
    reply.ok = ok && ok->isBool() && ok->asBool();
    reply.message = memberText(root, "sMsg");
    reply.command = memberText(root, "command");
    if (const Json::Value* result = root.find("m_ReturnOBJ", "m_ReturnOBJ" + 11)) {
        reply.hasResult = true;
        // The server's own text from the member name to the document's closing brace, so
        // whatever follows the member comes along. Trailing white space after the brace is
        // not part of it.
        const std::size_t at = brenmark::gbkFind(text, kResultMarker);
        std::size_t end = text.size();
        while (end > 0 && isSpace(text[end - 1]))
            --end;
        if (at != std::string_view::npos && end > 0 && at + kResultMarker.size() <= end - 1) {
            reply.result = std::string(text.substr(at + kResultMarker.size(), end - 1 - (at + kResultMarker.size())));
        } else {
            // Written with white space before the colon: the compact text of the value.
            reply.result = ZRJsonVar::GetJsonText(*result);
            reply.result.pop_back();
        }
    }
    return reply;
}

std::string cutMessage(std::string_view message)
{
    return std::string(brenmark::gbkPrefix(message, kMessageLimit));
}

}  // namespace dunmere
