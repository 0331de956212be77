#include "cli/cli.h"
#include "netcall/tests/service_fixture.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <sstream>


using namespace brenmark;
namespace fs = std::filesystem;

namespace {

struct NetRun {
    int status;
    std::string out, err;
};

NetRun cli(const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    const int status = runCli(args, out, err);
    return {status, out.str(), err.str()};
}

fs::path freshDir(const std::string& name)
{
    const fs::path dir = fs::temp_directory_path() / name;
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

}  // namespace

TEST(CliDes, PrintsTheResultAsHex)
{
    EXPECT_EQ(cli({"des", "133457799BBCDFF1", "0123456789ABCDEF"}).out, "85E813540F0AB405\n");
    EXPECT_EQ(cli({"des", "--decrypt", "133457799bbcdff1", "85e813540f0ab405"}).out, "0123456789ABCDEF\n");
    EXPECT_EQ(cli({"des", "0123456789ABCDEFFEDCBA9876543210", "0123456789ABCDEF"}).out, "1A4D672DCA6CB335\n");
    // A short last block is filled with zeros.
    EXPECT_EQ(cli({"des", "133457799BBCDFF1", "01"}).out.size(), 17u);
    EXPECT_EQ(cli({"des", "133457799BBCDFF1", ""}).status, 1);
    EXPECT_EQ(cli({"des", "XYZ", "00"}).status, 2);
    EXPECT_EQ(cli({"des", "00"}).status, 2);
}

TEST(CliNet, OneCallAndTheCheckin)
{
    ReferenceService service;
    ASSERT_TRUE(service.running());
    // Arguments and output are UTF-8.
    NetRun run = cli({"netcall", service.base(), "Test", "Echo", reinterpret_cast<const char*>(u8"{\"a\":\"绣\"}")});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "{\"ok\":true,\"msg\":\"echo\",\"result\":\"{\\\"a\\\":\\\"" +
                           std::string(reinterpret_cast<const char*>(u8"绣")) + "\\\"}\"}\n");
    run = cli({"netcall", service.base(), "Test", "Nothing", ""});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("\"ok\":false"), std::string::npos);

    const fs::path dir = freshDir("brenmark_cli_checkin");
    run = cli({"checkin", "--program-dir", dir.string()});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("\"called\":false"), std::string::npos);
    EXPECT_EQ(fs::file_size(dir / "user.data"), 120u);
    std::ofstream(dir / "service.url") << service.base() << "\n";
    run = cli({"checkin", "--program-dir", dir.string()});
    EXPECT_NE(run.out.find("\"called\":true,\"update\":false,\"panes\":{\"MainHtml\":\"" + service.base() +
                           "/pane/MainHtml\",\"BuyHtml\""),
              std::string::npos)
        << run.out;
    fs::remove_all(dir);
}

TEST(CliNet, ANewerReleaseStartsTheUpdater)
{
    ReferenceService service("--ver 5.01");
    ASSERT_TRUE(service.running());
    const fs::path dir = freshDir("brenmark_cli_update");
    std::ofstream(dir / "service.url") << service.base();
    NetRun run = cli({"checkin", "--program-dir", dir.string()});
    EXPECT_NE(run.out.find("\"update\":true"), std::string::npos);
    EXPECT_NE(run.err.find(reinterpret_cast<const char*>(u8"更新程序")), std::string::npos);  // none there: the user is told
    const fs::path updater = dir / "Fernhold";
    std::ofstream(updater) << "#!/bin/sh\ntouch \"$(dirname \"$0\")/updated\"\n";
    fs::permissions(updater, fs::perms::owner_all);
    run = cli({"checkin", "--program-dir", dir.string()});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    for (int i = 0; i < 100 && !fs::exists(dir / "updated"); ++i)
        usleep(50000);
    EXPECT_TRUE(fs::exists(dir / "updated"));
    fs::remove_all(dir);
}
