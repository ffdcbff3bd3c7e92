// The iCalendar export read back by libical's parser and recurrence iterator:
// on random data folders the events must describe exactly the rows of the
// csv-schedules export of the same range, memos and day items included.

#include <gtest/gtest.h>
#include <libical/ical.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "ExportTestSupport.h"
#include "calendar/DayItem.h"
#include "calendar/DayMatching.h"
#include "export/CsvExport.h"
#include "export/IcsComposer.h"
#include "export/IcsExport.h"
#include "export/IcsText.h"
#include "data/MemoStore.h"
#include "schedule/AlarmTimer.h"
#include "schedule/ScheduleDigest.h"

namespace orvexp {
namespace {

using testing::Sjis;

// Text as both outputs must agree on it: line breaks as LF, the controls the
// calendar cannot carry gone, blanks at both ends trimmed (as CSV does).
std::string Normal(std::string_view utf8)
{
    std::string text;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        if (c == '\r') {
            if (i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;
            text += '\n';
        } else if (c == '\n' || c == '\t' || (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F)) {
            text += c;
        }
    }
    return Trim(text);
}

// A text value as libical reads it back: without the blanks at its ends
// (its reader drops them), and none when only blanks.
std::string AsRead(const std::string& text)
{
    const std::size_t start = text.find_first_not_of(" \t");
    return start == std::string::npos ? std::string() : text.substr(start, text.find_last_not_of(" \t") - start + 1);
}

// One occurrence: date, "hh:mm" or "" for all-day, the impossible time that
// leads the summary (or ""), text.
using TOccurrence = std::tuple<std::string, std::string, std::string, std::string>;
// Memos and day items: date, category, summary + "|" + description.
using TDayEvent = std::tuple<std::string, std::string, std::string>;

bool IsTimeOfDay(const std::string& time, bool& impossible)
{
    const auto colon = time.find(':');
    impossible = false;
    if (colon == std::string::npos || colon == 0 || time.find_first_not_of("0123456789:") != std::string::npos) {
        return false;
    }
    impossible = std::stoi(time.substr(0, colon)) >= 24 || std::stoi(time.substr(colon + 1)) >= 60;
    return !impossible;
}

// The rows of a CSV file: fields split at commas, quotes undone.
std::vector<std::vector<std::string>> ParseCsv(const std::string& csv)
{
    std::vector<std::vector<std::string>> rows(1, std::vector<std::string>(1));
    bool quoted = false;
    for (std::size_t i = 0; i < csv.size(); ++i) {
        const char c = csv[i];
        if (quoted) {
            if (c == '"' && i + 1 < csv.size() && csv[i + 1] == '"') {
                rows.back().back() += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                rows.back().back() += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            rows.back().emplace_back();
        } else if (c == '\r' && i + 1 < csv.size() && csv[i + 1] == '\n') {
            rows.emplace_back(1);
            ++i;
        } else {
            rows.back().back() += c;
        }
    }
    rows.pop_back(); // after the last CR LF
    return rows;
}

std::string DateText(const icaltimetype& time)
{
    return FormatDateText(TDateParts{time.year, static_cast<unsigned>(time.month), static_cast<unsigned>(time.day)});
}

std::string TimeText(const icaltimetype& time)
{
    if (time.is_date) return {};
    char text[8];
    std::snprintf(text, sizeof text, "%02d:%02d", time.hour, time.minute);
    return text;
}

struct TReadBack {
    std::vector<TOccurrence> Schedule;
    std::multiset<TDayEvent> Categorised;
    std::map<std::string, std::string> DescriptionByUid;
};

// Parses the calendar, checks it as libical sees it and expands every rule.
TReadBack ReadBack(const std::string& ics)
{
    TReadBack back;
    // Physical lines: CR LF, at most 75 octets, none cutting a UTF-8 character.
    EXPECT_TRUE(ics.ends_with("\r\n"));
    for (std::size_t start = 0; start < ics.size();) {
        const std::size_t end = ics.find("\r\n", start);
        const std::string line = ics.substr(start, end - start);
        EXPECT_LE(line.size(), 75u) << line;
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
        std::size_t at = 0;
        while (at < line.size()) {
            const auto lead = static_cast<unsigned char>(line[at]);
            const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
            EXPECT_TRUE((lead & 0xC0) != 0x80 && at + length <= line.size()) << "cut character: " << line;
            at += length;
        }
        start = end + 2;
    }

    icalcomponent* calendar = icalparser_parse_string(ics.c_str());
    EXPECT_NE(calendar, nullptr);
    if (!calendar) return back;
    EXPECT_EQ(icalcomponent_count_errors(calendar), 0);
    if (icalcomponent_count_errors(calendar) != 0) {
        char* text = icalcomponent_as_ical_string_r(calendar);
        const std::string whole = text;
        icalmemory_free_buffer(text);
        for (std::size_t at = whole.find("X-LIC-ERROR"); at != std::string::npos; at = whole.find("X-LIC-ERROR", at + 1)) {
            ADD_FAILURE() << whole.substr(at > 300 ? at - 300 : 0, 500);
        }
    }
    std::set<std::string> uids;
    for (icalcomponent* event = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); event;
         event = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
        const std::string uid = icalcomponent_get_uid(event);
        EXPECT_TRUE(uids.insert(uid).second) << "UID twice: " << uid;
        EXPECT_NE(icalcomponent_get_first_property(event, ICAL_DTSTAMP_PROPERTY), nullptr);
        const char* summaryText = icalcomponent_get_summary(event);
        const std::string summary = summaryText ? summaryText : "";
        const char* descriptionText = icalcomponent_get_description(event);
        const std::string description = descriptionText ? descriptionText : "";
        const icaltimetype start = icalcomponent_get_dtstart(event);
        if (icalproperty* category = icalcomponent_get_first_property(event, ICAL_CATEGORIES_PROPERTY)) {
            EXPECT_TRUE(start.is_date);
            EXPECT_NE(icalcomponent_get_first_property(event, ICAL_TRANSP_PROPERTY), nullptr);
            back.Categorised.emplace(DateText(start), icalproperty_get_categories(category), summary + "|" + description);
            continue;
        }
        back.DescriptionByUid[uid] = description;
        // The summary is the first line, after the time text when that cannot be a time.
        std::string first = summary;
        std::string lead;
        if (start.is_date && !summary.empty() && std::isdigit(static_cast<unsigned char>(summary[0]))) {
            const std::string time = summary.substr(0, summary.find(' '));
            bool impossible = false;
            if (!IsTimeOfDay(time, impossible) && impossible) {
                lead = time;
                first = summary.size() > time.size() ? AsRead(summary.substr(time.size() + 1)) : "";
            }
        }
        EXPECT_TRUE(description.starts_with(first)) << summary << " / " << description;
        const std::string text = Normal(description);
        if (icalproperty* rule = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY)) {
            icalrecurrencetype recurrence = icalproperty_get_rrule(rule);
            icaltimetype from = start;
            if (start.zone && !icaltime_is_utc(start)) {
                // Wall-clock times, as the schedule means them: the rule is
                // walked in local time (libical's walk in the zone moves a time
                // that a summer-time change skips, and keeps it moved), with
                // its UTC end taken back to the zone.
                const auto zone = const_cast<icaltimezone*>(start.zone);
                recurrence.until = icaltime_convert_to_zone(recurrence.until, zone);
                recurrence.until.zone = nullptr;
                from.zone = nullptr;
            }
            icalrecur_iterator* occurrences = icalrecur_iterator_new(recurrence, from);
            EXPECT_NE(occurrences, nullptr);
            for (icaltimetype at = icalrecur_iterator_next(occurrences); !icaltime_is_null_time(at);
                 at = icalrecur_iterator_next(occurrences)) {
                back.Schedule.emplace_back(DateText(at), TimeText(at), lead, text);
            }
            icalrecur_iterator_free(occurrences);
        } else {
            back.Schedule.emplace_back(DateText(start), TimeText(start), lead, text);
        }
    }
    icalcomponent_free(calendar);
    std::sort(back.Schedule.begin(), back.Schedule.end());
    return back;
}

// The csv-schedules rows of the same data and range, as occurrences.
std::vector<TOccurrence> CsvOccurrences(const TScheduleDigest& schedule, TDateTime from, TDateTime to)
{
    TExportRequest request;
    request.ExportType = etCsvSchedules;
    request.StartDate = from;
    request.EndDate = to;
    request.Schedule = &schedule;
    std::vector<TOccurrence> occurrences;
    for (const auto& row : ParseCsv(BuildCsv(request))) {
        EXPECT_EQ(row.size(), 3u);
        if (row.size() != 3) continue;
        bool impossibleTime = false;
        const bool timed = IsTimeOfDay(row[1], impossibleTime);
        occurrences.emplace_back(row[0], timed ? row[1] : "", impossibleTime ? row[1] : "", Normal(Cp932ToUtf8(row[2])));
    }
    std::sort(occurrences.begin(), occurrences.end());
    return occurrences;
}

class TRandomFolder {
public:
    explicit TRandomFolder(unsigned seed) : Random(seed) {}

    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(Random); }

