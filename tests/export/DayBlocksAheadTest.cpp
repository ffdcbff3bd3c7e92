// The schedule rows made ahead: each day's block in day order across chunks,
// the maker's state made once on its own thread. (The lead, stop and failures
// are the ordered producer's.)

#include <gtest/gtest.h>

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

} // namespace
} // namespace orvexp
