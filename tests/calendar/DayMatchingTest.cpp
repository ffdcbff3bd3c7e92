#include <gtest/gtest.h>

#include <chrono>

#include "calendar/DayMatching.h"
#include "tests/calendar/CalendarFixtures.h"

namespace orvexp {
namespace {

using test::Date;
using test::MakeItem;
using test::TItemFields;

constexpr TKyDaysOfWeek kSun = DaysOfWeekOf(kydwSunday);
constexpr TKyDaysOfWeek kMon = DaysOfWeekOf(kydwMonday);
constexpr TKyDaysOfWeek kFri = DaysOfWeekOf(kydwFriday);
constexpr TKyDaysOfWeek kSat = DaysOfWeekOf(kydwSaturday);

struct TMatchCase {
    const char* Date; // ISO, also the row's name
    TItemFields Item;
    bool Matches;
};

TDateTime IsoDate(const char* iso)
{
    int y = 0;
    unsigned m = 0, d = 0;
    EXPECT_EQ(std::sscanf(iso, "%d-%u-%u", &y, &m, &d), 3) << iso;
    return Date(y, m, d);
}

TEST(DayItemMatches, WorkedExamples)
{
    const TItemFields weekend{.DayType = dtDayOfWeek, .DaysOfWeek = static_cast<TKyDaysOfWeek>(kSun | kSat)};
    const TItemFields endOfFebruary{.DayType = dtMonthDay, .Month = 2, .Day = 0};
    const TItemFields secondMonday{.DayType = dtMonthDayOfWeekNum, .Month = 1, .DaysOfWeek = kMon,
                                   .NumOfDayOfWeek = 2};
    const TItemFields lastMondayOfMarch{.DayType = dtMonthDayOfWeekNum, .Month = 3, .DaysOfWeek = kMon,
                                        .NumOfDayOfWeek = 5};
    const TItemFields lastSundayOfFebruary{.DayType = dtMonthDayOfWeekNum, .Month = 2, .DaysOfWeek = kSun,
                                           .NumOfDayOfWeek = 5};
    const TItemFields mondayOrFriday{.DayType = dtMonthDayOfWeekNum, .Month = 1,
                                     .DaysOfWeek = static_cast<TKyDaysOfWeek>(kMon | kFri), .NumOfDayOfWeek = 2};
    const TItemFields emptySet{.DayType = dtMonthDayOfWeekNum, .Month = 2, .DaysOfWeek = 0, .NumOfDayOfWeek = 1};
    const TItemFields only2025{.DayType = dtYearMonthDay, .Year = 2025, .Month = 12, .Day = 31,
                               .YearType = ytThisYear};
    const TItemFields from2025{.DayType = dtYearMonthDay, .Year = 2025, .Month = 12, .Day = 0,
                               .YearType = ytAfterThisYear};
    const TItemFields until2025{.DayType = dtYearMonthDay, .Year = 2025, .Month = 12, .Day = 0,
                                .YearType = ytBeforeThisYear};
    const TItemFields lastMonday2026{.DayType = dtYearMonthDayOfWeekNum, .Year = 2026, .Month = 1,
                                     .DaysOfWeek = kMon, .NumOfDayOfWeek = 5, .YearType = ytThisYear};
    const TItemFields anyYear{.DayType = dtYearMonthDay, .Year = 2025, .Month = 7, .Day = 4,
                              .YearType = static_cast<TKyYearType>(3)};
    const TItemFields nthZero{.DayType = dtMonthDayOfWeekNum, .Month = 12, .DaysOfWeek = kSat,
                              .NumOfDayOfWeek = 0};
    const TItemFields unknownType{.DayType = static_cast<TKyDayType>(5), .Year = 2026, .Month = 1, .Day = 1,
                                  .DaysOfWeek = 0x7F, .NumOfDayOfWeek = 1};
    const TItemFields aprilThe31st{.DayType = dtMonthDay, .Month = 4, .Day = 31};
    const TItemFields february29{.DayType = dtMonthDay, .Month = 2, .Day = 29};
    const TItemFields monthDayIgnoresYear{.DayType = dtMonthDay, .Year = 1990, .Month = 5, .Day = 5,
                                          .YearType = ytThisYear};

    const TMatchCase cases[] = {
        {"2026-02-28", weekend, true},
        {"2026-05-31", weekend, true},
        {"2026-03-02", weekend, false},
        {"2024-02-29", endOfFebruary, true},
        {"2025-02-28", endOfFebruary, true},
        {"2024-02-28", endOfFebruary, false},
        {"2026-01-12", secondMonday, true},
        {"2026-01-05", secondMonday, false},
        {"2026-01-19", secondMonday, false},
        {"2026-03-30", lastMondayOfMarch, true},
        {"2026-03-23", lastMondayOfMarch, false},
        {"2026-02-22", lastSundayOfFebruary, true},
        {"2026-01-12", mondayOrFriday, true},
        {"2026-01-09", mondayOrFriday, false},
        {"2026-02-01", emptySet, true},
        {"2026-02-08", emptySet, false},
        {"2025-12-31", only2025, true},
        {"2024-12-31", only2025, false},
        {"2026-12-31", only2025, false},
        {"2025-12-31", from2025, true},
        {"2026-12-31", from2025, true},
        {"2024-12-31", from2025, false},
        {"2024-12-31", until2025, true},
        {"2025-12-31", until2025, true},
        {"2026-12-31", until2025, false},
        {"2026-01-26", lastMonday2026, true},
        {"2025-01-27", lastMonday2026, false},
        {"1999-07-04", anyYear, true},
        {"2999-07-04", anyYear, true},
        {"2026-12-05", nthZero, false},
        {"1899-12-30", nthZero, false}, // the zero date value itself
        {"2026-01-01", unknownType, false},
        {"2026-04-30", aprilThe31st, false},
        {"2026-05-01", aprilThe31st, false},
        {"2024-02-29", february29, true},
        {"2023-03-01", february29, false},
        {"2026-05-05", monthDayIgnoresYear, true},
    };
    for (const TMatchCase& c : cases) {
        const TKyDayItem item = MakeItem(c.Item);
        EXPECT_EQ(DayItemMatches(item, IsoDate(c.Date)), c.Matches)
            << c.Date << " type " << int(c.Item.DayType) << " month " << c.Item.Month;
    }
}

TEST(DayItemMatches, TimeOfDayDefeatsOnlyTheWeekdayNumberTypes)
{
    const TDateTime noon = Date(2026, 1, 12) + 0.5;
    EXPECT_TRUE(DayItemMatches(MakeItem({.DayType = dtMonthDay, .Month = 1, .Day = 12}), noon));
    EXPECT_TRUE(DayItemMatches(MakeItem({.DayType = dtDayOfWeek, .DaysOfWeek = kMon}), noon));
    EXPECT_FALSE(DayItemMatches(
        MakeItem({.DayType = dtMonthDayOfWeekNum, .Month = 1, .DaysOfWeek = kMon, .NumOfDayOfWeek = 2}), noon));
}

TEST(DaysInMonth, LengthsAndLeapYears)
{
    const int common[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int m = 1; m <= 12; ++m) EXPECT_EQ(DaysInMonth(2025, m), common[m - 1]) << m;
    EXPECT_EQ(DaysInMonth(2024, 2), 29);
    EXPECT_EQ(DaysInMonth(1900, 2), 28);
    EXPECT_EQ(DaysInMonth(2000, 2), 29);
    EXPECT_EQ(DaysInMonth(2100, 2), 28);
    EXPECT_EQ(DaysInMonth(2025, 0), 0);
    EXPECT_EQ(DaysInMonth(2025, 13), 0);
}

// Checked against std::chrono's indexed weekdays over two centuries.
TEST(NthDayOfWeekInMonth, AgreesWithChronoFrom1900To2100)
{
    using namespace std::chrono;
    const sys_days epoch = year{1899} / December / 30;
    for (int y = 1900; y <= 2100; ++y) {
        for (unsigned m = 1; m <= 12; ++m) {
            const TDateTime anyDay = Date(y, m, 15);
            for (unsigned w = 0; w < 7; ++w) {
                for (unsigned n = 1; n <= 4; ++n) {
                    const sys_days expected = year{y} / month{m} / weekday{w}[n];
                    ASSERT_EQ(NthDayOfWeekInMonth(static_cast<int>(w), static_cast<int>(n), anyDay),
                              (expected - epoch).count())
                        << y << "-" << m << " weekday " << w << " n " << n;
                }
                const sys_days last = year{y} / month{m} / weekday{w}[std::chrono::last];
                ASSERT_EQ(NthDayOfWeekInMonth(static_cast<int>(w), 5, anyDay), (last - epoch).count());
                ASSERT_EQ(NthDayOfWeekInMonth(static_cast<int>(w), 255, anyDay), (last - epoch).count());
            }
        }
    }
    EXPECT_EQ(NthDayOfWeekInMonth(kydwMonday, 0, Date(2026, 1, 12)), 0.0);
}

} // namespace
} // namespace orvexp
