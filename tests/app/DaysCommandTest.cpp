// Runs the built orvexp over data folders made here and compares its whole
// standard output and standard error.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calendar/DayItem.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "schedule/AlarmTimer.h"
#include "tests/support/DayItems.h"
#include "tests/support/RunProgram.h"
#include "tests/support/TempFolder.h"

namespace orvexp {
namespace {

using test::TTempFolder;
using test::WriteBytes;

using test::TRunResult;

TRunResult RunOrvexp(const std::vector<std::string>& args, const std::string& folder)
{
    return test::RunProgram(ORVEXP_BINARY, args, folder);
}

void AddItem(TKyDayItemList& list, TKyDayType type, std::uint16_t year, std::uint16_t month, std::uint16_t day,
             TKyDaysOfWeek daysOfWeek, std::uint8_t n, const char* utf8Text)
{
    test::AddItem(list, {type, year, month, day, daysOfWeek, n, ytThisYear, Utf8ToCp932(utf8Text)});
}

// A data folder as copied from FAT media: the holidays file in upper case.
void MakeDataFolder(const TTempFolder& folder)
{
    WriteBytes(folder / "schedule.dat", WriteScheduleFile(TAlarmList()));
    TKyDayItemList holidays, special, daysOff;
    AddItem(holidays, dtMonthDay, 0, 1, 1, 0, 0, "元日");
    AddItem(holidays, dtMonthDayOfWeekNum, 0, 1, 0, DaysOfWeekOf(kydwMonday), 2, "成人の日");
    AddItem(holidays, dtMonthDay, 0, 9, 15, 0, 0, "敬老の日");
    AddItem(special, dtMonthDay, 0, 9, 20, 0, 0, "記念日 \"A\"");
    AddItem(daysOff, dtYearMonthDay, 2001, 9, 24, 0, 0, "休み");
    WriteBytes(folder / "HOLIDAYS.DAT", WriteDayFile(holidays));
    WriteBytes(folder / "spcldays.dat", WriteDayFile(special));
    WriteBytes(folder / "daysoff.dat", WriteDayFile(daysOff));
}

TEST(DaysCommand, PrintsKindsAndTextsOfEachDate)
{
    TTempFolder data;
    MakeDataFolder(data);
    TTempFolder bare; // a schedule file without day files: only computed days
    WriteBytes(bare / "schedule.dat", WriteScheduleFile(TAlarmList()));

    // Day files cut short (a crash while saving, a bad copy): their whole
    // records count, and one warning line names the file and the offset.
    TTempFolder cut;
    MakeDataFolder(cut);
    std::string holidays;
    ASSERT_TRUE(TryReadFile(cut / "HOLIDAYS.DAT", holidays));
    WriteBytes(cut / "HOLIDAYS.DAT", holidays.substr(0, holidays.size() - 29));
    WriteBytes(cut / "daysoff.dat", std::string("\x57\x0A\x31\x01\x01\x00", 6));

    const std::string cutWarnings =
        "orvexp: warning: 日のファイル " + cut / "HOLIDAYS.DAT" +
        ": 予約領域の途中でデータが終わっています（129 バイト必要、残り 100 バイト）（バイト位置 " +
        std::to_string(holidays.size() - 129) + "）。その前の欠けのない 2 件を使います\n"
        "orvexp: warning: 日のファイル " + cut / "daysoff.dat" +
        ": 項目の数の途中でデータが終わっています（4 バイト必要、残り 2 バイト）（バイト位置 4）。"
        "読める項目はありません\n";

    struct TCase {
        const char* Name;
        std::string Folder; // working folder
        std::vector<std::string> Args;
        std::string Out;
        std::string Err = "";
    };
    const TCase cases[] = {
        {"AutumnWithSubstitute", data.Path,
         {"days", "--data", data / "schedule.dat", "--from", "2001/09/14", "--to", "2001/10/01"},
         "2001/09/14\t\t\n"
         "2001/09/15\tsaturday,holiday\t敬老の日\n"
         "2001/09/16\tsunday\t\n"
         "2001/09/17\t\t\n"
         "2001/09/18\t\t\n"
         "2001/09/19\t\t\n"
         "2001/09/20\tspecial\t\"記念日 \"\"A\"\"\"\n"
         "2001/09/21\t\t\n"
         "2001/09/22\tsaturday\t\n"
         "2001/09/23\tsunday,holiday\t秋分の日\n"
         "2001/09/24\tsubstitute,dayoff\t振替休日,休み\n"
         "2001/09/25\t\t\n"
         "2001/09/26\t\t\n"
         "2001/09/27\t\t\n"
         "2001/09/28\t\t\n"
         "2001/09/29\tsaturday\t\n"
         "2001/09/30\tsunday,monthend\t\n"
         "2001/10/01\t\t\n"},
        {"NewYearAndSecondMonday", data.Path,
         {"days", "--data", "schedule.dat", "--from", "2000/12/31", "--to", "2001/1/8"},
         "2000/12/31\tsunday,monthend\t\n"
         "2001/01/01\tholiday\t元日\n"
         "2001/01/02\t\t\n"
         "2001/01/03\t\t\n"
         "2001/01/04\t\t\n"
         "2001/01/05\t\t\n"
         "2001/01/06\tsaturday\t\n"
         "2001/01/07\tsunday\t\n"
         "2001/01/08\tholiday\t成人の日\n"},
        {"SpringWithoutDayFiles", bare.Path,
         {"days", "--data", bare / "schedule.dat", "--from", "2010/03/20", "--to", "2010/03/23"},
         "2010/03/20\tsaturday\t\n"
         "2010/03/21\tsunday,holiday\t春分の日\n"
         "2010/03/22\tsubstitute\t振替休日\n"
         "2010/03/23\t\t\n"},
        {"OneDay", bare.Path,
         {"days", "--data", bare / "schedule.dat", "--from", "2100/03/19", "--to", "2100/03/19"},
         "2100/03/19\tholiday\t春分の日\n"},
        {"CutDayFilesKeepTheirWholeRecords", cut.Path,
         {"days", "--data", cut / "schedule.dat", "--from", "2001/01/08", "--to", "2001/01/08"},
         "2001/01/08\tholiday\t成人の日\n", cutWarnings},
        {"CutDayFilesLoseTheCutRecord", cut.Path,
         {"days", "--data", cut / "schedule.dat", "--from", "2001/09/15", "--to", "2001/09/15"},
         "2001/09/15\tsaturday\t\n", cutWarnings},
    };
    for (const TCase& c : cases) {
        const TRunResult r = RunOrvexp(c.Args, c.Folder);
        EXPECT_EQ(r.ExitCode, 0) << c.Name;
        EXPECT_EQ(r.Out, c.Out) << c.Name;
        EXPECT_EQ(r.Err, c.Err) << c.Name;
    }
}

TEST(DaysCommand, FailuresGiveOneLineAndTheExitCode)
{
    TTempFolder data;
    MakeDataFolder(data);
    const std::string schedule = data / "schedule.dat";

    struct TCase {
        const char* Name;
        std::vector<std::string> Args;
        int ExitCode;
        std::string Err;
    };
    const TCase cases[] = {
        {"ToBeforeFrom", {"days", "--data", schedule, "--from", "2001/09/02", "--to", "2001/09/01"}, 2,
         "orvexp: --to 2001/09/01 is before --from 2001/09/02\n"},
        {"NoSuchDate", {"days", "--data", schedule, "--from", "2001/02/29", "--to", "2001/03/01"}, 2,
         "orvexp: --from: \"2001/02/29\" is not a date of the form YYYY/MM/DD, today, today+N or today-N\n"},
        {"NotADate", {"days", "--data", schedule, "--from", "2001/09/01", "--to", "tomorrow"}, 2,
         "orvexp: --to: \"tomorrow\" is not a date of the form YYYY/MM/DD, today, today+N or today-N\n"},
        {"MissingScheduleFile", {"days", "--data", data / "nothere.dat", "--from", "2001/09/01", "--to", "2001/09/01"},
         1, "orvexp: ファイル " + data / "nothere.dat" + " は開けません。(ファイルまたはフォルダがありません)\n"},
    };
    for (const TCase& c : cases) {
        const TRunResult r = RunOrvexp(c.Args, data.Path);
        EXPECT_EQ(r.ExitCode, c.ExitCode) << c.Name;
        EXPECT_EQ(r.Err, c.Err) << c.Name;
        EXPECT_EQ(r.Out, "") << c.Name;
    }

    const TRunResult missingOption = RunOrvexp({"days", "--data", schedule, "--from", "2001/09/01"}, data.Path);
    EXPECT_EQ(missingOption.ExitCode, 2);
    EXPECT_EQ(missingOption.Out, "");
    EXPECT_NE(missingOption.Err.find("--to"), std::string::npos) << missingOption.Err;
}

} // namespace
} // namespace orvexp
