#include "editor/app/document_commands.h"

#include "editor/app/tests/app_test_support.h"
#include "editor/document/layer_operations.h"
#include "editor/document/pattern_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include <sys/stat.h>

namespace brenmark {
namespace {

using test::ScratchDir;

constexpr ColorRef kRed = rgb(200, 0, 0);
constexpr ColorRef kBlue = rgb(0, 0, 200);
constexpr ColorRef kEcru = rgb(240, 234, 218);

class Commands : public ::testing::Test {
protected:
    ScratchDir dir;
    PaletteStore palettes{dir.path()};
    PatternDocument doc;
    test::ScriptedDialogs dialogs;
    test::RecordingUndo undo;
    test::RecordingEvents events;
    test::CountingEditingState editing;
    test::FlagSavePoint savePoint;
    DocumentCommands commands{doc, palettes, dialogs, undo};

    void SetUp() override
    {
        test::writePalette(dir.path(), "DMC",
                           {{"B5200", kWhite}, {"712", rgb(255, 251, 239)}, {"ECRU", kEcru}, {"321", kRed}, {"796", kBlue}});
        commands.setEvents(&events);
        commands.addEditingState(&editing);
        commands.setSavePoint(&savePoint);
    }

    // A 2 x 1 pattern on file: one red cell, an empty one.
    std::string writePattern(const std::string& name, ColorRef fabric = kWhite)
    {
        PatternDocument p;
        p.create(2, 1, "DMC");
        p.addThread(kRed, "321");
        p.setCell(0, 0, 0);
        p.fabric = fabric;
        p.layers.backgroundFromGrid(p);
        const std::string path = dir.file(name);
        EXPECT_TRUE(savePattern(path, p));
        return path;
    }

    void openSomething()
    {
        savePoint.dirty = false;
        dialogs.files.push_back(writePattern("open.xiu"));
        ASSERT_TRUE(commands.openPattern());
        dialogs.log.clear();
        events.log.clear();
    }
    // An open pattern with an edit in it.
    void openAndEdit()
    {
        openSomething();
        doc.setCell(1, 0, 0);
        savePoint.dirty = true;
    }

