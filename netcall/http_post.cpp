#include "netcall/http_post.h"

#include <curl/curl.h>

#include <mutex>

namespace dunmere {
namespace {

struct Transfer {
    std::string body;
    std::size_t maxReply = 0;
    const std::atomic<bool>* cancel = nullptr;
    bool tooLarge = false;
};

std::size_t collect(char* data, std::size_t size, std::size_t count, void* user)
{
    auto* t = static_cast<Transfer*>(user);
    const std::size_t n = size * count;
    if (t->body.size() + n > t->maxReply) {
        t->tooLarge = true;
        return 0;  // ends the transfer
    }
    t->body.append(data, n);
    return n;
}

int progress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    const auto* t = static_cast<const Transfer*>(user);
    return t->cancel && t->cancel->load() ? 1 : 0;
}

void initialiseOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

}  // namespace

HttpReply httpPost(const std::string& url, std::string_view body, const HttpLimits& limits,
                   const std::atomic<bool>* cancel)
{
    initialiseOnce();
    HttpReply reply;
    CURL* curl = curl_easy_init();
    if (!curl)
        return reply;
    Transfer transfer;
    transfer.maxReply = limits.maxReply;
    transfer.cancel = cancel;
    curl_slist* headers = nullptr;
    headers = curl_slist_append(headers, "Content-Type:   application/x-www-form-urlencoded");
    headers = curl_slist_append(headers, "Accept:   */*");
    // Always from the server, never from a cache on the way.
    headers = curl_slist_append(headers, "Cache-Control: no-cache");
    headers = curl_slist_append(headers, "Pragma: no-cache");
    headers = curl_slist_append(headers, "Expect:");
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_POST, 1L);
    curl_easy_setopt(curl, CURLOPT_POSTFIELDS, body.data());
    curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, limits.connectMs);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, limits.totalMs);
    curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.maxReply));
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, collect);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, progress);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    const CURLcode rc = curl_easy_perform(curl);
    curl_off_t contentLength = -1;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &reply.status);
    curl_easy_getinfo(curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &contentLength);
    curl_slist_free_all(headers);
    curl_easy_cleanup(curl);
    reply.body = std::move(transfer.body);
    reply.ok = rc == CURLE_OK && !transfer.tooLarge && reply.status == 200 && contentLength >= 0 &&
               static_cast<std::size_t>(contentLength) == reply.body.size();
    return reply;
}

}  // namespace dunmere
