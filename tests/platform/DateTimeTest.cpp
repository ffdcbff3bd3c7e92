#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/DateTime.h"

namespace orvexp {
namespace {

// Serial numbers as the original's date-time values count them (days since 1899-12-30).
struct TDateCase {
    const char* Name;
    int Year;
    unsigned Month;
    unsigned Day;
    double Serial;
    int Weekday; // 1 Sunday ... 7 Saturday
};

TEST(DateTime, EncodesDecodesAndNamesWeekdays)
{
    const TDateCase cases[] = {
        {"1899-12-30", 1899, 12, 30, 0, 7},
        {"1899-12-29", 1899, 12, 29, -1, 6},
        {"1900-03-01", 1900, 3, 1, 61, 5},
        {"1999-04-10", 1999, 4, 10, 36260, 7},
        {"2000-01-01", 2000, 1, 1, 36526, 7},
        {"2000-02-29", 2000, 2, 29, 36585, 3},
        {"2001-09-24", 2001, 9, 24, 37158, 2},
        {"2024-02-29", 2024, 2, 29, 45351, 5},
        {"0001-01-01", 1, 1, 1, -693593, 2},
        {"9999-12-31", 9999, 12, 31, 2958465, 6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(EncodeDate(c.Year, c.Month, c.Day), c.Serial);
        EXPECT_EQ(DecodeDate(c.Serial), (TDateParts{c.Year, c.Month, c.Day}));
        EXPECT_EQ(DayOfWeek(c.Serial), c.Weekday);
        // The time of day does not move the date; before 1899-12-30 it counts away from zero.
        const double late = c.Serial < 0 ? c.Serial - 0.999 : c.Serial + 0.999;
        EXPECT_EQ(DecodeDate(late), (TDateParts{c.Year, c.Month, c.Day}));
        // The same day as a day number, and as the day of its UTC seconds.
        TDayNumber day = 0;
        EXPECT_TRUE(TryEncodeDay(c.Year, c.Month, c.Day, day));
        EXPECT_EQ(day, DayNumberOf(late));
        EXPECT_EQ(DecodeDay(day), DecodeDate(late));
        EXPECT_EQ(DayOfUnixSeconds((day - 25569) * 86400 + 86399), day);
    }
}

TEST(DateTime, RefusesDatesThatDoNotExist)
{
    TDateTime value = 0;
    EXPECT_FALSE(TryEncodeDate(2001, 2, 29, value));
    EXPECT_FALSE(TryEncodeDate(2024, 4, 31, value));
    EXPECT_FALSE(TryEncodeDate(2024, 13, 1, value));
    EXPECT_FALSE(TryEncodeDate(2024, 0, 1, value));
    EXPECT_FALSE(TryEncodeDate(0, 1, 1, value));
    EXPECT_FALSE(TryEncodeDate(10000, 1, 1, value));
    // Values past a byte are no dates, not the date of their low byte.
    EXPECT_FALSE(TryEncodeDate(1999, 4, 65290, value));
    EXPECT_FALSE(TryEncodeDate(1999, 260, 10, value));
    EXPECT_THROW(EncodeDate(2001, 2, 30), EConvertError);
    EXPECT_THROW(EncodeTime(24, 0), EConvertError);
    EXPECT_THROW(EncodeTime(8, 60), EConvertError);
}

TEST(DateTime, ValuesOutsideTheCalendarDecodeToZero)
{
    const double values[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                             1e300, -1e300, 2958466.0, -693594.0};
    for (double value : values) {
        EXPECT_EQ(DecodeDate(value), TDateParts{}) << value;
        EXPECT_EQ(DayOfWeek(value), 0) << value;
    }
}

TEST(DateTime, TimeOfDayRoundTrips)
{
    const TDateTime value = EncodeDate(2000, 1, 1) + EncodeTime(8, 50, 30, 250);
    const TTimeParts time = DecodeTime(value);
    EXPECT_EQ(time.Hour, 8u);
    EXPECT_EQ(time.Minute, 50u);
    EXPECT_EQ(time.Second, 30u);
    EXPECT_EQ(time.MilliSecond, 250u);
    EXPECT_EQ(DateOf(value), 36526.0);
    EXPECT_EQ(DecodeTime(EncodeTime(23, 59, 59, 999)).Hour, 23u);
}

TEST(DateTime, DateTextFormatsAndParses)
{
    EXPECT_EQ(FormatDateText(EncodeDate(1999, 4, 10)), "1999/04/10");
    EXPECT_EQ(FormatDateText(EncodeDate(2025, 1, 5) + 0.75), "2025/01/05");

    struct {
        const char* Text;
        bool Ok;
        double Serial;
    } cases[] = {
        {"1999/04/10", true, 36260}, {"1999/4/10", true, 36260}, {"2000/2/29", true, 36585},
        {"2001/02/29", false, 0},    {"1999-04-10", false, 0},   {"1999/04/10 ", false, 0},
        {"", false, 0},              {"99999/01/01", false, 0},  {"1999/004/10", false, 0},
        {"1999/04/", false, 0},
    };
    for (const auto& c : cases) {
        TDateTime value = -1;
        EXPECT_EQ(TryParseDateText(c.Text, value), c.Ok) << c.Text;
        if (c.Ok) {
            EXPECT_EQ(value, c.Serial) << c.Text;
        }
    }
}

} // namespace
} // namespace orvexp
