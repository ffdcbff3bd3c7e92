#include <gtest/gtest.h>

#include "app/cli/CommandLine.h"

namespace orvexp {
namespace {

// Dates that move with the clock's day, for batch runs, and their bounds.
TEST(CommandLineTest, DateOptionsRelativeToToday)
{
    struct TCase {
        TDateTime Now;
        const char* Text;
        TDateTime Expected; // 0: refused with Error
        const char* Error;
    };
    const TDateTime now = EncodeDate(2026, 12, 8) + EncodeTime(23, 59, 59);
    const char* const notADate = "--to: \"%s\" is not a date of the form YYYY/MM/DD, today, today+N or today-N";
    const TCase cases[] = {
        {now, "today", EncodeDate(2026, 12, 8), ""},
        {now, "today+730", EncodeDate(2028, 12, 7), ""},
        {now, "today-0", EncodeDate(2026, 12, 8), ""},
        {now, "today-31", EncodeDate(2026, 11, 7), ""},
        {now, "2026/1/2", EncodeDate(2026, 1, 2), ""},
        {EncodeDate(9999, 12, 30), "today+1", EncodeDate(9999, 12, 31), ""},
        {EncodeDate(9999, 12, 30), "today+2", 0, "--to: today+2 falls outside the years 1 to 9999"},
        {EncodeDate(1, 1, 2), "today-2", 0, "--to: today-2 falls outside the years 1 to 9999"},
        {now, "today+99999999999999999999", 0, "--to: today+99999999999999999999 falls outside the years 1 to 9999"},
        {now, "today+", 0, notADate},
        {now, "Today", 0, notADate},
        {now, "today+-3", 0, notADate},
        {now, "today 3", 0, notADate},
        {now, "today+3d", 0, notADate},
        {now, "yesterday", 0, notADate},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Text);
        const TFixedClock clock(c.Now);
        if (c.Expected != 0) {
            EXPECT_EQ(ParseRangeDateOption("--to", c.Text, clock), c.Expected);
            continue;
        }
        char error[200];
        std::snprintf(error, sizeof error, c.Error, c.Text);
        try {
            ParseRangeDateOption("--to", c.Text, clock);
            ADD_FAILURE() << "accepted";
        } catch (const EUsageError& e) {
            EXPECT_EQ(std::string(e.what()), error);
        }
    }
}

} // namespace
} // namespace orvexp