    std::string Text()
    {
        static const std::vector<std::string> kPieces = {
            "plain", "a,b", "semi;colon", "back\\slash", "say \"hi\"", "  padded  ", "tab\there", "\x01" "ctl",
            "in\r\nline", "lone\rcr", "lone\nlf", Sjis("予定ソ表能ポ"), Sjis("9時～10時"), "bad\x81\x7F" "byte",
            Sjis("とても長い日本語の行が続きます。折り返しは必ず文字の境目で行われなければなりません。"
                 "途中で切れると読めない文字になってしまいます。"),
            std::string(90, 'x'), ""};
        std::string text;
        for (int part = Pick(1, 3); part > 0; --part) text += kPieces[static_cast<std::size_t>(Pick(0, 16))];
        return text;
    }

    std::unique_ptr<TAlarm2> Entry()
    {
        auto entry = std::make_unique<TAlarm2>();
        entry->Kind = static_cast<TAlarmKind>(Pick(0, 12));
        TAlarmDateTime& at = entry->DateTime;
        at.Year = static_cast<std::uint16_t>(Pick(0, 5) ? Pick(2023, 2025) : Pick(0, 3000));
        at.Month = static_cast<std::uint16_t>(Pick(0, 7) ? Pick(1, 12) : Pick(0, 13));
        at.Day = static_cast<std::uint16_t>(Pick(0, 5) ? Pick(1, 31) : Pick(0, 1) ? 29 : Pick(30, 32));
        if (Pick(0, 9) == 0) {
            at.Month = 2;
            at.Day = 29;
        }
        at.Hour = static_cast<std::uint16_t>(Pick(0, 9) ? Pick(0, 23) : Pick(24, 120));
        at.Minute = static_cast<std::uint16_t>(Pick(0, 9) ? Pick(0, 59) : Pick(60, 99));
        at.DaysOfWeek = static_cast<std::uint8_t>(Pick(0, 4) ? Pick(0, 255) : Pick(0, 1));
        entry->Active = static_cast<std::uint8_t>(Pick(0, 3) ? 1 : 0);
        entry->Alert.Kind = static_cast<TPreviouseAlertKind>(Pick(0, 4));
        entry->Alert.Amount = Pick(-2, 40);
        for (int line = Pick(0, 3); line > 0; --line) entry->Messages.push_back(Text());
        return entry;
    }

