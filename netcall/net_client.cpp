#include "netcall/net_call.h"

#include "interchange/chinese_code.h"
#include "interchange/code_page.h"
#include "netcall/http_post.h"
#include "netcall/net_protocol.h"

#include <QCoreApplication>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

using namespace dunmere;

namespace {

constexpr int kWorkers = 3;
constexpr auto kWaitStep = std::chrono::milliseconds(100);

struct Outcome {
    bool ok = false;
    std::string message;
    std::string result;
    bool notify = false;  // a login or transport failure the notification receiver hears of
};

// False once the client has been destroyed at exit, which may come before the application
// object's end.
std::atomic<bool> clientAlive{false};

struct Queued {
    std::string body;
    ZRReplyRecord* record = nullptr;
};

class Client {
public:
    static Client& instance()
    {
        static Client client;
        return client;
    }

    ~Client()
    {
        stop();
        clientAlive = false;
    }

    void setUrl(const std::string& url)
    {
        std::lock_guard lock(mutex_);
        base_ = url;
        if (workers_.empty() && !stopping_) {
            for (int i = 0; i < kWorkers; ++i)
                workers_.emplace_back([this] { work(); });
            // The workers post Qt events: they end with the application object.
            if (QCoreApplication::instance())
                qAddPostRoutine([] {
                    if (clientAlive)
                        instance().stop();
                });
        }
    }

    std::string loginKey()
    {
        std::lock_guard lock(mutex_);
        return loginKey_;
    }

    void setLoginKey(const std::string& key)
    {
        std::lock_guard lock(mutex_);
        loginKey_ = key;
    }

    void setNotify(QObject* receiver, int message)
    {
        std::lock_guard lock(mutex_);
        notify_ = receiver;
        notifyMessage_ = message;
    }

    void setTimeouts(long connectMs, long totalMs)
    {
        std::lock_guard lock(mutex_);
        limits_.connectMs = connectMs;
        limits_.totalMs = totalMs;
    }

    HttpLimits limits()
    {
        std::lock_guard lock(mutex_);
        return limits_;
    }

    // Posts a finished request body and reads the reply.
    Outcome perform(const std::string& body)
    {
        std::string url;
        HttpLimits limits;
        {
            std::lock_guard lock(mutex_);
            url = base_ + "/ZRPost.ashx";
            limits = limits_;
        }
        Outcome outcome;
        const HttpReply http = httpPost(url, body, limits, &stopping_);
        const auto text = http.ok ? replyText(http.body) : std::nullopt;
        const auto reply = text ? readReply(*text) : std::nullopt;
        if (!reply) {
            outcome.message = kCallFailed;
            outcome.notify = true;
            return outcome;
        }
        outcome.ok = reply->ok;
        outcome.message = reply->message;
        if (reply->ok)
            outcome.result = reply->result;
        else
            outcome.notify = brenmark::gbkFind(reply->message, kLoginWord) != std::string::npos;
        return outcome;
    }

    void notify()
    {
        QPointer<QObject> receiver;
        int message = 0;
        {
            std::lock_guard lock(mutex_);
            receiver = notify_;
            message = notifyMessage_;
        }
        if (receiver)
            QCoreApplication::postEvent(receiver.data(), new NetReplyEvent(message, 0, nullptr));
    }

    static void post(ZRReplyRecord* record, long long first)
    {
        if (record->receiver)
            QCoreApplication::postEvent(record->receiver.data(), new NetReplyEvent(record->message, first, record));
    }

    void enqueue(Queued request)
    {
        {
            std::lock_guard lock(mutex_);
            if (!stopping_) {
                queue_.push_back(std::move(request));
                wake_.notify_one();
                return;
            }
        }
        request.record->ok = false;
        request.record->result = kCallFailed;
        post(request.record, 0);
    }

