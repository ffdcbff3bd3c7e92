#pragma once
// Schedule entries for tests, built field by field.

#include <initializer_list>
#include <memory>
#include <string>

#include "schedule/Alarm.h"

namespace orvexp::test {

inline std::unique_ptr<TAlarm2> MakeAlarm(TAlarmKind kind, std::initializer_list<std::string> lines = {},
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
    alarm->Messages.assign(lines.begin(), lines.end());
    return alarm;
}

} // namespace orvexp::test