    // A data folder of `entries` entries (some of them twice), memos on some
    // days of the years 2023..2025 and the three day files.
    void Write(const std::string& folder, int entries)
    {
        TAlarmList alarms;
        for (int i = 0; i < entries; ++i) {
            alarms.Add(Entry());
            if (Pick(0, 30) == 0) {
                auto twin = std::make_unique<TAlarm2>();
                twin->Assign(alarms[alarms.Count() - 1]);
                alarms.Add(std::move(twin));
            }
        }
        testing::WriteBytes(folder + "schedule.dat", WriteScheduleFile(alarms));
        for (TDateTime day = EncodeDate(2023, 1, 1); day <= EncodeDate(2025, 12, 31); day += Pick(1, 9)) {
            static const std::vector<std::string> kMemos = {"", "\r\n", "\r\n\r\n", "one", "\r\nsecond line first",
                                                            "two\r\nlines\r\n", "lf\nonly", " "};
            std::string memo = kMemos[static_cast<std::size_t>(Pick(0, 7))];
            if (Pick(0, 1)) memo += Text();
            testing::WriteBytes(folder + "Memo/" + MemoFileName(day), memo);
        }
        const char* names[] = {"holidays.dat", "spcldays.dat", "daysoff.dat"};
        for (const char* name : names) {
            TKyDayItemList items;
            for (int i = Pick(0, 12); i > 0; --i) {
                TKyDayItem& item = items.AddNew();
                item.DayType = static_cast<TKyDayType>(Pick(0, 4));
                item.YearType = static_cast<TKyYearType>(Pick(0, 2));
                item.Year = static_cast<std::uint16_t>(Pick(2023, 2025));
                item.Month = static_cast<std::uint16_t>(Pick(1, 12));
                item.Day = static_cast<std::uint16_t>(Pick(0, 31));
                item.DaysOfWeek = static_cast<TKyDaysOfWeek>(Pick(0, 127));
                item.NumOfDayOfWeek = static_cast<std::uint8_t>(Pick(1, 5));
                item.DayText = Text();
                if (i % 5 == 0 && items.Count() > 1) item.ItemGuid = items[0].ItemGuid; // a shared identity
            }
            testing::WriteBytes(folder + name, WriteDayFile(items));
        }
    }

private:
    std::mt19937 Random;
};

