// The plug-in host with the small plug-ins the build makes: scan order, refusals, the table's
// limits, command ids, starting by name and the result message.
#include "plugins/host/hollick.h"
#include "plugins/host/tests/plugin_folder.h"
#include "plugins/host/tests/plugin_probe.h"

#include <QAction>
#include <QMenu>

#include <gtest/gtest.h>

#include <memory>

namespace brenmark::test {
namespace {

const std::string kLongName = "Abcdefghijklmnopqrstuvwxyz0123456789ABCDEFGHI";  // 45 bytes

class Host : public ::testing::Test {
protected:
    std::vector<std::string> scan()
    {
        SetChaProgramDir(folder.programDir());
        std::vector<std::string> names{"left over"};
        GetAllChaJia(names);
        return names;
    }
    void TearDown() override
    {
        SetChaProgramDir({});
        SetChaUserDir({});
    }

    PluginFolder folder;
    PluginProbe probe;
};

TEST_F(Host, LoadsInFileNameOrderAndSkipsWhatIsNoPlugin)
{
    folder.add("changes", "c.so");
    folder.add("alpha", "a.so");
    folder.add("declines", "b.so");
    folder.add("nostart", "d.so");
    folder.addFile("e.so", "not a library");
    folder.add("zero", "f.txt");  // not a ".so"
    QDir(QString::fromStdString(folder.pathOf(""))).mkdir(u"g.so"_qs);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(scan(), (std::vector<std::string>{"Alpha", "Changes"}));
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("d.so"), std::string::npos);
    EXPECT_NE(err.find("StartCha"), std::string::npos);
    EXPECT_NE(err.find("e.so"), std::string::npos);
    EXPECT_EQ(err.find("b.so"), std::string::npos);  // declining is the plug-in's own choice
    EXPECT_FALSE(folder.loaded("b.so"));
    EXPECT_FALSE(folder.loaded("d.so"));
    // The reasons are given once.
    ::testing::internal::CaptureStderr();
    scan();
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");

