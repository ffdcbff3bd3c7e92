// The schedule rows made ahead: each day's block in day order across chunks,
// the maker's state made once on its own thread, a bounded lead, failures
// passed on.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>

#include "export/DayBlocksAhead.h"

namespace orvexp {
namespace {

// Day d's block: "d;" d % 3 times (so some days have none).
std::string Block(std::int64_t day)
{
    std::string block;
    for (std::int64_t i = 0; i < day % 3; ++i) block += std::to_string(day) + ";";
    return block;
}

TEST(DayBlocksAhead, GivesEveryDaysBlockInOrder)
{
    constexpr std::int64_t chunk = TDayBlocksAhead::kChunkDays;
    const auto chunks = static_cast<std::int64_t>(TDayBlocksAhead::kChunks);
    for (const std::int64_t count : {std::int64_t{1}, chunk, chunk + 1, chunk * chunks * 3 + 5}) {
        const std::int64_t first = 42000;
        int factories = 0;
        std::thread::id makerThread;
        TDayBlocksAhead ahead(first, first + count - 1, [&]() -> TDayBlocksAhead::TMakeDay {
            ++factories;
            makerThread = std::this_thread::get_id();
            return [](std::int64_t day, std::string& out) { out += Block(day); };
        });
        for (std::int64_t day = first; day < first + count; ++day) ASSERT_EQ(ahead.TakeNext(), Block(day)) << day;
        EXPECT_EQ(factories, 1);
        EXPECT_NE(makerThread, std::this_thread::get_id());
    }
}

TEST(DayBlocksAhead, StaysWithinItsChunksAndStopsWhenDropped)
{
    std::atomic<std::int64_t> made = 0;
    {
        TDayBlocksAhead ahead(0, 1'000'000, [&]() -> TDayBlocksAhead::TMakeDay {
            return [&](std::int64_t day, std::string& out) {
                out += Block(day);
                ++made;
            };
        });
        for (int i = 0; i < 3; ++i) ahead.TakeNext();
        std::this_thread::sleep_for(std::chrono::milliseconds(50)); // let it run ahead
        // The chunk being taken and the ones ahead of it, no more.
        EXPECT_LE(made.load(), static_cast<std::int64_t>(TDayBlocksAhead::kChunks) * TDayBlocksAhead::kChunkDays);
    }
}

TEST(DayBlocksAhead, PassesOnAFailedDay)
{
    TDayBlocksAhead ahead(0, 200, []() -> TDayBlocksAhead::TMakeDay {
        return [](std::int64_t day, std::string& out) {
            if (day == 70) throw std::runtime_error("cannot make day 70");
            out += Block(day);
        };
    });
    std::int64_t taken = 0;
    try {
        for (; taken <= 200; ++taken) ahead.TakeNext();
        FAIL() << "no failure";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()), "cannot make day 70");
    }
    EXPECT_LE(taken, 70);
}

} // namespace
} // namespace orvexp
