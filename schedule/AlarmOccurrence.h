#pragma once
// Which dates a schedule entry falls on, and the text of its time column.
// Neither looks at the clock, Active, LastFired or the advance notice.

#include <string>

#include "platform/DateTime.h"
#include "schedule/Alarm.h"

namespace orvexp {

// True when the entry falls on the calendar date of `date` (its time of day is ignored).
bool IsAlarmOnDate(const TAlarm& alarm, TDateTime date);
// As above, for a date already split into its parts and weekday (1 Sunday ... 7 Saturday).
bool IsAlarmOnDate(const TAlarm& alarm, const TDateParts& date, int weekday);

// "hh:nn" for the timed kinds, "毎日", "起動時" or "--:--" (Shift_JIS bytes).
std::string AlarmTimeText(const TAlarm& alarm);
std::string AlarmTimeText(TAlarmKind kind, std::uint16_t hour, std::uint16_t minute);

// The same text written to `out`, which has room for kMaxAlarmTimeText bytes
// ("65535:65535" is the longest); returns its length.
inline constexpr std::size_t kMaxAlarmTimeText = 11;
std::size_t FormatAlarmTime(TAlarmKind kind, std::uint16_t hour, std::uint16_t minute, char* out);

} // namespace orvexp
