// What the cell buffers tell the undo history about their writes: only the chunks written
// since a capture, nothing when they cannot tell.
#include "editor/document/tracked_buffer.h"

#include <gtest/gtest.h>

#include <utility>

namespace brenmark {
namespace {

constexpr std::size_t kChunk = WriteTracker::kChunk;
constexpr WriteTracker::Capture kHere{7, 2};

TrackedBuffer<int> captured(std::size_t n)
{
    TrackedBuffer<int> b(n, 0);
    b.writes().captured(kHere, n);
    return b;
}

std::vector<std::uint8_t> changes(const TrackedBuffer<int>& b)
{
    const auto* c = b.writes().changesSince(kHere, b.size());
    return c ? *c : std::vector<std::uint8_t>{};
}

TEST(TrackedBuffer, AWriteMarksOnlyItsChunkAndReadsMarkNothing)
{
    TrackedBuffer<int> b = captured(3 * kChunk + 5);
    EXPECT_EQ(changes(b), (std::vector<std::uint8_t>{0, 0, 0, 0}));
    const TrackedBuffer<int>& reader = b;
    int sum = reader[kChunk] + reader.data()[0] + *reader.begin() + static_cast<int>(reader.vector().size());
    (void)sum;
    EXPECT_EQ(changes(b), (std::vector<std::uint8_t>{0, 0, 0, 0}));
    b[kChunk + 1] = 4;
    b.set(3 * kChunk + 4, 9);
    EXPECT_EQ(changes(b), (std::vector<std::uint8_t>{0, 1, 0, 1}));
    b.range(kChunk - 1, 2)[0] = 1;  // straddles chunks 0 and 1
    EXPECT_EQ(changes(b), (std::vector<std::uint8_t>{1, 1, 0, 1}));
}

TEST(TrackedBuffer, HandingOutTheStorageOrReplacingItForgetsWhatChanged)
{
    const auto forgets = [](auto change) {
        TrackedBuffer<int> b = captured(2 * kChunk);
        change(b);
        return b.writes().changesSince(kHere, b.size()) == nullptr;
    };
    EXPECT_TRUE(forgets([](TrackedBuffer<int>& b) { b.data()[0] = 1; }));
    EXPECT_TRUE(forgets([](TrackedBuffer<int>& b) { *b.begin() = 1; }));
    EXPECT_TRUE(forgets([](TrackedBuffer<int>& b) { b.vector()[0] = 1; }));
    EXPECT_TRUE(forgets([](TrackedBuffer<int>& b) { b.assign(2 * kChunk, 3); }));
    EXPECT_TRUE(forgets([](TrackedBuffer<int>& b) { b = std::vector<int>(2 * kChunk, 1); }));
    EXPECT_TRUE(forgets([](TrackedBuffer<int>& b) { b = TrackedBuffer<int>(2 * kChunk, 1); }));
    EXPECT_TRUE(forgets([](TrackedBuffer<int>& b) { b.resize(2 * kChunk + 1); }));
}

TEST(TrackedBuffer, OnlyTheSameCaptureOfTheSameSizeAnswers)
{
    TrackedBuffer<int> b = captured(kChunk);
    EXPECT_NE(b.writes().changesSince(kHere, kChunk), nullptr);
    EXPECT_EQ(b.writes().changesSince({7, 3}, kChunk), nullptr);  // another slot
    EXPECT_EQ(b.writes().changesSince({8, 2}, kChunk), nullptr);  // another step
    EXPECT_EQ(b.writes().changesSince({0, 2}, kChunk), nullptr);  // none
    EXPECT_EQ(b.writes().changesSince(kHere, kChunk + 1), nullptr);
    EXPECT_EQ(TrackedBuffer<int>(kChunk, 0).writes().changesSince({}, kChunk), nullptr);  // never captured
}

TEST(TrackedBuffer, ACopyHasNoCaptureAndAMoveTakesItAlong)
{
    TrackedBuffer<int> b = captured(kChunk);
    b[3] = 1;
    const TrackedBuffer<int> copy = b;
    EXPECT_EQ(copy, b);
    EXPECT_EQ(copy.writes().changesSince(kHere, kChunk), nullptr);

    TrackedBuffer<int> moved = std::move(b);
    EXPECT_EQ(changes(moved), (std::vector<std::uint8_t>{1}));
    EXPECT_EQ(b.writes().changesSince(kHere, b.size()), nullptr);  // NOLINT: moved-from on purpose

    TrackedBuffer<int> other = captured(kChunk);
    other.swap(moved);
    EXPECT_EQ(changes(other), (std::vector<std::uint8_t>{1}));
    EXPECT_EQ(changes(moved), (std::vector<std::uint8_t>{0}));
}

}  // namespace
}  // namespace brenmark
