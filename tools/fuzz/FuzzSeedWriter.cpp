// Writes the seed corpus of the fuzz targets with our own writers:
//   fuzz_seed_writer <folder>
// makes <folder>/schedule_file, day_file, memo_lines, ini_file and csv_join,
// each holding small valid inputs that reach every record kind and syntax.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "calendar/DayItem.h"
#include "schedule/AlarmTimer.h"

using namespace orvexp;

namespace {

// Shift_JIS texts: 会議 (meeting), 祝日 (holiday), 表 (its trail byte is "\").
constexpr char kMeeting[] = "\x89\xEF\x8B\x63";
constexpr char kHoliday[] = "\x8F\x6A\x93\xFA";
constexpr char kTable[] = "\x95\x5C";

void Put(const std::filesystem::path& folder, const std::string& name, const std::string& bytes)
{
    std::filesystem::create_directories(folder);
    std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "fuzz_seed_writer: cannot write %s\n", (folder / name).c_str());
        std::exit(1);
    }
}

std::unique_ptr<TAlarm2> Entry(TAlarmKind kind, std::vector<std::string> lines)
{
    auto alarm = std::make_unique<TAlarm2>();
    alarm->Kind = kind;
    alarm->DateTime.Year = 1999;
    alarm->DateTime.Month = 4;
    alarm->DateTime.Day = 10;
    alarm->DateTime.Hour = 9;
    alarm->DateTime.Minute = 30;
    alarm->DateTime.DaysOfWeek = 0x01 | 0x02 | 0x40; // Sunday and Friday
    alarm->Messages = std::move(lines);
    return alarm;
}

void WriteScheduleSeeds(const std::filesystem::path& folder)
{
    TAlarmList empty;
    Put(folder, "empty-format1.dat", WriteScheduleFile(empty, kScheduleFormat1));
    Put(folder, "empty-format2.dat", WriteScheduleFile(empty, kScheduleFormat2, 7, {1, 2, 3, 4, 5, 6, 7, 8}, "trailer"));

    TAlarmList every;
    for (int kind = akEveryDayAt; kind <= akStartup + 1; ++kind) {
        every.Add(Entry(static_cast<TAlarmKind>(kind), {std::string(kMeeting) + " " + std::to_string(kind)}));
    }
    auto launch = Entry(akDateAt, {"first line", "", std::string(kTable) + "\r\nwith break"});
    launch->Action = aaLaunch;
    launch->ShellExecute.FileName = "/usr/bin/true";
    launch->ShellExecute.Parameters = "--flag \"quoted\"";
    launch->ShellExecute.Directory = "/tmp";
    launch->Alert.Kind = paMinutes;
    launch->Alert.Amount = 15;
    launch->LastFired = 36260.375;
    every.Add(std::move(launch));
    auto startup = Entry(akStartup, {});
    startup->LastFired = 40000.5;
    every.Add(std::move(startup));
    auto feb29 = Entry(akYearDay, {"leap"});
    feb29->DateTime.Month = 2;
    feb29->DateTime.Day = 29;
    every.Add(std::move(feb29));
    Put(folder, "every-kind-format1.dat", WriteScheduleFile(every, kScheduleFormat1));
    Put(folder, "every-kind-format2.dat", WriteScheduleFile(every, kScheduleFormat2, -1, {}, kHoliday));
}

TKyDayItem& Item(TKyDayItemList& list, TKyDayType type, std::uint16_t year, std::uint16_t month, std::uint16_t day,
                 const std::string& text)
{
    TKyDayItem& item = list.AddNew();
    item.ItemGuid = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
    item.DayType = type;
    item.Year = year;
    item.Month = month;
    item.Day = day;
    item.DayText = text;
    return item;
}

