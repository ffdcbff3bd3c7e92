#include <gtest/gtest.h>

#include <cmath>

#include "calendar/CalendarTexts.h"
#include "calendar/DateEx.h"
#include "platform/Text.h"
#include "tests/calendar/CalendarFixtures.h"

namespace orvexp {
namespace {

using test::AddItem;
using test::Date;

const std::string kVernal = "\x8F\x74\x95\xAA\x82\xCC\x93\xFA";   // 春分の日
const std::string kAutumnal = "\x8F\x48\x95\xAA\x82\xCC\x93\xFA"; // 秋分の日
const std::string kFurikae = "\x90\x55\x91\xD6\x8B\x78\x93\xFA";  // 振替休日

TEST(CalendarTexts, MatchTheConverter)
{
    EXPECT_EQ(sjis::kVernalEquinoxDay, Utf8ToCp932("春分の日"));
    EXPECT_EQ(sjis::kAutumnalEquinoxDay, Utf8ToCp932("秋分の日"));
    EXPECT_EQ(sjis::kSubstituteHoliday, Utf8ToCp932("振替休日"));
}

// Equinox days worked out by hand from the formula; for 1980-2025 they are
// the days observed in Japan.
TEST(Equinox, TableOfYears)
{
    struct TCase {
        std::uint16_t Year, Spring, Autumn;
    };
    const TCase cases[] = {{1980, 20, 23}, {2000, 20, 23}, {2010, 21, 23}, {2020, 20, 22},
                           {2024, 20, 22}, {2025, 20, 23}, {2100, 19, 22}};
    TKyDateEx dates;
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Year);
        for (std::uint16_t d = 1; d <= 31; ++d) {
            EXPECT_EQ(dates.IsVernalEquinoxDay(c.Year, 3, d), d == c.Spring) << "March " << d;
            EXPECT_EQ(dates.IsAutumnalEquinoxDay(c.Year, 9, d), d == c.Autumn) << "September " << d;
        }
        EXPECT_FALSE(dates.IsVernalEquinoxDay(c.Year, 9, c.Spring));
        EXPECT_FALSE(dates.IsAutumnalEquinoxDay(c.Year, 3, c.Autumn));
    }
}

// Trunc cuts toward zero and t / 4 is a real division: for 1973-1976 the
// second term is -1, for 1977-1983 it is 0. Wider arithmetic agrees.
TEST(Equinox, EveryYearAgreesWithWiderArithmetic)
{
    TKyDateEx dates;
    for (int y = 1; y <= 9999; ++y) {
        const long double t = y - 1980;
        const long double spring = std::trunc(0.242194L * t + 20.8431L) - std::trunc(t / 4);
        const long double autumn = std::trunc(0.242194L * t + 23.2488L) - std::trunc(t / 4);
        if (spring >= 1 && spring <= 31) {
            ASSERT_TRUE(dates.IsVernalEquinoxDay(static_cast<std::uint16_t>(y), 3, static_cast<std::uint16_t>(spring)))
                << y;
        }
        if (autumn >= 1 && autumn <= 31) {
            ASSERT_TRUE(dates.IsAutumnalEquinoxDay(static_cast<std::uint16_t>(y), 9, static_cast<std::uint16_t>(autumn)))
                << y;
        }
    }
    // 1975: t = -5, Trunc(-1.210970 + 20.8431) = 19, Trunc(-1.25) = -1 -> March 20.
    EXPECT_TRUE(dates.IsVernalEquinoxDay(1975, 3, 20));
    // 1979: t = -1, Trunc(20.601) = 20, Trunc(-0.25) = 0 -> March 20 (a floor would give 21).
    EXPECT_TRUE(dates.IsVernalEquinoxDay(1979, 3, 20));
}

std::string KindsText(const TKyDayKinds& kinds)
{
    static const char* const names[] = {"sunday", "saturday", "holiday", "substitute", "special", "monthend", "dayoff"};
    std::string text;
    for (int k = dkSunday; k <= dkDayOff; ++k) {
        if (!kinds.Contains(static_cast<TKyDayKind>(k))) continue;
        if (!text.empty()) text += ',';
        text += names[k];
    }
    return text;
}

