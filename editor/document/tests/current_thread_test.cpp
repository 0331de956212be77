// The current thread: choosing by colour against the thread table, and noticing when the
// table lost the thread.
#include "editor/document/current_thread.h"
#include "editor/document/pattern_document.h"

#include <gtest/gtest.h>

namespace brenmark {
namespace {

constexpr ColorRef kRed = rgb(200, 0, 0);
constexpr ColorRef kBlue = rgb(0, 0, 200);

// Threads 0 red "321", 1 blue "796", 2 blue "797".
struct Choice : ::testing::Test {
    PatternDocument doc;
    CurrentThreadChoice current{doc};
    Choice()
    {
        doc.create(2, 2, "DMC");
        doc.addThread(kRed, "321");
        doc.addThread(kBlue, "796");
        doc.addThread(kBlue, "797");
    }
};

TEST_F(Choice, NothingIsChosenAtFirst)
{
    EXPECT_FALSE(current.chosen());
    EXPECT_EQ(current.thread(), CurrentThread{});
}

TEST_F(Choice, AColourChoosesTheFirstThreadOfThatColour)
{
    current.chooseColour(kBlue);
    EXPECT_EQ(current.thread(), (CurrentThread{1, kBlue, "796"}));
    EXPECT_TRUE(current.chosen());
    EXPECT_TRUE(current.stillInTable());
}

TEST_F(Choice, AColourWithoutAThreadKeepsTheColourAndChoosesNone)
{
    current.chooseColour(kRed);
    current.chooseColour(rgb(1, 2, 3));
    EXPECT_EQ(current.thread(), (CurrentThread{-1, rgb(1, 2, 3), ""}));
    EXPECT_FALSE(current.chosen());
    EXPECT_FALSE(current.stillInTable());
}

TEST_F(Choice, AThreadWhoseColourLeftTheTableIsNoLongerInIt)
{
    current.set({0, kRed, "321"});
    ASSERT_TRUE(current.stillInTable());
    doc.threads.colors[0] = kBlue;  // a colour operation replaced it
    EXPECT_TRUE(current.chosen());
    EXPECT_FALSE(current.stillInTable());
    current.set({5, kBlue, "796"});  // past the table
    EXPECT_FALSE(current.stillInTable());
}

}  // namespace
}  // namespace brenmark
