#include "calendar/DayMatching.h"

namespace orvexp {

int DaysInMonth(int year, int month)
{
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    return month == 2 && leap ? 29 : kDays[month - 1];
}

TDateTime NthDayOfWeekInMonth(int weekday, int n, TDateTime date)
{
    if (n <= 0) return 0;
    const TDateParts parts = DecodeDate(date);
    TDateTime first = 0;
    if (!TryEncodeDate(parts.Year, parts.Month, 1, first)) return 0;
    const int firstWeekday = DayOfWeek(first) - 1;
    const int days = DaysInMonth(parts.Year, static_cast<int>(parts.Month));
    TDateTime result = 0;
    int count = 0;
    for (int day = 0; day < days; ++day) {
        if ((firstWeekday + day) % 7 != weekday) continue;
        result = first + day;
        if (++count == n) break; // n > 4 never stops here and so keeps the last
    }
    return result;
}

namespace {

bool MonthDayMatches(const TKyDayItem& item, const TDateParts& parts)
{
    if (item.Month != parts.Month) return false;
    if (item.Day == 0) return static_cast<int>(parts.Day) == DaysInMonth(parts.Year, static_cast<int>(parts.Month));
    return item.Day == parts.Day;
}

// The n-th such weekday of the month (n above 4: the last), as
// NthDayOfWeekInMonth finds it, without building dates.
bool WeekdayNumberMatches(const TKyDayItem& item, const TMatchDate& date)
{
    if (item.Month != date.Parts.Month || !date.Whole) return false;
    // Only the lowest weekday of the set counts; an empty set means Sunday.
    int weekday = kydwSunday;
    for (int w = kydwSunday; w <= kydwSaturday; ++w) {
        if (item.DaysOfWeek & (1u << w)) {
            weekday = w;
            break;
        }
    }
    // n = 0 chooses no day, and must not meet the zero date itself.
    const int n = item.NumOfDayOfWeek;
    if (n == 0 || date.Weekday != weekday) return false;
    const auto day = static_cast<int>(date.Parts.Day);
    return n <= 4 ? (day - 1) / 7 + 1 == n : day + 7 > date.DaysInMonth;
}

bool YearMatches(const TKyDayItem& item, const TDateParts& parts)
{
    switch (item.YearType) {
    case ytThisYear:
        return parts.Year == item.Year;
    case ytAfterThisYear:
        return parts.Year >= item.Year;
    case ytBeforeThisYear:
        return parts.Year <= item.Year;
    }
    return true; // an unknown year type sets no limit
}

} // namespace

TMatchDate::TMatchDate(TDateTime date)
    : Parts(DecodeDate(date)), Weekday(DayOfWeek(date) - 1),
      DaysInMonth(orvexp::DaysInMonth(Parts.Year, static_cast<int>(Parts.Month))), Whole(date == DateOf(date))
{
}

bool DayItemMatches(const TKyDayItem& item, TDateTime date)
{
    return DayItemMatches(item, TMatchDate(date));
}

bool DayItemMatches(const TKyDayItem& item, const TMatchDate& date)
{
    const TDateParts& parts = date.Parts;
    if (parts.Month == 0) return false; // outside the supported years
    switch (item.DayType) {
    case dtDayOfWeek:
        return (item.DaysOfWeek >> date.Weekday) & 1u;
    case dtMonthDay:
        return MonthDayMatches(item, parts);
    case dtMonthDayOfWeekNum:
        return WeekdayNumberMatches(item, date);
    case dtYearMonthDay:
        return YearMatches(item, parts) && MonthDayMatches(item, parts);
    case dtYearMonthDayOfWeekNum:
        return YearMatches(item, parts) && WeekdayNumberMatches(item, date);
    }
    return false;
}

} // namespace orvexp
