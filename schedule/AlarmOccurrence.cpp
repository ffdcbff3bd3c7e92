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

// The value in decimal, at least two digits ("%02u").
void AppendTwoDigits(std::string& text, unsigned value)
{
    char digits[8];
    const char* const end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    if (end - digits < 2) text.push_back('0');
    text.append(digits, static_cast<std::size_t>(end - digits));
}

} // namespace

std::string AlarmTimeText(TAlarmKind kind, std::uint16_t hour, std::uint16_t minute)
{
    if (kind <= akYearDayAt) {
        std::string text;
        AppendTwoDigits(text, hour);
        text.push_back(':');
        AppendTwoDigits(text, minute);
        return text;
    }
    if (kind == akEveryDay) return sjis::kEveryDay;
    if (kind == akStartup) return sjis::kStartup;
    return "--:--";
}

std::string AlarmTimeText(const TAlarm& alarm)
{
    return AlarmTimeText(alarm.Kind, alarm.DateTime.Hour, alarm.DateTime.Minute);
}

} // namespace orvexp
