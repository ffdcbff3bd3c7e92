#include "schedule/AlarmOccurrence.h"

#include <charconv>

#include "schedule/ScheduleTexts.h"

namespace orvexp {

bool IsAlarmOnDate(const TAlarm& alarm, const TDateParts& date, int weekday)
{
    const TAlarmDateTime& at = alarm.DateTime;
    switch (alarm.Kind) {
    case akEveryDayAt:
    case akEveryDay:
    case akStartup:
        return true;
    case akWeekdaysAt:
    case akWeekdays:
        return weekday >= 1 && weekday <= 7 && (at.DaysOfWeek >> weekday & 1) != 0;
    case akMonthDayAt:
    case akMonthDay:
        return at.Day == date.Day;
    case akDateAt:
    case akDate:
        return at.Year == date.Year && at.Month == date.Month && at.Day == date.Day;
    case akYearDayAt:
    case akYearDay:
        return at.Month == date.Month && at.Day == date.Day;
    }
    return false;
}

bool IsAlarmOnDate(const TAlarm& alarm, TDateTime date)
{
    return IsAlarmOnDate(alarm, DecodeDate(date), DayOfWeek(date));
}

namespace {

// The value in decimal, at least two digits ("%02u"); returns the end.
char* PutTwoDigits(char* out, unsigned value)
{
    if (value < 10) *out++ = '0';
    return std::to_chars(out, out + 5, value).ptr;
}

} // namespace

std::size_t FormatAlarmTime(TAlarmKind kind, std::uint16_t hour, std::uint16_t minute, char* out)
{
    std::string_view fixed;
    if (HasTimeOfDay(kind)) {
        char* end = PutTwoDigits(out, hour);
        *end++ = ':';
        end = PutTwoDigits(end, minute);
        return static_cast<std::size_t>(end - out);
    }
    if (kind == akEveryDay) {
        fixed = sjis::kEveryDay;
    } else if (kind == akStartup) {
        fixed = sjis::kStartup;
    } else {
        fixed = "--:--";
    }
    return fixed.copy(out, kMaxAlarmTimeText);
}

std::string AlarmTimeText(TAlarmKind kind, std::uint16_t hour, std::uint16_t minute)
{
    char text[kMaxAlarmTimeText];
    return std::string(text, FormatAlarmTime(kind, hour, minute, text));
}

std::string AlarmTimeText(const TAlarm& alarm)
{
    return AlarmTimeText(alarm.Kind, alarm.DateTime.Hour, alarm.DateTime.Minute);
}

} // namespace orvexp
