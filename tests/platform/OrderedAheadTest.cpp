// The ordered producer behind every read-ahead, for limits in items and in
// weight: every item in order from a thread of its own, a bounded lead and a
// stop when dropped part-way, a failure passed on in the failed item's place.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>

#include "platform/OrderedAhead.h"

namespace orvexp {
namespace {

TEST(OrderedAhead, GivesItemsInOrderWithinItsLimits)
{
    const struct {
        const char* Name;
        TAheadLimits Limits;
        std::size_t ItemWeight;
        std::int64_t MostAhead; // made beyond the taken ones, at most
    } cases[] = {
        {"one at a time", {1, SIZE_MAX, 1}, 0, 1},
        {"a few, woken each", {4, SIZE_MAX, 1}, 0, 4},
        {"a window woken in batches", {64, SIZE_MAX, 16}, 0, 64},
        {"heavy items", {64, 100, 16}, 30, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        for (const std::int64_t count : {std::int64_t{1}, c.Limits.Window, 5 * c.Limits.Window + 3}) {
            std::thread::id maker;
            TOrderedAhead<std::string> ahead(count, c.Limits, [&] {
                maker = std::this_thread::get_id();
                return [&c](std::int64_t index, std::string& item) {
                    item = std::to_string(index);
                    return c.ItemWeight;
                };
            });
            for (std::int64_t index = 0; index < count; ++index) ASSERT_EQ(ahead.Take(), std::to_string(index));
            EXPECT_NE(maker, std::this_thread::get_id());
        }

        std::atomic<std::int64_t> made = 0;
        {
            TOrderedAhead<std::string> ahead(1'000'000, c.Limits, [&] {
                return [&](std::int64_t, std::string&) {
                    ++made;
                    return c.ItemWeight;
                };
            });
            for (int i = 0; i < 10; ++i) ahead.Take();
            std::this_thread::sleep_for(std::chrono::milliseconds(50)); // let it run ahead
            // The item held by the taker and the ones ahead of it, no more.
            EXPECT_LE(made.load(), 9 + c.MostAhead);
        }
        EXPECT_LT(made.load(), 1'000'000);

        TOrderedAhead<std::string> failing(200, c.Limits, [] {
            return [](std::int64_t index, std::string&) -> std::size_t {
                if (index == 70) throw std::runtime_error("cannot make item 70");
                return 0;
            };
        });
        std::int64_t taken = 0;
        try {
            for (; taken < 200; ++taken) failing.Take();
        } catch (const std::runtime_error& e) {
            EXPECT_STREQ(e.what(), "cannot make item 70");
        }
        EXPECT_EQ(taken, 70);
    }
}

} // namespace
} // namespace orvexp
