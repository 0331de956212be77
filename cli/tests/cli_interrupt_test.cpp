// Ctrl+C during brenmark-cli export: the export stops, its temporary file goes, the old
// output stays as it was, and the command exits 130 saying so. (UTF-8 literals: <thread>
// cannot be compiled to GBK.)
#include "cli/cli.h"
#include "editor/document/pattern_file.h"
#include "editor/render/tests/chart_test_support.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

using namespace brenmark;
namespace fs = std::filesystem;

namespace {

volatile std::sig_atomic_t strayInterrupts = 0;

void countInterrupt(int)
{
    strayInterrupts = strayInterrupts + 1;
}

std::string bytesOf(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

void savePatternOf(const std::string& path, int w, int h)
{
    ASSERT_TRUE(savePattern(path, test::checkerPattern(w, h)));
}

}  // namespace

TEST(ExportInterrupt, CtrlCStopsAnExportAndLeavesTheOldFileAndNothingElse)
{
    std::string t = (fs::temp_directory_path() / "brenmark-cli-interrupt-XXXXXX").string();
    ASSERT_TRUE(::mkdtemp(t.data()));
    const std::string dir = t + "/";
    savePatternOf(dir + "small.xiu", 10, 10);
    savePatternOf(dir + "big.xiu", 400, 400);
    std::ostringstream out, err;
    ASSERT_EQ(runCli({"export", dir + "small.xiu", "--format", "pdf", "--pages", "--program-dir", dir, "-o", dir + "out.pdf"},
                     out, err),
              0);
    const std::string old = bytesOf(dir + "out.pdf");
    ASSERT_FALSE(old.empty());

    // Ctrl+C once the export has its temporary file. A signal that came after the export
    // gave SIGINT back would land in this handler instead of ending the test program.
    struct sigaction mine {}, before {};
    mine.sa_handler = countInterrupt;
    ::sigemptyset(&mine.sa_mask);
    ::sigaction(SIGINT, &mine, &before);
    std::atomic<bool> sent{false};
    std::thread watcher([&] {
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(120);
        while (std::chrono::steady_clock::now() < until) {
            std::error_code ec;
            for (const auto& e : fs::directory_iterator(dir, ec))
                if (e.path().filename().string().find(".bmtmp-") != std::string::npos) {
                    sent = true;
                    ::kill(::getpid(), SIGINT);
                    return;
                }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    });
    std::ostringstream out2, err2;
    const int status = runCli({"export", dir + "big.xiu", "--format", "pdf", "--pages", "--program-dir", dir, "-o",
                               dir + "out.pdf"},
                              out2, err2);
    watcher.join();
    ::sigaction(SIGINT, &before, nullptr);
    ASSERT_TRUE(sent.load());
    EXPECT_EQ(status, 130) << err2.str();
    EXPECT_NE(err2.str().find("导出已取消"), std::string::npos) << err2.str();
    EXPECT_EQ(strayInterrupts, 0);
    EXPECT_EQ(bytesOf(dir + "out.pdf"), old);
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"big.xiu", "out.pdf", "small.xiu"}));
    fs::remove_all(dir);
}
