#include "calendar/DateEx.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "calendar/CalendarTexts.h"
#include "calendar/DayMatching.h"
#include "platform/Text.h"

namespace orvexp {

namespace {

// Bytes after which a comma text must quote: controls, space, '"' and ','.
bool NeedsQuoting(unsigned char byte)
{
    return byte <= 0x20 || byte == '"' || byte == ',';
}

// The length of the character starting at `pos`: a Shift_JIS lead byte and
// its trail byte are one character (a lead byte at the very end stands alone).
std::size_t CharLength(std::string_view text, std::size_t pos)
{
    return IsSjisLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() ? 2 : 1;
}

std::string QuotedIfNeeded(const std::string& text)
{
    bool quote = false;
    for (std::size_t i = 0; i < text.size() && !quote; i += CharLength(text, i)) {
        quote = NeedsQuoting(static_cast<unsigned char>(text[i]));
    }
    if (!quote) return text;
    std::string result = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = CharLength(text, i);
        result.append(text, i, length);
        if (length == 1 && text[i] == '"') result += '"';
        i += length;
    }
    result += '"';
    return result;
}

// A decimal integer field (leading blanks allowed, as the toolkit reads them);
// EConvertError "'%s' は整数ではありません" otherwise.
int FieldToInt(const std::string& field)
{
    std::size_t pos = 0;
    while (pos < field.size() && field[pos] == ' ') ++pos;
    bool negative = false;
    if (pos < field.size() && (field[pos] == '+' || field[pos] == '-')) negative = field[pos++] == '-';
    std::int64_t value = 0;
    const std::size_t digitsStart = pos;
    for (; pos < field.size() && field[pos] >= '0' && field[pos] <= '9'; ++pos) {
        value = value * 10 + (field[pos] - '0');
        if (value > std::int64_t{std::numeric_limits<int>::max()} + 1) break;
    }
    if (negative) value = -value;
    if (pos == digitsStart || pos != field.size() || value > std::numeric_limits<int>::max() ||
        value < std::numeric_limits<int>::min()) {
        throw EConvertError("'" + Cp932ToUtf8(field) + "' は整数ではありません");
    }
    return static_cast<int>(value);
}

// Weekday of the first of a month, 1 = Sunday .. 7 = Saturday; 0 when the month does not exist.
int FirstDayOfWeek(int year, int month)
{
    TDateTime first = 0;
    if (month < 1 || month > 12 || !TryEncodeDate(year, static_cast<unsigned>(month), 1, first)) return 0;
    return DayOfWeek(first);
}

// The day of the n-th `weekday` (1 = Sunday .. 7 = Saturday) of a month whose
// first falls on `firstWeekday`; not checked against the month's length.
int NthWeekdayDay(int n, int weekday, int firstWeekday)
{
    return ((weekday + 7 - firstWeekday) % 7) + 1 + 7 * (n - 1);
}

// The year test of the day lines: the line's year against the given year.
bool LineYearPasses(int lineYear, int yearType, int year)
{
    switch (yearType) {
    case 0:
        return lineYear == year;
    case 1:
        return lineYear >= year;
    case 2:
        return lineYear <= year;
    default:
        return true;
    }
}

// Day = Trunc(0.242194 t + c) - Trunc(t / 4) with t = year - 1980; both cut
// toward zero, and t / 4 is a real division. No year range applies.
bool IsEquinoxDay(std::uint16_t year, std::uint16_t day, double constant)
{
    const double t = static_cast<int>(year) - 1980;
    return static_cast<double>(day) == std::trunc(0.242194 * t + constant) - std::trunc(t / 4.0);
}

} // namespace

std::string CommaText(const std::vector<std::string>& texts)
{
    if (texts.size() == 1 && texts.front().empty()) return "\"\"";
    std::string result;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i > 0) result += ',';
        result += QuotedIfNeeded(texts[i]);
    }
    return result;
}

bool TKyCustomDateEx::AnyMatches(const TKyDayItemList& list, bool dateValid, TDateTime date) const
{
    if (!dateValid) return false;
    const TMatchDate match(date);
    for (int i = 0; i < list.Count(); ++i) {
        if (DayItemMatches(list[i], match)) return true;
    }
    return false;
}

