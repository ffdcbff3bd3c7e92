// The iCalendar export read back by libical's parser and recurrence iterator:
// on random data folders the events must describe exactly the rows of the
// csv-schedules export of the same range, memos and day texts included, and
// two exports of consecutive ranges, imported one after the other, exactly
// the rows of both.

#include <gtest/gtest.h>
#include <libical/ical.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "ExportTestSupport.h"
#include "calendar/DateEx.h"
#include "calendar/DayItem.h"
#include "calendar/DayMatching.h"
#include "export/CsvExport.h"
#include "export/ExportSources.h"
#include "export/IcsExport.h"
#include "export/IcsLayouts.h"
#include "export/IcsText.h"
#include "data/MemoStore.h"
#include "schedule/AlarmTimer.h"
#include "schedule/ScheduleDigest.h"

namespace orvexp {
namespace {

using test::Sjis;

// Text with its line breaks as LF and the controls the calendar cannot carry gone.
std::string Breaks(std::string_view utf8)
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
    return text;
}

// Text as both outputs must agree on it: Breaks, and blanks at both ends
// trimmed (as CSV does).
std::string Normal(std::string_view utf8)
{
    return Trim(Breaks(utf8));
}

// A text value as libical reads it back: without the blanks at its ends
// (its reader drops them), and none when only blanks.
std::string AsRead(const std::string& text)
{
    const std::size_t start = text.find_first_not_of(" \t");
    return start == std::string::npos ? std::string() : text.substr(start, text.find_last_not_of(" \t") - start + 1);
}

// The title both must agree on: the first line holding more than blanks, trimmed.
std::string TitleOf(const std::string& text)
{
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string line = AsRead(text.substr(start, end - start));
        if (!line.empty()) return line;
        start = end + 1;
    }
    return {};
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
    std::map<std::string, std::string> EventByUid; // each VEVENT's text
};

// The text of each VEVENT of a calendar by its UID.
std::map<std::string, std::string> EventsByUid(const std::string& ics)
{
    std::map<std::string, std::string> events;
    for (std::size_t at = ics.find("BEGIN:VEVENT"); at != std::string::npos; at = ics.find("BEGIN:VEVENT", at + 1)) {
        const std::string event = ics.substr(at, ics.find("END:VEVENT", at) - at);
        const std::size_t uid = event.find("UID:") + 4;
        events[event.substr(uid, event.find("\r\n", uid) - uid)] = event;
    }
    return events;
}

