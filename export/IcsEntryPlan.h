#pragma once
// What a schedule entry becomes in a calendar for a range of days: one event
// whose repeat rule (if any) starts on the entry's first date in the range and
// ends with the range, so that it describes exactly the dates IsAlarmOnDate
// finds there. No calendar library here: the plan only decides.

#include <cstdint>

#include "platform/DateTime.h"
#include "schedule/ScheduleDigest.h"

namespace orvexp {

enum TIcsRepeat : std::uint8_t { irOnce, irDaily, irWeekly, irMonthly, irYearly };

struct TIcsEntryPlan {
    bool Occurs = false; // false: no date in the range, no event
    TIcsRepeat Repeat = irOnce;
    TDateParts First;    // the first date in the range
    // A kind with a time of day whose time exists; otherwise the event is all-day.
    bool Timed = false;
    // A kind with a time of day whose stored time cannot exist (hour 24 or more,
    // minute 60 or more): all-day, and the summary starts with the time text.
    bool ImpossibleTime = false;
    std::uint16_t Hour = 0, Minute = 0; // the stored time, for both of these
    std::uint8_t Weekdays = 0;   // irWeekly: bit n = weekday n, 1 Sunday ... 7 Saturday
    std::uint8_t Month = 0;      // irYearly
    std::uint8_t MonthDay = 0;   // irMonthly, irYearly
    // The reminders the alarm timer would give: one at the start, and the
    // advance notice (days, hours or minutes before; 0 = none).
    bool StartAlarm = false;
    TPreviouseAlertKind Notice = paNone;
    std::int32_t NoticeAmount = 0;
};

// The plan of `entry` for the whole days `first` to `last`, both included.
TIcsEntryPlan PlanIcsEntry(const TEntryDigest& entry, std::int64_t first, std::int64_t last);

} // namespace orvexp
