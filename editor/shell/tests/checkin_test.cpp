#include "editor/shell/checkin.h"

#include "netcall/tests/service_fixture.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <filesystem>
#include <fstream>

using namespace brenmark;
namespace fs = std::filesystem;

// One application object for the whole test program (shell_test_main.cpp).
QCoreApplication& shellTestApp();

namespace {

class ScriptedIdentities final : public IdentitySource {
public:
    std::string host = "studio-pc";
    int made = 0;
    std::string hostName() override { return host; }
    std::string newIdentifier() override { return "0123456789abcdef0123456789abcde" + std::to_string(made++); }
};

class Messages final : public MessageBoxes {
public:
    std::vector<std::string> shown;
    void show(const std::string& text, const std::string&, MessageIcon) override { shown.push_back(text); }
};

class ScriptedHost final : public CheckinHost {
public:
    bool answer = true;
    std::string result;
    std::string url, cls, fn, params;
    std::vector<std::string> started;
    bool startWorks = true;
    Messages boxes;
    void setServiceUrl(const std::string& u) override { url = u; }
    bool call(const std::string& c, const std::string& f, const std::string& p, std::string& r) override
    {
        cls = c;
        fn = f;
        params = p;
        r = result;
        return answer;
    }
    bool startUpdater(const std::string& path) override
    {
        started.push_back(path);
        return startWorks;
    }
    MessageBoxes& messages() override { return boxes; }
};

std::string readFile(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class Checkin : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("brenmark_checkin_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        std::ofstream(dir / "service.url") << "http://127.0.0.1:9/\n";
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string programDir() const { return dir.string() + "/"; }
    CheckinOutcome run()
    {
        panes = defaultPaneTable();
        return runCheckin(programDir(), identities, host, panes);
    }
    void answerWithVer(const std::string& ver)
    {
        host.result = "{\"MainHtml\":\"http://m/\",\"FuHaoHtml\":\"http://f/\"" +
                      (ver.empty() ? std::string() : ",\"Ver\":\"" + ver + "\"") + "}";
    }
    void installUpdater() { std::ofstream(dir / "Fernhold") << "#!/bin/sh\n"; }

    fs::path dir;
    ScriptedIdentities identities;
    ScriptedHost host;
    PaneTable panes;
};

}  // namespace

TEST_F(Checkin, IdentityFileIsWrittenReadAndReplacedWhenNotExactly120Bytes)
{
    answerWithVer("5");
    CheckinOutcome first = run();
    const std::string bytes = readFile(dir / "user.data");
    ASSERT_EQ(bytes.size(), 120u);
    EXPECT_EQ(bytes.substr(0, 11), std::string("VELMORAXIU\0", 11));
    EXPECT_EQ(bytes.substr(20, 10), std::string("studio-pc\0", 10));
    EXPECT_EQ(bytes.substr(70, 33), first.identity.identifier + '\0');
    EXPECT_EQ(bytes.find_first_not_of('\0', 103), std::string::npos);
    // Read back as it is: no new identifier.
    EXPECT_EQ(run().identity.identifier, first.identity.identifier);
    EXPECT_EQ(identities.made, 1);
    for (std::size_t size : {119u, 121u, 0u}) {
        std::string changed = bytes;
        changed.resize(size, 'x');
        std::ofstream(dir / "user.data", std::ios::binary | std::ios::trunc) << changed;
        const CheckinOutcome again = run();
        EXPECT_NE(again.identity.identifier, first.identity.identifier) << size;
        EXPECT_EQ(readFile(dir / "user.data").size(), 120u) << size;
        first = again;
    }
}

TEST_F(Checkin, LongValuesAreCutNeverWrittenOverTheNextField)
{
    identities.host = std::string(80, 'h');
    const Identity identity = run().identity;
    EXPECT_EQ(identity.hostName, std::string(49, 'h'));
    const std::string bytes = readFile(dir / "user.data");
    EXPECT_EQ(bytes[69], '\0');
    EXPECT_EQ(bytes.substr(70, 32), identity.identifier.substr(0, 32));
    const std::string file = identityFileBytes({std::string(60, 'a'), std::string(60, 'b')});
    EXPECT_EQ(file.size(), 120u);
    EXPECT_EQ(file.substr(70, 49), std::string(49, 'b'));
    EXPECT_EQ(file[119], '\0');
}

TEST_F(Checkin, RequestAndPanesInTheirOrder)
{
    host.result = "{\"Ver\":\"5.0\",\"MainHtml\":\"http://main/\",\"AddLineHtml\":\"http://add/\",\"FuHaoHtml\":7}";
    const CheckinOutcome outcome = run();
    EXPECT_EQ(host.url, "http://127.0.0.1:9");
    EXPECT_EQ(host.cls, "CoreSYS.SYS");
    EXPECT_EQ(host.fn, "StartApp");
    EXPECT_EQ(host.params, "{\"sAppName\":\"vm\",\"sName\":\"studio-pc\",\"sUUID\":\"" + outcome.identity.identifier +
                               "\"}\n");
    EXPECT_TRUE(outcome.called && outcome.answered && !outcome.update && !outcome.endProcess);
    EXPECT_EQ(panes[0], "http://main/");
    EXPECT_EQ(panes[static_cast<std::size_t>(Pane::AddLine)], "http://add/");
    EXPECT_EQ(panes[static_cast<std::size_t>(Pane::FuHao)], "7");
    EXPECT_EQ(panes[static_cast<std::size_t>(Pane::Buy)], "");  // a missing key empties its entry
    EXPECT_EQ(outcome.panes, panes);
}

TEST_F(Checkin, VersionRule)
{
    installUpdater();
    for (const char* ver : {"5", "5.0", "", "4.9", "abc"}) {
        answerWithVer(ver);
        const CheckinOutcome outcome = run();
        EXPECT_FALSE(outcome.update) << ver;
        EXPECT_FALSE(outcome.endProcess) << ver;
        EXPECT_EQ(panes[0], "http://m/") << ver;
    }
    EXPECT_TRUE(host.started.empty());
    answerWithVer("5.01");
    const CheckinOutcome outcome = run();
    EXPECT_TRUE(outcome.update);
    EXPECT_TRUE(outcome.endProcess);
    ASSERT_EQ(host.started.size(), 1u);
    EXPECT_EQ(fs::path(host.started[0]), dir / "Fernhold");
    EXPECT_EQ(panes, defaultPaneTable());
    EXPECT_TRUE(host.boxes.shown.empty());
}

TEST_F(Checkin, WithoutAnUpdaterTheUserIsToldAndStartUpGoesOn)
{
    answerWithVer("6");
    CheckinOutcome outcome = run();
    EXPECT_TRUE(outcome.update);
    EXPECT_FALSE(outcome.endProcess);
    EXPECT_TRUE(host.started.empty());
    ASSERT_EQ(host.boxes.shown.size(), 1u);
    EXPECT_EQ(host.boxes.shown[0], kNoUpdaterMessage);
    EXPECT_EQ(panes[0], "http://m/");
    // An updater that does not start is the same.
    installUpdater();
    host.startWorks = false;
    outcome = run();
    EXPECT_FALSE(outcome.endProcess);
    EXPECT_EQ(host.boxes.shown.size(), 2u);
}

TEST_F(Checkin, NoAnswerOrNoJsonKeepsTheDefaults)
{
    installUpdater();
    host.answer = false;
    CheckinOutcome outcome = run();
    EXPECT_TRUE(outcome.called);
    EXPECT_FALSE(outcome.answered);
    EXPECT_EQ(panes, defaultPaneTable());
    host.answer = true;
    for (const char* text : {"", "<html>portal</html>", "{\"Ver\":"}) {
        host.result = text;
        outcome = run();
        EXPECT_FALSE(outcome.endProcess) << text;
        EXPECT_EQ(panes, defaultPaneTable()) << text;
    }
    EXPECT_TRUE(host.started.empty());
    // No service.url: no call at all, though the identity file is kept up.
    fs::remove(dir / "service.url");
    host.cls.clear();
    outcome = run();
    EXPECT_FALSE(outcome.called);
    EXPECT_EQ(host.cls, "");
    EXPECT_TRUE(fs::exists(dir / "user.data"));
    std::ofstream(dir / "service.url") << "  \n";
    EXPECT_EQ(serviceUrl(programDir()), "");
}

TEST(CheckinService, AgainstTheReferenceService)
{
    shellTestApp();
    ReferenceService service("--ver 5.0");
    ASSERT_TRUE(service.running());
    const fs::path dir = fs::temp_directory_path() / "brenmark_checkin_service";
    fs::remove_all(dir);
    fs::create_directories(dir);
    std::ofstream(dir / "service.url") << service.base() << "\n";
    Messages boxes;
    NetCheckinHost host(boxes);
    SystemIdentitySource identities;
    PaneTable panes = defaultPaneTable();
    const CheckinOutcome outcome = runCheckin(dir.string() + "/", identities, host, panes);
    EXPECT_TRUE(outcome.answered);
    EXPECT_FALSE(outcome.update);
    EXPECT_EQ(outcome.identity.identifier.size(), 32u);
    EXPECT_EQ(outcome.identity.identifier.find('-'), std::string::npos);
    for (std::size_t i = 0; i < kPaneCount; ++i)
        EXPECT_EQ(panes[i], service.base() + "/pane/" + kPaneKeys[i]);
    fs::remove_all(dir);
}
