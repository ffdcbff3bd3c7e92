#include "tools/bench/LargeDataFolder.h"

#include <filesystem>
#include <random>

#include "calendar/DayItem.h"
#include "platform/DateTime.h"
#include "platform/AtomicFileWriter.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "schedule/AlarmTimer.h"
#include "tools/sample/SampleData.h"

namespace orvexp::bench {

namespace {

class TPicker {
public:
    explicit TPicker(unsigned seed) : Random(seed) {}
    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(Random); }

private:
    std::mt19937 Random;
};

std::string EntryText(TPicker& pick, int index)
{
    static const std::string kWords[] = {Utf8ToCp932("会議"), Utf8ToCp932("打ち合わせ"), Utf8ToCp932("表計算の確認"),
                                         Utf8ToCp932("ソフト更新"), "review, notes", "\"quoted\" call",
                                         Utf8ToCp932("能楽堂"), " padded "};
    return kWords[static_cast<std::size_t>(pick.Between(0, 7))] + " #" + std::to_string(index);
}

void AddEntries(TAlarmList& alarms, const TLargeDataShape& shape, TPicker& pick)
{
    // Per thousand entries: 960 fixed dates, 14 weekly, 10 monthly, 15 yearly; 5 daily in all.
    const int daily = 5;
    const int weekly = shape.Entries * 14 / 1000;
    const int monthly = shape.Entries * 10 / 1000;
    const int yearly = shape.Entries * 15 / 1000;
    const int fixed = shape.Entries - daily - weekly - monthly - yearly;
    const TDateTime first = EncodeDate(shape.FirstYear, 1, 1);
    const int days = static_cast<int>(EncodeDate(shape.FirstYear + shape.Years, 1, 1) - first);

    auto add = [&](TAlarmKind kind) -> TAlarm2& {
        auto alarm = std::make_unique<TAlarm2>();
        alarm->Kind = kind;
        alarm->DateTime.Hour = static_cast<std::uint16_t>(pick.Between(6, 22));
        alarm->DateTime.Minute = static_cast<std::uint16_t>(pick.Between(0, 3) * 15);
        alarm->Messages.push_back(EntryText(pick, alarms.Count()));
        if (pick.Between(0, 3) == 0) alarm->Messages.push_back(Utf8ToCp932("詳細は後で & <確認>"));
        TAlarm2& added = *alarm;
        alarms.Add(std::move(alarm));
        return added;
    };
    for (int i = 0; i < fixed; ++i) {
        TAlarm2& alarm = add(pick.Between(0, 2) ? akDateAt : akDate);
        const TDateParts date = DecodeDate(first + pick.Between(0, days - 1));
        alarm.DateTime.Year = static_cast<std::uint16_t>(date.Year);
        alarm.DateTime.Month = static_cast<std::uint16_t>(date.Month);
        alarm.DateTime.Day = static_cast<std::uint16_t>(date.Day);
    }
    for (int i = 0; i < weekly; ++i) {
        TAlarm2& alarm = add(pick.Between(0, 1) ? akWeekdaysAt : akWeekdays);
        alarm.DateTime.DaysOfWeek = static_cast<std::uint8_t>(1u << pick.Between(1, 7));
    }
    for (int i = 0; i < monthly; ++i) {
        add(pick.Between(0, 1) ? akMonthDayAt : akMonthDay).DateTime.Day = static_cast<std::uint16_t>(pick.Between(1, 31));
    }
    for (int i = 0; i < yearly; ++i) {
        TAlarm2& alarm = add(pick.Between(0, 1) ? akYearDayAt : akYearDay);
        alarm.DateTime.Month = static_cast<std::uint16_t>(pick.Between(1, 12));
        alarm.DateTime.Day = static_cast<std::uint16_t>(pick.Between(1, 28));
    }
    add(akStartup);
    for (int i = 1; i < daily; ++i) add(pick.Between(0, 1) ? akEveryDayAt : akEveryDay);
}

// The sample's items first, then made-up ones until the list holds `count`.
void TopUp(TKyDayItemList& items, int count, int firstYear, int years, TPicker& pick, const char* name)
{
    if (items.Count() > count) items.Clear();
    while (items.Count() < count) {
        TKyDayItem& item = items.AddNew();
        item.DayType = dtYearMonthDay;
        item.YearType = static_cast<TKyYearType>(pick.Between(0, 1));
        item.Year = static_cast<std::uint16_t>(pick.Between(firstYear, firstYear + years - 1));
        item.Month = static_cast<std::uint16_t>(pick.Between(1, 12));
        item.Day = static_cast<std::uint16_t>(pick.Between(0, 28));
        item.DayText = Utf8ToCp932(name) + std::to_string(items.Count());
    }
}

std::string MemoText(TPicker& pick, const TDateParts& date)
{
    std::string text = Utf8ToCp932("今日の記録 ") + FormatDateText(date) + "\r\n";
    while (text.size() < 280) {
        text += Utf8ToCp932("天気は晴れ、表の整理と能率の改善について考えた。") + std::to_string(pick.Between(0, 999));
        text += "\r\n";
    }
    return text;
}

} // namespace

void WriteLargeDataFolder(const std::string& folder, const TLargeDataShape& shape)
{
    std::filesystem::create_directories(folder + "/Memo");
    TPicker pick(static_cast<unsigned>(shape.Entries * 31 + shape.Years));

    TAlarmList alarms;
    AddEntries(alarms, shape, pick);
    WriteFileAtomically(JoinPath(folder, "schedule.dat"), WriteScheduleFile(alarms));

    TKyDayItemList holidays, specialDays, daysOff;
    FillSampleHolidays(holidays);
    FillSampleSpecialDays(specialDays);
    FillSampleDaysOff(daysOff);
    TopUp(holidays, 40, shape.FirstYear, shape.Years, pick, "記念日");
    TopUp(specialDays, 20, shape.FirstYear, shape.Years, pick, "行事");
    TopUp(daysOff, 20, shape.FirstYear, shape.Years, pick, "休暇");
    WriteFileAtomically(JoinPath(folder, "holidays.dat"), WriteDayFile(holidays));
    WriteFileAtomically(JoinPath(folder, "spcldays.dat"), WriteDayFile(specialDays));
    WriteFileAtomically(JoinPath(folder, "daysoff.dat"), WriteDayFile(daysOff));

    const TDateTime last = EncodeDate(shape.FirstYear + shape.Years, 1, 1);
    for (TDateTime day = EncodeDate(shape.FirstYear, 1, 1); day < last; day += 1) {
        const TDateParts date = DecodeDate(day);
        char name[32];
        std::snprintf(name, sizeof name, "Memo/%04d%02u%02u.txt", date.Year, date.Month, date.Day);
        WriteFileAtomically(JoinPath(folder, name), MemoText(pick, date));
    }
}

} // namespace orvexp::bench
