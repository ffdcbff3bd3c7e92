#pragma once
// The date-time value of Orvanel's data: an IEEE double whose whole part
// counts days since 1899-12-30 and whose fraction is the time of day.
// Conversions go through std::chrono calendar types.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace orvexp {

using TDateTime = double;

class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct TDateParts {
    int Year = 0;
    unsigned Month = 0;
    unsigned Day = 0;
    bool operator==(const TDateParts&) const = default;
};

struct TTimeParts {
    unsigned Hour = 0;
    unsigned Minute = 0;
    unsigned Second = 0;
    unsigned MilliSecond = 0;
};

// Dates are supported for the years 1..9999; beyond that a value is invalid.
bool IsValidDate(int year, unsigned month, unsigned day);

// A whole day as the data counts it: days since 1899-12-30, the whole part of
// a TDateTime. Ranges of days are walked by these; the conversions below are
// the only places the two meet.
using TDayNumber = std::int64_t;
// The first and the last supported date (0001-01-01, 9999-12-31).
inline constexpr TDayNumber kFirstDay = -693593;
inline constexpr TDayNumber kLastDay = 2958465;

// The whole-day value of a calendar date; false when the date does not exist.
bool TryEncodeDate(int year, unsigned month, unsigned day, TDateTime& result);
// As TryEncodeDate, raising EConvertError for a date that does not exist.
TDateTime EncodeDate(int year, unsigned month, unsigned day);
// The time-of-day fraction; raises EConvertError for hours >= 24, minutes or seconds >= 60.
TDateTime EncodeTime(unsigned hour, unsigned minute, unsigned second = 0, unsigned milliSecond = 0);

// The calendar date of a value (its whole part, cut toward zero). A value outside
// the years 1..9999 or not finite gives year 0, month 0, day 0.
TDateParts DecodeDate(TDateTime value);
// The time of day of a value, to the millisecond.
TTimeParts DecodeTime(TDateTime value);

// The whole day of a value (cut toward zero).
TDateTime DateOf(TDateTime value);

// The day of a value (cut toward zero, as DateOf), and the value of a day at midnight.
TDayNumber DayNumberOf(TDateTime value);
TDateTime DateTimeOfDay(TDayNumber day);
// The calendar date of a day (as DecodeDate), and the day of a calendar date
// (false when the date does not exist).
TDateParts DecodeDay(TDayNumber day);
bool TryEncodeDay(int year, unsigned month, unsigned day, TDayNumber& result);
// The day (UTC) of a moment in seconds since 1970-01-01 UTC.
TDayNumber DayOfUnixSeconds(std::int64_t seconds);

// 1 = Sunday ... 7 = Saturday; 0 for a value outside the supported range.
int DayOfWeek(TDateTime value);

// "yyyy/mm/dd" with the Japanese locale's slash.
std::string FormatDateText(TDateTime value);
std::string FormatDateText(const TDateParts& parts);

// Reads "yyyy/mm/dd" (one- or two-digit month and day accepted); false when not a date.
bool TryParseDateText(std::string_view text, TDateTime& result);

} // namespace orvexp
