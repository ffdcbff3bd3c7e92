#include "schedule/AlarmOccurrence.h"

#include <cstdio>

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

std::string AlarmTimeText(const TAlarm& alarm)
{
    if (alarm.Kind <= akYearDayAt) {
        char text[16];
        std::snprintf(text, sizeof text, "%02u:%02u", static_cast<unsigned>(alarm.DateTime.Hour),
                      static_cast<unsigned>(alarm.DateTime.Minute));
        return text;
    }
    if (alarm.Kind == akEveryDay) return sjis::kEveryDay;
    if (alarm.Kind == akStartup) return sjis::kStartup;
    return "--:--";
}

} // namespace orvexp
