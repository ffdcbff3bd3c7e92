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
template <class Load>
std::string Failure(Load load)
{
    try {
        load();
        return {};
    } catch (const std::exception& e) {
        return e.what();
    }
}

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

// Every cut of both formats, and lengths made impossible in place.
TEST(ScheduleDigest, LoadsWhatTheModelLoadsAndFailsAsItFails)
{
    const TAlarmList entries = SampleEntries();
    for (const std::int32_t version : {kScheduleFormat1, kScheduleFormat2}) {
        const std::string whole = WriteScheduleFile(entries, version, 7, {1, 2, 3, 4, 5, 6, 7, 8}, "trailer");
        std::vector<std::string> inputs;
        for (std::size_t cut = 0; cut <= whole.size(); ++cut) inputs.push_back(whole.substr(0, cut));
        // A byte set to 0xFF at each place: negative or huge counts and lengths.
        for (std::size_t at = 4; at < whole.size(); ++at) {
            std::string changed = whole;
            changed[at] = '\xFF';
            inputs.push_back(changed);
        }
        int loaded = 0;
        for (const std::string& bytes : inputs) {
            TAlarmTimer model;
            const std::string modelFailure = Failure([&] {
                TByteReader stream(bytes);
                model.LoadFromStream(stream);
            });
            TScheduleDigest digest;
            const std::string digestFailure = Failure([&] { digest = TScheduleDigest::LoadFromBytes(bytes); });
            ASSERT_EQ(digestFailure, modelFailure) << "version " << version << ", " << bytes.size() << " bytes";
            const std::string checkFailure = Failure([&] { TScheduleDigest::CheckBytes(bytes); });
            ASSERT_EQ(checkFailure, modelFailure) << "checking, version " << version << ", " << bytes.size() << " bytes";
            if (modelFailure.empty()) {
                ++loaded;
                ExpectSameContents(digest, model.AlarmList);
            }
        }
        EXPECT_GT(loaded, 1); // the whole file and some changed in place
    }
}

TEST(ScheduleDigest, FromTheContainerViewsItsLines)
{
    const TAlarmList entries = SampleEntries();
    const TScheduleDigest digest(entries);
    ExpectSameContents(digest, entries);
    EXPECT_EQ(digest.Lines(digest[0])[0].data(), entries[0].Messages[0].data());
}

} // namespace
} // namespace orvexp
