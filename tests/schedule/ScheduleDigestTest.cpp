// The digest an export reads the schedule through: the model's contents, and the
// model's failures at the same places with the same messages.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "schedule/AlarmTimer.h"
#include "schedule/ScheduleDigest.h"
#include "tests/support/ScheduleEntries.h"

namespace orvexp {
namespace {

using test::MakeAlarm;

TAlarmList SampleEntries()
{
    TAlarmList alarms;
    alarms.Add(MakeAlarm(akDateAt, {"first", "", std::string("nul\0inside", 10)}, 2026, 12, 8, 9, 30));
    alarms.Add(MakeAlarm(akWeekdays, {}, 0, 0, 0, 0, 0, 0x2A));
    alarms[1].Active = 0;
    auto launch = MakeAlarm(akYearDayAt, {"launch"}, 0, 2, 29, 25, 75);
    launch->ShellExecute.FileName = "/usr/bin/true";
    launch->ShellExecute.Parameters = "--flag";
    launch->Alert.Kind = paDays;
    launch->Alert.Amount = 3;
    alarms.Add(std::move(launch));
    alarms.Add(MakeAlarm(static_cast<TAlarmKind>(200), {"unknown kind"}));
    return alarms;
}

// "" when the bytes load; else the failure's text.

void ExpectSameContents(const TScheduleDigest& digest, const TAlarmList& alarms)
{
    ASSERT_EQ(digest.Count(), alarms.Count());
    for (int i = 0; i < alarms.Count(); ++i) {
        const TAlarm2& alarm = alarms[i];
        const TEntryDigest& entry = digest[i];
        EXPECT_EQ(entry.Kind, alarm.Kind) << i;
        EXPECT_EQ(entry.Year, alarm.DateTime.Year) << i;
        EXPECT_EQ(entry.Month, alarm.DateTime.Month) << i;
        EXPECT_EQ(entry.Day, alarm.DateTime.Day) << i;
        EXPECT_EQ(entry.Hour, alarm.DateTime.Hour) << i;
        EXPECT_EQ(entry.Minute, alarm.DateTime.Minute) << i;
        EXPECT_EQ(entry.DaysOfWeek, alarm.DateTime.DaysOfWeek) << i;
        EXPECT_EQ(entry.Active, alarm.Active) << i;
        EXPECT_EQ(entry.AlertKind, alarm.Alert.Kind) << i;
        EXPECT_EQ(entry.AlertAmount, alarm.Alert.Amount) << i;
        const auto lines = digest.Lines(entry);
        EXPECT_TRUE(std::equal(lines.begin(), lines.end(), alarm.Messages.begin(), alarm.Messages.end())) << i;
    }
}

// Read from a file of either format, or made from the loaded container, it
// holds what the model holds.
TEST(ScheduleDigest, HoldsWhatTheModelHolds)
{
    const TAlarmList entries = SampleEntries();
    for (const std::int32_t version : {kScheduleFormat1, kScheduleFormat2}) {
        const std::string bytes = WriteScheduleFile(entries, version, 7, {1, 2, 3, 4, 5, 6, 7, 8}, "trailer");
        TAlarmTimer model;
        TByteReader stream(bytes);
        model.LoadFromStream(stream);
        TScheduleDigest digest = TScheduleDigest::LoadFromBytes(bytes);
        const TScheduleDigest moved = std::move(digest); // its lines stay where they are
        ExpectSameContents(moved, model.AlarmList);
    }
    ExpectSameContents(TScheduleDigest(entries), entries);
}

} // namespace
} // namespace orvexp