void WriteDaySeeds(const std::filesystem::path& folder)
{
    TKyDayItemList empty;
    Put(folder, "empty.dat", WriteDayFile(empty));

    TKyDayItemList one;
    Item(one, dtMonthDay, 0, 1, 1, "\x8C\xB3\x93\xFA"); // 元日
    Put(folder, "new-year.dat", WriteDayFile(one));

    TKyDayItemList rules;
    Item(rules, dtDayOfWeek, 0, 0, 0, "weekly").DaysOfWeek = DaysOfWeekOf(kydwSunday) | DaysOfWeekOf(kydwSaturday);
    Item(rules, dtMonthDay, 0, 2, 0, "month end");
    TKyDayItem& nth = Item(rules, dtMonthDayOfWeekNum, 0, 1, 0, kHoliday);
    nth.DaysOfWeek = DaysOfWeekOf(kydwMonday);
    nth.NumOfDayOfWeek = 2;
    Item(rules, dtYearMonthDay, 2000, 2, 29, "leap day").YearType = ytThisYear;
    TKyDayItem& after = Item(rules, dtYearMonthDayOfWeekNum, 2000, 9, 0, "after 2000");
    after.YearType = ytAfterThisYear;
    after.DaysOfWeek = DaysOfWeekOf(kydwMonday);
    after.NumOfDayOfWeek = 5;
    Item(rules, dtMonthDay, 1990, 5, 4, "before 1990").YearType = ytBeforeThisYear;
    rules[rules.Count() - 1].Reserved[0] = 0xAB;
    Put(folder, "rules.dat", WriteDayFile(rules));
    Put(folder, "rules-other-header.dat", WriteDayFile(rules, 1));
}

void WriteMemoSeeds(const std::filesystem::path& folder)
{
    Put(folder, "empty.txt", "");
    Put(folder, "crlf-lines.txt", std::string(kMeeting) + "\r\nsecond line\r\n");
    Put(folder, "mixed-breaks.txt", "a\rb\nc\r\n\r\nd");
    Put(folder, "nul-inside.txt", std::string("before\0after\r\n", 14));
    Put(folder, "breaks-only.txt", "\r\n\r\n\n\r");
    Put(folder, "sjis-trail.txt", std::string(kTable) + "\r\n " + kHoliday + "\t");
}

void WriteIniSeeds(const std::filesystem::path& folder)
{
    Put(folder, "written.ini",
        "[OrvanelExportWizard]\r\nDefaultDataFolder=/home/user/Orvanel/\r\nDefaultExportFolder=/tmp/\r\n"
        "ExportEmptyMemo=1\r\n[HTMLColors]\r\nTimeColor=0\r\nScheduleColor=255\r\nMemoColor=-2147483640\r\n"
        "DateBkColor=15461355\r\nTimeBkColor=16777215\r\nScheduleBkColor=16777215\r\nMemoBkColor=16777215\r\n");
    Put(folder, "hand-edited.ini",
        "; edited by hand\n[ htmlcolors ]\n  TimeColor = 0x0000FF \nDateBkColor=$EBEBEB\nMemoColor=red\n"
        "\n[orvanelexportwizard]\nDefaultDataFolder=\"/quoted folder/\"\nDefaultDataFolder=/second/\n"
        "ExportEmptyMemo='0'\r[" + std::string(kTable) + "]\rkey=" + kMeeting);
    Put(folder, "no-final-break.ini", "[OrvanelExportWizard]\nDefaultExportFolder=");
    Put(folder, "empty.ini", "");
}

// Inputs of the CSV target: fields end at a backslash that is followed by
// another byte ("\\" is one backslash); the last bytes choose the separator
// and triggers (0x01 here: the CSV writer's comma and trigger set).
void WriteCsvSeeds(const std::filesystem::path& folder)
{
    Put(folder, "writer-row.bin", std::string("1999/04/10\\|09:30\\|") + kMeeting + " a,b\r\nc\\|\x01");
    Put(folder, "quotes.bin", std::string("a\"b\\|\"\\|\\|\t\\|") + kTable + "\\\\\x01");
    Put(folder, "custom-separator.bin", std::string("x;y\\|z\\|") + std::string(33, '\x10') + "\x00");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seed_writer <folder>\n");
        return 2;
    }
    const std::filesystem::path root = argv[1];
    WriteScheduleSeeds(root / "schedule_file");
    WriteDaySeeds(root / "day_file");
    WriteMemoSeeds(root / "memo_lines");
    WriteIniSeeds(root / "ini_file");
    WriteCsvSeeds(root / "csv_join");
    return 0;
}
