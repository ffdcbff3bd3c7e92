// The container's timer properties, its events and the action of a fired entry.

#include <gtest/gtest.h>

#include "tests/schedule/AlarmTimerFixture.h"

namespace orvexp {
namespace {

using test::At;
using test::MakeAlarm;
using test::TLog;

// A timer that writes down every call made to it.
class TRecordingTimer : public IIntervalTimer {
public:
    explicit TRecordingTimer(TLog& log) : Calls(log) {}
    ~TRecordingTimer() override { Calls.push_back("destroyed"); }
    bool Enabled() const override { return IsEnabled; }
    void SetEnabled(bool value) override
    {
        Calls.push_back(value ? "enable" : "disable");
        IsEnabled = value;
    }
    int Interval() const override { return Period; }
    void SetInterval(int milliSeconds) override
    {
        Calls.push_back("interval " + std::to_string(milliSeconds));
        Period = milliSeconds;
    }

private:
    TLog& Calls;
    bool IsEnabled = false;
    int Period = 0;
};

TEST(AlarmTimerTest, WithoutATimerEnabledReadsFalseAndIntervalReads1000)
{
    TAlarmTimer timer;
    EXPECT_FALSE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 1000);
    timer.SetEnabled(true);
    timer.SetInterval(250);
    EXPECT_FALSE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 1000);
}

TEST(AlarmTimerTest, ConstructorStartsTheTimerWith10SecondsAndDestructorStopsIt)
{
    TLog calls;
    {
        TFixedClock clock;
        TAlarmTimer timer(std::make_unique<TRecordingTimer>(calls), clock);
        EXPECT_EQ(calls, (TLog{"interval 10000", "enable"}));
        EXPECT_TRUE(timer.Enabled());
        EXPECT_EQ(timer.Interval(), 10000);

        calls.clear();
        timer.SetEnabled(true); // the current value: nothing happens
        timer.SetEnabled(false);
        timer.SetEnabled(false);
        timer.SetInterval(2000);
        EXPECT_EQ(calls, (TLog{"disable", "interval 2000"}));
        EXPECT_FALSE(timer.Enabled());
        EXPECT_EQ(timer.Interval(), 2000);
        timer.SetEnabled(true);
        calls.clear();
    }
    EXPECT_EQ(calls, (TLog{"disable", "destroyed"}));
}

class AlarmTimerEventsTest : public test::TAlarmTimerFixture {};

TEST_F(AlarmTimerEventsTest, TicksOnlyWhileEnabled)
{
    Add(MakeAlarm(akEveryDay));
    Timer->SetEnabled(false);
    EXPECT_EQ(TickAt(At(2024, 4, 10, 9, 0)), TLog{});
    Timer->SetEnabled(true);
    EXPECT_EQ(TickAt(At(2024, 4, 10, 9, 0, 10)), TLog{"alarm 0"});
}

TEST_F(AlarmTimerEventsTest, DoAlarmAndDoAlertCallOnlyAssignedEventsForPresentEntries)
{
    TAlarm2& alarm = Add(MakeAlarm(akDate, {}, 2001, 1, 2));
    alarm.Alert.Kind = paDays;
    Clock.Set(At(2000, 12, 31, 10, 0));
    Timer->DoAlarm(nullptr);
    Timer->DoAlert(nullptr);
    EXPECT_EQ(Log, TLog{});
    Timer->DoAlert(&alarm);
    Timer->DoAlarm(&alarm);
    EXPECT_EQ(Log, (TLog{"alert 0 2001/01/02", "alarm 0"}));

    Log.clear();
    Timer->OnAlarm = nullptr;
    Timer->OnAlert = nullptr;
    Timer->DoAlert(&alarm);
    Timer->DoAlarm(&alarm);
    EXPECT_EQ(Log, TLog{});
}

TEST_F(AlarmTimerEventsTest, PerformActionByAction)
{
    struct TRow {
        const char* Name;
        std::uint8_t Action;
        std::vector<std::string> Lines;
        TLog Expected;
    };
    const TRow rows[] = {
        {"launch", aaLaunch, {"x"}, {"open /tmp/page.html"}},
        // 予定 and ｶﾅ (half-width) as Shift_JIS bytes; shown in UTF-8.
        {"message of two lines", aaMessage, {"\x97\x5C\x92\xE8", "\xB6\xC5"}, {"info 予定\r\nｶﾅ\r\n"}},
        {"message without lines", aaMessage, {}, {"info "}},
        {"message with an empty line", aaMessage, {"", "a"}, {"info \r\na\r\n"}},
        {"none", aaNone, {"x"}, {}},
        {"action 7", 7, {"x"}, {}},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        TAlarm2 alarm;
        alarm.Action = static_cast<TAlarmAction>(row.Action);
        alarm.Messages = row.Lines;
        alarm.ShellExecute.FileName = "/tmp/page.html";
        Log.clear();
        Timer->PerformAction(alarm);
        EXPECT_EQ(Log, row.Expected);
    }
}

TEST_F(AlarmTimerEventsTest, LaunchIgnoresTheResultOfExecute)
{
    SetShellOpenForTesting([](const std::string&, const std::string&, const std::string&, const std::string&,
                              std::int32_t) -> std::uint32_t { return 2; });
    auto alarm = MakeAlarm(akEveryDay, {"x"});
    alarm->Action = aaLaunch;
    alarm->ShellExecute.FileName = "/nowhere/x";
    Add(std::move(alarm));
    Add(MakeAlarm(akEveryDay));
    EXPECT_EQ(TickAt(At(2024, 4, 10, 9, 0)),
              (TLog{"error /nowhere/xが見つかりません", "alarm 0", "alarm 1"}));
}

} // namespace
} // namespace orvexp
