// Writes the seed corpus of the fuzz targets with our own writers:
//   fuzz_seed_writer <folder>
// makes <folder>/schedule_file, day_file, memo_lines, ini_file, csv_join and
// ics_export, each holding small valid inputs that reach every record kind
// and syntax.

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

// One entry of every kind, then a launcher with a reminder, a startup entry
// and a 29 February.
TAlarmList EveryKind()
{
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
    return every;
}

void WriteScheduleSeeds(const std::filesystem::path& folder)
{
    TAlarmList empty;
    Put(folder, "empty-format1.dat", WriteScheduleFile(empty, kScheduleFormat1));
    Put(folder, "empty-format2.dat", WriteScheduleFile(empty, kScheduleFormat2, 7, {1, 2, 3, 4, 5, 6, 7, 8}, "trailer"));
    const TAlarmList every = EveryKind();
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

// Inputs of the iCalendar target (see FuzzIcsExport.cpp): a head choosing the
// range, zone, flags and stamp; the schedule file with its length; the day
// items; the memos.
struct TIcsSeed {
    std::string Bytes;

    static void Number(std::string& bytes, std::uint32_t value, int octets)
    {
        for (int i = 0; i < octets; ++i) bytes += static_cast<char>(value >> (8 * i) & 0xFF);
    }

    // `base` indexes the target's base dates, `zone` its zones; `flags` 1: day
    // texts, 2: memos read ahead, 4: a drain, 8: the entries repeated.
    TIcsSeed(int base, int after, int days, int zone, int flags, std::int32_t stamp, const std::string& schedule)
    {
        for (const int byte : {base, after, days - 1, zone, flags}) Bytes += static_cast<char>(byte);
        Number(Bytes, static_cast<std::uint32_t>(stamp), 4);
        Number(Bytes, static_cast<std::uint32_t>(schedule.size()), 2);
        Bytes += schedule;
    }
    // The day items, all of them at once (list 0: holidays, 1: special days, 2: days off).
    struct TItem {
        int List;
        TKyDayType Type;
        std::uint16_t Year;
        std::uint8_t Month, Day, DaysOfWeek, Nth, Guid;
        std::string Text;
    };
    TIcsSeed& Items(const std::vector<TItem>& items)
    {
        Bytes += static_cast<char>(items.size());
        for (const TItem& item : items) {
            Bytes += static_cast<char>(item.List << 4 | item.Type);
            Bytes += static_cast<char>(ytThisYear);
            Number(Bytes, item.Year, 2);
            for (const std::uint8_t byte : {item.Month, item.Day, item.DaysOfWeek, item.Nth, item.Guid}) {
                Bytes += static_cast<char>(byte);
            }
            Bytes += static_cast<char>(item.Text.size());
            Bytes += item.Text;
        }
        return *this;
    }
    // A memo `offset` days from the range's first (at most 255 bytes).
    TIcsSeed& Memo(int offset, const std::string& text)
    {
        Bytes += static_cast<char>(offset);
        Bytes += static_cast<char>(text.size());
        Bytes += text;
        return *this;
    }
};

void WriteIcsSeeds(const std::filesystem::path& folder)
{
    const std::string every = WriteScheduleFile(EveryKind(), kScheduleFormat2);
    const std::uint8_t sunday = DaysOfWeekOf(kydwSunday);
    std::string longLine;
    for (int i = 0; i < 40; ++i) longLine += kMeeting; // folds inside its characters' bytes
    Put(folder, "every-kind-tokyo.bin",
        TIcsSeed(0, 0, 14, 1, 1 | 2, 923700000, every)
            .Items({{0, dtMonthDay, 0, 4, 29, 0, 0, 1, kHoliday},
                    {1, dtDayOfWeek, 0, 0, 0, sunday, 0, 2, " \r\n weekly "},
                    {1, dtDayOfWeek, 0, 0, 0, sunday, 0, 2, "same GUID"},
                    {2, dtYearMonthDay, 1999, 4, 12, 0, 0, 3, ""}})
            .Memo(-3, "before the range")
            .Memo(0, std::string("\r\n \x81\x40") + kMeeting + " \r\nsecond line")
            .Memo(2, longLine)
            .Memo(5, "\r\n\r\n")
            .Bytes);
    Put(folder, "every-kind-two-blocks.bin", TIcsSeed(0, 0, 7, 3, 8, 923700000, every).Items({}).Bytes);
    Put(folder, "every-kind-floating-format1.bin",
        TIcsSeed(0, 0, 32, 0, 0, 0, WriteScheduleFile(EveryKind(), kScheduleFormat1)).Items({}).Bytes);

    // Titles to be cleaned, times that cannot exist and notices of every size.
    TAlarmList hostile;
    auto impossible = Entry(akDateAt, {"late"});
    impossible->DateTime.Hour = 24;
    impossible->DateTime.Minute = 60;
    hostile.Add(std::move(impossible));
    auto farNotice = Entry(akEveryDayAt, {std::string(kTable) + "\rbreak inside"});
    farNotice->Alert.Kind = paDays;
    farNotice->Alert.Amount = 1411047872;
    hostile.Add(std::move(farNotice));
    auto hours = Entry(akWeekdaysAt, {" \t", "", "\t title "});
    hours->Alert.Kind = paHours;
    hours->Alert.Amount = 2;
    hostile.Add(std::move(hours));
    auto inactive = Entry(akMonthDay, {});
    inactive->Active = 0;
    inactive->Alert.Kind = paMinutes;
    inactive->Alert.Amount = -5;
    hostile.Add(std::move(inactive));
    Put(folder, "hostile-new-york.bin", TIcsSeed(0, 0, 8, 3, 4, -86400, WriteScheduleFile(hostile)).Items({}).Bytes);

    // The computed days: 19 March 2000 is a Sunday holiday, the equinox follows.
    Put(folder, "equinox-utc.bin",
        TIcsSeed(1, 28, 5, 2, 1, 953078400, "")
            .Items({{0, dtYearMonthDay, 2000, 3, 19, 0, 0, 4, kHoliday}})
            .Bytes);
    Put(folder, "first-year.bin",
        TIcsSeed(3, 0, 32, 1, 1, 0, every).Items({}).Memo(-1, "before the calendar").Memo(31, kMeeting).Bytes);
    Put(folder, "last-year.bin",
        TIcsSeed(4, 40, 32, 2, 1 | 2, 2147483647, every).Items({}).Memo(1, kMeeting).Bytes);
    Put(folder, "unreadable-schedule.bin",
        TIcsSeed(2, 0, 16, 0, 2, 1735000000, "not a schedule").Items({}).Memo(3, kHoliday).Bytes);
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
    WriteIcsSeeds(root / "ics_export");
    return 0;
}
