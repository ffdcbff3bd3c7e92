// The timer pass: firing guards, the condition tables, advance notices, the
// event order and the failure guard, driven by a manual timer and a fixed clock.

#include <gtest/gtest.h>

#include "tests/schedule/AlarmTimerFixture.h"

namespace orvexp {
namespace {

using test::At;
using test::MakeAlarm;
using test::MomentText;
using test::TLog;

class AlarmEvaluationTest : public test::TAlarmTimerFixture {};

TEST_F(AlarmEvaluationTest, TimedEntryFiresOncePerMatchingMinuteAndAgainNextDay)
{
    Add(MakeAlarm(akEveryDayAt, {}, 0, 0, 0, 8, 30));
    std::vector<std::string> fired;
    // Every 10 s from 08:29:00 to 08:31:50: six ticks fall into 08:30.
    for (const unsigned day : {1u, 2u}) {
        for (int second = 0; second < 180; second += 10) {
            const TDateTime moment = At(2024, 4, day, 8, 29, 0) + second / 86400.0;
            if (!TickAt(moment).empty()) fired.push_back(MomentText(moment));
        }
    }
    EXPECT_EQ(fired, (TLog{"2024/04/01 08:30:00", "2024/04/02 08:30:00"}));
    EXPECT_EQ(MomentText(Timer->AlarmList[0].LastFired), "2024/04/02 08:30:00");

    // The guard is the minute, not the day: moved to 09:00 the same day, it fires again.
    Timer->AlarmList[0].DateTime.Hour = 9;
    Timer->AlarmList[0].DateTime.Minute = 0;
    EXPECT_EQ(TickAt(At(2024, 4, 2, 9, 0, 5)), TLog{"alarm 0"});
    // The same minute of another day is not "this minute".
    Timer->AlarmList[0].LastFired = At(2024, 4, 2, 9, 0);
    EXPECT_EQ(TickAt(At(2024, 4, 3, 9, 0)), TLog{"alarm 0"});
}

TEST_F(AlarmEvaluationTest, AllDayWeekdayEntryFiresAtTheFirstTickOfEachMatchingDay)
{
    Add(MakeAlarm(akWeekdays, {}, 0, 0, 0, 0, 0, 0x04)); // Monday
    struct TRow {
        TDateTime Moment;
        bool Fires;
    };
    const TRow rows[] = {
        {At(2024, 4, 7, 23, 59, 50), false}, // Sunday
        {At(2024, 4, 8, 0, 0, 0), true},     // Monday, first tick
        {At(2024, 4, 8, 0, 0, 10), false},
        {At(2024, 4, 8, 12, 0, 0), false},
        {At(2024, 4, 8, 23, 59, 50), false},
        {At(2024, 4, 9, 0, 0, 0), false},    // Tuesday
        {At(2024, 4, 15, 9, 17, 0), true},   // next Monday
        {At(2024, 4, 15, 9, 17, 10), false},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(MomentText(row.Moment));
        EXPECT_EQ(TickAt(row.Moment), row.Fires ? TLog{"alarm 0"} : TLog{});
    }
}

// Each row: a kind with its fields, a moment, and whether it fires there.
TEST_F(AlarmEvaluationTest, ConditionTableOfEveryKind)
{
    struct TRow {
        const char* Name;
        TAlarmKind Kind;
        std::uint16_t Year, Month, Day, Hour, Minute;
        std::uint8_t DaysOfWeek;
        TDateTime Moment;
        bool Fires;
    };
    // 2024-04-10 is a Wednesday (weekday bit 4).
    const TDateTime wednesday = At(2024, 4, 10, 13, 45, 20);
    const TRow rows[] = {
        {"EveryDayAt 13:45", akEveryDayAt, 0, 0, 0, 13, 45, 0x01, wednesday, true},
        {"EveryDayAt 13:46", akEveryDayAt, 0, 0, 0, 13, 46, 0x01, wednesday, false},
        {"EveryDayAt 14:45", akEveryDayAt, 0, 0, 0, 14, 45, 0x01, wednesday, false},
        {"WeekdaysAt Wed 13:45", akWeekdaysAt, 0, 0, 0, 13, 45, 0x10, wednesday, true},
        {"WeekdaysAt Tue 13:45", akWeekdaysAt, 0, 0, 0, 13, 45, 0x08, wednesday, false},
        {"WeekdaysAt bit 0 only", akWeekdaysAt, 0, 0, 0, 13, 45, 0x01, wednesday, false},
        {"MonthDayAt 10th 13:45", akMonthDayAt, 0, 0, 10, 13, 45, 0x01, wednesday, true},
        {"MonthDayAt 11th 13:45", akMonthDayAt, 0, 0, 11, 13, 45, 0x01, wednesday, false},
        {"DateAt 2024-04-10 13:45", akDateAt, 2024, 4, 10, 13, 45, 0x01, wednesday, true},
        {"DateAt 2023-04-10 13:45", akDateAt, 2023, 4, 10, 13, 45, 0x01, wednesday, false},
        {"DateAt 2024-04-10 13:44", akDateAt, 2024, 4, 10, 13, 44, 0x01, wednesday, false},
        {"YearDayAt 04-10 13:45", akYearDayAt, 1990, 4, 10, 13, 45, 0x01, wednesday, true},
        {"YearDayAt 05-10 13:45", akYearDayAt, 0, 5, 10, 13, 45, 0x01, wednesday, false},
        {"EveryDay", akEveryDay, 0, 0, 0, 23, 59, 0x01, wednesday, true},
        {"Weekdays Wed", akWeekdays, 0, 0, 0, 0, 0, 0x10, wednesday, true},
        {"Weekdays Sun Sat", akWeekdays, 0, 0, 0, 0, 0, 0x82, wednesday, false},
        {"MonthDay 10th", akMonthDay, 0, 0, 10, 0, 0, 0x01, wednesday, true},
        {"MonthDay 9th", akMonthDay, 0, 0, 9, 0, 0, 0x01, wednesday, false},
        {"Date 2024-04-10", akDate, 2024, 4, 10, 0, 0, 0x01, wednesday, true},
        {"Date 2024-03-10", akDate, 2024, 3, 10, 0, 0, 0x01, wednesday, false},
        {"YearDay 04-10", akYearDay, 2000, 4, 10, 0, 0, 0x01, wednesday, true},
        {"YearDay 04-11", akYearDay, 2024, 4, 11, 0, 0, 0x01, wednesday, false},
        {"Kind 11", static_cast<TAlarmKind>(11), 2024, 4, 10, 13, 45, 0xFF, wednesday, false},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        Timer->AlarmList.Clear();
        Add(MakeAlarm(row.Kind, {}, row.Year, row.Month, row.Day, row.Hour, row.Minute, row.DaysOfWeek));
        EXPECT_EQ(TickAt(row.Moment), row.Fires ? TLog{"alarm 0"} : TLog{});
        EXPECT_EQ(Timer->AlarmList[0].LastFired, row.Fires ? row.Moment : 0.0);
    }
}

TEST_F(AlarmEvaluationTest, StartupEntryFiresOnceAfterEachLoadWhateverLastFiredHeld)
{
    TAlarmList file;
    file.Add(MakeAlarm(akStartup));
    file[0].LastFired = At(2024, 4, 1, 8, 0); // stored as fired
    Load(file);
    EXPECT_EQ(TickAt(At(2024, 4, 1, 8, 0, 10)), TLog{"alarm 0"});
    EXPECT_EQ(TickAt(At(2024, 4, 1, 8, 0, 20)), TLog{});
    EXPECT_EQ(TickAt(At(2024, 4, 2, 8, 0, 0)), TLog{}); // not daily
    Load(file);
    EXPECT_EQ(TickAt(At(2024, 4, 2, 8, 0, 10)), TLog{"alarm 0"});
    EXPECT_EQ(TickAt(At(2024, 4, 2, 8, 0, 20)), TLog{});
}

TEST_F(AlarmEvaluationTest, InactiveEntriesNeitherFireNorGiveNotices)
{
    const TDateTime lastFired = At(2024, 3, 1, 9, 0);
    for (const TAlarmKind kind : {akEveryDayAt, akEveryDay, akStartup}) {
        auto alarm = MakeAlarm(kind, {"x"}, 0, 0, 0, 9, 0);
        alarm->Active = 0;
        alarm->Action = aaMessage;
        alarm->LastFired = lastFired;
        alarm->Alert.Kind = kind == akEveryDayAt ? paMinutes : paDays;
        alarm->Alert.Amount = 0;
        Add(std::move(alarm));
    }
    Timer->AlarmList[2].LastFired = 0.0;
    for (const TDateTime moment : {At(2024, 4, 1, 9, 0), At(2024, 4, 2, 9, 0, 10)}) {
        EXPECT_EQ(TickAt(moment), TLog{});
    }
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Timer->AlarmList[i].LastFired, i == 2 ? 0.0 : lastFired);
        EXPECT_EQ(Timer->AlarmList[i].Alert.LastAlerted, 0.0);
    }
}

