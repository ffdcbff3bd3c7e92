#include "platform/DateTime.h"

#include <chrono>
#include <cmath>
#include <cstdio>

namespace orvexp {

namespace {

using namespace std::chrono;

// 1899-12-30 is day 0; sys_days counts from 1970-01-01.
constexpr int kEpochOffset = 25569;
constexpr double kMilliSecondsPerDay = 86400000.0;

// Days of 0001-01-01 and 9999-12-31, the range the toolkit's dates cover.
constexpr auto kMinDay = static_cast<double>(kFirstDay);
constexpr auto kMaxDay = static_cast<double>(kLastDay);

bool InRange(TDateTime value)
{
    return std::isfinite(value) && value > kMinDay - 1.0 && value < kMaxDay + 1.0;
}

} // namespace

bool IsValidDate(int year, unsigned month, unsigned day)
{
    // chrono's month and day hold a byte: day 266 would be read as day 10.
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31) return false;
    return year_month_day{std::chrono::year{year}, std::chrono::month{month}, std::chrono::day{day}}.ok();
}

bool TryEncodeDate(int year, unsigned month, unsigned day, TDateTime& result)
{
    if (!IsValidDate(year, month, day)) return false;
    const sys_days days{year_month_day{std::chrono::year{year}, std::chrono::month{month}, std::chrono::day{day}}};
    result = static_cast<double>(days.time_since_epoch().count() + kEpochOffset);
    return true;
}

TDateTime EncodeDate(int year, unsigned month, unsigned day)
{
    TDateTime result = 0;
    if (!TryEncodeDate(year, month, day, result)) {
        char text[64];
        std::snprintf(text, sizeof text, "invalid date %d-%u-%u", year, month, day);
        throw EConvertError(text);
    }
    return result;
}

TDateTime EncodeTime(unsigned hour, unsigned minute, unsigned second, unsigned milliSecond)
{
    if (hour >= 24 || minute >= 60 || second >= 60 || milliSecond >= 1000) {
        char text[64];
        std::snprintf(text, sizeof text, "invalid time %u:%u:%u", hour, minute, second);
        throw EConvertError(text);
    }
    const double ms = ((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + milliSecond;
    return ms / kMilliSecondsPerDay;
}

TDateTime DateOf(TDateTime value)
{
    return std::trunc(value);
}

TDayNumber DayNumberOf(TDateTime value)
{
    return static_cast<TDayNumber>(value);
}

TDateTime DateTimeOfDay(TDayNumber day)
{
    return static_cast<TDateTime>(day);
}

TDateParts DecodeDay(TDayNumber day)
{
    return DecodeDate(DateTimeOfDay(day));
}

bool TryEncodeDay(int year, unsigned month, unsigned day, TDayNumber& result)
{
    TDateTime value = 0;
    if (!TryEncodeDate(year, month, day, value)) return false;
    result = DayNumberOf(value);
    return true;
}

TDayNumber DayOfUnixSeconds(std::int64_t seconds)
{
    constexpr std::int64_t kSecondsPerDay = 86400;
    const std::int64_t days = seconds / kSecondsPerDay - (seconds % kSecondsPerDay < 0 ? 1 : 0);
    return days + kEpochOffset;
}

TDateParts DecodeDate(TDateTime value)
{
    if (!InRange(value)) return {};
    const auto whole = static_cast<int>(std::trunc(value));
    const year_month_day date{sys_days{days{whole - kEpochOffset}}};
    return {static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
            static_cast<unsigned>(date.day())};
}

TTimeParts DecodeTime(TDateTime value)
{
    if (!std::isfinite(value)) return {};
    const double fraction = std::fabs(value - std::trunc(value));
    auto ms = static_cast<long long>(std::llround(fraction * kMilliSecondsPerDay));
    if (ms >= 86400000LL) ms = 86399999LL;
    TTimeParts parts;
    parts.MilliSecond = static_cast<unsigned>(ms % 1000);
    ms /= 1000;
    parts.Second = static_cast<unsigned>(ms % 60);
    ms /= 60;
    parts.Minute = static_cast<unsigned>(ms % 60);
    parts.Hour = static_cast<unsigned>(ms / 60);
    return parts;
}

int DayOfWeek(TDateTime value)
{
    if (!InRange(value)) return 0;
    const auto whole = static_cast<int>(std::trunc(value));
    const weekday day{sys_days{days{whole - kEpochOffset}}};
    return static_cast<int>(day.c_encoding()) + 1;
}

std::string FormatDateText(const TDateParts& parts)
{
    char text[32];
    std::snprintf(text, sizeof text, "%04d/%02u/%02u", parts.Year, parts.Month, parts.Day);
    return text;
}

std::string FormatDateText(TDateTime value)
{
    return FormatDateText(DecodeDate(value));
}

bool TryParseDateText(std::string_view text, TDateTime& result)
{
    int fields[3] = {0, 0, 0};
    std::size_t pos = 0;
    for (int i = 0; i < 3; ++i) {
        const std::size_t start = pos;
        while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && pos - start < 4) {
            fields[i] = fields[i] * 10 + (text[pos] - '0');
            ++pos;
        }
        const std::size_t digits = pos - start;
        if (digits == 0 || (i > 0 && digits > 2)) return false;
        if (i < 2) {
            if (pos >= text.size() || text[pos] != '/') return false;
            ++pos;
        }
    }
    if (pos != text.size()) return false;
    return TryEncodeDate(fields[0], static_cast<unsigned>(fields[1]), static_cast<unsigned>(fields[2]), result);
}

} // namespace orvexp
