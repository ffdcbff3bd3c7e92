// The memo read-ahead hands out each day's read in day order, whatever the
// window; it stops when dropped early and passes on a failed read.

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "export/MemoReadAhead.h"

namespace orvexp {
namespace {

// Day d: missing when d % 5 == 0, unreadable when d % 7 == 0, else its number.
TFilePresence FakeRead(std::int64_t day, std::string& bytes)
{
    bytes.clear();
    if (day % 5 == 0) return TFilePresence::Missing;
    if (day % 7 == 0) return TFilePresence::Unreadable;
    bytes = std::to_string(day);
    return TFilePresence::Read;
}

TEST(MemoReadAhead, GivesEveryDayInOrderAcrossTheWindow)
{
    for (const std::int64_t count : {1, 63, 64, 65, 1000}) {
        const std::int64_t first = 36000;
        TMemoReadAhead ahead(first, first + count - 1, FakeRead);
        std::string bytes = "left over";
        for (std::int64_t day = first; day < first + count; ++day) {
            ASSERT_TRUE(ahead.IsNext(day));
            ASSERT_FALSE(ahead.IsNext(day + 1));
            std::string expected;
            const TFilePresence presence = FakeRead(day, expected);
            ASSERT_EQ(ahead.TakeNext(bytes), presence) << day;
            ASSERT_EQ(bytes, expected) << day;
        }
        EXPECT_FALSE(ahead.IsNext(first + count));
    }
}

TEST(MemoReadAhead, StopsWhenDroppedPartWay)
{
    int reads = 0;
    {
        TMemoReadAhead ahead(0, 1'000'000, [&reads](std::int64_t day, std::string& bytes) {
            ++reads;
            return FakeRead(day, bytes);
        });
        std::string bytes;
        for (int i = 0; i < 10; ++i) ahead.TakeNext(bytes);
    }
    // At most a window ahead of the ten days taken.
    EXPECT_LE(reads, 10 + 64);
}

TEST(MemoReadAhead, PassesOnAFailedRead)
{
    TMemoReadAhead ahead(0, 200, [](std::int64_t day, std::string& bytes) {
        if (day == 50) throw std::runtime_error("cannot read day 50");
        return FakeRead(day, bytes);
    });
    std::string bytes;
    std::int64_t taken = 0;
    try {
        for (; taken <= 200; ++taken) ahead.TakeNext(bytes);
        FAIL() << "no failure";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()), "cannot read day 50");
    }
    EXPECT_LE(taken, 50);
}

} // namespace
} // namespace orvexp