    static NewPatternEntry entry(const char* brand, const char* w, const char* h) { return {brand, w, h}; }
};

// --- the save prompt -------------------------------------------------------------------

TEST_F(Commands, NoPatternMeansNoSavePrompt)
{
    commands.openPattern();
    EXPECT_EQ(dialogs.log, (std::vector<std::string>{"open:打开绣图"}));
}

TEST_F(Commands, AnsweringNoOpensTheNextFileWithoutSaving)
{
    openAndEdit();
    const std::string next = writePattern("next.xiu");
    dialogs.yesNo = {false};
    dialogs.files = {next};

    ASSERT_TRUE(commands.openPattern());

    EXPECT_EQ(dialogs.log, (std::vector<std::string>{"ask:保存当前绣图吗?|提示", "open:打开绣图"}));
    EXPECT_EQ(commands.currentPath(), next);
}

TEST_F(Commands, AnsweringYesAndCancellingTheSaveStillGoesOnToTheOpenDialog)
{
    openAndEdit();
    dialogs.yesNo = {true};
    dialogs.files = {std::nullopt, std::nullopt};

    EXPECT_FALSE(commands.openPattern());

    EXPECT_EQ(dialogs.log, (std::vector<std::string>{"ask:保存当前绣图吗?|提示", "save:存储绣图", "open:打开绣图"}));
    EXPECT_TRUE(doc.isOpen());
}

TEST_F(Commands, AnsweringYesSavesBeforeTheNextCommandGoesOn)
{
    openAndEdit();
    dialogs.yesNo = {true};
    dialogs.files = {dir.file("kept"), std::nullopt};

    commands.importPicture();

    EXPECT_TRUE(test::fileExists(dir.file("kept.xiu")));
    EXPECT_EQ(dialogs.log, (std::vector<std::string>{"ask:保存当前绣图吗?|提示", "save:存储绣图", "open:导入图片"}));
}

TEST_F(Commands, AnUnmodifiedPatternIsNeverAskedAbout)
{
    openSomething();
    dialogs.files = {writePattern("next.xiu")};
    ASSERT_TRUE(commands.openPattern());
    EXPECT_EQ(dialogs.log, std::vector<std::string>{"open:打开绣图"});
}

TEST_F(Commands, DismissingTheSavePromptCancelsEveryCommandThatAsksIt)
{
    // Esc or the box's close button: the pattern and its path stay, nothing else is asked.
    const std::string next = writePattern("next.xiu");
    const std::vector<std::pair<const char*, std::function<bool()>>> runs = {
        {"new", [&] { commands.newPattern(); return doc.width() == 2; }},
        {"open", [&] { return !commands.openPattern(); }},
        {"old library", [&] { return !commands.openOldLibraryPattern(); }},
        {"import", [&] { return !commands.importPicture(); }},
        {"command line", [&] { return !commands.openCommandLine("\"" + next + "\""); }},
        {"recent", [&] { return !commands.openFile(next); }},
        {"recovered", [&] { return !commands.openRecovered(next, next); }},
    };
    for (const auto& [name, run] : runs) {
        SCOPED_TRACE(name);
        openAndEdit();
        dialogs.answers = {Answer::Cancel};
        dialogs.files = {next};
        EXPECT_TRUE(run());
        EXPECT_EQ(dialogs.log, std::vector<std::string>{"ask:保存当前绣图吗?|提示"});
        EXPECT_EQ(commands.currentPath(), dir.file("open.xiu"));
        EXPECT_EQ(doc.cell(1, 0), 0);
        EXPECT_TRUE(savePoint.dirty);
        dialogs.files.clear();
    }
}

TEST_F(Commands, YesWithAFailedSaveStopsTheCommand)
{
    openAndEdit();
    dialogs.answers = {Answer::Yes};
    dialogs.files = {dir.file("no/such/folder/x.xiu"), writePattern("next.xiu")};

    EXPECT_FALSE(commands.openPattern());

    EXPECT_EQ(commands.currentPath(), dir.file("open.xiu"));
    EXPECT_TRUE(savePoint.dirty);
    EXPECT_EQ(dialogs.log.back(), "message:绣图未能存储:" + dir.file("no/such/folder/x.xiu") + "\n文件夹不存在");
}

TEST_F(Commands, ClosingAsksOnlyWhenModifiedAndOnlyASavedOrDiscardedPatternMayClose)
{
    openSomething();
    EXPECT_TRUE(commands.confirmClose());
    EXPECT_TRUE(dialogs.log.empty());

    savePoint.dirty = true;
    dialogs.answers = {Answer::Cancel};
    EXPECT_FALSE(commands.confirmClose());
    EXPECT_TRUE(savePoint.dirty);

    dialogs.answers = {Answer::Yes};  // then the save dialog is cancelled
    EXPECT_FALSE(commands.confirmClose());

    dialogs.answers = {Answer::Yes};
    dialogs.files = {dir.file("no/such/folder/x.xiu")};
    EXPECT_FALSE(commands.confirmClose());

    dialogs.answers = {Answer::Yes};
    dialogs.files = {dir.file("closing.xiu")};
    EXPECT_TRUE(commands.confirmClose());
    EXPECT_FALSE(savePoint.dirty);
    EXPECT_TRUE(test::fileExists(dir.file("closing.xiu")));

    savePoint.dirty = true;
    dialogs.answers = {Answer::No};
    EXPECT_TRUE(commands.confirmClose());
}

TEST_F(Commands, OpeningAndSavingMarkTheFileSavedAnImportMarksItModified)
{
    openSomething();
    EXPECT_FALSE(savePoint.dirty);
    const int saves = savePoint.saves;
    savePoint.dirty = true;
    dialogs.files = {dir.file("saved.xiu")};
    ASSERT_TRUE(commands.savePattern());
    EXPECT_FALSE(savePoint.dirty);
    EXPECT_EQ(savePoint.saves, saves + 1);

    PatternDocument imported;
    imported.create(3, 3, "DMC");
    commands.replacePattern(std::move(imported), std::string());
    EXPECT_TRUE(savePoint.dirty);
    EXPECT_TRUE(commands.modified());
}

TEST_F(Commands, AReadOnlyTargetIsRefusedAndLeftByteForByte)
{
    openAndEdit();
    const std::string target = writePattern("locked.xiu", kEcru);
    std::vector<std::uint8_t> before;
    ASSERT_TRUE(readWholeFile(target, before));
    ASSERT_EQ(::chmod(target.c_str(), 0444), 0);
    dialogs.files = {target};
    dialogs.yesNo = {true};

    EXPECT_FALSE(commands.savePattern());

    std::vector<std::uint8_t> after;
    ASSERT_TRUE(readWholeFile(target, after));
    EXPECT_EQ(after, before);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "绣图未能存储:" + target + "\n文件是只读的,没有写入它的权限");
    EXPECT_TRUE(savePoint.dirty);
    EXPECT_EQ(commands.currentPath(), dir.file("open.xiu"));
    ::chmod(target.c_str(), 0644);
}

TEST_F(Commands, WhatIsNoPatternIsRefusedWithAMessageAndTheOpenPatternStays)
{
    openAndEdit();
    const std::vector<std::pair<std::string, std::string>> files = {
        {"text.xiu", "just some words\n"},
        {"empty.xiu", ""},
        {"photo.xiu", std::string("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00", 11) + std::string(400, '\x7f')},
    };
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        std::ofstream(dir.file(name), std::ios::binary) << bytes;
        dialogs.messages.clear();
        dialogs.answers = {Answer::No};
        dialogs.files = {dir.file(name)};
        EXPECT_FALSE(commands.openPattern());
        ASSERT_FALSE(dialogs.messages.empty());
        EXPECT_NE(dialogs.messages.back().text.find(kMsgDamaged), std::string::npos);
        EXPECT_EQ(commands.currentPath(), dir.file("open.xiu"));
        EXPECT_EQ(doc.cell(1, 0), 0);
    }
}