// Parses calendars imported one after the other (a later event replaces an
// earlier one of its UID), checks them as libical sees them and expands
// every rule over the whole days `from` to `to`.
TReadBack ReadBack(const std::vector<std::string>& calendars, TDateTime from, TDateTime to)
{
    TReadBack back;
    for (const std::string& ics : calendars) {
        for (auto& [uid, event] : EventsByUid(ics)) back.EventByUid[uid] = event;
    }
    std::string merged = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:merged\r\n";
    for (const auto& [uid, event] : back.EventByUid) merged += event + "END:VEVENT\r\n";
    merged += "END:VCALENDAR\r\n";
    const std::string& ics = calendars.size() == 1 ? calendars.front() : merged;
    // (Physical lines, UTF-8 and folding are the fuzz target's.)
    icalcomponent* calendar = icalparser_parse_string(ics.c_str());
    EXPECT_NE(calendar, nullptr);
    if (!calendar) return back;
    EXPECT_EQ(icalcomponent_count_errors(calendar), 0);
    std::set<std::string> uids;
    for (icalcomponent* event = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); event;
         event = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
        const std::string uid = icalcomponent_get_uid(event);
        EXPECT_TRUE(uids.insert(uid).second) << "UID twice: " << uid;
        EXPECT_NE(icalcomponent_get_first_property(event, ICAL_DTSTAMP_PROPERTY), nullptr);
        const char* summaryText = icalcomponent_get_summary(event);
        const std::string summary = summaryText ? summaryText : "";
        // A title of one line, trimmed, never empty.
        EXPECT_TRUE(!summary.empty() && summary.find('\n') == std::string::npos && AsRead(summary) == summary)
            << uid << ": [" << summary << "]";
        const char* descriptionText = icalcomponent_get_description(event);
        const std::string description = descriptionText ? descriptionText : "";
        const icaltimetype start = icalcomponent_get_dtstart(event);
        if (icalproperty* category = icalcomponent_get_first_property(event, ICAL_CATEGORIES_PROPERTY)) {
            EXPECT_TRUE(start.is_date);
            EXPECT_NE(icalcomponent_get_first_property(event, ICAL_TRANSP_PROPERTY), nullptr);
            back.Categorised.emplace(DateText(start), icalproperty_get_categories(category), summary + "|" + description);
            continue;
        }
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
        EXPECT_EQ(first, TitleOf(description).empty() ? "予定" : TitleOf(description)) << description;
        const std::string text = Normal(description);
        const auto dayOf = [](const icaltimetype& at) {
            TDateTime day = 0;
            EXPECT_TRUE(TryEncodeDate(at.year, static_cast<unsigned>(at.month), static_cast<unsigned>(at.day), day));
            return day;
        };
        const auto inWindow = [&](const icaltimetype& at) { return dayOf(at) >= from && dayOf(at) <= to; };
        if (icalproperty* rule = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY)) {
            const icalrecurrencetype recurrence = icalproperty_get_rrule(rule);
            EXPECT_TRUE(icaltime_is_null_time(recurrence.until) && recurrence.count == 0) << "a rule that ends";
            // Wall-clock times, as the schedule means them: the rule is walked
            // in local time (libical's walk in the zone moves a time that a
            // summer-time change skips, and keeps it moved), from the window's
            // first day on.
            icaltimetype begin = start;
            begin.zone = icaltime_is_utc(start) ? start.zone : nullptr;
            icalrecur_iterator* occurrences = icalrecur_iterator_new(recurrence, begin);
            EXPECT_NE(occurrences, nullptr);
            icaltimetype windowStart = begin;
            const TDateParts first = DecodeDate(from);
            windowStart.year = first.Year;
            windowStart.month = static_cast<int>(first.Month);
            windowStart.day = static_cast<int>(first.Day);
            windowStart.hour = windowStart.minute = windowStart.second = 0;
            if (icaltime_compare(windowStart, begin) > 0) icalrecur_iterator_set_start(occurrences, windowStart);
            for (icaltimetype at = icalrecur_iterator_next(occurrences); !icaltime_is_null_time(at);
                 at = icalrecur_iterator_next(occurrences)) {
                if (dayOf(at) > to) break;
                if (!inWindow(at)) continue;
                back.Schedule.emplace_back(DateText(at), TimeText(at), lead, text);
            }
            icalrecur_iterator_free(occurrences);
        } else if (inWindow(start)) {
            back.Schedule.emplace_back(DateText(start), TimeText(start), lead, text);
        }
    }
    icalcomponent_free(calendar);
    std::sort(back.Schedule.begin(), back.Schedule.end());
    return back;
}

