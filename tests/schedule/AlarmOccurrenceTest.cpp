#include <gtest/gtest.h>

#include "schedule/AlarmOccurrence.h"
#include "tests/support/ScheduleEntries.h"

namespace orvexp {
namespace {

using test::MakeAlarm;

TDateTime D(int y, unsigned m, unsigned d)
{
    return EncodeDate(y, m, d);
}

struct TOccurrenceCase {
    const char* Name;
    TAlarmKind Kind;
    std::uint16_t Year, Month, Day;
    std::uint8_t DaysOfWeek;
    TDateTime Date;
    bool Expected;
};

TEST(AlarmOccurrence, FallsOnTheDatesItsKindTests)
{
    const TOccurrenceCase cases[] = {
        {"every day at, 2001-03-04", akEveryDayAt, 0, 0, 0, 0x01, D(2001, 3, 4), true},
        {"every day, 1900-01-01", akEveryDay, 0, 0, 0, 0x01, D(1900, 1, 1), true},
        {"start-up, 2099-12-31", akStartup, 0, 0, 0, 0x01, D(2099, 12, 31), true},
        {"weekdays 0x01, Sunday 2026-05-31", akWeekdays, 0, 0, 0, 0x01, D(2026, 5, 31), false},
        {"weekdays at 0x01, Saturday 2026-02-28", akWeekdaysAt, 0, 0, 0, 0x01, D(2026, 2, 28), false},
        {"weekdays 0x82, Sunday 2026-05-31", akWeekdays, 0, 0, 0, 0x82, D(2026, 5, 31), true},
        {"weekdays at 0x82, Saturday 2026-02-28", akWeekdaysAt, 0, 0, 0, 0x82, D(2026, 2, 28), true},
        {"weekdays 0x82, Monday 2026-03-02", akWeekdays, 0, 0, 0, 0x82, D(2026, 3, 2), false},
        {"weekdays 0x04, Monday 2026-03-02", akWeekdays, 0, 0, 0, 0x04, D(2026, 3, 2), true},
        {"month day 31, 2001-01-31", akMonthDay, 0, 0, 31, 0x01, D(2001, 1, 31), true},
        {"month day at 31, 2001-04-30", akMonthDayAt, 0, 0, 31, 0x01, D(2001, 4, 30), false},
        {"month day 1, 2001-05-01", akMonthDay, 0, 0, 1, 0x01, D(2001, 5, 1), true},
        {"date 2001-03-04", akDate, 2001, 3, 4, 0x01, D(2001, 3, 4), true},
        {"date 2001-03-04, 2002-03-04", akDate, 2001, 3, 4, 0x01, D(2002, 3, 4), false},
        {"date at 2001-03-04, 2001-03-05", akDateAt, 2001, 3, 4, 0x01, D(2001, 3, 5), false},
        {"date year 0, 2001-03-04", akDate, 0, 3, 4, 0x01, D(2001, 3, 4), false},
        {"year day 02-29, 2024-02-29", akYearDay, 0, 2, 29, 0x01, D(2024, 2, 29), true},
        {"year day at 02-29, 2025-02-28", akYearDayAt, 0, 2, 29, 0x01, D(2025, 2, 28), false},
        {"year day 02-29, 2000-02-29", akYearDay, 0, 2, 29, 0x01, D(2000, 2, 29), true},
        {"year day 12-25, 1999-12-25", akYearDay, 5, 12, 25, 0x01, D(1999, 12, 25), true},
        {"kind 11, 2001-03-04", static_cast<TAlarmKind>(11), 2001, 3, 4, 0xFF, D(2001, 3, 4), false},
        {"kind 255, 2001-03-04", static_cast<TAlarmKind>(255), 2001, 3, 4, 0xFF, D(2001, 3, 4), false},
    };
    for (const auto& c : cases) {
        const auto alarm = MakeAlarm(c.Kind, {}, c.Year, c.Month, c.Day, 0, 0, c.DaysOfWeek);
        EXPECT_EQ(IsAlarmOnDate(*alarm, c.Date), c.Expected) << c.Name;
        EXPECT_EQ(IsAlarmOnDate(*alarm, c.Date + 0.75), c.Expected) << c.Name << " with a time of day";
    }
}

TEST(AlarmOccurrence, InactiveEntriesStillFallOnTheirDates)
{
    auto alarm = MakeAlarm(akDate, {}, 2001, 3, 4);
    alarm->Active = 0;
    EXPECT_TRUE(IsAlarmOnDate(*alarm, D(2001, 3, 4)));
}

TEST(AlarmOccurrence, EveryDayEntriesCoverAWholeYear)
{
    const auto everyDay = MakeAlarm(akEveryDay);
    const auto monthEnd = MakeAlarm(akMonthDay, {}, 0, 0, 31);
    int monthEnds = 0;
    for (TDateTime day = D(2001, 1, 1); day <= D(2001, 12, 31); day += 1) {
        EXPECT_TRUE(IsAlarmOnDate(*everyDay, day));
        monthEnds += IsAlarmOnDate(*monthEnd, day) ? 1 : 0;
    }
    EXPECT_EQ(monthEnds, 7); // the months with 31 days
}

TEST(AlarmOccurrence, TimeTextByKind)
{
    struct {
        TAlarmKind Kind;
        std::uint16_t Hour, Minute;
        const char* Text;
    } cases[] = {
        {akEveryDayAt, 0, 0, "00:00"},
        {akWeekdaysAt, 9, 5, "09:05"},
        {akMonthDayAt, 12, 30, "12:30"},
        {akDateAt, 23, 59, "23:59"},
        {akYearDayAt, 100, 7, "100:07"},
        {akDateAt, 65535, 65535, "65535:65535"},
        {akEveryDay, 8, 0, "\x96\x88\x93\xFA"},          // 毎日
        {akWeekdays, 8, 0, "--:--"},
        {akMonthDay, 8, 0, "--:--"},
        {akDate, 8, 0, "--:--"},
        {akYearDay, 8, 0, "--:--"},
        {akStartup, 8, 0, "\x8B\x4E\x93\xAE\x8E\x9E"},   // 起動時
        {static_cast<TAlarmKind>(11), 8, 0, "--:--"},
        {static_cast<TAlarmKind>(200), 8, 0, "--:--"},
    };
    for (const auto& c : cases) {
        const auto alarm = MakeAlarm(c.Kind, {}, 0, 0, 0, c.Hour, c.Minute);
        EXPECT_EQ(AlarmTimeText(*alarm), c.Text) << "kind " << int(c.Kind);
    }
}

} // namespace
} // namespace orvexp
