#include "export/IcsEntryPlan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvexp {
namespace {

// What an entry becomes for a range: none when it has no date there, else the
// start of its rule (its first date from the rules' start) or its one date,
// all-day or timed, and the reminders the alarm timer would give.
TEST(IcsEntryPlan, StartKindAndRemindersAsTheTimerGivesThem)
{
    struct TCase {
        const char* Name;
        TEntryDigest Entry;
        const char* From;
        const char* To;
        const char* Start; // "" for no occurrence in the range
        TIcsRepeat Repeat;
        bool Timed, Impossible, StartAlarm;
        TPreviouseAlertKind Notice;
        std::int32_t Amount;
        const char* RulesFrom = nullptr; // null: the range's first day
    };
    const auto entry = [](TAlarmKind kind, std::uint16_t year, std::uint16_t month, std::uint16_t day,
                          std::uint16_t hour, std::uint16_t minute, std::uint8_t weekdays, std::uint8_t active,
                          TPreviouseAlertKind alert, std::int32_t amount) {
        TEntryDigest digest;
        digest.Kind = kind;
        digest.Year = year;
        digest.Month = month;
        digest.Day = day;
        digest.Hour = hour;
        digest.Minute = minute;
        digest.DaysOfWeek = weekdays;
        digest.Active = active;
        digest.AlertKind = alert;
        digest.AlertAmount = amount;
        return digest;
    };
    const std::vector<TCase> cases = {
        {"24:00 with a day notice", entry(akDateAt, 2025, 6, 1, 24, 0, 0, 1, paDays, 2), "2025/01/01", "2025/12/31",
         "2025/06/01", irOnce, false, true, false, paDays, 2},
        {"07:60 with a minutes notice", entry(akEveryDayAt, 0, 0, 0, 7, 60, 0, 1, paMinutes, 5), "2025/01/01",
         "2025/01/02", "2025/01/01", irDaily, false, true, false, paNone, 0},
        {"minutes notice on an all-day entry", entry(akEveryDay, 0, 0, 0, 0, 0, 0, 1, paMinutes, 10), "2025/01/01",
         "2025/01/02", "2025/01/01", irDaily, false, false, true, paNone, 0},
        {"hours notice", entry(akEveryDayAt, 0, 0, 0, 9, 30, 0, 1, paHours, 3), "2025/01/01", "2025/01/02",
         "2025/01/01", irDaily, true, false, true, paHours, 3},
        {"a notice of no lead", entry(akStartup, 0, 0, 0, 0, 0, 0, 1, paDays, 0), "2025/01/01", "2025/01/02",
         "2025/01/01", irDaily, false, false, true, paNone, 0},
        {"inactive", entry(akDateAt, 2025, 1, 2, 9, 0, 0, 0, paDays, 1), "2025/01/01", "2025/01/02", "2025/01/02",
         irOnce, true, false, false, paNone, 0},
        {"a kind beyond the known ones", entry(static_cast<TAlarmKind>(11), 2025, 3, 1, 0, 0, 0, 1, paNone, 0),
         "2025/01/01", "2025/12/31", "", irOnce, false, false, false, paNone, 0},
        {"weekly from the rules' start", entry(akWeekdays, 0, 0, 0, 0, 0, 0x82, 1, paNone, 0), "2025/06/02",
         "2025/06/30", "2020/01/04", irWeekly, false, false, true, paNone, 0, "2020/01/01"},
        {"day 31 from the rules' start", entry(akMonthDay, 0, 0, 31, 0, 0, 0, 1, paNone, 0), "2025/05/01",
         "2025/05/31", "2025/01/31", irMonthly, false, false, true, paNone, 0, "2025/01/01"},
        {"29 February from the rules' start", entry(akYearDay, 0, 2, 29, 0, 0, 0, 1, paNone, 0), "2028/01/01",
         "2028/12/31", "2020/02/29", irYearly, false, false, true, paNone, 0, "2017/01/01"},
        {"the longest day notice the timer can give", entry(akDate, 2025, 1, 2, 0, 0, 0, 1, paDays, 3652058),
         "2025/01/01", "2025/01/02", "2025/01/02", irOnce, false, false, true, paDays, 3652058},
        {"a day notice beyond the timer's calendar", entry(akDate, 2025, 1, 2, 0, 0, 0, 1, paDays, 3652059),
         "2025/01/01", "2025/01/02", "2025/01/02", irOnce, false, false, true, paNone, 0},
        {"an absurd hours notice", entry(akDateAt, 2025, 1, 2, 9, 0, 0, 1, paHours, 2147483647), "2025/01/01",
         "2025/01/02", "2025/01/02", irOnce, true, false, true, paNone, 0},
    };
    for (const TCase& c : cases) {
        TDateTime from = 0, to = 0, rulesFrom = 0;
        ASSERT_TRUE(TryParseDateText(c.From, from) && TryParseDateText(c.To, to) &&
                    TryParseDateText(c.RulesFrom ? c.RulesFrom : c.From, rulesFrom))
            << c.Name;
        const TIcsEntryPlan plan = PlanIcsEntry(c.Entry, static_cast<std::int64_t>(rulesFrom),
                                                static_cast<std::int64_t>(from), static_cast<std::int64_t>(to));
        EXPECT_EQ(plan.Occurs ? FormatDateText(plan.Start) : std::string(), c.Start) << c.Name;
        EXPECT_EQ(plan.Repeat, c.Repeat) << c.Name;
        EXPECT_EQ(plan.Timed, c.Timed) << c.Name;
        EXPECT_EQ(plan.ImpossibleTime, c.Impossible) << c.Name;
        EXPECT_EQ(plan.StartAlarm, c.StartAlarm) << c.Name;
        EXPECT_EQ(plan.Notice, c.Notice) << c.Name;
        EXPECT_EQ(plan.NoticeAmount, c.Amount) << c.Name;
    }
}

} // namespace
} // namespace orvexp
