// Where the program reads what ships and writes what is the user's: the build tree, an
// installed prefix with a home of its own, and the first-use seeding of the working palettes.
#include "interchange/file_bytes.h"
#include "editor/document/palette_file.h"
#include "editor/document/program_folders.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace brenmark;
namespace fs = std::filesystem;

namespace {

struct Scratch {
    std::string dir;
    Scratch()
    {
        std::string t = (fs::temp_directory_path() / "brenmark-folders-XXXXXX").string();
        if (!::mkdtemp(t.data()))
            std::abort();
        dir = t + "/";
    }
    ~Scratch() { fs::remove_all(dir); }
};

// Every file under a folder, as paths relative to it.
std::vector<std::string> listing(const std::string& folder)
{
    std::vector<std::string> out;
    for (const auto& e : fs::recursive_directory_iterator(folder))
        out.push_back(fs::relative(e.path(), folder).string());
    std::sort(out.begin(), out.end());
    return out;
}

// An installed prefix: bin/, share/brenmark/SysPAL/ with two palettes.
std::string installedPrefix(const Scratch& s)
{
    const std::string prefix = s.dir + "usr/";
    fs::create_directories(prefix + "bin");
    fs::create_directories(prefix + "share/brenmark/SysPAL");
    const PaletteStore shipped(prefix + "share/brenmark/");
    EXPECT_TRUE(replaceFile(shipped.systemPalettePath("DMC"), encodePalette(std::vector<ColorRef>{rgb(1, 2, 3)}, std::vector<std::string>{"310"})));
    EXPECT_TRUE(replaceFile(shipped.systemPalettePath("ANCHOR"), encodePalette(std::vector<ColorRef>{rgb(4, 5, 6)}, std::vector<std::string>{"403"})));
    return prefix;
}

}  // namespace

TEST(ProgramFolders, TheBuildTreeKeepsEverythingBesideTheExecutable)
{
    Scratch s;
    fs::create_directories(s.dir + "build");
    const ProgramFolders f = folderRules(s.dir + "build/", "/home/x/.data", "/home/x");
    EXPECT_FALSE(f.installed);
    EXPECT_EQ(f.shipped, s.dir + "build/");
    EXPECT_EQ(f.plugins, f.shipped);
    EXPECT_EQ(f.user, f.shipped);
    // A bin folder without share/brenmark beside it is no installation either.
    fs::create_directories(s.dir + "opt/bin");
    EXPECT_FALSE(folderRules(s.dir + "opt/bin/", nullptr, "/home/x").installed);
    EXPECT_EQ(folderRules(s.dir + "opt/bin", nullptr, "/home/x").user, s.dir + "opt/bin/");
}

TEST(ProgramFolders, AnInstalledProgramReadsThePrefixAndWritesTheUsersDataFolder)
{
    Scratch s;
    const std::string prefix = installedPrefix(s);
    const ProgramFolders f = folderRules(prefix + "bin/", nullptr, (s.dir + "home").c_str());
    EXPECT_TRUE(f.installed);
    EXPECT_EQ(f.shipped, prefix + "share/brenmark/");
    EXPECT_EQ(f.plugins, prefix + "lib/brenmark/");
    EXPECT_EQ(f.user, s.dir + "home/.local/share/brenmark/");
    EXPECT_EQ(folderRules(prefix + "bin/", (s.dir + "xdg").c_str(), "/nowhere").user, s.dir + "xdg/brenmark/");
    // A relative XDG_DATA_HOME is not to be used.
    EXPECT_EQ(folderRules(prefix + "bin/", "rel", (s.dir + "home").c_str()).user, s.dir + "home/.local/share/brenmark/");
}

TEST(ProgramFolders, FirstUseSeedsThePalettesAndNeverOverwritesTheUsers)
{
    Scratch s;
    const std::string prefix = installedPrefix(s);
    const ProgramFolders f = folderRules(prefix + "bin/", nullptr, (s.dir + "home").c_str());
    const std::vector<std::string> shippedBefore = listing(f.shipped);
    // The user already keeps a DMC palette of their own.
    fs::create_directories(f.user + "PAL");
    const auto own = encodePalette(std::vector<ColorRef>{rgb(9, 9, 9)}, std::vector<std::string>{"mine"});
    ASSERT_TRUE(replaceFile(f.user + "PAL/DMC.pal", own));

    EXPECT_EQ(seedWorkingPalettes(f), 1);  // ANCHOR only
    EXPECT_EQ(seedWorkingPalettes(f), 0);
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(readWholeFile(f.user + "PAL/DMC.pal", bytes));
    EXPECT_EQ(bytes, own);

    // Saving and restoring write the user's folder only; the shipped one stays as it was.
    const PaletteStore store(f.shipped, f.user);
    Palette p;
    ASSERT_TRUE(store.load("ANCHOR", p));
    EXPECT_EQ(p.numbers, std::vector<std::string>{"403"});
    ASSERT_TRUE(store.save("ANCHOR", std::vector<ColorRef>{rgb(7, 7, 7)}, std::vector<std::string>{"x"}));
    ASSERT_TRUE(store.restore("DMC"));
    ASSERT_TRUE(store.load("DMC", p));
    EXPECT_EQ(p.numbers, std::vector<std::string>{"310"});
    EXPECT_EQ(listing(f.shipped), shippedBefore);
    EXPECT_EQ(store.systemBrands(), (std::vector<std::string>{"ANCHOR", "DMC"}));
}

TEST(ProgramFolders, SeedingMakesTheUsersFolderOrSaysItCannot)
{
    Scratch s;
    const std::string prefix = installedPrefix(s);
    ProgramFolders f = folderRules(prefix + "bin/", nullptr, (s.dir + "fresh/home").c_str());
    EXPECT_EQ(seedWorkingPalettes(f), 2);
    EXPECT_TRUE(fileExists(f.user + "PAL/ANCHOR.pal"));
    // A file where the folder should be.
    ASSERT_TRUE(replaceFile(s.dir + "blocked", std::vector<std::uint8_t>{1}));
    f.user = s.dir + "blocked/brenmark/";
    EXPECT_EQ(seedWorkingPalettes(f), -1);
}
