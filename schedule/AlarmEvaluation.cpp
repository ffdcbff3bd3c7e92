// The alarm timer's pass over the entries: which entries fire, which advance
// notices fall due, and what firing does.

#include <cstdint>

#include "platform/DateTime.h"
#include "platform/MessageSink.h"
#include "platform/Text.h"
#include "schedule/AlarmTimer.h"

namespace orvexp {

namespace {

// The moment of a tick, taken apart once.
struct TMoment {
    TDateTime Now = 0.0;
    TDateParts Today;
    int Weekday = 0; // 1 Sunday ... 7 Saturday
    unsigned Hour = 0;
    unsigned Minute = 0;

    explicit TMoment(TDateTime now) : Now(now), Today(DecodeDate(now)), Weekday(DayOfWeek(now))
    {
        const TTimeParts time = DecodeTime(now);
        Hour = time.Hour;
        Minute = time.Minute;
    }

    bool IsToday(TDateTime value) const { return DecodeDate(value) == Today; }
    bool IsThisMinute(TDateTime value) const
    {
        if (!IsToday(value)) return false;
        const TTimeParts time = DecodeTime(value);
        return time.Hour == Hour && time.Minute == Minute;
    }
};

bool WeekdayChosen(std::uint8_t daysOfWeek, int weekday)
{
    return weekday >= 1 && weekday <= 7 && ((daysOfWeek >> weekday) & 1) != 0;
}

// The firing condition of the entry's kind, without the once-only guards.
bool ConditionHolds(const TAlarm2& alarm, const TMoment& moment)
{
    const TAlarmDateTime& when = alarm.DateTime;
    const bool timeMatches = when.Hour == moment.Hour && when.Minute == moment.Minute;
    const bool weekdayMatches = WeekdayChosen(when.DaysOfWeek, moment.Weekday);
    const bool dayMatches = when.Day == moment.Today.Day;
    const bool monthMatches = when.Month == moment.Today.Month;
    const bool dateMatches = when.Year == moment.Today.Year && monthMatches && dayMatches;
    switch (alarm.Kind) {
    case akEveryDayAt:
        return timeMatches;
    case akWeekdaysAt:
        return weekdayMatches && timeMatches;
    case akMonthDayAt:
        return dayMatches && timeMatches;
    case akDateAt:
        return dateMatches && timeMatches;
    case akYearDayAt:
        return monthMatches && dayMatches && timeMatches;
    case akEveryDay:
        return true;
    case akWeekdays:
        return weekdayMatches;
    case akMonthDay:
        return dayMatches;
    case akDate:
        return dateMatches;
    case akYearDay:
        return monthMatches && dayMatches;
    case akStartup:
        return alarm.LastFired == 0.0;
    default:
        return false;
    }
}

// Timed kinds fire once per matching minute, all-day kinds once per day:
// with a 10 s period every minute is seen about six times.
bool AlreadyFired(const TAlarm2& alarm, const TMoment& moment)
{
    return HasTimeOfDay(alarm.Kind) ? moment.IsThisMinute(alarm.LastFired) : moment.IsToday(alarm.LastFired);
}

// Minutes since midnight of the notice moment: the entry's time of day less the
// lead time, taken on the time-of-day axis (a lead reaching back past midnight
// wraps round to the evening). Raises EConvertError for an hour or minute out
// of range, as building the time of day does.
int NoticeMinuteOfDay(const TAlarmDateTime& when, std::int64_t leadMinutes)
{
    EncodeTime(when.Hour, when.Minute);
    constexpr std::int64_t kMinutesPerDay = 24 * 60;
    const std::int64_t minute = (when.Hour * 60 + when.Minute - leadMinutes) % kMinutesPerDay;
    return static_cast<int>(minute < 0 ? minute + kMinutesPerDay : minute);
}

} // namespace

TDateTime TAlarmTimer::NextAlarmDate(const TAlarm2& alarm) const
{
    const TDateTime now = Clock->Now();
    // An hours notice starts at now like a minutes notice, so that it can fall
    // due on the day of the occurrence.
    const bool startNow = alarm.Alert.Kind == paMinutes || alarm.Alert.Kind == paHours;
    const TDateTime start = startNow ? now : now + 1.0;
    const TAlarmDateTime& when = alarm.DateTime;
    switch (alarm.Kind) {
    case akEveryDayAt:
    case akEveryDay:
    case akStartup:
        return start;
    case akWeekdaysAt:
    case akWeekdays:
        // Seven candidates cover every weekday; none chosen gives now.
        for (int day = 0; day < 7; ++day) {
            if (WeekdayChosen(when.DaysOfWeek, DayOfWeek(start + day))) return start + day;
        }
        return now;
    case akMonthDayAt:
    case akMonthDay:
        // Any day 1..31 comes within a year; Day 0 or above 31 never does and gives now.
        for (int day = 0; day < 366; ++day) {
            if (DecodeDate(start + day).Day == when.Day) return start + day;
        }
        return now;
    case akDateAt:
    case akDate:
        return EncodeDate(when.Year, when.Month, when.Day);
    case akYearDayAt:
    case akYearDay:
        return EncodeDate(DecodeDate(now).Year, when.Month, when.Day);
    default:
        return now;
    }
}

void TAlarmTimer::TimerTick()
{
    // One guard per entry: a failure (a stored date or time that does not
    // exist, a failing handler) skips that entry quietly for this tick, and the
    // entries after it are still evaluated. A yearly 29 February entry fails
    // every tick of a common year; it must not silence the rest all year.
    const int count = AlarmList.Count();
    for (int index = 0; index < count; ++index) {
        try {
            TAlarm2& alarm = AlarmList[index];
            bool fired = false;
            bool alerted = false;
            if (alarm.Active == 0) continue;

            const TMoment moment(Clock->Now());
            if (alarm.Kind <= akStartup && !AlreadyFired(alarm, moment) && ConditionHolds(alarm, moment)) {
                fired = true;
                // Stamped before the action: a tick that runs while the action's
                // message is shown finds the entry fired already.
                alarm.LastFired = moment.Now;
                PerformAction(alarm);
            }

            const TPreviouseAlert& alert = alarm.Alert;
            if (alert.Kind != paNone && !moment.IsToday(alert.LastAlerted)) {
                bool due = false;
                if (alert.Kind == paDays) {
                    const TDateTime occurrence = DateOf(NextAlarmDate(alarm));
                    const TDateTime today = DateOf(moment.Now);
                    due = occurrence - alert.Amount <= today && today <= occurrence;
                } else if ((alert.Kind == paHours || alert.Kind == paMinutes) && HasTimeOfDay(alarm.Kind) &&
                           moment.IsToday(NextAlarmDate(alarm))) {
                    const std::int64_t lead =
                        alert.Kind == paHours ? std::int64_t{alert.Amount} * 60 : std::int64_t{alert.Amount};
                    const int minute = NoticeMinuteOfDay(alarm.DateTime, lead);
                    due = static_cast<unsigned>(minute / 60) == moment.Hour &&
                          static_cast<unsigned>(minute % 60) == moment.Minute;
                }
                if (due) {
                    alarm.Alert.LastAlerted = moment.Now;
                    alerted = true;
                }
            }

            if (alerted) DoAlert(&alarm);
            if (fired) DoAlarm(&alarm);
        } catch (...) {
            // Nothing is shown; see above.
        }
    }
}

void TAlarmTimer::PerformAction(TAlarm2& alarm)
{
    switch (alarm.Action) {
    case aaLaunch:
        alarm.ShellExecute.Execute();
        break;
    case aaMessage: {
        std::string text;
        for (const std::string& line : alarm.Messages) text += line + "\r\n";
        ShowMessage(mkInformation, Cp932ToUtf8(text));
        break;
    }
    default:
        break;
    }
}

} // namespace orvexp
