#pragma once
// libdunmere: calls a named function of a named class on the web service. One client per
// process holds the base address, the login key and the queue that three worker threads
// serve for asynchronous calls.
//
// Synchronous calls (ZRCallNET) wait while the caller's Qt event loop keeps running;
// asynchronous calls (ZRCallMsgNET) end with a NetReplyEvent posted to the record's
// receiver, so the result arrives on the receiver's thread.
#include <QEvent>
#include <QObject>
#include <QPointer>

#include <string>

// Where an asynchronous call reports: the caller owns the record and keeps it alive until
// the event has been handled.
struct ZRReplyRecord {
    QPointer<QObject> receiver;  // the event is posted only while it exists
    int message = 0;             // carried in the event
    bool ok = false;
    std::string result;  // the result object's text, or the failure message
};

// Posted to a record's receiver when its call ended (first 1 on success, 0 on failure) and
// to the notification receiver (first 0, record null) when a call failed for want of a
// login or of an answer.
class NetReplyEvent final : public QEvent {
public:
    static QEvent::Type eventType();
    NetReplyEvent(int message, long long first, ZRReplyRecord* record)
        : QEvent(eventType()), message_(message), first_(first), record_(record)
    {
    }
    int message() const { return message_; }
    long long first() const { return first_; }
    ZRReplyRecord* record() const { return record_; }

private:
    int message_;
    long long first_;
    ZRReplyRecord* record_;
};

extern "C" {

// Stores the base address; the first call starts the three worker threads.
void ZRSetUrl(const std::string& baseAddress);
// Posts to the base address's "/ZRPost.ashx" and waits; the reply's "bOK". The message is
// set empty first and ends as the reply's "sMsg" or the failure text, cut to 499 bytes; the
// result object is set only on success. Either pointer may be null.
bool ZRCallNET(const char* className, const char* functionName, const std::string& parameters,
               std::string* result, std::string* message);
// Queues the call; with loginRequired and no login key it fails at once with
// "未登陆不能访问" and sends nothing.
void ZRCallMsgNET(const char* className, const char* functionName, const std::string& parameters,
                  ZRReplyRecord* record, bool loginRequired);
// Posts the JSON text (converted to UTF-8, not compressed) to the address itself; the reply
// converted to GBK, empty on failure.
std::string ZRPostJson(const std::string& address, const std::string& json);

// What the program sets itself: the login key every request carries, the receiver told
// about login and transport failures, and the time limits of one request.
void ZRSetLoginKey(const std::string& key);
void ZRSetNotify(QObject* receiver, int message);
void ZRSetTimeouts(long connectMs, long totalMs);
}