TKyDayKinds TKyCustomDateEx::GetDayKinds(std::uint16_t year, std::uint16_t month, std::uint16_t day) const
{
    TKyDayKinds kinds;
    TDateTime date = 0;
    if (!TryEncodeDate(year, month, day, date)) return kinds;

    if (AnyMatches(SpecialDays, true, date)) kinds.Include(dkSpecialDay);
    if (AnyMatches(Holidays, true, date)) kinds.Include(dkHoliday);
    const int weekday = DayOfWeek(date); // 1 = Sunday
    if (weekday == 1) kinds.Include(dkSunday);
    if (weekday == 7) kinds.Include(dkSaturday);
    if (AutoEquinox && (IsVernalEquinoxDay(year, month, day) || IsAutumnalEquinoxDay(year, month, day))) {
        kinds.Include(dkHoliday);
    }
    if (day == DaysInMonth(year, month)) kinds.Include(dkMonthEnd);
    // Only the Sunday just before a Monday is looked at, so a substitute
    // holiday never moves on past the Monday.
    if (AutoFurikae && weekday == 2 && !kinds.Contains(dkHoliday)) {
        const TDateParts sunday = DecodeDate(date - 1);
        if (sunday.Month != 0 &&
            GetDayKinds(static_cast<std::uint16_t>(sunday.Year), static_cast<std::uint16_t>(sunday.Month),
                        static_cast<std::uint16_t>(sunday.Day))
                .Contains(dkHoliday)) {
            kinds.Include(dkSubstitute);
        }
    }
    if (AnyMatches(DaysOff, true, date)) kinds.Include(dkDayOff);
    return kinds;
}

TKyDayKinds TKyCustomDateEx::GetDayKindsOfDate(TDateTime date) const
{
    const TDateParts parts = DecodeDate(date);
    return GetDayKinds(static_cast<std::uint16_t>(parts.Year), static_cast<std::uint16_t>(parts.Month),
                       static_cast<std::uint16_t>(parts.Day));
}

void TKyCustomDateEx::GetDayTexts(std::uint16_t year, std::uint16_t month, std::uint16_t day, bool& isHoliday,
                                  bool& isDayOff, bool& isSpecialDay, std::string& text) const
{
    text.clear();
    isHoliday = isDayOff = isSpecialDay = false;
    TDateTime date = 0;
    if (!TryEncodeDate(year, month, day, date)) return;

    std::vector<TKyDayText> found;
    DayTextsOf(date, found);
    std::vector<std::string> texts;
    for (const TKyDayText& each : found) {
        texts.push_back(*each.Text);
        (each.Source == dtsSpecialDay ? isSpecialDay : each.Source == dtsDayOff ? isDayOff : isHoliday) = true;
    }
    text = CommaText(texts);
}

namespace {

void CollectItemTexts(const TKyDayItemList& list, TKyDayTextSource source, const TMatchDate& match,
                      std::vector<TKyDayText>& texts)
{
    for (int i = 0; i < list.Count(); ++i) {
        if (DayItemMatches(list[i], match)) texts.push_back({source, &list[i].DayText, &list[i]});
    }
}

} // namespace

void TKyCustomDateEx::DayItemTextsOf(TDateTime date, std::vector<TKyDayText>& texts) const
{
    texts.clear();
    const TMatchDate match(date);
    if (match.Parts.Year == 0) return;
    CollectItemTexts(Holidays, dtsHoliday, match, texts);
    CollectItemTexts(SpecialDays, dtsSpecialDay, match, texts);
    CollectItemTexts(DaysOff, dtsDayOff, match, texts);
}

void TKyCustomDateEx::DayTextsOf(TDateTime date, std::vector<TKyDayText>& texts) const
{
    texts.clear();
    const TMatchDate match(date);
    const TDateParts& parts = match.Parts;
    if (parts.Year == 0) return;
    const auto year = static_cast<std::uint16_t>(parts.Year);
    const auto month = static_cast<std::uint16_t>(parts.Month);
    const auto day = static_cast<std::uint16_t>(parts.Day);
    auto collect = [&](const TKyDayItemList& list, TKyDayTextSource source) {
        CollectItemTexts(list, source, match, texts);
    };
    static const std::string kVernal = sjis::kVernalEquinoxDay, kAutumnal = sjis::kAutumnalEquinoxDay,
                             kSubstitute = sjis::kSubstituteHoliday;
    collect(SpecialDays, dtsSpecialDay);
    collect(Holidays, dtsHoliday);
    if (AutoEquinox) {
        if (IsVernalEquinoxDay(year, month, day)) {
            texts.push_back({dtsVernalEquinox, &kVernal, nullptr});
        } else if (IsAutumnalEquinoxDay(year, month, day)) {
            texts.push_back({dtsAutumnalEquinox, &kAutumnal, nullptr});
        }
    }
    // Only a Monday can be a substitute holiday.
    if (AutoFurikae && match.Weekday == 1 && GetDayKinds(year, month, day).Contains(dkSubstitute)) {
        texts.push_back({dtsSubstitute, &kSubstitute, nullptr});
    }
    collect(DaysOff, dtsDayOff);
}

