#pragma once
// The holiday calculator: owns the holiday, special-day and day-off lists and
// tells which kinds of day a date is and which texts belong to it, computing
// the equinox days and substitute holidays on request.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "calendar/DayItem.h"
#include "platform/DateTime.h"

namespace orvexp {

enum TKyDayKind : std::uint8_t {
    dkSunday,
    dkSaturday,
    dkHoliday,
    dkSubstitute,
    dkSpecialDay,
    dkMonthEnd,
    dkDayOff,
};

// A set of TKyDayKind.
class TKyDayKinds {
public:
    constexpr TKyDayKinds() = default;
    constexpr TKyDayKinds(std::initializer_list<TKyDayKind> kinds)
    {
        for (TKyDayKind kind : kinds) Include(kind);
    }

    constexpr bool Contains(TKyDayKind kind) const { return (Bits >> kind) & 1u; }
    constexpr void Include(TKyDayKind kind) { Bits = static_cast<std::uint8_t>(Bits | (1u << kind)); }
    constexpr bool Empty() const { return Bits == 0; }
    constexpr bool operator==(const TKyDayKinds&) const = default;

private:
    std::uint8_t Bits = 0;
};

// Where a day text comes from: one of the three lists, or the calculator's
// own equinox and substitute-holiday rules.
enum TKyDayTextSource : std::uint8_t { dtsSpecialDay, dtsHoliday, dtsVernalEquinox, dtsAutumnalEquinox,
                                       dtsSubstitute, dtsDayOff };

struct TKyDayText {
    TKyDayTextSource Source;
    const std::string* Text;  // the item's text, or the calculator's own
    const TKyDayItem* Item;   // the list's item; null for a computed day
};

class TKyCustomDateEx {
public:
    TKyCustomDateEx() = default;
    virtual ~TKyCustomDateEx() = default;
    TKyCustomDateEx(const TKyCustomDateEx&) = delete;
    TKyCustomDateEx& operator=(const TKyCustomDateEx&) = delete;

    bool AutoEquinox = false; // the spring and autumn equinox days are holidays
    bool AutoFurikae = false; // a Monday after a Sunday holiday is a substitute holiday

    TKyDayItemList& HolidayList() { return Holidays; }
    TKyDayItemList& SpecialDayList() { return SpecialDays; }
    TKyDayItemList& CustomDayOffList() { return DaysOff; }
    const TKyDayItemList& HolidayList() const { return Holidays; }
    const TKyDayItemList& SpecialDayList() const { return SpecialDays; }
    const TKyDayItemList& CustomDayOffList() const { return DaysOff; }

    // Reads one day definition of comma-separated fields (2: weekday,text;
    // 3: month,day,text; 4: month,n,weekday,text; 5: year,yeartype,month,day,text;
    // 6: year,yeartype,month,n,weekday,text). On entry `month` is a month filter
    // (0 = any). When the line does not apply, month is 13, day 32 and text
    // empty. Raises EConvertError "'%s' は整数ではありません" for a numeric
    // field that is not an integer.
    virtual void ParseDayLine(const std::string& line, int year, TDateTime date, int& month, int& day,
                              std::string& text) const;

    // The kinds of the date. A date that does not exist has none.
    virtual TKyDayKinds GetDayKinds(std::uint16_t year, std::uint16_t month, std::uint16_t day) const;
    virtual TKyDayKinds GetDayKindsOfDate(TDateTime date) const;

    // The date's texts as one comma text (special days, holidays, computed
    // days, days off, in that order) and which of the three lists spoke.
    void GetDayTexts(std::uint16_t year, std::uint16_t month, std::uint16_t day, bool& isHoliday, bool& isDayOff,
                     bool& isSpecialDay, std::string& text) const;
    // The same texts one by one, in that order, with where each comes from;
    // `texts` is cleared first. A date that does not exist has none.
    void DayTextsOf(TDateTime date, std::vector<TKyDayText>& texts) const;
    // The texts of the three lists' items alone, in the order of the HTML
    // page's date cell: holidays, special days, days off.
    void DayItemTextsOf(TDateTime date, std::vector<TKyDayText>& texts) const;

    // The equinox days by formula, for every year.
    bool IsVernalEquinoxDay(std::uint16_t year, std::uint16_t month, std::uint16_t day) const;
    bool IsAutumnalEquinoxDay(std::uint16_t year, std::uint16_t month, std::uint16_t day) const;

    int DaysInMonth(std::uint16_t year, std::uint16_t month) const;
    int DaysInMonthOf(TDateTime date) const;
    // 0 = Sunday .. 6 = Saturday; -1 for a month that does not exist.
    int FirstWeekdayOfMonth(std::uint16_t year, std::uint16_t month) const;
    int FirstWeekdayOfMonthOf(TDateTime date) const;

private:
    bool AnyMatches(const TKyDayItemList& list, bool dateValid, TDateTime date) const;

    TKyDayItemList Holidays;
    TKyDayItemList SpecialDays;
    TKyDayItemList DaysOff;
};

class TKyDateEx : public TKyCustomDateEx {};

// Joins texts as a comma text: "," between them; a text holding a space, a
// control character, a double quote or a comma is quoted with inner quotes
// doubled (double-byte characters are stepped over whole); one empty text
// gives "\"\"", no texts give "".
std::string CommaText(const std::vector<std::string>& texts);

} // namespace orvexp
