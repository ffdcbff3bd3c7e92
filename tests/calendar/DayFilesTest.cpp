#include <gtest/gtest.h>

#include "calendar/DayFiles.h"
#include "platform/FileSystem.h"
#include "tests/calendar/CalendarFixtures.h"

namespace orvexp {
namespace {

using testing::AddItem;
using testing::TTempFolder;
using testing::WriteBytes;

TEST(DayFiles, ExactNameFirstThenTheOneCaseInsensitiveMatch)
{
    TTempFolder folder;
    WriteBytes(folder / "holidays.dat", "x");
    WriteBytes(folder / "HOLIDAYS.DAT", "x");
    WriteBytes(folder / "SpclDays.Dat", "x");
    WriteBytes(folder / "DAYSOFF.DAT", "x");
    WriteBytes(folder / "DaysOff.dat", "x"); // two case variants and no exact name: none chosen

    const TDayFilePaths paths = DayFilePathsIn(folder.Path + "/");
    EXPECT_EQ(paths.Holidays, folder / "holidays.dat");
    EXPECT_EQ(paths.SpecialDays, folder / "SpclDays.Dat");
    EXPECT_EQ(paths.DaysOff, folder / "daysoff.dat");

    const TDayFilePaths missing = DayFilePathsIn(folder / "nothere");
    EXPECT_EQ(missing.Holidays, folder / "nothere/holidays.dat");
}

TEST(DayFiles, LoadsOnlyFilesThatExist)
{
    TTempFolder folder;
    TKyDayItemList source;
    AddItem(source, {.DayType = dtMonthDay, .Month = 1, .Day = 1, .DayText = "x"});
    WriteBytes(folder / "HOLIDAYS.DAT", WriteDayFile(source));
    WriteBytes(folder / "spcldays.dat", "bad");
    const TDayFilePaths paths = DayFilePathsIn(folder.Path);

    TKyDayItemList holidays, special, daysOff;
    AddItem(daysOff, {.DayText = "kept"});
    EXPECT_TRUE(LoadDayFileIfPresent(holidays, paths.Holidays));
    EXPECT_EQ(holidays.Count(), 1);
    EXPECT_FALSE(LoadDayFileIfPresent(daysOff, paths.DaysOff));
    ASSERT_EQ(daysOff.Count(), 1);
    EXPECT_EQ(daysOff[0].DayText, "kept");
    std::optional<TDayFileDamage> damage;
    EXPECT_TRUE(LoadDayFileIfPresent(special, paths.SpecialDays, &damage));
    EXPECT_EQ(special.Count(), 0);
    ASSERT_TRUE(damage.has_value());
    EXPECT_EQ(DayFileDamageText(paths.SpecialDays, *damage),
              "day file " + paths.SpecialDays +
                  ": data ends inside the file header (4 bytes needed, 3 left) at byte offset 0; "
                  "the 0 whole records before it are used");
}

} // namespace
} // namespace orvexp