TEST_F(AlarmEvaluationTest, DaysNoticeIsDueOnceADayFromThreeDaysBeforeTheDate)
{
    auto alarm = MakeAlarm(akDate, {}, 2001, 1, 2);
    alarm->Alert.Kind = paDays;
    alarm->Alert.Amount = 3;
    Add(std::move(alarm));
    struct TRow {
        TDateTime Moment;
        TLog Reported;
    };
    const TLog notice{"alert 0 2001/01/02"};
    const TRow rows[] = {
        {At(2000, 12, 29, 0, 0), {}},
        {At(2000, 12, 29, 23, 59, 50), {}},
        {At(2000, 12, 30, 0, 0), notice},
        {At(2000, 12, 30, 0, 0, 10), {}},
        {At(2000, 12, 30, 18, 0), {}},
        {At(2000, 12, 31, 12, 0), notice},
        {At(2001, 1, 1, 7, 30), notice},
        {At(2001, 1, 1, 7, 31), {}},
        {At(2001, 1, 2, 9, 0), {"alert 0 2001/01/02", "alarm 0"}},
        {At(2001, 1, 2, 9, 0, 10), {}},
        {At(2001, 1, 3, 9, 0), {}},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(MomentText(row.Moment));
        EXPECT_EQ(TickAt(row.Moment), row.Reported);
    }
    EXPECT_EQ(Timer->AlarmList[0].Alert.LastAlerted, At(2001, 1, 2, 9, 0));
}

