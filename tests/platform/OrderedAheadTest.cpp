// The ordered producer behind every read-ahead: items in order across its
// window, a bounded lead in items and in weight, a stop when dropped
// part-way, and a failure passed on at the item that failed.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>

#include "platform/OrderedAhead.h"

namespace orvexp {
namespace {

struct TLimitCase {
    const char* Name;
    TAheadLimits Limits;
    std::size_t ItemWeight;
    std::int64_t MostAhead; // made beyond the taken ones, at most
};

const TLimitCase kLimitCases[] = {
    {"one at a time", {1, SIZE_MAX, 1}, 0, 1},
    {"a few, woken each", {4, SIZE_MAX, 1}, 0, 4},
    {"a window woken in batches", {64, SIZE_MAX, 16}, 0, 64},
    {"heavy items", {64, 100, 16}, 30, 4},
};

TEST(OrderedAhead, GivesEveryItemInOrderOnItsOwnThread)
{
    for (const TLimitCase& c : kLimitCases) {
        for (const std::int64_t count : {std::int64_t{0}, std::int64_t{1}, c.Limits.Window, 5 * c.Limits.Window + 3}) {
            int factories = 0;
            std::thread::id maker;
            TOrderedAhead<std::string> ahead(count, c.Limits, [&] {
                ++factories;
                maker = std::this_thread::get_id();
                return [&c](std::int64_t index, std::string& item) {
                    item = std::to_string(index);
                    return c.ItemWeight;
                };
            });
            for (std::int64_t index = 0; index < count; ++index) {
                ASSERT_EQ(ahead.NextIndex(), index);
                ASSERT_EQ(ahead.Take(), std::to_string(index)) << c.Name;
            }
            if (count > 0) {
                EXPECT_EQ(factories, 1) << c.Name;
                EXPECT_NE(maker, std::this_thread::get_id()) << c.Name;
            }
        }
    }
}

TEST(OrderedAhead, StaysWithinItsLimitsAndStopsWhenDropped)
{
    for (const TLimitCase& c : kLimitCases) {
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
            EXPECT_LE(made.load(), 9 + c.MostAhead) << c.Name;
            EXPECT_GE(made.load(), 10) << c.Name;
        }
        EXPECT_LT(made.load(), 1'000'000) << c.Name;
    }
}

TEST(OrderedAhead, PassesOnAFailedItem)
{
    for (const TLimitCase& c : kLimitCases) {
        TOrderedAhead<std::string> ahead(200, c.Limits, [] {
            return [](std::int64_t index, std::string&) -> std::size_t {
                if (index == 70) throw std::runtime_error("cannot make item 70");
                return 0;
            };
        });
        std::int64_t taken = 0;
        try {
            for (; taken < 200; ++taken) ahead.Take();
            ADD_FAILURE() << "no failure";
        } catch (const std::runtime_error& e) {
            EXPECT_EQ(std::string(e.what()), "cannot make item 70");
        }
        EXPECT_EQ(taken, 70) << c.Name;
    }
}

} // namespace
} // namespace orvexp