// A calculator with a few listed days around the substitute examples.
class DateExKinds : public ::testing::Test {
protected:
    void SetUp() override
    {
        Dates.AutoEquinox = true;
        Dates.AutoFurikae = true;
        // 2011-01-09 (Sunday) and 2011-01-10 (Monday) are both listed holidays.
        AddItem(Dates.HolidayList(), {.Year = 2011, .Month = 1, .Day = 9, .DayText = "Sun"});
        AddItem(Dates.HolidayList(), {.Year = 2011, .Month = 1, .Day = 10, .DayText = "Mon"});
        // 2023-01-01 is a Sunday holiday: the Monday after is a substitute.
        AddItem(Dates.HolidayList(), {.DayType = dtMonthDay, .Month = 1, .Day = 1, .DayText = "NewYear"});
        // 2025-06-01 (Sunday) is only a day off; 2025-06-08 (Sunday) only a special day.
        AddItem(Dates.CustomDayOffList(), {.Year = 2025, .Month = 6, .Day = 1, .DayText = "off"});
        AddItem(Dates.SpecialDayList(), {.Year = 2025, .Month = 6, .Day = 8, .DayText = "special"});
    }
    TKyDateEx Dates;
};

TEST_F(DateExKinds, TableOfDates)
{
    struct TCase {
        const char* Name;
        std::uint16_t Y, M, D;
        const char* Kinds;
    };
    const TCase cases[] = {
        {"2000-03-20", 2000, 3, 20, "holiday"},
        {"2000-09-23", 2000, 9, 23, "saturday,holiday"},
        {"2020-09-22", 2020, 9, 22, "holiday"},
        {"2100-03-19", 2100, 3, 19, "holiday"},
        {"2001-09-23", 2001, 9, 23, "sunday,holiday"},
        {"2001-09-24", 2001, 9, 24, "substitute"},
        {"2010-03-21", 2010, 3, 21, "sunday,holiday"},
        {"2010-03-22", 2010, 3, 22, "substitute"},
        {"2010-03-23", 2010, 3, 23, ""},
        {"2011-01-10", 2011, 1, 10, "holiday"},
        {"2011-01-11", 2011, 1, 11, ""},
        {"2023-01-02", 2023, 1, 2, "substitute"},
        {"2025-06-01", 2025, 6, 1, "sunday,dayoff"},
        {"2025-06-02", 2025, 6, 2, ""},
        {"2025-06-08", 2025, 6, 8, "sunday,special"},
        {"2025-06-09", 2025, 6, 9, ""},
        {"2024-02-29", 2024, 2, 29, "monthend"},
        {"2025-02-28", 2025, 2, 28, "monthend"},
        {"2024-02-28", 2024, 2, 28, ""},
        {"2025-05-31", 2025, 5, 31, "saturday,monthend"},
        {"2025-13-01", 2025, 13, 1, ""},
        {"2025-02-30", 2025, 2, 30, ""},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(KindsText(Dates.GetDayKinds(c.Y, c.M, c.D)), c.Kinds) << c.Name;
        if (c.M <= 12 && c.D <= Dates.DaysInMonth(c.Y, c.M)) {
            EXPECT_EQ(Dates.GetDayKindsOfDate(Date(c.Y, c.M, c.D) + 0.75), Dates.GetDayKinds(c.Y, c.M, c.D))
                << c.Name;
        }
    }
}

TEST(DateEx, AutomaticRulesAreOffInABareCalculator)
{
    TKyDateEx dates;
    EXPECT_EQ(KindsText(dates.GetDayKinds(2000, 3, 20)), "");
    EXPECT_EQ(KindsText(dates.GetDayKinds(2001, 9, 24)), "");
    dates.AutoFurikae = true;
    EXPECT_EQ(KindsText(dates.GetDayKinds(2001, 9, 24)), "") << "no equinox, so no Sunday holiday";
    dates.AutoEquinox = true;
    EXPECT_EQ(KindsText(dates.GetDayKinds(2001, 9, 24)), "substitute");
}

struct TTexts {
    bool Holiday, DayOff, Special;
    std::string Text;
};

TTexts TextsOf(const TKyCustomDateEx& dates, std::uint16_t y, std::uint16_t m, std::uint16_t d)
{
    TTexts t{true, true, true, "stale"};
    dates.GetDayTexts(y, m, d, t.Holiday, t.DayOff, t.Special, t.Text);
    return t;
}

