// brenmark-cli export and scramble: the files written and their names, the page layout's
// paper, the refusals, and the scrambled argument decoding back to the path.
#include "cli/cli.h"
#include "editor/document/output_room.h"
#include "editor/document/path_scramble.h"
#include "editor/document/pattern_file.h"
#include "editor/render/tests/chart_test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace brenmark;
namespace fs = std::filesystem;

namespace {

struct CliRun {
    int status;
    std::string out, err;
};

// The application an in-process export made ends with the tests, before static objects do.
class CloseGuiApplication : public ::testing::Environment {
public:
    void TearDown() override { closeGuiApplication(); }
};
[[maybe_unused]] ::testing::Environment* const closeAtTheEnd = ::testing::AddGlobalTestEnvironment(new CloseGuiApplication);

CliRun cli(const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    const int status = runCli(args, out, err);
    return {status, out.str(), err.str()};
}

std::string head(const std::string& path, std::size_t n)
{
    std::ifstream f(path, std::ios::binary);
    std::string s(n, '\0');
    f.read(s.data(), static_cast<std::streamsize>(n));
    s.resize(static_cast<std::size_t>(f.gcount()));
    return s;
}

std::string shell(const std::string& command)
{
    std::string text;
    if (FILE* p = ::popen(command.c_str(), "r")) {
        char buf[4096];
        std::size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
            text.append(buf, n);
        ::pclose(p);
    }
    return text;
}

struct ExportCli : ::testing::Test {
    std::string dir;
    void SetUp() override
    {
        std::string t = (fs::temp_directory_path() / "brenmark-cli-export-XXXXXX").string();
        ASSERT_TRUE(::mkdtemp(t.data()));
        dir = t + "/";
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string pattern(const std::string& name, int w, int h)
    {
        const std::string path = dir + name;
        EXPECT_TRUE(savePattern(path, test::checkerPattern(w, h)));
        return path;
    }
    std::vector<std::string> files(const std::string& sub = {}) const
    {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir + sub))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

}  // namespace

TEST_F(ExportCli, TheWholeChartFollowsThePathRules)
{
    const std::string xiu = pattern("heart.xiu", 30, 20);
    CliRun r = cli({"export", xiu, "--format", "bmp", "--program-dir", dir, "-o", dir + "chart.a.jpeg"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, dir + "chart.bmp\n");
    const std::string bmp = head(dir + "chart.bmp", 26);
    ASSERT_EQ(bmp.size(), 26u);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(static_cast<unsigned char>(bmp[18]) | static_cast<unsigned char>(bmp[19]) << 8, 10 * 30 + 104);

    r = cli({"export", xiu, "--format", "jpg", "--bw", "--program-dir", dir, "-o", dir + "chart.jpeg"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, dir + "chart.jpg\n");
    EXPECT_EQ(head(dir + "chart.jpg", 2), "\xFF\xD8");

    for (const char* format : {"svg", "pdf", "png", "emf"}) {
        r = cli({"export", xiu, "--format", format, "--program-dir", dir, "-o", dir + "v"});
        ASSERT_EQ(r.status, 0) << format << r.err;
        EXPECT_TRUE(fs::exists(dir + "v." + format)) << format;
    }
    EXPECT_EQ(head(dir + "v.pdf", 5), "%PDF-");
}

TEST_F(ExportCli, PagesGoIntoAFolderNamedAfterTheFile)
{
    const std::string xiu = pattern("heart.xiu", 20, 20);
    const CliRun r = cli({"export", xiu, "--format", "png", "--pages", "--program-dir", dir, "-o", dir + "out/heart.png"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, dir + "out/heart/heart_1.png\n" + dir + "out/heart/heart_KEY.png\n");
    EXPECT_EQ(files("out/heart"), (std::vector<std::string>{"heart_1.png", "heart_KEY.png"}));
}

TEST_F(ExportCli, ThePaperAndCellSizeMakeThePdfPages)
{
    const std::string xiu = pattern("wide.xiu", 120, 30);  // wider than tall: landscape
    CliRun r = cli({"export", xiu, "--format", "pdf", "--pages", "--program-dir", dir, "-o", dir + "a4"});
    ASSERT_EQ(r.status, 0) << r.err;
    std::string info = shell("pdfinfo '" + dir + "a4.pdf'");
    EXPECT_NE(info.find("Pages:           3"), std::string::npos) << info;  // 82 columns a page: two across
    EXPECT_NE(info.find("841"), std::string::npos) << info;                   // A4 turned: 841 x 595 points

    r = cli({"export", xiu, "--format", "pdf", "--pages", "--cell-mm", "1.5", "--paper", "LETTER", "--program-dir",
             dir, "-o", dir + "letter"});
    ASSERT_EQ(r.status, 0) << r.err;
    info = shell("pdfinfo '" + dir + "letter.pdf'");
    EXPECT_NE(info.find("Pages:           2"), std::string::npos) << info;  // 6-unit cells: one page
    EXPECT_NE(info.find("792"), std::string::npos) << info;

    r = cli({"export", xiu, "--format", "pdf", "--pages", "--paper", "100x150mm", "--program-dir", dir, "-o",
             dir + "own"});
    ASSERT_EQ(r.status, 0) << r.err;
    info = shell("pdfinfo '" + dir + "own.pdf'");
    EXPECT_NE(info.find("Page size:       283 x 424 pts"), std::string::npos) << info;
}

TEST_F(ExportCli, TheChartAppPdfHasOverlappingPagesAMapAndTheFlossList)
{
    const std::string xiu = pattern("wide.xiu", 120, 30);  // A4 turned: 103 columns a page
    CliRun r = cli({"export", xiu, "--format", "pdf", "--chart-app", "--program-dir", dir, "-o", dir + "app"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, dir + "app.pdf\n");
    // Two pattern pages (the second from column 101: three repeated), the map, the key.
    const std::string info = shell("pdfinfo '" + dir + "app.pdf'");
    EXPECT_NE(info.find("Pages:           4"), std::string::npos) << info;
    const std::string second = shell("pdftotext -f 2 -l 2 -layout '" + dir + "app.pdf' -");
    EXPECT_NE(second.find("110"), std::string::npos) << second;  // columns 101 to 120
    EXPECT_EQ(second.find("100"), std::string::npos) << second;
    const std::string map = shell("pdftotext -f 3 -l 3 '" + dir + "app.pdf' -");
    EXPECT_NE(map.find("Page Map"), std::string::npos) << map;
    EXPECT_NE(map.find("101-120 / 1-30"), std::string::npos) << map;
    const std::string key = shell("pdftotext -f 4 -l 4 -layout '" + dir + "app.pdf' -");
    EXPECT_NE(key.find("120w X 30h Stitches"), std::string::npos) << key;
    EXPECT_NE(key.find("Fabric: 14 count Aida, white"), std::string::npos) << key;
    EXPECT_NE(key.find("Floss Used for Full Stitches:"), std::string::npos) << key;
    // "symbol strands brand number stitches" (no names in this program folder).
    EXPECT_NE(key.find("1 2 DMC"), std::string::npos) << key;
    EXPECT_NE(key.find("310"), std::string::npos) << key;
    EXPECT_NE(key.find("1800"), std::string::npos) << key;  // each thread's stitches: half of 3600

    // Overlap alone: the same two pages, no map, the key in Chinese.
    r = cli({"export", xiu, "--format", "png", "--pages", "--overlap", "3", "--program-dir", dir, "-o", dir + "o.png"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(files("o"), (std::vector<std::string>{"o_1.png", "o_2.png", "o_KEY.png"}));

    r = cli({"export", xiu, "--format", "png", "--chart-app", "--program-dir", dir, "-o", dir + "x.png"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("--chart-app"), std::string::npos);
    r = cli({"export", xiu, "--format", "pdf", "--pages", "--overlap", "6", "--program-dir", dir, "-o", dir + "x.pdf"});
    EXPECT_EQ(r.status, 2);
    EXPECT_FALSE(fs::exists(dir + "x.pdf"));
    EXPECT_FALSE(fs::exists(dir + "x.png"));
}

TEST_F(ExportCli, RefusalsExitOneWithTheMessageAndWriteNothing)
{
    const std::string big = pattern("big.xiu", 3300, 3);
    CliRun r = cli({"export", big, "--format", "bmp", "--program-dir", dir, "-o", dir + "big.bmp"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(reinterpret_cast<const char*>(u8"不能导出过大的绣图")), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(dir + "big.bmp"));

    const std::string small = pattern("small.xiu", 10, 10);
    std::ofstream(dir + "small") << "in the way";
    r = cli({"export", small, "--format", "bmp", "--pages", "--program-dir", dir, "-o", dir + "small.bmp"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(reinterpret_cast<const char*>(u8"无法创建导出文件夹")), std::string::npos) << r.err;

    r = cli({"export", dir + "missing.xiu", "--format", "bmp", "--program-dir", dir, "-o", dir + "m.bmp"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(cli({"export", small, "--format", "gif", "-o", dir + "x"}).status, 2);
    EXPECT_EQ(cli({"export", small, "--format", "bmp"}).status, 2);
    EXPECT_EQ(cli({"export", small, "--format", "bmp", "--paper", "B5", "--program-dir", dir, "-o", dir + "x"}).status, 2);
    EXPECT_EQ(cli({"export", small, "--format", "bmp", "--cell-mm", "0", "--program-dir", dir, "-o", dir + "x"}).status, 2);
    EXPECT_FALSE(fs::exists(dir + "x.bmp"));
}

TEST_F(ExportCli, AnOutputLargerThanTheFreeSpaceIsRefusedWithTheRoomItNeeds)
{
    const std::string xiu = pattern("heart.xiu", 60, 60);
    injectFreeSpace(4000);
    const CliRun whole = cli({"export", xiu, "--format", "png", "--program-dir", dir, "-o", dir + "w.png"});
    const CliRun pages = cli({"export", xiu, "--format", "pdf", "--pages", "--program-dir", dir, "-o", dir + "p.pdf"});
    injectFreeSpace(-1);
    EXPECT_EQ(whole.status, 1);
    EXPECT_EQ(whole.err.find(reinterpret_cast<const char*>(u8"brenmark-cli: 导出文件需要")), 0u) << whole.err;
    EXPECT_NE(whole.err.find(reinterpret_cast<const char*>(u8"目标磁盘只有4 KB可用")), std::string::npos) << whole.err;
    EXPECT_EQ(pages.status, 1);
    EXPECT_EQ(pages.err.find(reinterpret_cast<const char*>(u8"brenmark-cli: 导出文件共")), 0u) << pages.err;
    EXPECT_EQ(files(), std::vector<std::string>{"heart.xiu"});
}

TEST_F(ExportCli, TheSimulatedPictureTakesItsFormatFromTheName)
{
    const std::string xiu = pattern("heart.xiu", 12, 8);
    CliRun r = cli({"export", xiu, "--format", "sim", "--program-dir", dir, "-o", dir + "sim.png"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(head(dir + "sim.png", 4), "\x89PNG");
    r = cli({"export", xiu, "--format", "sim", "--program-dir", dir, "-o", dir + "sim.jpeg"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, dir + "sim.jpg\n");
}

TEST(ScrambleCli, PrintsTwoCapitalLettersPerByteThatDecodeToThePath)
{
    const std::string path = "/home/me/\xd0\xe5\xcd\xbc.xiu";
    std::ostringstream out, err;
    ASSERT_EQ(runCli({"scramble", path}, out, err), 0);
    const std::string letters = out.str().substr(0, out.str().size() - 1);
    EXPECT_EQ(out.str().back(), '\n');
    EXPECT_EQ(letters, scramblePath(path));
    EXPECT_EQ(letters.size(), 2 * path.size());
    for (std::size_t i = 0; i < letters.size(); i += 2) {
        EXPECT_GE(letters[i], 'A');
        EXPECT_LE(letters[i], 'J');
        EXPECT_TRUE(letters[i] < 'J' || letters[i + 1] <= 'V');
    }
    EXPECT_EQ(unscramblePath(letters), path);
    std::ostringstream o2, e2;
    EXPECT_EQ(runCli({"scramble"}, o2, e2), 2);
}
