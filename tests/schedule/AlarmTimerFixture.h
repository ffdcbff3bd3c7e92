#pragma once
// A schedule container driven by a manual timer and a settable clock, with
// everything it reports (actions' messages, notices, firings) in one log.

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/IntervalTimer.h"
#include "platform/MessageSink.h"
#include "platform/ShellOpen.h"
#include "schedule/AlarmTimer.h"
#include "tests/support/ScheduleEntries.h"

namespace orvexp::test {

inline TDateTime At(int year, unsigned month, unsigned day, unsigned hour = 0, unsigned minute = 0,
                    unsigned second = 0)
{
    return EncodeDate(year, month, day) + EncodeTime(hour, minute, second);
}

// "yyyy/mm/dd hh:nn:ss", so that a failing check names the moment.
inline std::string MomentText(TDateTime value)
{
    const TTimeParts time = DecodeTime(value);
    char text[16];
    std::snprintf(text, sizeof text, " %02u:%02u:%02u", time.Hour, time.Minute, time.Second);
    return FormatDateText(value) + text;
}

class TAlarmTimerFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto timer = std::make_unique<TManualTimer>();
        Ticks = timer.get();
        Timer = std::make_unique<TAlarmTimer>(std::move(timer), Clock);
        Timer->OnAlert = [this](TAlarmTimer& sender, TAlarm2& alarm, TDateTime alarmDate) {
            EXPECT_EQ(&sender, Timer.get());
            Log.push_back("alert " + std::to_string(IndexOf(alarm)) + " " + FormatDateText(alarmDate));
        };
        Timer->OnAlarm = [this](TAlarmTimer& sender, TAlarm2& alarm) {
            EXPECT_EQ(&sender, Timer.get());
            Log.push_back("alarm " + std::to_string(IndexOf(alarm)));
        };
        SetMessageSink([this](TMessageKind kind, const std::string& text) {
            Log.push_back(std::string(kind == mkInformation ? "info " : "error ") + text);
        });
        SetShellOpenForTesting([this](const std::string&, const std::string& file, const std::string&,
                                      const std::string&, std::int32_t) -> std::uint32_t {
            Log.push_back("open " + file);
            return kShellOpenOk;
        });
    }

    void TearDown() override
    {
        SetMessageSink(nullptr);
        SetShellOpenForTesting(nullptr);
    }

    TAlarm2& Add(std::unique_ptr<TAlarm2> alarm)
    {
        TAlarm2& added = *alarm;
        Timer->AlarmList.Add(std::move(alarm));
        return added;
    }

    // Loads the entries as a schedule file, the way the program gets them.
    void Load(const TAlarmList& alarms)
    {
        const std::string bytes = WriteScheduleFile(alarms);
        TByteReader stream(bytes);
        Timer->LoadFromStream(stream);
    }

    // One timer period at `moment`; returns what it reported.
    std::vector<std::string> TickAt(TDateTime moment)
    {
        Clock.Set(moment);
        Log.clear();
        Ticks->Fire();
        return Log;
    }

    int IndexOf(const TAlarm2& alarm) const
    {
        for (int i = 0; i < Timer->AlarmList.Count(); ++i) {
            if (&Timer->AlarmList[i] == &alarm) return i;
        }
        return -1;
    }

    TFixedClock Clock;
    TManualTimer* Ticks = nullptr;
    std::unique_ptr<TAlarmTimer> Timer;
    std::vector<std::string> Log;
};

using TLog = std::vector<std::string>;

} // namespace orvexp::test
