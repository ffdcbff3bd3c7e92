#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "platform/Text.h"
#include "schedule/AlarmOccurrence.h"
#include "schedule/PreviewList.h"
#include "schedule/ScheduleTexts.h"
#include "tests/support/PlainScan.h"
#include "tests/support/ScheduleEntries.h"

namespace orvexp {
namespace {

using test::MakeAlarm;

const TDateTime kDay = EncodeDate(2001, 3, 4);

template <class Field>
std::vector<std::string> Column(const TPreviewList& list, Field TPreviewRow::*field)
{
    std::vector<std::string> values;
    for (const auto& row : list.AllRows()) values.emplace_back(row.*field);
    return values;
}

TEST(PreviewList, OrdersNoTimeFirstThenByTime)
{
    TAlarmList alarms;
    alarms.Add(MakeAlarm(akDateAt, {"a"}, 2001, 3, 4, 9, 30));
    alarms.Add(MakeAlarm(akDate, {"b"}, 2001, 3, 4));
    alarms.Add(MakeAlarm(akEveryDayAt, {"c"}, 0, 0, 0, 8, 0));
    alarms.Add(MakeAlarm(akStartup, {"d"}));
    TPreviewList list(alarms);
    list.FillPreviewList(kDay);
    EXPECT_EQ(Column(list, &TPreviewRow::TimeText),
              (std::vector<std::string>{"--:--", sjis::kStartup, "08:00", "09:30"}));
    EXPECT_EQ(Column(list, &TPreviewRow::ContentText), (std::vector<std::string>{"b", "d", "c", "a"}));
    EXPECT_EQ(list.Row(0).DateText, "2001/03/04");
    EXPECT_EQ(list.Row(0).Position, 1);
}

// Rows that compare equal keep the container's order.
TEST(PreviewList, EqualTimesKeepContainerOrder)
{
    TAlarmList alarms;
    alarms.Add(MakeAlarm(akEveryDayAt, {"midnight"}, 0, 0, 0, 0, 0));
    alarms.Add(MakeAlarm(akMonthDayAt, {"late"}, 0, 0, 4, 23, 0));
    alarms.Add(MakeAlarm(akEveryDay, {"every day"}));
    alarms.Add(MakeAlarm(akYearDay, {"none 1"}, 0, 3, 4));
    alarms.Add(MakeAlarm(akStartup, {"start-up"}));
    alarms.Add(MakeAlarm(akWeekdays, {"none 2"}, 0, 0, 0, 0, 0, 0x02)); // 2001-03-04 is a Sunday
    alarms.Add(MakeAlarm(akYearDayAt, {"hour 100"}, 0, 3, 4, 100, 0));  // no valid time: as 00:00
    TPreviewList list(alarms);
    list.FillPreviewList(kDay);
    EXPECT_EQ(Column(list, &TPreviewRow::ContentText),
              (std::vector<std::string>{"none 1", "none 2", "midnight", "every day", "start-up", "hour 100", "late"}));
}

TEST(PreviewList, CompareScheduleTimesTable)
{
    auto row = [](const char* time) {
        TPreviewRow row;
        row.TimeText = time;
        return row;
    };
    struct {
        const char* A;
        const char* B;
        int Sign;
    } cases[] = {
        {"--:--", "--:--", 0},  {"--:--", "00:00", -1}, {"00:00", "--:--", 1},
        {"08:00", "09:30", -1}, {"09:30", "08:00", 1},  {"00:00", sjis::kEveryDay, 0},
        {sjis::kStartup, sjis::kEveryDay, 0}, {"23:59", "24:00", 1}, {"xx", "00:00", 0},
    };
    for (const auto& c : cases) {
        const int result = CompareScheduleTimes(row(c.A), row(c.B));
        EXPECT_EQ((result > 0) - (result < 0), c.Sign) << c.A << " vs " << c.B;
    }
}

TEST(PreviewList, EachFillReplacesTheRows)
{
    TAlarmList alarms;
    alarms.Add(MakeAlarm(akDate, {"first", "second"}, 2001, 3, 4));
    alarms.Add(MakeAlarm(akDate, {}, 2001, 3, 5));
    TPreviewList list(alarms);
    list.FillPreviewList(kDay);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Row(0).ContentText, "first");
    EXPECT_EQ(list.Row(0).Lines.size(), 2u);
    list.FillPreviewList(kDay + 1);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Row(0).ContentText, "");
    EXPECT_EQ(list.Row(0).DateText, "2001/03/05");
    list.FillPreviewList(kDay + 2);
    EXPECT_EQ(list.Count(), 0);
}

// The fill finds a day's entries through an index; it must give exactly the rows
// of testing every entry, in the same order.
TEST(PreviewList, IndexedFillEqualsThePlainScan)
{
    std::mt19937 random(20261208);
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    TAlarmList alarms;
    for (int i = 0; i < 1500; ++i) {
        const auto kind = static_cast<TAlarmKind>(pick(0, 12));
        alarms.Add(MakeAlarm(kind, {std::to_string(i)}, static_cast<std::uint16_t>(pick(0, 2) ? pick(2023, 2026) : pick(0, 3000)),
                             static_cast<std::uint16_t>(pick(0, 13)), static_cast<std::uint16_t>(pick(0, 32)),
                             // Some times that are no time of day ("24:00", "07:75") sort as 00:00.
                             static_cast<std::uint16_t>(pick(0, 9) ? pick(0, 23) : pick(24, 120)),
                             static_cast<std::uint16_t>(pick(0, 9) ? pick(0, 2) * 30 : pick(0, 99)),
                             static_cast<std::uint8_t>(pick(0, 255))));
    }
    std::vector<std::string> timeTexts;
    for (const auto& alarm : alarms) timeTexts.push_back(AlarmTimeText(*alarm));
    TPreviewList list(alarms);
    for (TDateTime day = EncodeDate(2023, 12, 25); day <= EncodeDate(2026, 3, 5); day += 1) {
        const std::vector<int> expected = test::PlainScanPositions(alarms, timeTexts, day);
        list.FillPreviewList(day);
        ASSERT_EQ(list.Count(), static_cast<int>(expected.size())) << FormatDateText(day);
        for (int i = 0; i < list.Count(); ++i) {
            const TPreviewRow& row = list.Row(i);
            ASSERT_EQ(row.Position, expected[static_cast<std::size_t>(i)]) << FormatDateText(day) << " row " << i;
            ASSERT_EQ(row.TimeText, timeTexts[static_cast<std::size_t>(row.Position)]);
            ASSERT_EQ(row.DateText, FormatDateText(day));
            const std::vector<std::string>& messages = alarms[row.Position].Messages;
            ASSERT_TRUE(std::equal(row.Lines.begin(), row.Lines.end(), messages.begin(), messages.end()));
        }
    }
}

TEST(PreviewList, ScheduleTextsAreCodePage932)
{
    EXPECT_EQ(Utf8ToCp932("毎日"), sjis::kEveryDay);
    EXPECT_EQ(Utf8ToCp932("起動時"), sjis::kStartup);
}

} // namespace
} // namespace orvexp