TEST_F(AlarmEvaluationTest, MinutesNoticeIsDueInTheMinuteOfTheLeadTimeEveryDay)
{
    auto alarm = MakeAlarm(akEveryDayAt, {}, 0, 0, 0, 9, 0);
    alarm->Alert.Kind = paMinutes;
    alarm->Alert.Amount = 10;
    Add(std::move(alarm));
    std::vector<std::string> alerts;
    for (const unsigned day : {1u, 2u}) {
        for (int second = 0; second < 20 * 60; second += 10) {
            const TDateTime moment = At(2024, 4, day, 8, 40) + second / 86400.0;
            for (const std::string& event : TickAt(moment)) {
                if (event.starts_with("alert")) alerts.push_back(MomentText(moment) + " " + event);
            }
        }
    }
    EXPECT_EQ(alerts, (TLog{"2024/04/01 08:50:00 alert 0 2024/04/01", "2024/04/02 08:50:00 alert 0 2024/04/02"}));
}

// Chosen here: an hours notice searches from now, as a minutes notice does, so
// that it can fall due on the day of the occurrence.
TEST_F(AlarmEvaluationTest, HoursNoticeIsDueOnTheDayOfTheOccurrence)
{
    auto daily = MakeAlarm(akEveryDayAt, {}, 0, 0, 0, 10, 0);
    daily->Alert.Kind = paHours;
    daily->Alert.Amount = 1;
    Add(std::move(daily));
    auto wednesdays = MakeAlarm(akWeekdaysAt, {}, 0, 0, 0, 15, 30, 0x10);
    wednesdays->Alert.Kind = paHours;
    wednesdays->Alert.Amount = 2;
    Add(std::move(wednesdays));
    auto monthly = MakeAlarm(akMonthDayAt, {}, 0, 0, 10, 6, 0);
    monthly->Alert.Kind = paHours;
    monthly->Alert.Amount = 6;
    Add(std::move(monthly));

    EXPECT_EQ(TickAt(At(2024, 4, 10, 0, 0)), (TLog{"alert 2 2024/04/10"}));
    EXPECT_EQ(TickAt(At(2024, 4, 10, 8, 59)), TLog{});
    EXPECT_EQ(TickAt(At(2024, 4, 10, 9, 0)), (TLog{"alert 0 2024/04/10"}));
    EXPECT_EQ(TickAt(At(2024, 4, 10, 9, 0, 10)), TLog{});
    EXPECT_EQ(TickAt(At(2024, 4, 10, 13, 30)), (TLog{"alert 1 2024/04/10"}));
    EXPECT_EQ(TickAt(At(2024, 4, 11, 13, 30)), TLog{}); // Thursday
    EXPECT_EQ(TickAt(At(2024, 4, 11, 9, 0)), (TLog{"alert 0 2024/04/11"}));
}

