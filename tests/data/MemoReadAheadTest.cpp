// The memo read-ahead hands out each day's read in day order, whatever the
// window, with the day it stands at. (Its lead, stop and failures are the
// ordered producer's.)

#include <gtest/gtest.h>

#include <string>

#include "data/MemoReadAhead.h"

namespace orvexp {
namespace {

// Day d: missing when d % 5 == 0, unreadable (error d) when d % 7 == 0, else its number.
TFilePresence FakeRead(std::int64_t day, std::string& bytes, int& error)
{
    bytes.clear();
    error = 0;
    if (day % 5 == 0) return TFilePresence::Missing;
    error = static_cast<int>(day);
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
            int expectedError = 0, error = -1;
            const TFilePresence presence = FakeRead(day, expected, expectedError);
            ASSERT_EQ(ahead.TakeNext(bytes, error), presence) << day;
            ASSERT_EQ(bytes, expected) << day;
            if (presence == TFilePresence::Unreadable) {
                ASSERT_EQ(error, expectedError) << day;
            }
        }
        EXPECT_FALSE(ahead.IsNext(first + count));
    }
}

} // namespace
} // namespace orvexp
