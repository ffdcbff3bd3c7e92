// The sample's three day lists: Japan's national holidays, special days and a
// few personal days off.

#include <string_view>

#include "tools/sample/SampleData.h"
#include "tools/sample/SampleText.h"

namespace orvexp {

namespace {

using sample::Sjis;

// Fixed identities, so that the sample is the same file on every run: the
// list's number and the item's place, spread by a mixing step, with the
// version-4 and variant bits that a fresh GUID carries.
TItemGuid SampleGuid(unsigned listNumber, int index)
{
    std::uint64_t state = (std::uint64_t{listNumber} << 32) | static_cast<std::uint32_t>(index);
    TItemGuid guid{};
    for (std::size_t i = 0; i < guid.size(); i += 8) {
        state += 0x9E3779B97F4A7C15ull;
        std::uint64_t z = state;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        z ^= z >> 31;
        for (std::size_t b = 0; b < 8; ++b) guid[i + b] = static_cast<std::uint8_t>(z >> (8 * b));
    }
    guid[7] = static_cast<std::uint8_t>((guid[7] & 0x0F) | 0x40);
    guid[8] = static_cast<std::uint8_t>((guid[8] & 0x3F) | 0x80);
    return guid;
}

// Appends items to one list, numbering their identities.
class TDayListFiller {
public:
    TDayListFiller(TKyDayItemList& items, unsigned listNumber) : Items(items), ListNumber(listNumber) {}

    // Every year on month/day; day 0 = the month's last day.
    void MonthDay(std::uint16_t month, std::uint16_t day, std::string_view text)
    {
        Add(dtMonthDay, 0, ytThisYear, month, day, 0, 0, text);
    }
    // The n-th weekday of the month every year; n 5 = the last.
    void NthWeekday(std::uint16_t month, std::uint8_t n, TKyDayOfWeek weekday, std::string_view text)
    {
        Add(dtMonthDayOfWeekNum, 0, ytThisYear, month, 0, DaysOfWeekOf(weekday), n, text);
    }
    void Weekdays(TKyDaysOfWeek days, std::string_view text) { Add(dtDayOfWeek, 0, ytThisYear, 0, 0, days, 0, text); }
    // Month/day in the years that `yearType` allows with respect to `year`.
    void YearMonthDay(std::uint16_t year, TKyYearType yearType, std::uint16_t month, std::uint16_t day,
                      std::string_view text)
    {
        Add(dtYearMonthDay, year, yearType, month, day, 0, 0, text);
    }
    void YearNthWeekday(std::uint16_t year, TKyYearType yearType, std::uint16_t month, std::uint8_t n,
                        TKyDayOfWeek weekday, std::string_view text)
    {
        Add(dtYearMonthDayOfWeekNum, year, yearType, month, 0, DaysOfWeekOf(weekday), n, text);
    }

private:
    void Add(TKyDayType type, std::uint16_t year, TKyYearType yearType, std::uint16_t month, std::uint16_t day,
             TKyDaysOfWeek days, std::uint8_t n, std::string_view text)
    {
        TKyDayItem& item = Items.AddNew();
        item.ItemGuid = SampleGuid(ListNumber, Items.Count() - 1);
        item.DayType = type;
        item.Year = year;
        item.YearType = yearType;
        item.Month = month;
        item.Day = day;
        item.DaysOfWeek = days;
        item.NumOfDayOfWeek = n;
        item.DayText = Sjis(text);
    }

