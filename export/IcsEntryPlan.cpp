#include "export/IcsEntryPlan.h"

namespace orvexp {

namespace {

// The date of `value` when it lies in [first, last].
bool InRange(TDateTime value, std::int64_t first, std::int64_t last, TDateParts& date)
{
    const auto day = static_cast<std::int64_t>(value);
    if (day < first || day > last) return false;
    date = DecodeDate(value);
    return true;
}

// The most days month `month` ever has (29 for February); 0 for no month.
unsigned MostDaysIn(unsigned month)
{
    static constexpr unsigned kDays[] = {0, 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month <= 12 ? kDays[month] : 0;
}

bool FirstWeekday(std::uint8_t weekdays, std::int64_t first, std::int64_t last, TDateParts& date)
{
    for (std::int64_t day = first; day <= last && day < first + 7; ++day) {
        const int weekday = DayOfWeek(static_cast<TDateTime>(day));
        if ((weekdays >> weekday & 1) != 0) return InRange(static_cast<TDateTime>(day), first, last, date);
    }
    return false;
}

// A day of the month that some month has comes within three months.
bool FirstMonthDay(unsigned monthDay, std::int64_t first, std::int64_t last, TDateParts& date)
{
    if (monthDay < 1 || monthDay > 31) return false;
    const TDateParts from = DecodeDate(static_cast<TDateTime>(first));
    int year = from.Year;
    unsigned month = from.Month;
    for (int step = 0; step < 3; ++step) {
        TDateTime value = 0;
        if (TryEncodeDate(year, month, monthDay, value) && static_cast<std::int64_t>(value) >= first) {
            return InRange(value, first, last, date);
        }
        if (++month > 12) {
            month = 1;
            ++year;
        }
    }
    return false;
}

// A day that some year has comes within eight years (29 February).
bool FirstYearDay(unsigned month, unsigned monthDay, std::int64_t first, std::int64_t last, TDateParts& date)
{
    if (monthDay < 1 || monthDay > MostDaysIn(month)) return false;
    const int fromYear = DecodeDate(static_cast<TDateTime>(first)).Year;
    for (int year = fromYear; year <= fromYear + 8; ++year) {
        TDateTime value = 0;
        if (TryEncodeDate(year, month, monthDay, value) && static_cast<std::int64_t>(value) >= first) {
            return InRange(value, first, last, date);
        }
    }
    return false;
}

} // namespace

TIcsEntryPlan PlanIcsEntry(const TEntryDigest& entry, std::int64_t first, std::int64_t last)
{
    TIcsEntryPlan plan;
    if (last < first) return plan;
    switch (entry.Kind) {
    case akEveryDayAt:
    case akEveryDay:
    case akStartup:
        plan.Repeat = irDaily;
        plan.Occurs = InRange(static_cast<TDateTime>(first), first, last, plan.First);
        break;
    case akWeekdaysAt:
    case akWeekdays:
        plan.Repeat = irWeekly;
        plan.Weekdays = entry.DaysOfWeek & 0xFE; // bit 0 names no weekday
        plan.Occurs = plan.Weekdays != 0 && FirstWeekday(plan.Weekdays, first, last, plan.First);
        break;
    case akMonthDayAt:
    case akMonthDay:
        plan.Repeat = irMonthly;
        plan.MonthDay = static_cast<std::uint8_t>(entry.Day);
        plan.Occurs = FirstMonthDay(entry.Day, first, last, plan.First);
        break;
    case akDateAt:
    case akDate: {
        TDateTime value = 0;
        plan.Occurs = TryEncodeDate(entry.Year, entry.Month, entry.Day, value) && InRange(value, first, last, plan.First);
        break;
    }
    case akYearDayAt:
    case akYearDay:
        plan.Repeat = irYearly;
        plan.Month = static_cast<std::uint8_t>(entry.Month);
        plan.MonthDay = static_cast<std::uint8_t>(entry.Day);
        plan.Occurs = FirstYearDay(entry.Month, entry.Day, first, last, plan.First);
        break;
    }
    if (!plan.Occurs) return {};

    const bool timedKind = entry.Kind <= akYearDayAt;
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
        const bool notice = entry.AlertAmount > 0 &&
                            (entry.AlertKind == paDays ||
                             ((entry.AlertKind == paHours || entry.AlertKind == paMinutes) && plan.Timed));
        if (notice) {
            plan.Notice = entry.AlertKind;
            plan.NoticeAmount = entry.AlertAmount;
        }
    }
    return plan;
}

} // namespace orvexp