// Chosen here: a lead time reaching back past midnight wraps round on the
// time-of-day axis; the notice is due at that time of day on the occurrence date.
TEST_F(AlarmEvaluationTest, LeadTimeBeforeMidnightWrapsToTheEveningOfTheSameDay)
{
    auto hours = MakeAlarm(akEveryDayAt, {}, 0, 0, 0, 1, 0);
    hours->Alert.Kind = paHours;
    hours->Alert.Amount = 2; // 01:00 - 2 h -> 23:00
    Add(std::move(hours));
    auto minutes = MakeAlarm(akDateAt, {}, 2024, 4, 10, 0, 30);
    minutes->Alert.Kind = paMinutes;
    minutes->Alert.Amount = 90 + 3 * 1440; // 00:30 - 3 days 90 min -> 23:00
    Add(std::move(minutes));

    EXPECT_EQ(TickAt(At(2024, 4, 9, 23, 0)), (TLog{"alert 0 2024/04/09"}));
    EXPECT_EQ(TickAt(At(2024, 4, 10, 0, 30)), TLog{"alarm 1"});
    EXPECT_EQ(TickAt(At(2024, 4, 10, 22, 59)), TLog{});
    EXPECT_EQ(TickAt(At(2024, 4, 10, 23, 0)), (TLog{"alert 0 2024/04/10", "alert 1 2024/04/10"}));
}

TEST_F(AlarmEvaluationTest, HoursAndMinutesNoticesAreNeverDueOnAllDayKinds)
{
    for (const TPreviouseAlertKind alertKind : {paHours, paMinutes}) {
        for (int kind = akEveryDay; kind <= akStartup + 1; ++kind) {
            auto alarm = MakeAlarm(static_cast<TAlarmKind>(kind), {}, 2024, 4, 10, 9, 0, 0xFE);
            alarm->Alert.Kind = alertKind;
            alarm->Alert.Amount = 1;
            Add(std::move(alarm));
        }
    }
    // The same notice on a timed entry is seen by these ticks: the loop can catch one.
    auto timed = MakeAlarm(akEveryDayAt, {}, 0, 0, 0, 9, 0);
    timed->Alert.Kind = paMinutes;
    timed->Alert.Amount = 1;
    Add(std::move(timed));
    const int timedIndex = Timer->AlarmList.Count() - 1;

    std::vector<std::string> alerts;
    for (int minute = 0; minute < 24 * 60; ++minute) {
        for (const std::string& event : TickAt(At(2024, 4, 10) + minute / 1440.0)) {
            if (event.starts_with("alert")) alerts.push_back(event);
        }
    }
    EXPECT_EQ(alerts, TLog{"alert " + std::to_string(timedIndex) + " 2024/04/10"});
}