TEST(DateExTexts, OrderFlagsAndComputedTexts)
{
    TKyDateEx dates;
    dates.AutoEquinox = true;
    dates.AutoFurikae = true;
    AddItem(dates.CustomDayOffList(), {.DayType = dtMonthDay, .Month = 5, .Day = 5, .DayText = "off"});
    AddItem(dates.HolidayList(), {.DayType = dtMonthDay, .Month = 5, .Day = 5, .DayText = "H1"});
    AddItem(dates.HolidayList(), {.DayType = dtMonthDay, .Month = 5, .Day = 6, .DayText = "other"});
    AddItem(dates.HolidayList(), {.DayType = dtMonthDay, .Month = 5, .Day = 5, .DayText = "a,b"});
    AddItem(dates.SpecialDayList(), {.DayType = dtMonthDay, .Month = 5, .Day = 5, .DayText = "S"});
    AddItem(dates.HolidayList(), {.DayType = dtMonthDay, .Month = 9, .Day = 23, .DayText = ""});

    struct TCase {
        const char* Name;
        std::uint16_t Y, M, D;
        bool Holiday, DayOff, Special;
        std::string Text;
    };
    const TCase cases[] = {
        {"2025-05-05", 2025, 5, 5, true, true, true, "S,H1,\"a,b\",off"},
        {"2025-05-07", 2025, 5, 7, false, false, false, ""},
        {"2000-03-20", 2000, 3, 20, true, false, false, kVernal},
        {"2001-09-24", 2001, 9, 24, true, false, false, kFurikae},
        // A listed empty text before the computed one: two texts, the empty one unquoted.
        {"2000-09-23", 2000, 9, 23, true, false, false, "," + kAutumnal},
        // Only the listed empty text (the autumn equinox of 2012 is the 22nd).
        {"2012-09-23", 2012, 9, 23, true, false, false, "\"\""},
        {"2012-09-22", 2012, 9, 22, true, false, false, kAutumnal},
    };
    for (const TCase& c : cases) {
        const TTexts t = TextsOf(dates, c.Y, c.M, c.D);
        EXPECT_EQ(t.Text, c.Text) << c.Name;
        EXPECT_EQ(t.Holiday, c.Holiday) << c.Name;
        EXPECT_EQ(t.DayOff, c.DayOff) << c.Name;
        EXPECT_EQ(t.Special, c.Special) << c.Name;
    }
}

TEST(CommaText, QuotingSkipsDoubleByteCharacters)
{
    struct TCase {
        const char* Name;
        std::vector<std::string> Texts;
        std::string Expected;
    };
    const TCase cases[] = {
        {"None", {}, ""},
        {"OneEmpty", {""}, "\"\""},
        {"TwoEmpty", {"", ""}, ","},
        {"Plain", {"a", "b"}, "a,b"},
        {"Space", {"a b"}, "\"a b\""},
        {"Quote", {"say \"hi\""}, "\"say \"\"hi\"\"\""},
        {"QuoteOnly", {"x\"y"}, "\"x\"\"y\""},
        {"Comma", {"1,2"}, "\"1,2\""},
        {"Tab", {"a\tb"}, "\"a\tb\""},
        {"ZeroByte", {std::string("a\0b", 3)}, std::string("\"a\0b\"", 5)},
        {"Japanese", {kVernal, kFurikae}, kVernal + "," + kFurikae},
        // 0x81 0x2C is one double-byte character, its trail byte no comma.
        {"TrailByteComma", {"\x81\x2C"}, "\x81\x2C"},
        {"TrailByteQuoteInsideQuotes", {"\x81\x22 "}, "\"\x81\x22 \""},
        {"LoneLeadByteThenNothing", {"a\x81"}, "a\x81"},
        {"DoubleByteThenSpace", {"\x8F\x74 "}, "\"\x8F\x74 \""},
    };
    for (const TCase& c : cases) EXPECT_EQ(CommaText(c.Texts), c.Expected) << c.Name;
}

TEST(DateEx, MonthHelpers)
{
    TKyDateEx dates;
    EXPECT_EQ(dates.DaysInMonth(2024, 2), 29);
    EXPECT_EQ(dates.DaysInMonthOf(Date(2023, 2, 10) + 0.3), 28);
    EXPECT_EQ(dates.FirstWeekdayOfMonth(2026, 2), 0);  // 2026-02-01 is a Sunday
    EXPECT_EQ(dates.FirstWeekdayOfMonth(2026, 8), 6);  // 2026-08-01 is a Saturday
    EXPECT_EQ(dates.FirstWeekdayOfMonthOf(Date(2026, 1, 31)), 4); // 2026-01-01 is a Thursday
    EXPECT_EQ(dates.FirstWeekdayOfMonth(2026, 13), -1);
}

struct TParseCase {
    const char* Name;
    std::string Line;
    int Year;
    TDateTime Date;
    int Filter;
    int Month, Day;
    std::string Text;
};

