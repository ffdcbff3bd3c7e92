#pragma once
// A small Orvanel data folder around May 2024, written by our own writers:
// schedule.dat, the three day files and a Memo folder (one memo file in upper
// case, as folders copied from Windows carry them).

#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "calendar/DayItem.h"
#include "platform/AtomicFileWriter.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "schedule/AlarmTimer.h"
#include "tests/support/DayItems.h"
#include "tests/support/ScheduleEntries.h"
#include "tests/support/Sjis.h"

namespace orvexp::test {

inline void AddEntry(TAlarmList& list, TAlarmKind kind, std::initializer_list<const char*> lines,
                     std::uint16_t year, std::uint16_t month, std::uint16_t day, std::uint16_t hour = 0,
                     std::uint16_t minute = 0, std::uint8_t daysOfWeek = 0x01)
{
    std::vector<std::string> sjisLines;
    for (const char* line : lines) sjisLines.push_back(Sjis(line));
    list.Add(MakeAlarm(kind, std::move(sjisLines), year, month, day, hour, minute, daysOfWeek));
}

inline TKyDayItem& AddDay(TKyDayItemList& list, TKyDayType type, std::uint16_t month, std::uint16_t day,
                          const char* text)
{
    TKyDayItem& item = list.AddNew();
    item = MakeItem({.DayType = type, .Month = month, .Day = day, .DayText = Sjis(text)});
    return item;
}

// Writes the folder and returns the path of its schedule file.
inline std::string WriteSampleDataFolder(const std::string& folder)
{
    TAlarmList alarms;
    AddEntry(alarms, akDateAt, {"打ち合わせ", "会議室B"}, 2024, 5, 10, 9, 30);
    AddEntry(alarms, akDateAt, {"送別会"}, 2024, 5, 10, 18, 0);
    AddEntry(alarms, akWeekdaysAt, {"朝会"}, 0, 0, 0, 8, 0, (1u << 2) | (1u << 4)); // Monday, Wednesday
    AddEntry(alarms, akMonthDay, {"給料日"}, 0, 0, 25);
    AddEntry(alarms, akYearDayAt, {"結婚記念日のディナー"}, 0, 5, 15, 19, 0);
    AddEntry(alarms, akDate, {"プロジェクト報告書の提出期限 - 第3四半期の数値を確認してから送付すること"}, 2024, 5, 20);
    AddEntry(alarms, akDateAt, {"歯医者"}, 2024, 5, 10, 8, 0);
    WriteFileAtomically(JoinPath(folder, "schedule.dat"), WriteScheduleFile(alarms));

    TKyDayItemList holidays;
    AddDay(holidays, dtMonthDay, 4, 29, "昭和の日");
    AddDay(holidays, dtMonthDay, 5, 3, "憲法記念日");
    AddDay(holidays, dtMonthDay, 5, 4, "みどりの日");
    AddDay(holidays, dtMonthDay, 5, 5, "こどもの日");
    AddDay(holidays, dtMonthDay, 6, 1, "テスト祝日, 二つ目");
    WriteFileAtomically(JoinPath(folder, "holidays.dat"), WriteDayFile(holidays));

    TKyDayItemList specialDays;
    TKyDayItem& mothersDay = AddDay(specialDays, dtMonthDayOfWeekNum, 5, 0, "母の日");
    mothersDay.DaysOfWeek = DaysOfWeekOf(kydwSunday);
    mothersDay.NumOfDayOfWeek = 2;
    WriteFileAtomically(JoinPath(folder, "spcldays.dat"), WriteDayFile(specialDays));

    TKyDayItemList daysOff;
    AddDay(daysOff, dtMonthDay, 5, 31, "創立記念日");
    WriteFileAtomically(JoinPath(folder, "daysoff.dat"), WriteDayFile(daysOff));

    const std::string memo = JoinPath(folder, "Memo");
    std::filesystem::create_directories(memo);
    WriteFileAtomically(JoinPath(memo, "20240503.txt"), Sjis("家族で遠出\r\n弁当を作る\r\n"));
    WriteFileAtomically(JoinPath(memo, "20240510.TXT"), Sjis("資料を印刷する"));
    WriteFileAtomically(JoinPath(memo, "20240522.txt"), Sjis("読書: 吾輩は猫である\n第一章まで"));
    return JoinPath(folder, "schedule.dat");
}

} // namespace orvexp::test
