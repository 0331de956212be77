#pragma once
// libdunmere's calls without Qt types, for callers that need no asynchronous replies.
// Exports with C linkage; std::string stands for the framework's text.
#include <string>

extern "C" {

// Stores the base address; the first call starts the three worker threads.
void ZRSetUrl(const std::string& baseAddress);
// Posts to the base address's "/ZRPost.ashx" and waits; the reply's "bOK". The message is
// set empty first and ends as the reply's "sMsg" or the failure text, cut to 499 bytes; the
// result object is set only on success. Either pointer may be null. A Qt application's
// events are handled while it waits.
bool ZRCallNET(const char* className, const char* functionName, const std::string& parameters,
               std::string* result, std::string* message);
// Posts the JSON text (converted to UTF-8, not compressed) to the address itself; the reply
// converted to GBK, empty on failure.
std::string ZRPostJson(const std::string& address, const std::string& json);

// What the program sets itself: the login key every request carries and the time limits of
// one request.
void ZRSetLoginKey(const std::string& key);
void ZRSetTimeouts(long connectMs, long totalMs);
}
