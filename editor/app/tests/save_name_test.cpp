#include "editor/app/document_commands.h"

#include <gtest/gtest.h>

namespace brenmark {
namespace {

TEST(SaveName, ANameWithoutADotGetsTheExtension)
{
    EXPECT_EQ(normalizeSaveName("/home/u/test"), "/home/u/test.xiu");
    EXPECT_EQ(normalizeSaveName("test"), "test.xiu");
}

TEST(SaveName, EverythingFromTheFirstDotIsReplaced)
{
    EXPECT_EQ(normalizeSaveName("/home/u/test.bmp"), "/home/u/test.xiu");
    EXPECT_EQ(normalizeSaveName("/home/u/my.pattern.xiu"), "/home/u/my.xiu");
    EXPECT_EQ(normalizeSaveName("a.b.c"), "a.xiu");
    EXPECT_EQ(normalizeSaveName("/home/u/heart.xiu"), "/home/u/heart.xiu");
}

TEST(SaveName, FoldersKeepTheirNames)
{
    EXPECT_EQ(normalizeSaveName("/home/u/my.patterns/test"), "/home/u/my.patterns/test.xiu");
    EXPECT_EQ(normalizeSaveName("/a.b/c.d/e.f.g"), "/a.b/c.d/e.xiu");
}

TEST(SaveName, DoubleByteNamesAreLeftWhole)
{
    EXPECT_EQ(normalizeSaveName("/home/u/心形"), "/home/u/心形.xiu");
    EXPECT_EQ(normalizeSaveName("/home/u/心形.图"), "/home/u/心形.xiu");
}

TEST(CommandLinePath, QuotesAreRemovedOnlyWhenBothAreThere)
{
    EXPECT_EQ(commandLinePath("\"/tmp/a b.xiu\""), "/tmp/a b.xiu");
    EXPECT_EQ(commandLinePath("/tmp/a.xiu"), "/tmp/a.xiu");
    EXPECT_EQ(commandLinePath("\"/tmp/a.xiu"), "\"/tmp/a.xiu");
    EXPECT_EQ(commandLinePath("/tmp/a.xiu\""), "/tmp/a.xiu\"");
    EXPECT_EQ(commandLinePath("\"\""), "");
    EXPECT_EQ(commandLinePath("\""), "\"");
}

}  // namespace
}  // namespace brenmark
