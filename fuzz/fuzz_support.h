#pragma once
// Shared by the fuzz targets: a check that aborts (so libFuzzer keeps the input) and the
// stand-ins for the user interface.
#include "editor/document/user_prompts.h"

#include <cstdio>
#include <cstdlib>

namespace brenmark::fuzz {

[[noreturn]] inline void fail(const char* what, const char* file, int line)
{
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, what);
    std::abort();
}

#define FUZZ_CHECK(cond) ((cond) ? (void)0 : ::brenmark::fuzz::fail(#cond, __FILE__, __LINE__))

// Swallows every message but counts them.
class CountingMessages final : public MessageBoxes {
public:
    int shown = 0;
    void show(const std::string&, const std::string&, MessageIcon) override { ++shown; }
};

// A progress bar that only checks it is driven sensibly: a range first, then positions
// inside it that never go back.
class CheckingProgress final : public ProgressReport {
public:
    void setRange(int low, int high) override
    {
        FUZZ_CHECK(low <= high);
        low_ = low;
        high_ = high;
        last_ = low;
        ranged_ = true;
    }
    void setPosition(int position) override
    {
        FUZZ_CHECK(ranged_);
        FUZZ_CHECK(position >= low_ && position <= high_);
        FUZZ_CHECK(position >= last_);
        last_ = position;
    }

private:
    bool ranged_ = false;
    int low_ = 0, high_ = 0, last_ = 0;
};

}  // namespace brenmark::fuzz
