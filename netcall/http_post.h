#pragma once
// One HTTP POST through libcurl with the headers the web service expects, no cached reply,
// bounded time and a bounded reply.
#include <atomic>
#include <string>
#include <string_view>

namespace dunmere {

struct HttpLimits {
    long connectMs = 10'000;
    long totalMs = 60'000;
    std::size_t maxReply = 10'485'760;
};

struct HttpReply {
    bool ok = false;  // status 200 and exactly Content-Length bytes
    long status = 0;
    std::string body;
};

// Aborts as soon as *cancel becomes true (may be null).
HttpReply httpPost(const std::string& url, std::string_view body, const HttpLimits& limits,
                   const std::atomic<bool>* cancel = nullptr);

}  // namespace dunmere
