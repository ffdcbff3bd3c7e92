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

bool WeekdayNumberMatches(const TKyDayItem& item, const TDateParts& parts, TDateTime date)
{
    if (item.Month != parts.Month) return false;
    // Only the lowest weekday of the set counts; an empty set means Sunday.
    int weekday = kydwSunday;
    for (int w = kydwSunday; w <= kydwSaturday; ++w) {
        if (item.DaysOfWeek & (1u << w)) {
            weekday = w;
            break;
        }
    }
    // n = 0 chooses no day, and must not meet the zero date itself.
    if (item.NumOfDayOfWeek == 0) return false;
    return date == NthDayOfWeekInMonth(weekday, item.NumOfDayOfWeek, date);
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

bool DayItemMatches(const TKyDayItem& item, TDateTime date)
{
    const TDateParts parts = DecodeDate(date);
    if (parts.Month == 0) return false; // outside the supported years
    switch (item.DayType) {
    case dtDayOfWeek: {
        const int weekday = DayOfWeek(date) - 1;
        return (item.DaysOfWeek >> weekday) & 1u;
    }
    case dtMonthDay:
        return MonthDayMatches(item, parts);
    case dtMonthDayOfWeekNum:
        return WeekdayNumberMatches(item, parts, date);
    case dtYearMonthDay:
        return YearMatches(item, parts) && MonthDayMatches(item, parts);
    case dtYearMonthDayOfWeekNum:
        return YearMatches(item, parts) && WeekdayNumberMatches(item, parts, date);
    }
    return false;
}

} // namespace orvexp
