// brenmark-cli oxs-export and oxs-import: a pattern through OXS and back, and refusals that
// write nothing.
#include "cli/cli.h"
#include "editor/document/palette_file.h"
#include "editor/document/pattern_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace brenmark;

namespace {

struct OxsCli : ::testing::Test {
    std::string dir;
    void SetUp() override
    {
        std::string t = (std::filesystem::temp_directory_path() / "brenmark-cli-oxs-XXXXXX").string();
        ASSERT_TRUE(::mkdtemp(t.data()));
        dir = t + "/";
        const PaletteStore palettes(dir);
        ASSERT_TRUE(palettes.ensurePaletteFolder());
        ASSERT_TRUE(palettes.save("DMC", std::vector<ColorRef>{rgb(0, 0, 0), rgb(255, 0, 0)}, std::vector<std::string>{"310", "666"}));
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    int run(const std::vector<std::string>& args, std::string* out = nullptr, std::string* err = nullptr)
    {
        std::ostringstream o, e;
        const int status = runCli(args, o, e);
        if (out)
            *out = o.str();
        if (err)
            *err = e.str();
        return status;
    }
};

}  // namespace

TEST_F(OxsCli, APatternGoesOutAndComesBackWithTheSameCells)
{
    PatternDocument doc;
    doc.create(4, 3, "DMC");
    doc.addThread(rgb(255, 0, 0), "666");
    doc.assignDefaultSymbols();
    doc.setCell(2, 1, 0);
    doc.layers.backgroundFromGrid(doc);
    ASSERT_TRUE(savePattern(dir + "in.xiu", doc));

    std::string out;
    ASSERT_EQ(run({"oxs-export", dir + "in.xiu", "--program-dir", dir, "-o", dir + "chart.oxs"}, &out), 0);
    EXPECT_EQ(out, "OXS\xE7\xBB\xA3\xE5\x9B\xBE\xE5\xAF\xBC\xE5\x87\xBA\xE5\xAE\x8C\xE6\xAF\x95\n");  // "OXS绣图导出完毕" in UTF-8
    ASSERT_EQ(run({"oxs-import", dir + "chart.oxs", "--program-dir", dir, "-o", dir + "back.xiu"}, &out), 0);
    PatternDocument back;
    const PaletteStore palettes(dir);
    SilentMessages quiet;
    ASSERT_NE(loadPattern(dir + "back.xiu", LoadMode::Library, back, {&palettes, &quiet, nullptr}).result, LoadResult::Failed);
    EXPECT_EQ(back.width(), 4);
    EXPECT_EQ(back.cell(2, 1), 0);
    EXPECT_EQ(back.threads.numbers, std::vector<std::string>{"666"});
}

TEST_F(OxsCli, ADamagedChartExitsOneAndWritesNothing)
{
    std::ofstream(dir + "bad.oxs") << "<chart>";
    std::string err;
    EXPECT_EQ(run({"oxs-import", dir + "bad.oxs", "--program-dir", dir, "-o", dir + "out.xiu"}, nullptr, &err), 1);
    EXPECT_NE(err.find("brenmark-cli: "), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir + "out.xiu"));
    EXPECT_EQ(run({"oxs-export", dir + "missing.xiu", "--program-dir", dir, "-o", dir + "out.oxs"}, nullptr, &err), 1);
    EXPECT_FALSE(std::filesystem::exists(dir + "out.oxs"));
    EXPECT_EQ(run({"oxs-import", dir + "bad.oxs"}), 2);  // no -o
}
