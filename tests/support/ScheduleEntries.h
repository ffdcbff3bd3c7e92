#pragma once
// Schedule entries for tests, built field by field.

#include <memory>
#include <string>
#include <vector>

#include "schedule/Alarm.h"

namespace orvexp::test {

// Lines are stored as given (Shift_JIS bytes); the fields left out keep the
// entry's own defaults.
inline std::unique_ptr<TAlarm2> MakeAlarm(TAlarmKind kind, std::vector<std::string> lines = {},
                                          std::uint16_t year = 0, std::uint16_t month = 0, std::uint16_t day = 0,
                                          std::uint16_t hour = 0, std::uint16_t minute = 0,
                                          std::uint8_t daysOfWeek = 0x01)
{
    auto alarm = std::make_unique<TAlarm2>();
    alarm->Kind = kind;
    alarm->DateTime.Year = year;
    alarm->DateTime.Month = month;
    alarm->DateTime.Day = day;
    alarm->DateTime.Hour = hour;
    alarm->DateTime.Minute = minute;
    alarm->DateTime.DaysOfWeek = daysOfWeek;
    alarm->Messages = std::move(lines);
    return alarm;
}

} // namespace orvexp::test
