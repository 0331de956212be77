#include "netcall/net_call.h"
#include "netcall/net_protocol.h"
#include "service_fixture.h"

#include "interchange/code_page.h"
#include "interchange/zr_json_var.h"

#include <QCoreApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <vector>

using namespace dunmere;
using Clock = std::chrono::steady_clock;

namespace {

QCoreApplication& app()
{
    static int argc = 1;
    static char name[] = "dunmere_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication instance(argc, argv);
    return instance;
}

class Receiver : public QObject {
public:
    struct Seen {
        int message;
        long long first;
        ZRReplyRecord* record;
    };
    std::vector<Seen> seen;

    bool event(QEvent* e) override
    {
        if (e->type() != NetReplyEvent::eventType())
            return QObject::event(e);
        const auto* reply = static_cast<NetReplyEvent*>(e);
        seen.push_back({reply->message(), reply->first(), reply->record()});
        return true;
    }

    // Handles events until count have arrived or the time is up.
    bool waitFor(std::size_t count, int ms = 10000)
    {
        const auto end = Clock::now() + std::chrono::milliseconds(ms);
        while (seen.size() < count && Clock::now() < end)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        return seen.size() >= count;
    }
};

struct Call {
    bool ok = false;
    std::string result = "untouched";
    std::string message = "stale";
};

Call call(const char* cls, const char* fn, const std::string& params)
{
    Call c;
    c.ok = ZRCallNET(cls, fn, params, &c.result, &c.message);
    return c;
}

// The parameter document of Test / Reply: the service sends text back as its reply.
std::string replyWith(const std::string& text)
{
    ZRJsonVar p;
    p.AddOneParame("text", std::string_view(text));
    return p.GetJsonText();
}

class NetCall : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        app();
        service_ = new ReferenceService;
        ASSERT_TRUE(service_->running());
        ZRSetUrl(service_->base());
    }
    static void TearDownTestSuite()
    {
        delete service_;
        service_ = nullptr;
    }
    void SetUp() override
    {
        ASSERT_TRUE(service_ && service_->running());
        ZRSetTimeouts(5000, 10000);
        ZRSetLoginKey("");
        ZRSetNotify(nullptr, 0);
    }
    static std::string last() { return service_->get("/last"); }
    static ZRJsonVar lastJson()
    {
        ZRJsonVar json;
        json.LoadJsonText(last());
        return json;
    }
    static std::string lastValue(const std::string& path)
    {
        std::string value, type;
        lastJson().GetVarValue(path, value, type);
        return value;
    }

    static ReferenceService* service_;
};

ReferenceService* NetCall::service_ = nullptr;

}  // namespace

TEST_F(NetCall, RequestBytesHeadersAndEchoedResult)
{
    ZRSetLoginKey("K1");
    const Call c = call("Test", "Echo", "{\"b\":[1,2],\"a\":\"绣线\"}");
    EXPECT_TRUE(c.ok);
    EXPECT_EQ(c.message, "echo");
    EXPECT_EQ(c.result, "{\"a\":\"绣线\",\"b\":[1,2]}");  // GBK again
    // The exact document the service inflated (UTF-8 on the wire).
    EXPECT_EQ(brenmark::utf8ToGbk(lastValue("body")),
              "{\"LGKey\":\"K1\",\"command\":\"RUN\",\"m_Parame\":{\"ClassFullName\":\"Test\",\"FunctionName\":"
              "\"Echo\",\"m_Parame\":{\"a\":\"绣线\",\"b\":[1,2]}}}\n");
    const std::string headers = lastValue("headers");
    EXPECT_NE(headers.find("Content-Type:   application/x-www-form-urlencoded\\r\\n"), std::string::npos) << headers;
    EXPECT_NE(headers.find("Accept:   */*\\r\\n"), std::string::npos) << headers;
    EXPECT_NE(headers.find("Cache-Control: no-cache"), std::string::npos) << headers;
    EXPECT_EQ(headers.find("POST"), std::string::npos);
}

TEST_F(NetCall, EmptyParametersSendNullAndBadOnesSendNothing)
{
    EXPECT_TRUE(call("Test", "Echo", "").ok);
    EXPECT_NE(lastValue("body").find("\"FunctionName\":\"Echo\",\"m_Parame\":null}"), std::string::npos);
    const std::string before = last();
    const Call bad = call("Test", "Echo", "{oops");
    EXPECT_FALSE(bad.ok);
    EXPECT_EQ(bad.message, kCallFailed);
    EXPECT_EQ(bad.result, "untouched");
    EXPECT_EQ(last(), before);
}

TEST_F(NetCall, ReplyFlagsResultsAndMessages)
{
    Call c = call("Test", "Reply", replyWith(R"({"sMsg":"没有标志","m_ReturnOBJ":{"x":1}})"));
    EXPECT_FALSE(c.ok);
    EXPECT_EQ(c.message, "没有标志");
    EXPECT_EQ(c.result, "untouched");  // only success sets it
    c = call("Test", "Reply", replyWith(R"({"bOK":true,"m_ReturnOBJ":{"x":1},"sMsg":"later"})"));
    EXPECT_TRUE(c.ok);
    EXPECT_EQ(c.result, "{\"x\":1},\"sMsg\":\"later\"");
    EXPECT_EQ(c.message, "later");
    // Varied text and the same letter repeated alike: how far a reply inflates is no fault.
    std::string long600;
    for (int i = 0; i < 600; ++i)
        long600 += static_cast<char>('a' + (i * 7 + i / 26) % 26);
    c = call("Test", "Reply", replyWith("{\"bOK\":false,\"sMsg\":\"" + long600 + "\"}"));
    EXPECT_EQ(c.message, long600.substr(0, 499));
    c = call("Test", "Reply", replyWith("{\"bOK\":false,\"sMsg\":\"" + std::string(600, 'z') + "\"}"));
    EXPECT_EQ(c.message, std::string(499, 'z'));
    // Success without a result object: an empty result.
    c = call("Test", "Reply", replyWith(R"({"bOK":true})"));
    EXPECT_TRUE(c.ok);
    EXPECT_EQ(c.result, "");
    EXPECT_EQ(c.message, "");
}