// Equal sets, or the elements that differ.
template <class T>
void ExpectSame(const std::multiset<T>& read, const std::multiset<T>& expected)
{
    std::vector<T> extra, missing;
    std::set_difference(read.begin(), read.end(), expected.begin(), expected.end(), std::back_inserter(extra));
    std::set_difference(expected.begin(), expected.end(), read.begin(), read.end(), std::back_inserter(missing));
    EXPECT_EQ(extra, std::vector<T>()) << "read back but not expected";
    EXPECT_EQ(missing, std::vector<T>()) << "expected but not read back";
}

struct TRangeCase {
    unsigned Seed;
    const char* From;
    const char* To;
    const char* TimeZone;
};

TEST(IcsRoundTrip, EventsAreTheCsvScheduleRowsAndTheMemosAndDays)
{
    const std::vector<TRangeCase> cases = {
        {1, "2024/02/01", "2024/03/31", ""},            // 29 February
        {2, "2023/01/31", "2025/12/31", ""},            // three years, day 31 of short months
        {3, "2024/12/25", "2025/01/10", "Asia/Tokyo"},  // across the year's end
        {4, "2024/03/01", "2024/11/30", "America/New_York"}, // both summer-time changes
        {5, "2025/02/28", "2025/02/28", "UTC"},         // one day
        {6, "2023/06/15", "2024/06/14", "Europe/Berlin"},
    };
    for (const TRangeCase& range : cases) {
        SCOPED_TRACE(std::string(range.From) + " .. " + range.To + " " + range.TimeZone);
        testing::TTempFolder folder;
        TRandomFolder random(range.Seed);
        random.Write(folder.Path, 400);

        const TScheduleDigest schedule = TScheduleDigest::LoadFromFile(folder.Path + "schedule.dat");
        const TMemoStore memos{TDataFolder(folder.Path)};
        TKyDayItemList holidays, specialDays, daysOff;
        holidays.LoadFromFile(folder.Path + "holidays.dat");
        specialDays.LoadFromFile(folder.Path + "spcldays.dat");
        daysOff.LoadFromFile(folder.Path + "daysoff.dat");
        TDateTime from = 0, to = 0;
        ASSERT_TRUE(TryParseDateText(range.From, from) && TryParseDateText(range.To, to));

        TIcsInput input;
        input.StartDate = from;
        input.EndDate = to;
        input.Schedule = &schedule;
        input.Memos = &memos;
        input.Holidays = &holidays;
        input.SpecialDays = &specialDays;
        input.DaysOff = &daysOff;
        input.Options.TimeZone = range.TimeZone;
        input.Options.WithDays = true;
        input.Options.StampSeconds = 1765152000;
        std::string ics;
        const std::string rest = BuildIcs(input, [&ics](std::string& part) {
            ics += part;
            part.clear();
        });
        ics += rest;
        EXPECT_EQ(ics, BuildIcs(input)); // the same bytes with and without a drain, and every time

        const TReadBack back = ReadBack(ics);
        const std::vector<TOccurrence> rows = CsvOccurrences(schedule, from, to);
        EXPECT_GT(rows.size(), 100u);
        ExpectSame(std::multiset<TOccurrence>(back.Schedule.begin(), back.Schedule.end()),
                   std::multiset<TOccurrence>(rows.begin(), rows.end()));

        std::multiset<TDayEvent> expected;
        for (TDateTime day = from; day <= to; day += 1) {
            std::vector<std::string> lines;
            if (memos.ReadMemoLines(day, lines)) {
                const std::vector<std::string_view> views(lines.begin(), lines.end());
                const std::string text = IcsText(views);
                if (text.find_first_not_of(" \t\n") != std::string::npos) {
                    const std::string summary = IcsText(views.front());
                    expected.emplace(FormatDateText(day), "メモ", AsRead(summary) + "|" + AsRead(text));
                }
            }
            const std::pair<const TKyDayItemList*, const char*> kinds[] = {
                {&holidays, "祝日"}, {&specialDays, "記念日"}, {&daysOff, "休日"}};
            for (const auto& [items, category] : kinds) {
                for (int i = 0; i < items->Count(); ++i) {
                    if (DayItemMatches((*items)[i], day)) {
                        const std::string name = IcsText((*items)[i].DayText);
                        expected.emplace(FormatDateText(day), category, AsRead(name) + "|");
                    }
                }
            }
        }
        ExpectSame(back.Categorised, expected);

        // The same entries in a longer range keep their UIDs.
        input.StartDate = from - 40;
        const TReadBack wider = ReadBack(BuildIcs(input));
        int shared = 0;
        for (const auto& [uid, description] : back.DescriptionByUid) {
            const auto found = wider.DescriptionByUid.find(uid);
            ASSERT_NE(found, wider.DescriptionByUid.end()) << uid;
            EXPECT_EQ(found->second, description) << uid;
            ++shared;
        }
        EXPECT_GT(shared, 50);
    }
}

} // namespace
} // namespace orvexp
