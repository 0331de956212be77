// Recovery copies between editors: whose copy is whose, what is offered, what survives.
#include "editor/app/recovery_store.h"

#include "editor/app/tests/app_test_support.h"
#include "interchange/file_bytes.h"
#include "editor/document/pattern_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace brenmark {
namespace {

PatternDocument smallPattern(int marked)
{
    PatternDocument p;
    p.create(5, 4, "DMC");
    p.addThread(rgb(200, 0, 0), "321");
    p.setCell(marked % 5, marked / 5, 0);
    p.layers.backgroundFromGrid(p);
    return p;
}

TEST(RecoveryStore, ACopyIsOfferedOnlyOnceItsEditorIsGone)
{
    test::ScratchDir dir;
    const std::string folder = dir.file("recovery/");
    auto first = std::make_unique<RecoveryStore>(folder);
    ASSERT_TRUE(first->ready());
    // A path with GBK bytes and a newline in it comes back as the same bytes.
    const std::string original = "/home/me/\xD0\xE5\xCD\xBC\nodd.xiu";
    ASSERT_TRUE(first->writeAsync(smallPattern(7), original));
    first->wait();
    ASSERT_TRUE(first->lastWriteOk());

    RecoveryStore second(folder);
    ASSERT_TRUE(second.ready());
    EXPECT_NE(second.id(), first->id());
    EXPECT_TRUE(second.leftBehind().empty());  // its writer still runs

    const std::string copyPath = first->ownPatternPath();
    first.reset();  // gone without discarding, as a killed editor
    const std::vector<RecoveryCopy> copies = second.leftBehind();
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(copies[0].originalPath, original);
    EXPECT_EQ(copies[0].patternPath, copyPath);
    EXPECT_GT(copies[0].writtenAt, 0);
    PatternDocument back;
    ASSERT_NE(loadPattern(copies[0].patternPath, LoadMode::Plain, back, {}).result, LoadResult::Failed);
    EXPECT_EQ(back.cell(2, 1), 0);

    // Adopted, it is the second editor's own: a third sees nothing while the second runs.
    ASSERT_TRUE(second.adopt(copies[0]));
    EXPECT_TRUE(test::fileExists(second.ownPatternPath()));
    RecoveryStore third(folder);
    EXPECT_TRUE(third.leftBehind().empty());
    EXPECT_FALSE(third.adopt(copies[0]));  // already moved

    second.discard();
    EXPECT_FALSE(test::fileExists(second.ownPatternPath()));
}

TEST(RecoveryStore, NothingIsWrittenWhileAWriteRunsAndDiscardWaitsForIt)
{
    test::ScratchDir dir;
    RecoveryStore store(dir.file("r/"));
    PatternDocument big;
    big.create(1500, 1500, "DMC");
    big.addThread(rgb(1, 2, 3), "1");
    big.layers.backgroundFromGrid(big);
    ASSERT_TRUE(store.writeAsync(big, ""));
    if (store.busy())
        EXPECT_FALSE(store.writeAsync(smallPattern(1), ""));
    // A save right after: the copy in flight must not reappear after the discard.
    store.discard();
    EXPECT_FALSE(test::fileExists(store.ownPatternPath()));
    EXPECT_FALSE(store.busy());
}

TEST(RecoveryStore, AWriteRightAfterTheDocumentIsMadeReadyWaitsForItAndWritesThePattern)
{
    test::ScratchDir dir;
    RecoveryStore store(dir.file("r/"));
    const PatternDocument doc = smallPattern(13);
    ASSERT_TRUE(store.prepareAsync(doc));
    ASSERT_TRUE(store.writeAsync(doc, "/x.xiu"));  // never refused for the preparation
    store.wait();
    ASSERT_TRUE(store.lastWriteOk());
    PatternDocument back;
    ASSERT_NE(loadPattern(store.ownPatternPath(), LoadMode::Plain, back, {}).result, LoadResult::Failed);
    EXPECT_EQ(back.grid.cells, doc.grid.cells);
    EXPECT_EQ(back.layers.size(), doc.layers.size());
}

TEST(RecoveryStore, AnUnreadableNoteIsStillOfferedAndLocksOfEditorsWithoutCopiesGo)
{
    test::ScratchDir dir;
    const std::string folder = dir.file("recovery/");
    test::makeFolder(folder);
    std::ofstream(folder + "123-456.recovery") << "garbage";
    std::ofstream(folder + "123-456.xiu") << "not a pattern";
    std::ofstream(folder + "999-1.lock") << "";
    // Killed between its first copy and the note: the copy alone is still offered.
    std::ofstream(folder + "777-8.xiu") << "a pattern";
    RecoveryStore store(folder);
    std::vector<RecoveryCopy> copies = store.leftBehind();
    ASSERT_EQ(copies.size(), 2u);
    std::sort(copies.begin(), copies.end(), [](const RecoveryCopy& a, const RecoveryCopy& b) { return a.id < b.id; });
    EXPECT_EQ(copies[0].id, "123-456");
    EXPECT_EQ(copies[1].id, "777-8");
    EXPECT_GT(copies[1].writtenAt, 0);  // the time of the file itself
    EXPECT_TRUE(copies[1].originalPath.empty());
    EXPECT_FALSE(test::fileExists(folder + "999-1.lock"));
    store.setAside(copies[1]);

    store.setAside(copies[0]);
    EXPECT_TRUE(store.leftBehind().empty());
    EXPECT_TRUE(test::fileExists(folder + "123-456.xiu.damaged"));
}

TEST(RecoveryStore, AFolderThatCannotBeMadeWritesNothing)
{
    test::ScratchDir dir;
    std::ofstream(dir.file("file")) << "x";
    RecoveryStore store(dir.file("file/recovery/"));
    EXPECT_FALSE(store.ready());
    EXPECT_FALSE(store.writeAsync(smallPattern(0), ""));
    EXPECT_TRUE(store.leftBehind().empty());
}

}  // namespace
}  // namespace brenmark