TEST_F(Commands, ARecoveredCopyComesBackModifiedUnderItsOriginalPath)
{
    const std::string copy = writePattern("copy.xiu", kEcru);
    ASSERT_TRUE(commands.openRecovered(copy, "/home/someone/heart.xiu"));
    EXPECT_EQ(commands.currentPath(), "/home/someone/heart.xiu");
    EXPECT_TRUE(savePoint.dirty);
    EXPECT_EQ(doc.fabric, kEcru);
    EXPECT_EQ(doc.cell(0, 0), 0);
}

// --- new pattern -----------------------------------------------------------------------

TEST_F(Commands, ANewPatternOfTheDefaultsIs100By100DmcWithOneEmptyLayer)
{
    dialogs.newPatterns = {entry("DMC", "100", "100")};

    commands.newPattern();

    ASSERT_EQ(dialogs.newPatternShown.size(), 1u);
    EXPECT_EQ(dialogs.newPatternShown[0], entry("DMC", "100", "100"));
    // The one brand list: here only DMC has a palette.
    EXPECT_EQ(dialogs.newPatternBrands[0], (std::vector<std::string>{"DMC"}));
    ASSERT_TRUE(doc.isOpen());
    EXPECT_EQ(doc.width(), 100);
    EXPECT_EQ(doc.height(), 100);
    EXPECT_EQ(doc.brand, "DMC");
    EXPECT_TRUE(doc.threads.empty());
    EXPECT_TRUE(std::all_of(doc.grid.cells.begin(), doc.grid.cells.end(), [](std::int32_t c) { return c == EmptyCell; }));
    ASSERT_EQ(doc.layers.size(), 1);
    EXPECT_EQ(doc.layers[0].name, "背景");
    EXPECT_EQ(editing.resets, 1);
    EXPECT_EQ(events.log, std::vector<std::string>{"replaced"});
}