bool TKyCustomDateEx::IsVernalEquinoxDay(std::uint16_t year, std::uint16_t month, std::uint16_t day) const
{
    return month == 3 && IsEquinoxDay(year, day, 20.8431);
}

bool TKyCustomDateEx::IsAutumnalEquinoxDay(std::uint16_t year, std::uint16_t month, std::uint16_t day) const
{
    return month == 9 && IsEquinoxDay(year, day, 23.2488);
}

int TKyCustomDateEx::DaysInMonth(std::uint16_t year, std::uint16_t month) const
{
    return orvexp::DaysInMonth(year, month);
}

int TKyCustomDateEx::DaysInMonthOf(TDateTime date) const
{
    const TDateParts parts = DecodeDate(date);
    return orvexp::DaysInMonth(parts.Year, static_cast<int>(parts.Month));
}

int TKyCustomDateEx::FirstWeekdayOfMonth(std::uint16_t year, std::uint16_t month) const
{
    return FirstDayOfWeek(year, month) - 1;
}

int TKyCustomDateEx::FirstWeekdayOfMonthOf(TDateTime date) const
{
    const TDateParts parts = DecodeDate(date);
    return FirstDayOfWeek(parts.Year, static_cast<int>(parts.Month)) - 1;
}

void TKyCustomDateEx::ParseDayLine(const std::string& line, int year, TDateTime date, int& month, int& day,
                                   std::string& text) const
{
    const int filter = month;
    month = 13;
    day = 32;
    text.clear();
    const std::vector<std::string> fields = SplitText(line, ',');
    const auto monthPasses = [filter](int lineMonth) { return filter == 0 || lineMonth == filter; };

    switch (fields.size()) {
    case 2: {
        const int weekday = FieldToInt(fields[0]);
        if (DayOfWeek(date) - 1 != weekday) return;
        const TDateParts parts = DecodeDate(date);
        if (parts.Month == 0) return;
        month = static_cast<int>(parts.Month);
        day = static_cast<int>(parts.Day);
        text = fields[1];
        return;
    }
    case 3: {
        const int lineMonth = FieldToInt(fields[0]);
        const int lineDay = FieldToInt(fields[1]);
        if (!monthPasses(lineMonth)) return;
        // "Last day" needs a real month to count.
        if (lineDay == 0 && orvexp::DaysInMonth(year, lineMonth) == 0) return;
        month = lineMonth;
        day = lineDay == 0 ? orvexp::DaysInMonth(year, lineMonth) : lineDay;
        text = fields[2];
        return;
    }
    case 4: {
        const int lineMonth = FieldToInt(fields[0]);
        const int n = FieldToInt(fields[1]);
        const int weekday = FieldToInt(fields[2]);
        if (!monthPasses(lineMonth)) return;
        const int firstWeekday = FirstDayOfWeek(year, lineMonth);
        if (firstWeekday == 0) return; // no such month to count in
        month = lineMonth;
        day = NthWeekdayDay(n, weekday, firstWeekday);
        text = fields[3];
        return;
    }
    case 5: {
        const int lineYear = FieldToInt(fields[0]);
        const int yearType = FieldToInt(fields[1]);
        const int lineMonth = FieldToInt(fields[2]);
        const int lineDay = FieldToInt(fields[3]);
        if (!monthPasses(lineMonth) || !LineYearPasses(lineYear, yearType, year)) return;
        month = lineMonth;
        day = lineDay;
        text = fields[4];
        return;
    }
    case 6: {
        const int lineYear = FieldToInt(fields[0]);
        const int yearType = FieldToInt(fields[1]);
        const int lineMonth = FieldToInt(fields[2]);
        const int n = FieldToInt(fields[3]);
        const int weekday = FieldToInt(fields[4]);
        if (!monthPasses(lineMonth) || !LineYearPasses(lineYear, yearType, year)) return;
        const int firstWeekday = FirstDayOfWeek(year, lineMonth);
        if (firstWeekday == 0) return;
        month = lineMonth;
        day = NthWeekdayDay(n, weekday, firstWeekday);
        text = fields[5];
        return;
    }
    default:
        return;
    }
}

} // namespace orvexp
