#pragma once
// Whether a day item falls on a date: the meaning of the five day types and
// the three year types.

#include "calendar/DayItem.h"
#include "platform/DateTime.h"

namespace orvexp {

// A date decoded once, for matching many items against it.
struct TMatchDate {
    explicit TMatchDate(TDateTime date);
    TDateParts Parts;     // month 0 outside the supported years
    int Weekday = 0;      // 0 = Sunday .. 6 = Saturday
    int DaysInMonth = 0;
    bool Whole = false;   // no time of day
};

// True when `item` falls on `date`. The weekday-number types compare whole
// date values, so a date carrying a time of day never matches them; an
// unknown DayType never matches; an unknown YearType sets no year limit.
bool DayItemMatches(const TKyDayItem& item, TDateTime date);
bool DayItemMatches(const TKyDayItem& item, const TMatchDate& date);

// Days of the month (leap Februaries 29); 0 for a month outside 1..12.
int DaysInMonth(int year, int month);

// The n-th day with `weekday` (0 = Sunday .. 6 = Saturday) in the month of
// `date`: 1..4 the n-th, 5 or more the last of the month. For n = 0 (or a
// date outside the supported years) the zero date value, which no real date equals.
TDateTime NthDayOfWeekInMonth(int weekday, int n, TDateTime date);

} // namespace orvexp