TEST_F(NetCall, TransportFailuresAreCallFailed)
{
    for (const char* fn : {"Short", "Huge", "Bomb"}) {
        const Call c = call("Test", fn, "");
        EXPECT_FALSE(c.ok) << fn;
        EXPECT_EQ(c.message, kCallFailed) << fn;
    }
    Call c = call("Test", "Status", R"({"status":500})");
    EXPECT_EQ(c.message, kCallFailed);
    c = call("Test", "Status", R"({"status":201})");
    EXPECT_EQ(c.message, kCallFailed);
    c = call("Test", "Reply", replyWith("<html>captive portal</html>"));
    EXPECT_EQ(c.message, kCallFailed);
    // Nobody listening.
    ReferenceService* gone = new ReferenceService;
    const std::string url = gone->base();
    delete gone;
    ZRSetUrl(url);
    c = call("Test", "Echo", "");
    ZRSetUrl(service_->base());
    EXPECT_EQ(c.message, kCallFailed);
}

TEST_F(NetCall, SlowServerTimesOutAndTheEventLoopRunsMeanwhile)
{
    ZRSetTimeouts(2000, 600);
    const auto start = Clock::now();
    Call c = call("Test", "Slow", R"({"seconds":3})");
    EXPECT_EQ(c.message, kCallFailed);
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(2500));

    ZRSetTimeouts(5000, 10000);
    bool ran = false;
    QTimer::singleShot(100, &app(), [&] { ran = true; });
    c = call("Test", "Slow", R"({"seconds":0.5,"tag":7})");
    EXPECT_TRUE(c.ok);
    EXPECT_EQ(c.result, "7");
    EXPECT_TRUE(ran);
}

TEST_F(NetCall, LoginRuleSendsNothingAndNotifies)
{
    const std::string before = last();
    Receiver receiver;
    ZRReplyRecord record{&receiver, 4711, true, "x"};
    ZRCallMsgNET("Test", "Echo", "", &record, true);
    ASSERT_TRUE(receiver.waitFor(1));
    EXPECT_EQ(receiver.seen[0].message, 4711);
    EXPECT_EQ(receiver.seen[0].first, 0);
    EXPECT_EQ(receiver.seen[0].record, &record);
    EXPECT_FALSE(record.ok);
    EXPECT_EQ(record.result, kNoLogin);
    EXPECT_EQ(last(), before);

    // A failed reply that speaks of logging in reaches the notification receiver.
    Receiver watcher;
    ZRSetNotify(&watcher, 99);
    const Call c = call("Test", "Reply", replyWith(R"({"bOK":false,"sMsg":"请先登陆"})"));
    EXPECT_FALSE(c.ok);
    ASSERT_TRUE(watcher.waitFor(1));
    EXPECT_EQ(watcher.seen[0].message, 99);
    EXPECT_EQ(watcher.seen[0].record, nullptr);
    ZRSetNotify(nullptr, 0);
}

TEST_F(NetCall, ThreeWorkersServeTheQueue)
{
    Receiver receiver;
    std::vector<std::unique_ptr<ZRReplyRecord>> records;
    ZRSetLoginKey("secret");
    for (int i = 0; i < 9; ++i) {
        records.push_back(std::make_unique<ZRReplyRecord>());
        records.back()->receiver = &receiver;
        records.back()->message = 1000 + i;
        ZRCallMsgNET("Test", "Slow", "{\"seconds\":0.4,\"group\":\"q\",\"tag\":" + std::to_string(i) + "}", records.back().get(),
                     i % 2 == 0);
    }
    ASSERT_TRUE(receiver.waitFor(9));
    for (const auto& seen : receiver.seen) {
        EXPECT_EQ(seen.first, 1);
        EXPECT_TRUE(seen.record->ok);
        EXPECT_EQ(seen.record->result, std::to_string(seen.message - 1000));
    }
    EXPECT_EQ(service_->get("/stats/q"), "{\"most\": 3}");

    // The login key goes only with calls that ask for it.
    ZRReplyRecord plain{&receiver, 1, false, ""};
    ZRCallMsgNET("Test", "Echo", "", &plain, false);
    ASSERT_TRUE(receiver.waitFor(10));
    EXPECT_NE(lastValue("body").find("{\"LGKey\":\"\","), std::string::npos);
    ZRReplyRecord keyed{&receiver, 2, false, ""};
    ZRCallMsgNET("Test", "Echo", "", &keyed, true);
    ASSERT_TRUE(receiver.waitFor(11));
    EXPECT_NE(lastValue("body").find("{\"LGKey\":\"secret\","), std::string::npos);
}

TEST_F(NetCall, PostJsonGoesUncompressed)
{
    EXPECT_EQ(ZRPostJson(service_->base() + "/echo", "{\"a\":\"绣\"}"), "{\"a\":\"绣\"}");
    EXPECT_EQ(ZRPostJson("http://127.0.0.1:1/nothing", "{}"), "");
}