// The csv-schedules rows of the same data and range, as occurrences.
std::vector<TOccurrence> CsvOccurrences(const std::string& scheduleFile, TDateTime from, TDateTime to)
{
    TExportRequest request;
    request.ExportType = etCsvSchedules;
    request.StartDate = from;
    request.EndDate = to;
    request.ScheduleFile = scheduleFile;
    const TExportSources sources(request, TScheduleDigest::LoadFromFile(scheduleFile), 0);
    std::vector<TOccurrence> occurrences;
    for (const auto& row : ParseCsv(BuildCsv(request, sources))) {
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
        test::WriteBytes(folder + "schedule.dat", WriteScheduleFile(alarms));
        for (TDateTime day = EncodeDate(2023, 1, 1); day <= EncodeDate(2025, 12, 31); day += Pick(1, 9)) {
            static const std::vector<std::string> kMemos = {"", "\r\n", "\r\n\r\n", "one", "\r\nsecond line first",
                                                            "two\r\nlines\r\n", "lf\nonly", " "};
            std::string memo = kMemos[static_cast<std::size_t>(Pick(0, 7))];
            if (Pick(0, 1)) memo += Text();
            test::WriteBytes(folder + "Memo/" + MemoFileName(day), memo);
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
            test::WriteBytes(folder + name, WriteDayFile(items));
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
        {5, "2025/02/28", "2025/03/01", "UTC"},         // two days
        {6, "2023/06/15", "2024/06/14", "Europe/Berlin"},
    };
    for (const TRangeCase& range : cases) {
        SCOPED_TRACE(std::string(range.From) + " .. " + range.To + " " + range.TimeZone);
        test::TTempFolder folder;
        TRandomFolder random(range.Seed);
        random.Write(folder.Path, 400);
        TDateTime from = 0, to = 0;
        ASSERT_TRUE(TryParseDateText(range.From, from) && TryParseDateText(range.To, to));

        const std::string scheduleFile = folder.Path + "schedule.dat";
        TExportRequest request;
        request.ExportType = etIcs;
        request.ScheduleFile = scheduleFile;
        request.Ics.WithDays = true;
        request.Ics.TimeZone = range.TimeZone;
        const auto build = [&request, &scheduleFile](TDateTime start, TDateTime end) {
            request.StartDate = start;
            request.EndDate = end;
            const TExportSources sources(request, TScheduleDigest::LoadFromFile(scheduleFile), 1765152000);
            std::string ics;
            const std::string rest = BuildIcs(request, sources, [&ics](std::string& part) {
                ics += part;
                part.clear();
            });
            EXPECT_EQ(ics + rest, BuildIcs(request, sources)); // the same bytes with and without a drain, and every time
            return ics + rest;
        };
        const std::string whole = build(from, to);
        const TDateTime middle = from + std::floor((to - from) / 2);
        const std::string earlier = build(from, middle), later = build(middle + 1, to);

        const std::vector<TOccurrence> rows = CsvOccurrences(scheduleFile, from, to);
        EXPECT_GT(rows.size(), 100u);
        const TReadBack back = ReadBack({whole}, from, to);
        ExpectSame(std::multiset<TOccurrence>(back.Schedule.begin(), back.Schedule.end()),
                   std::multiset<TOccurrence>(rows.begin(), rows.end()));
        // Imported one after the other, the two halves lose nothing.
        const TReadBack both = ReadBack({earlier, later}, from, to);
        ExpectSame(std::multiset<TOccurrence>(both.Schedule.begin(), both.Schedule.end()),
                   std::multiset<TOccurrence>(rows.begin(), rows.end()));
        // An entry in both halves is the very same event.
        int shared = 0;
        const auto laterEvents = EventsByUid(later);
        for (const auto& [uid, event] : EventsByUid(earlier)) {
            const auto found = laterEvents.find(uid);
            if (found == laterEvents.end()) continue;
            EXPECT_EQ(found->second, event) << uid;
            ++shared;
        }
        EXPECT_GT(shared, 20);

        // In parts, and as a vdir: every file a whole calendar around whole
        // events that, in order, are exactly the single file's.
        const auto eventsOf = [](const std::string& ics) {
            const std::size_t first = ics.find("BEGIN:VEVENT");
            return ics.substr(first, ics.rfind("END:VCALENDAR") - first);
        };
        const std::string head = whole.substr(0, whole.find("BEGIN:VEVENT")), tail = "END:VCALENDAR\r\n";
        request.StartDate = from;
        request.EndDate = to;
        request.OutputPath = folder.Path + "out/cal.ics";
        std::filesystem::create_directories(folder.Path + "out");
        const TExportSources sources(request, TScheduleDigest::LoadFromFile(scheduleFile), 1765152000);
        const TIcsPartsResult parts = ExportIcsParts(request, sources, 64000);
        EXPECT_EQ(parts.Parts.size() > 1, whole.size() > 64000);
        std::string joined;
        for (const std::string& path : parts.Parts) {
            const std::string part = test::ReadBytes(path);
            EXPECT_LE(part.size(), 64000u) << path;
            EXPECT_TRUE(part.starts_with(head) && part.ends_with(tail)) << path;
            EXPECT_EQ(ReadBack({part}, from, to).EventByUid.size(), EventsByUid(part).size()) << path;
            joined += eventsOf(part);
        }
        EXPECT_EQ(joined, eventsOf(whole));
        const TIcsVdirResult vdir = ExportIcsVdir(request, sources, folder.Path + "vdir");
        EXPECT_EQ(vdir.Events, EventsByUid(whole).size());
        for (const auto& [uid, event] : EventsByUid(whole)) {
            EXPECT_EQ(test::ReadBytes(folder.Path + "vdir/" + uid + ".ics"), head + event + "END:VEVENT\r\n" + tail);
        }

        // Memos and day texts from the fixtures themselves.
        TKyDateEx days;
        days.AutoEquinox = days.AutoFurikae = true;
        days.HolidayList().LoadFromFile(folder.Path + "holidays.dat");
        days.SpecialDayList().LoadFromFile(folder.Path + "spcldays.dat");
        days.CustomDayOffList().LoadFromFile(folder.Path + "daysoff.dat");
        std::multiset<TDayEvent> expected;
        for (TDateTime day = from; day <= to; day += 1) {
            std::string memo;
            const std::string memoPath = folder.Path + "Memo/" + MemoFileName(day);
            if (std::filesystem::exists(memoPath)) {
                memo = test::ReadBytes(memoPath);
                memo = Breaks(Cp932ToUtf8(memo.substr(0, memo.find('\0'))));
                if (memo.ends_with('\n')) memo.pop_back(); // a break at the end makes no empty line
            }
            if (!TitleOf(memo).empty()) expected.emplace(FormatDateText(day), "メモ", TitleOf(memo) + "|" + AsRead(memo));
            const TDateParts date = DecodeDate(day);
            const auto year = static_cast<std::uint16_t>(date.Year), month = static_cast<std::uint16_t>(date.Month),
                       dayOfMonth = static_cast<std::uint16_t>(date.Day);
            const auto addItems = [&](const TKyDayItemList& items, const char* category) {
                for (int i = 0; i < items.Count(); ++i) {
                    if (!DayItemMatches(items[i], day)) continue;
                    const std::string name = Breaks(Cp932ToUtf8(items[i].DayText));
                    const std::string title = TitleOf(name).empty() ? category : TitleOf(name);
                    const bool lines = name.find('\n') != std::string::npos;
                    expected.emplace(FormatDateText(day), category, title + "|" + (lines ? AsRead(name) : ""));
                }
            };
            addItems(days.SpecialDayList(), "記念日");
            addItems(days.HolidayList(), "祝日");
            if (days.IsVernalEquinoxDay(year, month, dayOfMonth)) expected.emplace(FormatDateText(day), "祝日", "春分の日|");
            if (days.IsAutumnalEquinoxDay(year, month, dayOfMonth)) expected.emplace(FormatDateText(day), "祝日", "秋分の日|");
            if (days.GetDayKinds(year, month, dayOfMonth).Contains(dkSubstitute)) {
                expected.emplace(FormatDateText(day), "祝日", "振替休日|");
            }
            addItems(days.CustomDayOffList(), "休日");
        }
        ExpectSame(back.Categorised, expected);
    }
}

} // namespace
} // namespace orvexp