    std::string name = "unchanged";
    EXPECT_TRUE(ChaWindowProc(33000, name));
    EXPECT_EQ(name, "Alpha");
    EXPECT_TRUE(ChaWindowProc(33001, name));
    EXPECT_EQ(name, "Changes");
    name = "unchanged";
    EXPECT_FALSE(ChaWindowProc(33002, name));
    EXPECT_FALSE(ChaWindowProc(32999, name));
    EXPECT_EQ(name, "unchanged");
}

TEST_F(Host, AnEmptyOrMissingFolderListsNothing)
{
    EXPECT_TRUE(scan().empty());
    SetChaProgramDir("/nonexistent/folder");
    std::vector<std::string> names{"x"};
    GetAllChaJia(names);
    EXPECT_TRUE(names.empty());
    QMenu menu;
    EXPECT_FALSE(SetupAllChaJian(&probe, &menu));
    EXPECT_TRUE(menu.actions().isEmpty());
}

TEST_F(Host, TheUsersOwnPluginsComeAfterTheProgramsAndShareTheTable)
{
    PluginFolder user;
    folder.add("changes", "z.so");
    user.add("alpha", "a.so");  // sorts first, but the user's folder comes second
    SetChaUserDir(user.programDir());
    EXPECT_EQ(scan(), (std::vector<std::string>{"Changes", "Alpha"}));
    // The same folder twice is scanned once.
    SetChaUserDir(folder.programDir());
    EXPECT_EQ(scan(), (std::vector<std::string>{"Changes"}));
    // Twenty in all, however they are spread.
    for (int i = 0; i < 12; ++i) {
        folder.add("alpha", "p" + std::to_string(10 + i) + ".so");
        user.add("alpha", "u" + std::to_string(10 + i) + ".so");
    }
    SetChaUserDir(user.programDir());
    const std::vector<std::string> names = scan();
    ASSERT_EQ(names.size(), 20u);
    EXPECT_EQ(names[12], "Changes");  // after p10.so ... p21.so
    // The user's a.so and u10.so ... u15.so fill the table; u16.so on are left out.
    EXPECT_TRUE(user.loaded("a.so"));
    EXPECT_TRUE(user.loaded("u15.so"));
    EXPECT_FALSE(user.loaded("u16.so"));
}

TEST_F(Host, TheTableHoldsTwentyPlugins)
{
    for (int i = 0; i <= 20; ++i)
        folder.add("alpha", "p" + std::string(i < 10 ? "0" : "") + std::to_string(i) + ".so");
    EXPECT_EQ(scan().size(), 20u);
    EXPECT_TRUE(folder.loaded("p19.so"));
    EXPECT_FALSE(folder.loaded("p20.so"));  // unloaded again
    std::string name;
    EXPECT_TRUE(ChaWindowProc(33019, name));
    EXPECT_FALSE(ChaWindowProc(33020, name));
    QMenu menu;
    EXPECT_TRUE(SetupAllChaJian(&probe, &menu));
    ASSERT_EQ(menu.actions().size(), 20);
    EXPECT_EQ(menu.actions()[0]->data().toInt(), 33000);
    EXPECT_EQ(menu.actions()[19]->data().toInt(), 33019);
}

TEST_F(Host, NamesAreKeptTo39BytesAndStillStart)
{
    folder.add("long", "long.so");
    EXPECT_EQ(scan(), std::vector<std::string>{kLongName});  // the list has it whole
    std::string name;
    ASSERT_TRUE(ChaWindowProc(33000, name));
    EXPECT_EQ(name, kLongName.substr(0, 39));
    QMenu menu;
    SetupAllChaJian(&probe, &menu);
    EXPECT_EQ(menu.actions()[0]->text().toStdString(), kLongName.substr(0, 39));
    StartOneCha(name, &probe, nullptr, nullptr, 0);
    ASSERT_NE(folder.starts("long.so"), nullptr);
    EXPECT_EQ(folder.starts("long.so")->size(), 1u);
    StartOneCha(kLongName, &probe, nullptr, nullptr, 0);  // the whole name is not in the table
    EXPECT_EQ(folder.starts("long.so")->size(), 1u);
}

TEST_F(Host, TwoPluginsOfOneNameBothListedTheFirstStarts)
{
    folder.add("twin_a", "1.so");
    folder.add("twin_b", "2.so");
    EXPECT_EQ(scan(), (std::vector<std::string>{"Twin", "Twin"}));
    StartOneCha("Twin", &probe, nullptr, nullptr, 0);  // before set-up: nothing
    EXPECT_TRUE(folder.starts("1.so")->empty());
    SetupAllChaJian(&probe, nullptr);
    for (const std::uint32_t id : {33000u, 33001u}) {
        std::string name;
        ASSERT_TRUE(ChaWindowProc(id, name));
        StartOneCha(name, &probe, nullptr, nullptr, 0);
    }
    EXPECT_EQ(folder.starts("1.so")->size(), 2u);
    EXPECT_TRUE(folder.starts("2.so")->empty());
    StartOneCha("Nobody", &probe, nullptr, nullptr, 0);
    EXPECT_EQ(folder.starts("1.so")->size(), 2u);
}

TEST_F(Host, StartPassesTheViewTheRecordAndTheOutline)
{
    folder.add("changes", "c.so");
    scan();
    SetupAllChaJian(&probe, nullptr);
    UndoSnapshot snapshot;
    snapshot.label = "插件数据";
    snapshot.width = 2;
    snapshot.height = 1;
    snapshot.cells = {3, 4};
    const std::int32_t outline[] = {0, 0, 2, 0, 2, 1};
    StartOneCha("Changes", &probe, &snapshot, outline, 3);
    const auto& starts = *folder.starts("c.so");
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].view, &probe);
    EXPECT_TRUE(starts[0].snapshot);
    EXPECT_EQ(starts[0].label, "插件数据");
    EXPECT_EQ(starts[0].outline, (std::vector<std::int32_t>{0, 0, 2, 0, 2, 1}));
    EXPECT_EQ(starts[0].count, 3);
    // The message reached the view before ActVelmoraData returned, with the plug-in's record.
    ASSERT_EQ(probe.results.size(), 1u);
    EXPECT_EQ(probe.results[0], reinterpret_cast<std::uintptr_t>(&snapshot));
    EXPECT_EQ(probe.cellsSeen, (std::vector<std::int32_t>{-1, -1}));
    EXPECT_EQ(starts[0].answer, 7);
}

TEST_F(Host, ResultMessagesGoToTheLiveViewOnly)
{
    EXPECT_EQ(ActVelmoraData(1234), 0);  // the view of an earlier test is gone
    folder.add("zero", "z.so");
    scan();
    auto view = std::make_unique<PluginProbe>();
    SetupAllChaJian(view.get(), nullptr);
    StartOneCha("Zero", view.get(), nullptr, nullptr, 0);
    EXPECT_EQ(view->results, std::vector<std::uintptr_t>{0});
    EXPECT_EQ(folder.starts("z.so")->at(0).answer, 0);
    view.reset();
    EXPECT_EQ(ActVelmoraData(1234), 0);
}

TEST_F(Host, NothingStartsAfterTheLibrariesAreClosed)
{
    folder.add("alpha", "a.so");
    scan();
    SetupAllChaJian(&probe, nullptr);
    CloseAllCha();
    StartOneCha("Alpha", &probe, nullptr, nullptr, 0);  // must not call into the unloaded code
    std::string name;
    EXPECT_TRUE(ChaWindowProc(33000, name));  // the table stays as it was
    EXPECT_FALSE(folder.loaded("a.so"));
}

}  // namespace
}  // namespace brenmark::test