TEST_F(Commands, ANewPatternTakesTheChosenBrandAndSize)
{
    test::writePalette(dir.path(), "J&P", {{"1", kRed}});
    dialogs.newPatterns = {entry("J&P", " 30 ", "7")};
    commands.newPattern();
    EXPECT_EQ(doc.brand, "J&P");
    EXPECT_EQ(doc.width(), 30);
    EXPECT_EQ(doc.height(), 7);
}

TEST_F(Commands, CancellingTheNewPatternDialogKeepsTheOpenPattern)
{
    // Cancel means "not now", never "throw the open pattern away".
    openAndEdit();
    dialogs.yesNo = {false};

    commands.newPattern();

    EXPECT_TRUE(doc.isOpen());
    EXPECT_EQ(doc.cell(1, 0), 0);
    EXPECT_EQ(commands.currentPath(), dir.file("open.xiu"));
    EXPECT_TRUE(savePoint.dirty);
    EXPECT_EQ(editing.resets, 1);  // only the open's
    EXPECT_TRUE(events.log.empty());
}

TEST_F(Commands, RefusedSizesAreExplainedAndAskedForAgain)
{
    dialogs.newPatterns = {entry("DMC", "0", "10"), entry("DMC", "12", "abc"), entry("DMC", "3001", "5"),
                           entry("DMC", "-4", "5"), entry("DMC", "12", "34")};

    commands.newPattern();

    EXPECT_EQ(dialogs.messages.size(), 4u);
    for (const auto& m : dialogs.messages) {
        EXPECT_EQ(m.text, "绣图的宽和高必须是1到3000之间的整数");
        EXPECT_EQ(m.icon, MessageIcon::Warning);
    }
    // The dialog comes back with what was typed.
    ASSERT_EQ(dialogs.newPatternShown.size(), 5u);
    EXPECT_EQ(dialogs.newPatternShown[1], entry("DMC", "0", "10"));
    EXPECT_EQ(doc.width(), 12);
    EXPECT_EQ(doc.height(), 34);
}

TEST(NewPatternCheck, TheLimitsThemselvesAreAccepted)
{
    const std::vector<std::string> brands = {"ANCHOR", "ROSE"};
    EXPECT_TRUE(checkNewPattern({"ROSE", "1", "1"}, brands).accepted);
    EXPECT_TRUE(checkNewPattern({"ANCHOR", "3000", "3000"}, brands).accepted);
    EXPECT_FALSE(checkNewPattern({"ANCHOR", "", "3"}, brands).accepted);
    EXPECT_FALSE(checkNewPattern({"ANCHOR", "99999999999999999999", "3"}, brands).accepted);
    EXPECT_FALSE(checkNewPattern({"DOME", "3", "3"}, brands).accepted);
}

// --- open ------------------------------------------------------------------------------

TEST_F(Commands, OpeningLoadsInLibraryModeAndResetsTheEditingState)
{
    const std::string path = writePattern("a.xiu", kEcru);
    dialogs.files = {path};

    ASSERT_TRUE(commands.openPattern());

    EXPECT_EQ(dialogs.filters, std::vector<std::string>{"绣图文件 (.xiu)|*.xiu|"});
    EXPECT_EQ(doc.width(), 2);
    EXPECT_EQ(doc.cell(0, 0), 0);
    EXPECT_EQ(doc.fabric, kEcru);
    EXPECT_EQ(commands.currentPath(), path);
    EXPECT_EQ(editing.resets, 1);
    EXPECT_EQ(events.log, std::vector<std::string>{"replaced"});
}

TEST_F(Commands, ARefusedFileLeavesTheOpenPatternAsItWas)
{
    openSomething();
    BackstitchLine line;
    line.thread = "321";
    doc.lines.push_back(line);
    dialogs.yesNo = {false};
    dialogs.files = {dir.file("missing.xiu")};

    EXPECT_FALSE(commands.openPattern());

    EXPECT_EQ(dialogs.messages.back().text, kMsgFileMissing);
    EXPECT_TRUE(doc.isOpen());
    EXPECT_EQ(doc.lines.size(), 1u);
    EXPECT_EQ(editing.resets, 1);  // only the first open's
    EXPECT_EQ(commands.currentPath(), dir.file("open.xiu"));
    EXPECT_EQ(events.log, std::vector<std::string>{"loadFailed:" + dir.file("missing.xiu")});
}

