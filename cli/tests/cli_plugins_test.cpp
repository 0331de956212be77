// brenmark-cli plugins and threadmap on a program folder of the test's own.
#include "cli/cli.h"
#include "editor/document/palette_file.h"
#include "plugins/threadmap/thread_mapping_file.h"
#include "interchange/file_bytes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace brenmark {
namespace {

struct Folder {
    Folder()
    {
        dir = std::filesystem::temp_directory_path() / ("cli-plugins-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir / "DllPin");
    }
    ~Folder() { std::filesystem::remove_all(dir); }
    std::string path() const { return dir.string() + "/"; }
    std::filesystem::path dir;
};

TEST(CliPlugins, AnEmptyFolderListsNoPlugins)
{
    Folder f;
    std::ostringstream out, err;
    EXPECT_EQ(runCli({"plugins", "--program-dir", f.path()}, out, err), 0);
    EXPECT_EQ(out.str(), "[]\n");
}

TEST(CliPlugins, ThreadmapBuildsOrRefuses)
{
    Folder f;
    PaletteStore store(f.path());
    const std::vector<ColorRef> colours{0x0000FF};
    const std::vector<std::string> numbers{"321"};
    ASSERT_TRUE(store.save("DMC", colours, numbers));
    const std::string map = f.path() + "m.x2x";
    ASSERT_TRUE(replaceFile(map, encodeMapping(std::vector<MappingPair>{{"R1", "321"}, {"R2", "321"}, {"", ""}, {"R4", "321"}})));
    std::ostringstream out, err;
    EXPECT_EQ(runCli({"threadmap", map, "--name", "RED", "--program-dir", f.path()}, out, err), 0);
    Palette built;
    ASSERT_TRUE(store.load("RED", built));
    EXPECT_EQ(built.numbers, (std::vector<std::string>{"R1", "R2"}));  // up to the empty pair
    EXPECT_EQ(runCli({"threadmap", map, "--program-dir", f.path()}, out, err), 1);
    EXPECT_NE(err.str().find("请输入新绣线库名"), std::string::npos);
}

}  // namespace
}  // namespace brenmark
