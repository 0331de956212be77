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

#include "netcall/net_exports.h"

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

// Queues the call; with loginRequired and no login key it fails at once with
// "未登陆不能访问" and sends nothing.
void ZRCallMsgNET(const char* className, const char* functionName, const std::string& parameters,
                  ZRReplyRecord* record, bool loginRequired);
// The receiver told about login and transport failures.
void ZRSetNotify(QObject* receiver, int message);
}