TEST_F(Commands, AFolderChosenToOpenOrNamedOnTheCommandLineIsCalledAFolder)
{
    openSomething();
    test::makeFolder(dir.file("folder.xiu"));
    dialogs.yesNo = {false};
    dialogs.files = {dir.file("folder.xiu")};

    EXPECT_FALSE(commands.openPattern());
    ASSERT_GE(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[dialogs.messages.size() - 2].text, dir.file("folder.xiu"));
    EXPECT_EQ(dialogs.messages.back().text, kMsgPathIsFolder);
    EXPECT_EQ(commands.currentPath(), dir.file("open.xiu"));

    EXPECT_FALSE(commands.openCommandLine("\"" + dir.file("folder.xiu") + "\""));
    EXPECT_EQ(dialogs.messages.back().text, kMsgPathIsFolder);
    EXPECT_TRUE(doc.isOpen());
}

TEST_F(Commands, AnOldLibraryPatternOpensOnlyThroughTheCorrectionCommand)
{
    std::vector<std::uint8_t> bytes;
    {
        PatternDocument p;
        p.create(3, 3, "DMC");
        bytes = encodePattern(p);
    }
    bytes[33] = 0;  // made with the old thread library
    const std::string path = dir.file("old.xiu");
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));

    dialogs.files = {path, path};
    EXPECT_FALSE(commands.openPattern());
    EXPECT_EQ(dialogs.messages.back().text, kMsgOldLibrary);
    EXPECT_TRUE(commands.openOldLibraryPattern());
    EXPECT_EQ(doc.width(), 3);
    EXPECT_EQ(dialogs.log.back(), "open:打开绣图");
}

TEST_F(Commands, TheCommandLinePathOpensWithOrWithoutQuotes)
{
    const std::string path = writePattern("cmd.xiu");
    EXPECT_TRUE(commands.openCommandLine("\"" + path + "\""));
    EXPECT_EQ(commands.currentPath(), path);
    doc.close();
    EXPECT_TRUE(commands.openCommandLine(path));
    EXPECT_TRUE(doc.isOpen());
    EXPECT_TRUE(dialogs.log.empty());  // no save prompt, no dialog
}

// --- save ------------------------------------------------------------------------------

TEST_F(Commands, SavingNormalisesTheNameAndMakesItTheCurrentPath)
{
    openSomething();
    test::makeFolder(dir.file("my.patterns"));
    dialogs.files = {dir.file("my.patterns/test")};

    ASSERT_TRUE(commands.savePattern());

    EXPECT_TRUE(test::fileExists(dir.file("my.patterns/test.xiu")));
    EXPECT_EQ(commands.currentPath(), dir.file("my.patterns/test.xiu"));
    EXPECT_EQ(dialogs.filters.back(), "绣图文件 (.xiu)|*.xiu|");
    EXPECT_EQ(events.log.back(), "saved:" + dir.file("my.patterns/test.xiu"));
}

TEST_F(Commands, SavingAsksBeforeReplacingTheFileTheNormalisedNameNames)
{
    // "my.pattern.xiu" is new, but it is written as "my.xiu", which is there.
    openSomething();
    const std::string existing = writePattern("my.xiu", kEcru);
    doc.addThread(kBlue, "796");  // unused: a save would drop it
    dialogs.files = {dir.file("my.pattern.xiu")};
    dialogs.yesNo = {false};

    EXPECT_FALSE(commands.savePattern());

    EXPECT_EQ(dialogs.log, (std::vector<std::string>{"save:存储绣图", "ask:" + dir.file("my.xiu") + "已存在。\n要替换它吗?|存储绣图"}));
    PatternDocument kept;
    ASSERT_NE(loadPattern(existing, LoadMode::Plain, kept, {}).result, LoadResult::Failed);
    EXPECT_EQ(kept.fabric, kEcru);
    EXPECT_FALSE(test::fileExists(dir.file("my.pattern.xiu")));
    EXPECT_TRUE(undo.labels.empty());  // refused before anything changed
    EXPECT_EQ(doc.distinct.numbers.size(), 2u);
    EXPECT_EQ(commands.currentPath(), dir.file("open.xiu"));

    dialogs.log.clear();
    dialogs.files = {dir.file("my.pattern.xiu")};
    dialogs.yesNo = {true};
    ASSERT_TRUE(commands.savePattern());
    ASSERT_NE(loadPattern(existing, LoadMode::Plain, kept, {}).result, LoadResult::Failed);
    EXPECT_EQ(kept.fabric, kWhite);
    EXPECT_EQ(commands.currentPath(), dir.file("my.xiu"));
}