TEST_F(AlarmEvaluationTest, ActionRunsFirstThenAlertThenAlarm)
{
    auto alarm = MakeAlarm(akEveryDayAt, {"\x8E\x9E\x8A\xD4"}, 0, 0, 0, 9, 0); // 時間
    alarm->Action = aaMessage;
    alarm->Alert.Kind = paMinutes;
    alarm->Alert.Amount = 0;
    Add(std::move(alarm));
    EXPECT_EQ(TickAt(At(2024, 4, 10, 9, 0)), (TLog{"info 時間\r\n", "alert 0 2024/04/10", "alarm 0"}));
}

// A tick that arrives while the action is still showing its message finds the
// entry fired already.
TEST_F(AlarmEvaluationTest, TickInsideTheActionDoesNotFireTheEntryAgain)
{
    auto alarm = MakeAlarm(akEveryDayAt, {"a"}, 0, 0, 0, 9, 0);
    alarm->Action = aaMessage;
    Add(std::move(alarm));
    int nested = 0;
    SetMessageSink([&](TMessageKind, const std::string& text) {
        Log.push_back("info " + text);
        if (nested++ == 0) Ticks->Fire();
    });
    EXPECT_EQ(TickAt(At(2024, 4, 10, 9, 0)), (TLog{"info a\r\n", "alarm 0"}));
}

// A failure skips only its own entry for this tick; the entries after it are
// still evaluated, and the failing entry is tried again at the next tick.
TEST_F(AlarmEvaluationTest, FailingEntryIsSkippedAndTheLaterOnesAreEvaluated)
{
    Add(MakeAlarm(akEveryDayAt, {}, 0, 0, 0, 9, 1));
    auto impossible = MakeAlarm(akDate, {}, 2001, 2, 30);
    impossible->Alert.Kind = paDays;
    impossible->Alert.Amount = 1;
    TAlarm2& broken = Add(std::move(impossible));
    Add(MakeAlarm(akEveryDay));

    EXPECT_EQ(TickAt(At(2024, 4, 10, 9, 0)), TLog{"alarm 2"});
    EXPECT_EQ(TickAt(At(2024, 4, 10, 9, 1)), TLog{"alarm 0"});
    EXPECT_EQ(Timer->AlarmList[1].LastFired, 0.0);
    broken.DateTime.Year = 2024;
    broken.DateTime.Month = 4;
    broken.DateTime.Day = 10;
    broken.Alert.Kind = paNone;
    EXPECT_EQ(TickAt(At(2024, 4, 10, 9, 2)), TLog{"alarm 1"});
}

TEST_F(AlarmEvaluationTest, TimeOfDayOutOfRangeSkipsOnlyItsEntry)
{
    auto badHour = MakeAlarm(akEveryDayAt, {}, 0, 0, 0, 24, 0);
    badHour->Alert.Kind = paMinutes;
    badHour->Alert.Amount = 5;
    Add(std::move(badHour));
    Add(MakeAlarm(akEveryDay));
    EXPECT_EQ(TickAt(At(2024, 4, 10, 9, 0)), TLog{"alarm 1"});
    EXPECT_EQ(TickAt(At(2024, 4, 10, 9, 0, 10)), TLog{});
}

TEST_F(AlarmEvaluationTest, FailingHandlerSkipsOnlyItsEntry)
{
    Add(MakeAlarm(akEveryDay));
    Add(MakeAlarm(akEveryDay));
    Timer->OnAlarm = [this](TAlarmTimer&, TAlarm2& alarm) {
        Log.push_back("alarm " + std::to_string(IndexOf(alarm)));
        throw std::runtime_error("handler failed");
    };
    EXPECT_EQ(TickAt(At(2024, 4, 10, 9, 0)), (TLog{"alarm 0", "alarm 1"}));
    EXPECT_EQ(TickAt(At(2024, 4, 10, 9, 0, 10)), TLog{});
}

