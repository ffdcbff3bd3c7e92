#include "export/IcsExport.h"

#include <gtest/gtest.h>
#include <libical/ical.h>

#include <string>
#include <vector>

#include "ExportTestSupport.h"
#include "calendar/DayItem.h"
#include "data/MemoStore.h"
#include "schedule/ScheduleDigest.h"

namespace orvexp {
namespace {

using testing::MakeEntry;
using testing::Sjis;

// One tiny calendar, whole bytes: a weekly entry with a minutes notice, an
// inactive date and its twin (ordinals in the UID), a time that cannot exist,
// a memo, a special day; the escaping and folding are libical's, and libical
// reads the file back to the very same bytes.
TEST(IcsExport, WritesATinyCalendarExactly)
{
    testing::TTempFolder folder;
    testing::WriteBytes(folder.Path + "Memo/20261208.txt", Sjis("メモの一行目\r\n二行目～\r\n"));
    TAlarmList alarms;
    auto weekly = MakeEntry(akWeekdaysAt, 0, 0, 0, 9, 30, {Sjis("朝会"), Sjis("進捗; 確認, 共有")});
    weekly->DateTime.DaysOfWeek = 0x0B; // Sunday, Tuesday and the bit that names no day
    weekly->Alert.Kind = paMinutes;
    weekly->Alert.Amount = 10;
    alarms.Add(std::move(weekly));
    for (int twin = 0; twin < 2; ++twin) {
        auto date = MakeEntry(akDate, 2026, 12, 24, 0, 0, {"a,b \"c\" \\ d"});
        date->Active = 0;
        alarms.Add(std::move(date));
    }
    auto night = MakeEntry(akDateAt, 2026, 12, 25, 24, 0, {Sjis("夜")});
    night->Alert.Kind = paDays;
    night->Alert.Amount = 2;
    alarms.Add(std::move(night));
    alarms.Add(MakeEntry(akYearDay, 0, 2, 29, 0, 0, {Sjis("閏日")})); // no 29 February in the range
    const TScheduleDigest schedule(alarms);
    const TMemoStore memos{TDataFolder(folder.Path)};
    TKyDayItemList specialDays;
    TKyDayItem& item = specialDays.AddNew();
    item.DayType = dtMonthDay;
    item.Month = 12;
    item.Day = 15;
    item.ItemGuid = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    item.DayText = Sjis("とても長い名前の記念日で、一行には収まらないので必ず折り返されることになる記念日");

    TIcsInput input;
    input.StartDate = EncodeDate(2026, 12, 7);
    input.EndDate = EncodeDate(2026, 12, 31);
    input.Schedule = &schedule;
    input.Memos = &memos;
    input.SpecialDays = &specialDays;
    input.Options.WithDays = true;
    input.Options.StampSeconds = 1765152000;
    const std::string ics = BuildIcs(input);
    const std::vector<std::string> lines = {
        "BEGIN:VCALENDAR",
        "PRODID:-//orvexp//Orvanel export//JA",
        "VERSION:2.0",
        "CALSCALE:GREGORIAN",
        "BEGIN:VEVENT",
        "UID:25e2422ed59152fb-1@orvexp",
        "DTSTAMP:20251208T000000Z",
        "DTSTART:20261208T093000",
        "RRULE:FREQ=WEEKLY;UNTIL=20261231T235959;BYDAY=TU,SU",
        "SUMMARY:朝会",
        "DESCRIPTION:朝会\\n進捗\\; 確認\\, 共有",
        "BEGIN:VALARM",
        "ACTION:DISPLAY",
        "TRIGGER:PT0S",
        "DESCRIPTION:朝会",
        "END:VALARM",
        "BEGIN:VALARM",
        "ACTION:DISPLAY",
        "TRIGGER:-PT10M",
        "DESCRIPTION:朝会",
        "END:VALARM",
        "END:VEVENT",
        "BEGIN:VEVENT",
        "UID:0ccd6e3388886919-1@orvexp",
        "DTSTAMP:20251208T000000Z",
        "DTSTART;VALUE=DATE:20261224",
        "SUMMARY:a\\,b \"c\" \\\\ d",
        "DESCRIPTION:a\\,b \"c\" \\\\ d",
        "END:VEVENT",
        "BEGIN:VEVENT",
        "UID:0ccd6e3388886919-2@orvexp",
        "DTSTAMP:20251208T000000Z",
        "DTSTART;VALUE=DATE:20261224",
        "SUMMARY:a\\,b \"c\" \\\\ d",
        "DESCRIPTION:a\\,b \"c\" \\\\ d",
        "END:VEVENT",
        "BEGIN:VEVENT",
        "UID:07cd12fdb8bb6b19-1@orvexp",
        "DTSTAMP:20251208T000000Z",
        "DTSTART;VALUE=DATE:20261225",
        "SUMMARY:24:00 夜",
        "DESCRIPTION:夜",
        "BEGIN:VALARM",
        "ACTION:DISPLAY",
        "TRIGGER:-P2D",
        "DESCRIPTION:24:00 夜",
        "END:VALARM",
        "END:VEVENT",
        "BEGIN:VEVENT",
        "UID:memo-20261208@orvexp",
        "DTSTAMP:20251208T000000Z",
        "DTSTART;VALUE=DATE:20261208",
        "SUMMARY:メモの一行目",
        "DESCRIPTION:メモの一行目\\n二行目～",
        "CATEGORIES:メモ",
        "TRANSP:TRANSPARENT",
        "END:VEVENT",
        "BEGIN:VEVENT",
        "UID:special-20261215-0102030405060708090a0b0c0d0e0f10-1@orvexp",
        "DTSTAMP:20251208T000000Z",
        "DTSTART;VALUE=DATE:20261215",
        "SUMMARY:",
        " とても長い名前の記念日で、一行には収まらないので",
        " 必ず折り返されることになる記念日",
        "CATEGORIES:記念日",
        "TRANSP:TRANSPARENT",
        "END:VEVENT",
        "END:VCALENDAR",
    };
    std::string expected;
    for (const std::string& line : lines) expected += line + "\r\n";
    EXPECT_EQ(ics, expected);

    icalcomponent* calendar = icalparser_parse_string(ics.c_str());
    ASSERT_NE(calendar, nullptr);
    EXPECT_EQ(icalcomponent_count_errors(calendar), 0);
    char* again = icalcomponent_as_ical_string_r(calendar);
    EXPECT_EQ(std::string(again), ics);
    icalmemory_free_buffer(again);
    icalcomponent_free(calendar);
}

// Many blocks of entries, made on two threads in turn, come out whole and in
// the entries' order.
TEST(IcsExport, WritesTheEntriesOfEveryBlockInOrder)
{
    constexpr int kEntries = 128 * 11 + 5;
    TAlarmList alarms;
    for (int i = 0; i < kEntries; ++i) {
        alarms.Add(MakeEntry(akDateAt, 2026, 12, 8, 10, 0, {"entry " + std::to_string(i)}));
    }
    const TScheduleDigest schedule(alarms);
    TIcsInput input;
    input.StartDate = EncodeDate(2026, 12, 1);
    input.EndDate = EncodeDate(2026, 12, 31);
    input.Schedule = &schedule;
    const std::string ics = BuildIcs(input);
    std::string expected;
    for (int i = 0; i < kEntries; ++i) expected += "SUMMARY:entry " + std::to_string(i) + "\r\n";
    std::string summaries;
    for (std::size_t at = ics.find("SUMMARY:"); at != std::string::npos; at = ics.find("SUMMARY:", at + 1)) {
        summaries += ics.substr(at, ics.find("\r\n", at) + 2 - at);
    }
    EXPECT_EQ(summaries, expected);
}

} // namespace
} // namespace orvexp