    TKyDayItemList& Items;
    unsigned ListNumber;
};

} // namespace

void FillSampleHolidays(TKyDayItemList& items)
{
    // The Act on National Holidays as amended up to 2018, with the days that
    // moved or were added for single years. A day item has one year bound, so
    // each change of a date is a pair: the old rule up to its last year
    // (ytBeforeThisYear) and the new one from its first (ytAfterThisYear).
    TDayListFiller add(items, 1);
    add.MonthDay(1, 1, "元日");
    add.YearMonthDay(1999, ytBeforeThisYear, 1, 15, "成人の日");
    add.YearNthWeekday(2000, ytAfterThisYear, 1, 2, kydwMonday, "成人の日");
    add.MonthDay(2, 11, "建国記念の日");
    add.YearMonthDay(2020, ytAfterThisYear, 2, 23, "天皇誕生日");
    add.YearMonthDay(2006, ytBeforeThisYear, 4, 29, "みどりの日");
    add.YearMonthDay(2007, ytAfterThisYear, 4, 29, "昭和の日");
    add.MonthDay(5, 3, "憲法記念日");
    add.YearMonthDay(2006, ytBeforeThisYear, 5, 4, "国民の休日");
    add.YearMonthDay(2007, ytAfterThisYear, 5, 4, "みどりの日");
    add.MonthDay(5, 5, "こどもの日");
    // Marine Day, Sports Day and Mountain Day moved for the Tokyo Games in
    // 2020 and 2021, so their Monday rules stop in 2019 and resume in 2022.
    add.YearNthWeekday(2019, ytBeforeThisYear, 7, 3, kydwMonday, "海の日");
    add.YearNthWeekday(2022, ytAfterThisYear, 7, 3, kydwMonday, "海の日");
    add.YearMonthDay(2020, ytThisYear, 7, 23, "海の日");
    add.YearMonthDay(2021, ytThisYear, 7, 22, "海の日");
    add.YearMonthDay(2016, ytThisYear, 8, 11, "山の日");
    add.YearMonthDay(2017, ytThisYear, 8, 11, "山の日");
    add.YearMonthDay(2018, ytThisYear, 8, 11, "山の日");
    add.YearMonthDay(2019, ytThisYear, 8, 11, "山の日");
    add.YearMonthDay(2020, ytThisYear, 8, 10, "山の日");
    add.YearMonthDay(2021, ytThisYear, 8, 8, "山の日");
    add.YearMonthDay(2022, ytAfterThisYear, 8, 11, "山の日");
    add.YearMonthDay(2002, ytBeforeThisYear, 9, 15, "敬老の日");
    add.YearNthWeekday(2003, ytAfterThisYear, 9, 3, kydwMonday, "敬老の日");
    add.YearNthWeekday(2019, ytBeforeThisYear, 10, 2, kydwMonday, "体育の日");
    add.YearNthWeekday(2022, ytAfterThisYear, 10, 2, kydwMonday, "スポーツの日");
    add.YearMonthDay(2020, ytThisYear, 7, 24, "スポーツの日");
    add.YearMonthDay(2021, ytThisYear, 7, 23, "スポーツの日");
    add.MonthDay(11, 3, "文化の日");
    add.MonthDay(11, 23, "勤労感謝の日");
    add.YearMonthDay(2018, ytBeforeThisYear, 12, 23, "天皇誕生日");
    // The enthronement year.
    add.YearMonthDay(2019, ytThisYear, 4, 30, "国民の休日");
    add.YearMonthDay(2019, ytThisYear, 5, 1, "即位の日");
    add.YearMonthDay(2019, ytThisYear, 5, 2, "国民の休日");
    add.YearMonthDay(2019, ytThisYear, 10, 22, "即位礼正殿の儀の行われる日");
    // A day between Respect for the Aged Day and the autumn equinox.
    add.YearMonthDay(2009, ytThisYear, 9, 22, "国民の休日");
    add.YearMonthDay(2015, ytThisYear, 9, 22, "国民の休日");
    add.YearMonthDay(2026, ytThisYear, 9, 22, "国民の休日");
    // A Sunday holiday in Golden Week moves to the next free weekday, which the
    // calculator's Monday rule cannot reach.
    add.YearMonthDay(2025, ytThisYear, 5, 6, "振替休日");
    add.YearMonthDay(2026, ytThisYear, 5, 6, "振替休日");
}

void FillSampleSpecialDays(TKyDayItemList& items)
{
    TDayListFiller add(items, 2);
    add.MonthDay(2, 3, "節分");
    add.MonthDay(2, 14, "バレンタインデー");
    add.MonthDay(3, 3, "ひな祭り");
    add.MonthDay(3, 0, "年度末");
    add.NthWeekday(5, 2, kydwSunday, "母の日");
    add.NthWeekday(6, 3, kydwSunday, "父の日");
    add.YearMonthDay(2015, ytAfterThisYear, 6, 10, "結婚記念日");
    add.MonthDay(7, 7, "七夕");
    add.YearMonthDay(2026, ytThisYear, 9, 25, "十五夜");
    add.MonthDay(10, 31, "ハロウィン");
    add.MonthDay(11, 15, "七五三");
    add.YearMonthDay(2026, ytThisYear, 11, 20, "R&D 発表会 <社内>");
    add.MonthDay(12, 13, "すす払い \"正月事始め\"");
    add.MonthDay(12, 24, "クリスマス・イブ");
    add.MonthDay(12, 25, "クリスマス");
    add.MonthDay(12, 31, "大晦日");
    add.Weekdays(DaysOfWeekOf(kydwWednesday), "ノー残業デー");
}

void FillSampleDaysOff(TKyDayItemList& items)
{
    TDayListFiller add(items, 3);
    add.MonthDay(1, 2, "年末年始休暇");
    add.MonthDay(1, 3, "年末年始休暇");
    add.MonthDay(6, 1, "創立記念日(本社,支社)");
    add.YearMonthDay(2026, ytThisYear, 8, 12, "夏季休暇");
    add.YearMonthDay(2026, ytThisYear, 8, 13, "夏季休暇");
    add.YearMonthDay(2026, ytThisYear, 8, 14, "夏季休暇");
    add.YearNthWeekday(2026, ytAfterThisYear, 11, 2, kydwFriday, "リフレッシュ休暇");
    add.YearNthWeekday(2025, ytBeforeThisYear, 12, 5, kydwFriday, "旧社屋の休館日");
    add.YearMonthDay(2026, ytThisYear, 12, 18, "有給休暇");
    add.MonthDay(12, 29, "年末年始休暇");
    add.MonthDay(12, 30, "年末年始休暇");
    add.MonthDay(12, 31, "年末年始休暇");
}

} // namespace orvexp