TEST_F(Commands, SavingAsksAboutAnExistingFileButNotAboutThePatternsOwn)
{
    openSomething();
    dialogs.files = {dir.file("open.xiu")};
    ASSERT_TRUE(commands.savePattern());
    EXPECT_EQ(dialogs.log, std::vector<std::string>{"save:存储绣图"});

    // The same file by another name is still the pattern's own.
    dialogs.log.clear();
    dialogs.files = {dir.path() + "./open.xiu"};
    ASSERT_TRUE(commands.savePattern());
    EXPECT_EQ(dialogs.log, std::vector<std::string>{"save:存储绣图"});

    // Another existing file is asked about, once.
    writePattern("other.xiu");
    dialogs.log.clear();
    dialogs.files = {dir.file("other.xiu")};
    dialogs.yesNo = {true};
    ASSERT_TRUE(commands.savePattern());
    EXPECT_EQ(dialogs.log, (std::vector<std::string>{"save:存储绣图", "ask:" + dir.file("other.xiu") + "已存在。\n要替换它吗?|存储绣图"}));

    dialogs.log.clear();
    dialogs.files = {dir.file("fresh.name.xiu")};
    ASSERT_TRUE(commands.savePattern());
    EXPECT_EQ(dialogs.log, std::vector<std::string>{"save:存储绣图"});  // nothing there to replace
    EXPECT_TRUE(test::fileExists(dir.file("fresh.xiu")));
}

TEST_F(Commands, SavingDropsUnusedThreadsAsOneUndoStep)
{
    openSomething();
    doc.addThread(kBlue, "796");  // nothing uses it
    dialogs.files = {dir.file("clean.xiu")};

    ASSERT_TRUE(commands.savePattern());

    EXPECT_EQ(undo.labels, std::vector<std::string>{"取消删除未使用绣线"});
    EXPECT_EQ(events.log.front(), "threads");
    PatternDocument reread;
    ASSERT_NE(loadPattern(dir.file("clean.xiu"), LoadMode::Plain, reread, {}).result, LoadResult::Failed);
    EXPECT_EQ(reread.distinct.numbers, std::vector<std::string>{"321"});
}

TEST_F(Commands, SavingWithEveryThreadInUseRecordsNoUndoStep)
{
    openSomething();
    dialogs.files = {dir.file("same.xiu")};
    ASSERT_TRUE(commands.savePattern());
    EXPECT_TRUE(undo.labels.empty());
}

TEST_F(Commands, AFailedSaveSaysWhyAndKeepsThePathAndTheChanges)
{
    openAndEdit();
    dialogs.files = {dir.file("no/such/folder/x.xiu")};

    EXPECT_FALSE(commands.savePattern());

    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "绣图未能存储:" + dir.file("no/such/folder/x.xiu") + "\n文件夹不存在");
    EXPECT_EQ(dialogs.messages[0].title, kTitleWarning);
    EXPECT_EQ(commands.currentPath(), dir.file("open.xiu"));
    EXPECT_TRUE(savePoint.dirty);
    EXPECT_EQ(events.log.back(), "saveFailed:" + dir.file("no/such/folder/x.xiu"));
}

TEST_F(Commands, CancellingTheSaveDialogWritesNothing)
{
    openSomething();
    doc.addThread(kBlue, "796");
    EXPECT_FALSE(commands.savePattern());
    EXPECT_TRUE(undo.labels.empty());
    EXPECT_EQ(doc.distinct.numbers.size(), 2u);
}

