#include "data/DataFolder.h"

#include <gtest/gtest.h>

#include "tests/support/TempFolder.h"

namespace orvexp {
namespace {

using test::TTempFolder;
using test::WriteBytes;

TEST(DataFolder, ExactNameFirstThenTheOneCaseInsensitiveMatch)
{
    TTempFolder folder;
    WriteBytes(folder.Path + "holidays.dat", "x");
    WriteBytes(folder.Path + "HOLIDAYS.DAT", "x");
    WriteBytes(folder.Path + "SpclDays.Dat", "x");
    WriteBytes(folder.Path + "DAYSOFF.DAT", "x");
    WriteBytes(folder.Path + "DaysOff.dat", "x"); // two case variants and no exact name: none chosen

    const TDayFilePaths paths = TDataFolder(folder.Path).DayFiles();
    EXPECT_EQ(paths.Holidays, folder.Path + "holidays.dat");
    EXPECT_EQ(paths.SpecialDays, folder.Path + "SpclDays.Dat");
    EXPECT_EQ(paths.DaysOff, folder.Path + "daysoff.dat");

    const TDayFilePaths missing = TDataFolder(folder.Path + "nothere").DayFiles();
    EXPECT_EQ(missing.Holidays, folder.Path + "nothere/holidays.dat");

    // The schedule file and the memo folder by the same rule; composed when absent.
    WriteBytes(folder.Path + "Schedule.DAT", "x");
    WriteBytes(folder.Path + "MEMO/19990410.TXT", "x");
    const TDataFolder data = TDataFolder::OfScheduleFile(folder.Path + "Schedule.DAT");
    EXPECT_EQ(data.ScheduleFile(), folder.Path + "Schedule.DAT");
    EXPECT_EQ(data.MemoFolder(), folder.Path + "Memo/");
    EXPECT_EQ(data.FindMemoFolder(), folder.Path + "MEMO/");
    const TDataFolder empty(folder.Path + "nothere");
    EXPECT_EQ(empty.ScheduleFile(), folder.Path + "nothere/schedule.dat");
    EXPECT_EQ(empty.FindMemoFolder(), "");
}

} // namespace
} // namespace orvexp
