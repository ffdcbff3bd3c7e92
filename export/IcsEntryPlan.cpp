#include "export/IcsEntryPlan.h"

#include <algorithm>
#include <optional>

namespace orvexp {

namespace {

using TDay = std::optional<TDayNumber>;

// The most days month `month` ever has (29 for February); 0 for no month.
unsigned MostDaysIn(unsigned month)
{
    static constexpr unsigned kDays[] = {0, 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month <= 12 ? kDays[month] : 0;
}

TDay DayOf(int year, unsigned month, unsigned day, TDayNumber from, TDayNumber to)
{
    TDayNumber found = 0;
    if (!TryEncodeDay(year, month, day, found)) return std::nullopt;
    return found >= from && found <= to ? TDay(found) : std::nullopt;
}

TDay FirstWeekday(std::uint8_t weekdays, TDayNumber from, TDayNumber to)
{
    for (TDayNumber day = from; day <= to && day < from + 7; ++day) {
        if ((weekdays >> DayOfWeek(DateTimeOfDay(day)) & 1) != 0) return day;
    }
    return std::nullopt;
}

// A day of the month that some month has comes within three months.
TDay FirstMonthDay(unsigned monthDay, TDayNumber from, TDayNumber to)
{
    if (monthDay < 1 || monthDay > 31) return std::nullopt;
    const TDateParts start = DecodeDay(from);
    int year = start.Year;
    unsigned month = start.Month;
    for (int step = 0; step < 3; ++step) {
        TDayNumber value = 0;
        if (TryEncodeDay(year, month, monthDay, value) && value >= from) {
            return DayOf(year, month, monthDay, from, to);
        }
        if (++month > 12) {
            month = 1;
            ++year;
        }
    }
    return std::nullopt;
}

// A day that some year has comes within eight years (29 February).
TDay FirstYearDay(unsigned month, unsigned monthDay, TDayNumber from, TDayNumber to)
{
    if (monthDay < 1 || monthDay > MostDaysIn(month)) return std::nullopt;
    const int fromYear = DecodeDay(from).Year;
    for (int year = fromYear; year <= fromYear + 8; ++year) {
        TDayNumber value = 0;
        if (TryEncodeDay(year, month, monthDay, value) && value >= from) {
            return DayOf(year, month, monthDay, from, to);
        }
    }
    return std::nullopt;
}

// The first date of the plan's kind of `entry` from `from` to `to`.
TDay FirstDate(const TEntryDigest& entry, const TIcsEntryPlan& plan, TDayNumber from, TDayNumber to)
{
    if (to < from) return std::nullopt;
    switch (plan.Repeat) {
    case irDaily: return from;
    case irWeekly: return plan.Weekdays != 0 ? FirstWeekday(plan.Weekdays, from, to) : std::nullopt;
    case irMonthly: return FirstMonthDay(entry.Day, from, to);
    case irYearly: return FirstYearDay(entry.Month, entry.Day, from, to);
    case irOnce: return DayOf(entry.Year, entry.Month, entry.Day, from, to);
    }
    return std::nullopt;
}

// The advance notice when the alarm timer can give it at all.
bool NoticeWithinReach(TPreviouseAlertKind kind, std::int32_t amount)
{
    const std::int64_t perDay = kind == paHours ? 24 : kind == paMinutes ? 24 * 60 : 1;
    return amount > 0 && amount <= kLongestNoticeDays * perDay;
}

} // namespace

TDayNumber IcsRulesFrom(const std::optional<TDayNumber>& firstDatedDay, TDayNumber first)
{
    const TDayNumber from = firstDatedDay ? std::min(*firstDatedDay, first) : first;
    TDayNumber january = 0;
    return TryEncodeDay(DecodeDay(from).Year, 1, 1, january) ? january : from;
}

TIcsEntryPlan PlanIcsEntry(const TEntryDigest& entry, TDayNumber rulesFrom, TDayNumber first, TDayNumber last)
{
    TIcsEntryPlan plan;
    switch (entry.Kind) {
    case akEveryDayAt:
    case akEveryDay:
    case akStartup: plan.Repeat = irDaily; break;
    case akWeekdaysAt:
    case akWeekdays:
        plan.Repeat = irWeekly;
        plan.Weekdays = entry.DaysOfWeek & 0xFE; // bit 0 names no weekday
        break;
    case akMonthDayAt:
    case akMonthDay:
        plan.Repeat = irMonthly;
        plan.MonthDay = static_cast<std::uint8_t>(entry.Day);
        break;
    case akDateAt:
    case akDate: plan.Repeat = irOnce; break;
    case akYearDayAt:
    case akYearDay:
        plan.Repeat = irYearly;
        plan.Month = static_cast<std::uint8_t>(entry.Month);
        plan.MonthDay = static_cast<std::uint8_t>(entry.Day);
        break;
    default: return {}; // kinds above akStartup fall on no date
    }
    if (!FirstDate(entry, plan, first, last)) return {};
    // The rule's first date lies on or before the range's: the search from
    // `rulesFrom` ends at the latest on that one.
    const TDay start = plan.Repeat == irOnce ? FirstDate(entry, plan, first, last)
                                             : FirstDate(entry, plan, std::min(rulesFrom, first), last);
    plan.Occurs = true;
    plan.Start = DecodeDay(*start);

    const bool timedKind = HasTimeOfDay(entry.Kind);
    plan.ImpossibleTime = timedKind && (entry.Hour >= 24 || entry.Minute >= 60);
    plan.Timed = timedKind && !plan.ImpossibleTime;
    if (timedKind) {
        plan.Hour = entry.Hour;
        plan.Minute = entry.Minute;
    }
    if (entry.Active != 0) {
        // The timer never meets an hour of 24 or more, so such an entry never
        // fires; its day notice still comes.
        plan.StartAlarm = !plan.ImpossibleTime;
        const bool noticeKind = entry.AlertKind == paDays ||
                                ((entry.AlertKind == paHours || entry.AlertKind == paMinutes) && plan.Timed);
        if (noticeKind && NoticeWithinReach(entry.AlertKind, entry.AlertAmount)) {
            plan.Notice = entry.AlertKind;
            plan.NoticeAmount = entry.AlertAmount;
        }
    }
    return plan;
}

} // namespace orvexp
