#include "export/IcsExport.h"

#include <gtest/gtest.h>
#include <libical/ical.h>

#include <utime.h>

#include <string>
#include <vector>

#include "ExportTestSupport.h"
#include "calendar/DateEx.h"
#include "calendar/DayItem.h"
#include "export/Export.h"
#include "export/ExportSources.h"
#include "export/IcsCalendar.h"
#include "data/MemoStore.h"
#include "schedule/ScheduleDigest.h"

namespace orvexp {
namespace {

using test::MakeEntry;
using test::Sjis;

// The iCalendar file of the request over `alarms` and the data folder's memos and day files.
std::string Ics(TExportRequest request, const std::string& folder, const TAlarmList& alarms, bool withDays = false,
                std::int64_t stampSeconds = 0)
{
    request.ExportType = etIcs;
    const auto sources = test::ResolveSources(request, folder, alarms, withDays, stampSeconds);
    return BuildIcs(request, *sources);
}

// One tiny calendar, whole bytes: a weekly entry with a minutes notice whose
// rule starts in the data's first year, an inactive date and its twin
// (ordinals in the UID), a time that cannot exist, a one-line entry whose
// reminders show its description's line, a memo stamped with its file's time,
// a special day; the escaping and folding are libical's, and libical reads the
// file back to the very same bytes.
TEST(IcsExport, WritesATinyCalendarExactly)
{
    test::TTempFolder folder;
    test::WriteBytes(folder.Path + "Memo/20261208.txt", Sjis("メモの一行目\r\n二行目～\r\n"));
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
    auto dentist = MakeEntry(akDateAt, 2026, 12, 26, 10, 0, {Sjis("歯医者")});
    dentist->Alert.Kind = paHours;
    dentist->Alert.Amount = 1;
    alarms.Add(std::move(dentist));
    alarms.Add(MakeEntry(akYearDay, 0, 2, 29, 0, 0, {Sjis("閏日")})); // no 29 February in the range
    TKyDayItemList specialDays;
    TKyDayItem& item = specialDays.AddNew();
    item.DayType = dtMonthDay;
    item.Month = 12;
    item.Day = 15;
    item.ItemGuid = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    item.DayText = Sjis("とても長い名前の記念日で、一行には収まらないので必ず折り返されることになる記念日");

    test::WriteBytes(folder.Path + "spcldays.dat", WriteDayFile(specialDays));
    const ::utimbuf memoTime{1765238400, 1765238400}; // 2025-12-09 00:00:00 UTC
    ASSERT_EQ(::utime((folder.Path + "Memo/20261208.txt").c_str(), &memoTime), 0);

    TExportRequest request;
    request.StartDate = EncodeDate(2026, 12, 7);
    request.EndDate = EncodeDate(2026, 12, 31);
    const std::string ics = Ics(request, folder.Path, alarms, true, 1765152000);
    const std::vector<std::string> lines = {
        "BEGIN:VCALENDAR",
        "PRODID:-//orvexp//Orvanel export//JA",
        "VERSION:2.0",
        "CALSCALE:GREGORIAN",
        "X-WR-CALNAME:Orvanel",
        "BEGIN:VEVENT",
        "UID:25e2422ed59152fb-1@orvexp",
        "DTSTAMP:20251208T000000Z",
        "LAST-MODIFIED:20251208T000000Z",
        "DTSTART:20260104T093000",
        "RRULE:FREQ=WEEKLY;BYDAY=TU,SU",
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
        "LAST-MODIFIED:20251208T000000Z",
        "DTSTART;VALUE=DATE:20261224",
        "SUMMARY:a\\,b \"c\" \\\\ d",
        "DESCRIPTION:a\\,b \"c\" \\\\ d",
        "END:VEVENT",
        "BEGIN:VEVENT",
        "UID:0ccd6e3388886919-2@orvexp",
        "DTSTAMP:20251208T000000Z",
        "LAST-MODIFIED:20251208T000000Z",
        "DTSTART;VALUE=DATE:20261224",
        "SUMMARY:a\\,b \"c\" \\\\ d",
        "DESCRIPTION:a\\,b \"c\" \\\\ d",
        "END:VEVENT",
        "BEGIN:VEVENT",
        "UID:07cd12fdb8bb6b19-1@orvexp",
        "DTSTAMP:20251208T000000Z",
        "LAST-MODIFIED:20251208T000000Z",
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
        "UID:a63e37ff2641b413-1@orvexp",
        "DTSTAMP:20251208T000000Z",
        "LAST-MODIFIED:20251208T000000Z",
        "DTSTART:20261226T100000",
        "SUMMARY:歯医者",
        "DESCRIPTION:歯医者",
        "BEGIN:VALARM",
        "ACTION:DISPLAY",
        "TRIGGER:PT0S",
        "DESCRIPTION:歯医者",
        "END:VALARM",
        "BEGIN:VALARM",
        "ACTION:DISPLAY",
        "TRIGGER:-PT1H",
        "DESCRIPTION:歯医者",
        "END:VALARM",
        "END:VEVENT",
        "BEGIN:VEVENT",
        "UID:memo-20261208@orvexp",
        "DTSTAMP:20251209T000000Z",
        "LAST-MODIFIED:20251209T000000Z",
        "DTSTART;VALUE=DATE:20261208",
        "SUMMARY:メモの一行目",
        "DESCRIPTION:メモの一行目\\n二行目～",
        "CATEGORIES:メモ",
        "TRANSP:TRANSPARENT",
        "END:VEVENT",
        "BEGIN:VEVENT",
        "UID:special-20261215-0102030405060708090a0b0c0d0e0f10-1@orvexp",
        "DTSTAMP:20251208T000000Z",
        "LAST-MODIFIED:20251208T000000Z",
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

// Many entries, over several steps of progress, come out whole and in the
// entries' order.
TEST(IcsExport, WritesEveryEntryInOrder)
{
    constexpr int kEntries = 128 * 11 + 5;
    TAlarmList alarms;
    for (int i = 0; i < kEntries; ++i) {
        alarms.Add(MakeEntry(akDateAt, 2026, 12, 8, 10, 0, {"entry " + std::to_string(i)}));
    }
    test::TTempFolder folder;
    TExportRequest request;
    request.StartDate = EncodeDate(2026, 12, 1);
    request.EndDate = EncodeDate(2026, 12, 31);
    const std::string ics = Ics(request, folder.Path, alarms);
    std::string expected;
    for (int i = 0; i < kEntries; ++i) expected += "SUMMARY:entry " + std::to_string(i) + "\r\n";
    std::string summaries;
    for (std::size_t at = ics.find("SUMMARY:"); at != std::string::npos; at = ics.find("SUMMARY:", at + 1)) {
        summaries += ics.substr(at, ics.find("\r\n", at) + 2 - at);
    }
    EXPECT_EQ(summaries, expected);
}


// Every entry's title is one clean line: the first line that holds more than
// blanks, trimmed, cut at a line break inside it; a default when there is none.
// (Memos and day texts: the round trip.)
TEST(IcsExport, TitlesAreTheFirstLineThatHoldsText)
{
    struct TCase {
        std::vector<std::string> Lines;
        std::uint16_t Hour;
        const char* Summary;
    };
    const TCase cases[] = {
        {{"  ", Sjis(" 会議 ")}, 9, "SUMMARY:会議"},
        {{"first\r\nsecond", "third"}, 9, "SUMMARY:first"},
        {{"\nafter a break"}, 9, "SUMMARY:after a break"},
        {{Sjis("　全角で囲む　")}, 9, "SUMMARY:全角で囲む"},
        {{}, 9, "SUMMARY:予定"},
        {{" \t", ""}, 9, "SUMMARY:予定"},
        {{"", " late "}, 24, "SUMMARY:24:00 late"},
    };
    test::TTempFolder folder;
    for (const TCase& c : cases) {
        TAlarmList alarms;
        alarms.Add(MakeEntry(akDateAt, 2026, 12, 8, c.Hour, 0, c.Lines));
        TExportRequest request;
        request.StartDate = request.EndDate = EncodeDate(2026, 12, 8);
        const std::string ics = Ics(request, folder.Path, alarms);
        const std::size_t at = ics.find("SUMMARY:");
        ASSERT_NE(at, std::string::npos) << c.Summary;
        EXPECT_EQ(ics.substr(at, ics.find("\r\n", at) - at), c.Summary);
    }
}

// Texts of every length up to three lines, ASCII and Japanese, come out as
// whole folded lines that read back to the very text: where libical's last
// piece fills a line exactly, its line end is made plain without a byte lost.
TEST(IcsExport, FoldsTextsOfEveryLengthWhole)
{
    test::TTempFolder folder;
    std::vector<std::string> texts;
    for (int length = 50; length < 150; ++length) texts.push_back(std::string(static_cast<std::size_t>(length), 'x'));
    for (int length = 15; length < 75; ++length) {
        std::string text;
        for (int i = 0; i < length; ++i) text += "あ";
        texts.push_back(text);
    }
    const TDateTime first = EncodeDate(2026, 1, 1);
    for (std::size_t day = 0; day < texts.size(); ++day) {
        test::WriteBytes(folder.Path + "Memo/" + MemoFileName(first + static_cast<double>(day)), Sjis(texts[day]));
    }
    TExportRequest request;
    request.StartDate = first;
    request.EndDate = EncodeDate(2026, 12, 31);
    const std::string ics = Ics(request, folder.Path, TAlarmList());

    for (std::size_t from = 0, end; (end = ics.find("\r\n", from)) != std::string::npos; from = end + 2) {
        ASSERT_LE(end - from, 75U) << ics.substr(from, end - from);
    }
    icalcomponent* calendar = icalparser_parse_string(ics.c_str());
    ASSERT_NE(calendar, nullptr);
    EXPECT_EQ(icalcomponent_count_errors(calendar), 0);
    std::size_t day = 0;
    for (icalcomponent* event = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); event;
         event = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT), ++day) {
        ASSERT_LT(day, texts.size());
        EXPECT_EQ(icalcomponent_get_summary(event), texts[day]);
        EXPECT_EQ(icalcomponent_get_description(event), texts[day]);
    }
    EXPECT_EQ(day, texts.size());
    icalcomponent_free(calendar);
}

// libical's dates end with the year 3000; later dates and stamps are written
// all the same, and read back.
TEST(IcsExport, WritesDatesAfterTheYear3000)
{
    TAlarmList alarms;
    alarms.Add(MakeEntry(akDateAt, 9999, 12, 31, 10, 5, {"last"}));
    alarms.Add(MakeEntry(akYearDay, 0, 2, 29, 0, 0, {"leap"}));
    test::TTempFolder folder;
    TExportRequest request;
    request.StartDate = EncodeDate(9996, 2, 1);
    request.EndDate = EncodeDate(9999, 12, 31);
    request.Ics.TimeZone = "UTC";
    const std::string ics = Ics(request, folder.Path, alarms, false, 95617629296); // 5000-01-01 12:34:56 UTC
    for (const char* line : {"\r\nDTSTAMP:50000101T123456Z\r\n", "\r\nDTSTART:99991231T100500Z\r\n",
                             "\r\nDTSTART;VALUE=DATE:99960229\r\n"}) {
        EXPECT_NE(ics.find(line), std::string::npos) << line << ics;
    }
    icalcomponent* calendar = icalparser_parse_string(ics.c_str());
    ASSERT_NE(calendar, nullptr);
    EXPECT_EQ(icalcomponent_count_errors(calendar), 0);
    icalcomponent_free(calendar);
}

// A range without any event gives no calendar at all.
TEST(IcsExport, NothingToExportWritesNoFile)
{
    test::TTempFolder folder;
    test::WriteBytes(folder.Path + "Memo/20261208.txt", "\r\n \r\n");
    test::WriteBytes(folder.Path + "out.ics", "earlier");
    TAlarmList alarms;
    alarms.Add(MakeEntry(akDate, 2026, 12, 9, 0, 0, {"not in the range"}));
    TExportRequest request;
    request.ExportType = etIcs;
    request.StartDate = request.EndDate = EncodeDate(2026, 12, 8);
    request.OutputPath = folder.Path + "out.ics";
    EXPECT_THROW(test::RunExportFrom(request, folder.Path, alarms, true), ENothingToExport);
    EXPECT_EQ(test::ReadBytes(folder.Path + "out.ics"), "earlier");
}

// The kept lines stay within their bound: past it, lines are made each time,
// and those kept before are still served.
TEST(IcsLineCache, PastItsBoundLinesAreMadeEachTime)
{
    TIcsLineCache lines;
    const auto lineOf = [&](std::size_t key, const char* text) {
        return lines.Lines(std::to_string(key), [&] { return std::string(text); });
    };
    for (std::size_t key = 0; key <= TIcsLineCache::kMaxLines; ++key) lineOf(key, "first");
    EXPECT_EQ(lineOf(7, "again"), "first");
    EXPECT_EQ(lineOf(TIcsLineCache::kMaxLines, "again"), "again");
}

} // namespace
} // namespace orvexp