// --- import, insert --------------------------------------------------------------------

TEST_F(Commands, ImportAsksForAPictureAndForgetsTheCurrentPath)
{
    openSomething();
    dialogs.yesNo = {false, false};
    dialogs.files = {std::nullopt, dir.file("photo.jpg")};

    EXPECT_FALSE(commands.importPicture());
    EXPECT_EQ(commands.currentPath(), dir.file("open.xiu"));  // cancelled: no change

    EXPECT_EQ(commands.importPicture(), dir.file("photo.jpg"));
    EXPECT_TRUE(commands.currentPath().empty());
    EXPECT_EQ(dialogs.filters.back(),
              "图片文件 (.bmp;.jpg;.jpeg;.gif;.ico)|*.bmp;*.jpg;*.jpeg;*.gif;*.ico|All Files (*.*)|*.*|");
    EXPECT_EQ(dialogs.log.back(), "open:导入图片");
}

TEST_F(Commands, InsertingAPatternAddsItsLayerAboveTheDrawingLayer)
{
    LayerOperations layers(doc, undo);
    commands.setLayerOperations(&layers);
    dialogs.newPatterns = {entry("DMC", "10", "10")};
    commands.newPattern();
    dialogs.files = {writePattern("piece.xiu")};

    ASSERT_TRUE(commands.insertPattern());

    EXPECT_EQ(dialogs.log.back(), "open:插入绣图");
    EXPECT_TRUE(dialogs.log.end()[-2] == "new");  // no save prompt before inserting
    ASSERT_EQ(doc.layers.size(), 2);
    EXPECT_EQ(doc.layers[0].name, "插入绣图层");
}

TEST_F(Commands, InsertingNeedsAnOpenPattern)
{
    LayerOperations layers(doc, undo);
    commands.setLayerOperations(&layers);
    EXPECT_FALSE(commands.insertPattern());
    EXPECT_TRUE(dialogs.log.empty());
}

// --- editing state, fabric, thread manager ---------------------------------------------

TEST_F(Commands, ResettingTheEditingStateEmptiesTheLinesAndWhitensTheFabric)
{
    openSomething();
    doc.lines.push_back(BackstitchLine{});
    doc.setFabricColor(kEcru);
    commands.resetEditingState();
    EXPECT_TRUE(doc.lines.empty());
    EXPECT_EQ(doc.fabric, kWhite);
}

TEST_F(Commands, TheFabricDialogPreselectsTheCurrentFabricAndSetsTheChosenOne)
{
    openSomething();
    doc.setFabricColor(kEcru);
    dialogs.fabrics = {3};

    ASSERT_TRUE(commands.chooseFabricColour());

    ASSERT_EQ(dialogs.fabricLists.size(), 1u);
    EXPECT_EQ(dialogs.fabricLists[0].size(), 13u);
    EXPECT_EQ(dialogs.fabricLists[0][2].entry, "米色(Ecru)");
    EXPECT_EQ(dialogs.fabricPreselected[0], 2);
    EXPECT_EQ(doc.fabric, kRed);  // "红色(321)"
}

TEST_F(Commands, CancellingTheFabricDialogKeepsTheFabric)
{
    openSomething();
    EXPECT_FALSE(commands.chooseFabricColour());
    EXPECT_EQ(doc.fabric, kWhite);
    EXPECT_EQ(dialogs.fabricPreselected[0], 0);
}

TEST_F(Commands, TheThreadManagerOpensOnDmcAndItsEditsAreKept)
{
    dialogs.threadManager = [](ThreadManager& m) {
        EXPECT_EQ(m.brand(), "DMC");
        EXPECT_EQ(m.selected(), -1);
        m.selectSwatch(3);
        m.setComponents(1, 2, 3);
        m.apply();
        m.cancel();
    };
    commands.manageThreads();
    Palette dmc;
    ASSERT_TRUE(palettes.load("DMC", dmc));
    EXPECT_EQ(dmc.colors[3], rgb(1, 2, 3));
}

}  // namespace
}  // namespace brenmark
