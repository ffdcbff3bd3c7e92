#pragma once
// Day items (holidays, special days, days off) for tests, built field by field,
// and the day file our own writer makes of them.

#include <memory>
#include <string>
#include <vector>

#include "calendar/DayItem.h"

namespace orvexp::test {

struct TItemFields {
    TKyDayType DayType = dtYearMonthDay;
    std::uint16_t Year = 0, Month = 0, Day = 0;
    TKyDaysOfWeek DaysOfWeek = 0;
    std::uint8_t NumOfDayOfWeek = 0;
    TKyYearType YearType = ytThisYear;
    std::string DayText{};
};

// A fresh item (its own GUID) with the fields given.
inline TKyDayItem MakeItem(const TItemFields& f)
{
    TKyDayItem item;
    item.DayType = f.DayType;
    item.Year = f.Year;
    item.Month = f.Month;
    item.Day = f.Day;
    item.DaysOfWeek = f.DaysOfWeek;
    item.NumOfDayOfWeek = f.NumOfDayOfWeek;
    item.YearType = f.YearType;
    item.DayText = f.DayText;
    return item;
}

inline void AddItem(TKyDayItemList& list, const TItemFields& f)
{
    list.Add(std::make_unique<TKyDayItem>(MakeItem(f)));
}

// One month and day of every year.
inline TKyDayItem MonthDayItem(std::uint16_t month, std::uint16_t day, const std::string& text)
{
    return MakeItem({.DayType = dtMonthDay, .Month = month, .Day = day, .DayText = text});
}

// The given weekdays of every week.
inline TKyDayItem WeekdayItem(TKyDaysOfWeek days, const std::string& text)
{
    return MakeItem({.DayType = dtDayOfWeek, .DaysOfWeek = days, .DayText = text});
}

// The bytes of a day file holding the items.
inline std::string DayFile(const std::vector<TKyDayItem>& items)
{
    TKyDayItemList list;
    for (const TKyDayItem& item : items) list.Add(std::make_unique<TKyDayItem>(item));
    return WriteDayFile(list);
}

} // namespace orvexp::test
