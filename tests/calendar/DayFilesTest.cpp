#include <gtest/gtest.h>

#include "calendar/DayFiles.h"
#include "platform/FileSystem.h"
#include "tests/calendar/CalendarFixtures.h"

namespace orvexp {
namespace {

using test::AddItem;
using test::TTempFolder;
using test::WriteBytes;

TEST(DayFiles, LoadsOnlyFilesThatExist)
{
    TTempFolder folder;
    TKyDayItemList source;
    AddItem(source, {.DayType = dtMonthDay, .Month = 1, .Day = 1, .DayText = "x"});
    WriteBytes(folder / "HOLIDAYS.DAT", WriteDayFile(source));
    WriteBytes(folder / "spcldays.dat", "bad");

    TKyDayItemList holidays, special, daysOff;
    AddItem(daysOff, {.DayText = "kept"});
    EXPECT_TRUE(LoadDayFileIfPresent(holidays, folder / "HOLIDAYS.DAT"));
    EXPECT_EQ(holidays.Count(), 1);
    EXPECT_FALSE(LoadDayFileIfPresent(daysOff, folder / "daysoff.dat"));
    ASSERT_EQ(daysOff.Count(), 1);
    EXPECT_EQ(daysOff[0].DayText, "kept");
    std::optional<TDayFileDamage> damage;
    EXPECT_TRUE(LoadDayFileIfPresent(special, (folder / "spcldays.dat"), &damage));
    EXPECT_EQ(special.Count(), 0);
    ASSERT_TRUE(damage.has_value());
    EXPECT_EQ(DayFileDamageText((folder / "spcldays.dat"), *damage),
              "日のファイル " + (folder / "spcldays.dat") +
                  ": ファイルの先頭の途中でデータが終わっています（4 バイト必要、残り 3 バイト）（バイト位置 0）。"
                  "読める項目はありません");
}

} // namespace
} // namespace orvexp