// NextAlarmDate at Wednesday 2024-04-10 13:45:20, by kind and notice kind.
TEST_F(AlarmEvaluationTest, NextAlarmDateByKind)
{
    const TDateTime now = At(2024, 4, 10, 13, 45, 20);
    Clock.Set(now);
    struct TRow {
        const char* Name;
        TAlarmKind Kind;
        TPreviouseAlertKind AlertKind;
        std::uint16_t Year, Month, Day;
        std::uint8_t DaysOfWeek;
        TDateTime Expected;
    };
    const double day = 1.0;
    const TRow rows[] = {
        {"EveryDayAt minutes: now", akEveryDayAt, paMinutes, 0, 0, 0, 0x01, now},
        {"EveryDayAt hours: now", akEveryDayAt, paHours, 0, 0, 0, 0x01, now},
        {"EveryDayAt days: tomorrow", akEveryDayAt, paDays, 0, 0, 0, 0x01, now + day},
        {"EveryDay days: tomorrow", akEveryDay, paDays, 0, 0, 0, 0x01, now + day},
        {"Startup days: tomorrow", akStartup, paDays, 0, 0, 0, 0x01, now + day},
        {"Startup none: tomorrow", akStartup, paNone, 0, 0, 0, 0x01, now + day},
        {"Weekdays Mon days: 2024-04-15", akWeekdays, paDays, 0, 0, 0, 0x04, now + 5 * day},
        {"WeekdaysAt Wed minutes: today", akWeekdaysAt, paMinutes, 0, 0, 0, 0x10, now},
        {"WeekdaysAt Wed days: next week", akWeekdaysAt, paDays, 0, 0, 0, 0x10, now + 7 * day},
        {"Weekdays none chosen: now", akWeekdays, paDays, 0, 0, 0, 0x01, now},
        {"WeekdaysAt none chosen: now", akWeekdaysAt, paMinutes, 0, 0, 0, 0x00, now},
        {"MonthDay 10th days: 2024-05-10", akMonthDay, paDays, 0, 0, 10, 0x01, now + 30 * day},
        {"MonthDayAt 10th minutes: today", akMonthDayAt, paMinutes, 0, 0, 10, 0x01, now},
        {"MonthDay 31st days: 2024-05-31", akMonthDay, paDays, 0, 0, 31, 0x01, now + 51 * day},
        {"MonthDay 0: now", akMonthDay, paDays, 0, 0, 0, 0x01, now},
        {"MonthDayAt 32: now", akMonthDayAt, paHours, 0, 0, 32, 0x01, now},
        {"Date 2001-01-02: midnight", akDate, paDays, 2001, 1, 2, 0x01, At(2001, 1, 2)},
        {"DateAt 2030-12-31: midnight", akDateAt, paMinutes, 2030, 12, 31, 0x01, At(2030, 12, 31)},
        {"YearDay 03-01 passed: this year", akYearDay, paDays, 1999, 3, 1, 0x01, At(2024, 3, 1)},
        {"YearDayAt 12-24: this year", akYearDayAt, paMinutes, 0, 12, 24, 0x01, At(2024, 12, 24)},
        {"Kind 11: now", static_cast<TAlarmKind>(11), paDays, 2001, 1, 2, 0x7F, now},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        auto alarm = MakeAlarm(row.Kind, {}, row.Year, row.Month, row.Day, 9, 0, row.DaysOfWeek);
        alarm->Alert.Kind = row.AlertKind;
        const TDateTime result = Timer->NextAlarmDate(*alarm);
        EXPECT_NEAR(result, row.Expected, 1e-9) << MomentText(result);
    }

    auto impossible = MakeAlarm(akDate, {}, 2001, 2, 30);
    EXPECT_THROW(Timer->NextAlarmDate(*impossible), EConvertError);
    auto leapDay = MakeAlarm(akYearDay, {}, 2000, 2, 29);
    Clock.Set(At(2023, 6, 1));
    EXPECT_THROW(Timer->NextAlarmDate(*leapDay), EConvertError);
}

} // namespace
} // namespace orvexp
