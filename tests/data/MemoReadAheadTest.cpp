// The memo read-ahead hands out each day's read in day order, whatever the
// window; it stops when dropped early and passes on a failed read.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <string>

#include "data/MemoReadAhead.h"

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
    for (const std::int64_t count : {std::int64_t{1}, std::int64_t{40}, TMemoReadAhead::kWindow,
                                     TMemoReadAhead::kWindow + 1, 3 * TMemoReadAhead::kWindow + 7}) {
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

// The reader keeps at most a window of days, and at most about kMaxHeldBytes,
// ahead of the taker; dropped part-way, it stops.
TEST(MemoReadAhead, StaysWithinItsWindowAndStopsWhenDropped)
{
    const struct {
        const char* Name;
        std::size_t DayBytes;
        std::int64_t MostAhead;
    } cases[] = {
        {"small memos", 10, TMemoReadAhead::kWindow},
        {"large memos", 1 << 20, TMemoReadAhead::kMaxHeldBytes / (1 << 20) + 1},
    };
    for (const auto& c : cases) {
        std::atomic<std::int64_t> reads = 0;
        {
            TMemoReadAhead ahead(0, 1'000'000, [&](std::int64_t, std::string& bytes) {
                bytes.assign(c.DayBytes, 'm');
                ++reads;
                return TFilePresence::Read;
            });
            std::string bytes;
            for (int i = 0; i < 10; ++i) ahead.TakeNext(bytes);
            std::this_thread::sleep_for(std::chrono::milliseconds(50)); // let it run ahead
            EXPECT_LE(reads.load(), 10 + c.MostAhead) << c.Name;
            EXPECT_GE(reads.load(), 10) << c.Name;
        }
    }
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
