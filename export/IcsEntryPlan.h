#pragma once
// What a schedule entry becomes in a calendar: one event, whose repeat rule
// (if any) has no end and starts on a day that does not depend on the range
// exported, so that the exports of any two ranges give the same event and
// importing one after the other loses no occurrence. Within the range its
// dates are exactly those IsAlarmOnDate finds. No calendar library here: the
// plan only decides.

#include <cstdint>
#include <optional>

#include "platform/DateTime.h"
#include "schedule/ScheduleDigest.h"

namespace orvexp {

enum TIcsRepeat : std::uint8_t { irOnce, irDaily, irWeekly, irMonthly, irYearly };

struct TIcsEntryPlan {
    bool Occurs = false; // false: no date in the range, no event
    TIcsRepeat Repeat = irOnce;
    TDateParts Start;    // DTSTART: the date of a one-date entry, the rule's first date otherwise
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

// The longest advance notice in days that the alarm timer can give: it counts
// back from an occurrence on its calendar of the years 1 to 9999, and a longer
// lead starts before that calendar's first day from every occurrence.
inline constexpr TDayNumber kLongestNoticeDays = kLastDay - kFirstDay;

// The plan of `entry` for the whole days `first` to `last`, both included. A
// rule starts on the entry's first date on or after `rulesFrom` (a day not
// after `first`, the same for every range of the data).
TIcsEntryPlan PlanIcsEntry(const TEntryDigest& entry, TDayNumber rulesFrom, TDayNumber first, TDayNumber last);

// Where the rules of a data folder start: 1 January of the year of its first
// dated day (see FirstDatedDay), or of the range's first day when that is
// earlier or the folder has no dated day.
TDayNumber IcsRulesFrom(const std::optional<TDayNumber>& firstDatedDay, TDayNumber first);

} // namespace orvexp
