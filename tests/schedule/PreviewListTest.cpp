#include <gtest/gtest.h>

#include "platform/Text.h"
#include "schedule/PreviewList.h"
#include "schedule/ScheduleTexts.h"
#include "tests/schedule/ScheduleFixtures.h"

namespace orvexp {
namespace {

using test::MakeAlarm;

const TDateTime kDay = EncodeDate(2001, 3, 4);

std::vector<std::string> Column(const TPreviewList& list, std::string TPreviewRow::*field)
{
    std::vector<std::string> values;
    for (const auto& row : list.AllRows()) values.push_back(row.*field);
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
    EXPECT_EQ(list.Row(0).Alarm, &alarms[1]);
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
    auto row = [](const char* time) { return TPreviewRow{"", time, "", nullptr}; };
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
    EXPECT_EQ(list.Row(0).Alarm->Messages.size(), 2u);
    list.FillPreviewList(kDay + 1);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Row(0).ContentText, "");
    EXPECT_EQ(list.Row(0).DateText, "2001/03/05");
    list.FillPreviewList(kDay + 2);
    EXPECT_EQ(list.Count(), 0);
}

TEST(PreviewList, ScheduleTextsAreCodePage932)
{
    EXPECT_EQ(Utf8ToCp932("毎日"), sjis::kEveryDay);
    EXPECT_EQ(Utf8ToCp932("起動時"), sjis::kStartup);
}

} // namespace
} // namespace orvexp