    // Ends the workers: the login key is cleared and every request still queued fails.
    void stop()
    {
        std::vector<std::thread> workers;
        std::deque<Queued> left;
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
            loginKey_.clear();
            workers.swap(workers_);
            left.swap(queue_);
            wake_.notify_all();
        }
        for (auto& w : workers)
            w.join();
        for (auto& request : left) {
            request.record->ok = false;
            request.record->result = kCallFailed;
            if (QCoreApplication::instance())
                post(request.record, 0);
        }
    }

private:
    Client() { clientAlive = true; }

    void work()
    {
        for (;;) {
            Queued request;
            {
                std::unique_lock lock(mutex_);
                wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
                if (stopping_)
                    return;
                request = std::move(queue_.front());
                queue_.pop_front();
            }
            const Outcome outcome = perform(request.body);
            request.record->ok = outcome.ok;
            request.record->result = outcome.ok ? outcome.result : outcome.message;
            if (outcome.notify)
                notify();
            post(request.record, outcome.ok ? 1 : 0);
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Queued> queue_;
    std::vector<std::thread> workers_;
    std::atomic<bool> stopping_{false};
    std::string base_;
    std::string loginKey_;
    QPointer<QObject> notify_;
    int notifyMessage_ = 0;
    HttpLimits limits_;
};

}  // namespace

QEvent::Type NetReplyEvent::eventType()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

void ZRSetUrl(const std::string& baseAddress)
{
    Client::instance().setUrl(baseAddress);
}

bool ZRCallNET(const char* className, const char* functionName, const std::string& parameters, std::string* result,
               std::string* message)
{
    if (message)
        message->clear();
    Client& client = Client::instance();
    const auto text = requestText(client.loginKey(), className ? className : "", functionName ? functionName : "",
                                  parameters);
    const auto body = text ? requestBody(*text) : std::nullopt;
    if (!body) {
        if (message)
            *message = kCallFailed;
        return false;
    }

    struct Call {
        std::mutex mutex;
        std::condition_variable done;
        bool finished = false;
        Outcome outcome;
    } call;
    std::thread worker([&] {
        Outcome outcome = client.perform(*body);
        std::lock_guard lock(call.mutex);
        call.outcome = std::move(outcome);
        call.finished = true;
        call.done.notify_all();
    });
    // The caller's events go on being handled while the call runs.
    for (;;) {
        if (QCoreApplication::instance())
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        std::unique_lock lock(call.mutex);
        if (call.done.wait_for(lock, kWaitStep, [&] { return call.finished; }))
            break;
    }
    worker.join();
    if (call.outcome.notify)
        client.notify();
    if (message)
        *message = cutMessage(call.outcome.message);
    if (call.outcome.ok && result)
        *result = call.outcome.result;
    return call.outcome.ok;
}

void ZRCallMsgNET(const char* className, const char* functionName, const std::string& parameters,
                  ZRReplyRecord* record, bool loginRequired)
{
    if (!record)
        return;
    Client& client = Client::instance();
    const std::string key = loginRequired ? client.loginKey() : std::string();
    if (loginRequired && key.empty()) {
        record->result = kNoLogin;
        record->ok = false;
        Client::post(record, 0);
        return;
    }
    const auto text = requestText(key, className ? className : "", functionName ? functionName : "", parameters);
    const auto body = text ? requestBody(*text) : std::nullopt;
    if (!body) {
        record->result = kCallFailed;
        record->ok = false;
        Client::post(record, 0);
        return;
    }
    client.enqueue({*body, record});
}

std::string ZRPostJson(const std::string& address, const std::string& json)
{
    const HttpReply http = httpPost(address, CChineseCodeLib::toUtf8(json), Client::instance().limits());
    if (!http.ok)
        return {};
    return CChineseCodeLib::toGbk(http.body);
}

void ZRSetLoginKey(const std::string& key)
{
    Client::instance().setLoginKey(key);
}

void ZRSetNotify(QObject* receiver, int message)
{
    Client::instance().setNotify(receiver, message);
}

void ZRSetTimeouts(long connectMs, long totalMs)
{
    Client::instance().setTimeouts(connectMs, totalMs);
}