TEST(ParseDayLine, SixForms)
{
    const TDateTime monday = Date(2026, 1, 12);
    const TDateTime tuesday = Date(2026, 1, 13);
    const TParseCase cases[] = {
        {"WeekdayOnMonday", "1,Mon", 2026, monday, 0, 1, 12, "Mon"},
        {"WeekdayNotMonday", "1,Mon", 2026, tuesday, 0, 13, 32, ""},
        {"WeekdayIgnoresFilter", "1,Mon", 2026, monday, 7, 1, 12, "Mon"},
        {"MonthDay", "5,3,Kenpo", 2026, monday, 0, 5, 3, "Kenpo"},
        {"MonthDayLastLeap", "2,0,end", 2024, monday, 2, 2, 29, "end"},
        {"MonthDayLastCommon", "2,0,end", 2025, monday, 2, 2, 28, "end"},
        {"MonthDayOtherFilter", "2,0,end", 2024, monday, 3, 13, 32, ""},
        // Second Monday (2) of January 2026; the 1st is a Thursday (5).
        {"NthWeekday", "1,2,2,Seijin", 2026, monday, 1, 1, 12, "Seijin"},
        // Fifth Saturday of January 2026 is the 31st; of February it would be March 7 (not checked).
        {"NthWeekdayFifth", "1,5,7,x", 2026, monday, 0, 1, 31, "x"},
        {"NthWeekdayPastMonthEnd", "2,5,7,x", 2026, monday, 0, 2, 35, "x"},
        {"NthWeekdayOtherFilter", "1,2,2,Seijin", 2026, monday, 2, 13, 32, ""},
        {"YearThisYear", "2026,0,4,29,Showa", 2026, monday, 4, 4, 29, "Showa"},
        {"YearThisYearOther", "2025,0,4,29,Showa", 2026, monday, 4, 13, 32, ""},
        // Type 1 passes when the line's year is at least the given one.
        {"YearType1Later", "2030,1,4,29,x", 2026, monday, 0, 4, 29, "x"},
        {"YearType1Earlier", "2020,1,4,29,x", 2026, monday, 0, 13, 32, ""},
        {"YearType2Earlier", "2020,2,4,29,x", 2026, monday, 0, 4, 29, "x"},
        {"YearType2Later", "2030,2,4,29,x", 2026, monday, 0, 13, 32, ""},
        {"YearTypeUnknown", "1,9,4,0,x", 2026, monday, 0, 4, 0, "x"},
        {"YearNthWeekday", "2026,0,9,3,2,Keiro", 2026, monday, 9, 9, 21, "Keiro"},
        {"YearNthWeekdayFilter", "2026,0,9,3,2,Keiro", 2026, monday, 10, 13, 32, ""},
        {"OneField", "x", 2026, monday, 0, 13, 32, ""},
        {"SevenFields", "1,2,3,4,5,6,7", 2026, monday, 0, 13, 32, ""},
        {"EmptyText", "5,3,", 2026, monday, 0, 5, 3, ""},
        {"SignedNumber", "+5,3,t", 2026, monday, 0, 5, 3, "t"},
        {"LeadingSpaces", " 5,  3,t", 2026, monday, 0, 5, 3, "t"},
    };
    TKyDateEx dates;
    for (const TParseCase& c : cases) {
        int month = c.Filter;
        int day = -1;
        std::string text = "stale";
        dates.ParseDayLine(c.Line, c.Year, c.Date, month, day, text);
        EXPECT_EQ(month, c.Month) << c.Name;
        EXPECT_EQ(day, c.Day) << c.Name;
        EXPECT_EQ(text, c.Text) << c.Name;
    }
}

TEST(ParseDayLine, NonIntegerFieldRaisesTheConversionError)
{
    struct TCase {
        const char* Name;
        std::string Line;
        std::string Message;
    };
    const TCase cases[] = {
        {"Letters", "May,3,x", "'May' は整数ではありません"},
        {"Empty", ",3,x", "'' は整数ではありません"},
        {"TrailingSpace", "5,3 ,x", "'3 ' は整数ではありません"},
        {"Hexadecimal", "$5,3,x", "'$5' は整数ではありません"},
        {"TooLarge", "5,99999999999,x", "'99999999999' は整数ではありません"},
        {"ShiftJis", "\x82\x54,3,x", "'５' は整数ではありません"},
    };
    TKyDateEx dates;
    for (const TCase& c : cases) {
        int month = 0, day = 0;
        std::string text;
        try {
            dates.ParseDayLine(c.Line, 2026, Date(2026, 1, 1), month, day, text);
            ADD_FAILURE() << c.Name << ": no error";
        } catch (const EConvertError& e) {
            EXPECT_EQ(std::string(e.what()), c.Message) << c.Name;
        }
    }
}

} // namespace
} // namespace orvexp
