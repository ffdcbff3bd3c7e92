// Hostile data folders exported as iCalendar over a short range: the file must
// read back in libical without an X-LIC-ERROR, hold only CR LF lines of at
// most 75 octets of whole UTF-8 characters, and give every event a UID,
// DTSTAMP, DTSTART in the range (a rule's not after it) and one clean one-line
// SUMMARY. A range without events (ENothingToExport) is an allowed outcome.
//
// An input is a head, then the schedule file, the day items and the memos:
//   head (9 bytes): the range's base date (kBases), days after it, days - 1
//     (of 32), the time zone (kZones), flags (1: day texts, 2: unused,
//     4: output handed to a drain, 8: the entries repeated to 256),
//     the stamp as int32 seconds;
//   schedule: uint16 length, the file's bytes (unreadable: an empty schedule);
//   day items: a count (of 8), each: list << 4 | type, year type, uint16
//     year, month, day, weekdays, n-th, GUID byte, text length, text;
//   memos (the rest): each: int8 day from the range's first, length, text.
// Numbers are little-endian.

#include <fcntl.h>
#include <libical/ical.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/DateEx.h"
#include "calendar/DayItem.h"
#include "data/DataFolder.h"
#include "data/MemoStore.h"
#include "export/Export.h"
#include "export/ExportSources.h"
#include "export/IcsExport.h"
#include "platform/ByteStream.h"
#include "platform/DateTime.h"
#include "schedule/Alarm.h"
#include "schedule/AlarmTimer.h"
#include "schedule/ScheduleDigest.h"
#include "tools/fuzz/FuzzCheck.h"

using namespace orvexp;

namespace {

// Ordinary days, a leap February, a year's end and the calendar's both ends.
constexpr int kBases[][3] = {{1999, 4, 10}, {2000, 2, 20}, {2024, 12, 20}, {1, 1, 1}, {9999, 11, 20}};
const char* const kZones[] = {"", "Asia/Tokyo", "UTC", "America/New_York"};
constexpr std::size_t kHeadSize = 9;
constexpr std::size_t kMaxLine = 75;

// The bytes still to read; a read past the end gives zeros and empty texts.
class TInput {
public:
    TInput(const std::uint8_t* data, std::size_t size) : Rest(reinterpret_cast<const char*>(data), size) {}

    bool Empty() const { return Rest.empty(); }
    std::uint8_t Byte()
    {
        if (Rest.empty()) return 0;
        const auto byte = static_cast<std::uint8_t>(Rest.front());
        Rest.remove_prefix(1);
        return byte;
    }
    std::uint16_t Word()
    {
        const std::uint8_t low = Byte();
        return static_cast<std::uint16_t>(low | Byte() << 8);
    }
    std::int32_t Int32()
    {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) value |= std::uint32_t{Byte()} << (8 * i);
        return static_cast<std::int32_t>(value);
    }
    std::string_view Bytes(std::size_t size)
    {
        const std::string_view taken = Rest.substr(0, size);
        Rest.remove_prefix(taken.size());
        return taken;
    }

private:
    std::string_view Rest;
};

// A data folder of this process, made once and emptied for each input; in
// memory (/dev/shm) where there is such a folder, as its files cost less there.
std::filesystem::path ScratchParent()
{
    std::error_code ignored;
    return std::filesystem::is_directory("/dev/shm", ignored) ? std::filesystem::path("/dev/shm")
                                                              : std::filesystem::temp_directory_path();
}

class TScratchFolder {
public:
    TScratchFolder()
        : Root(ScratchParent() / ("orvexp-fuzz-ics-" + std::to_string(::getpid()))), Memo(Root / kMemoFolderName)
    {
        std::filesystem::create_directories(Memo);
        // Errors must become X-LIC-ERROR properties, not an abort inside libical.
        icalerror_set_errors_are_fatal(0);
        for (const char* zone : kZones) ORVEXP_FUZZ_CHECK(*zone == '\0' || IsKnownIcsTimeZone(zone));
    }
    ~TScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(Root, ignored);
    }

    void Clear() const
    {
        std::vector<std::filesystem::path> files;
        for (const auto& entry : std::filesystem::directory_iterator(Memo)) files.push_back(entry.path());
        for (const auto& file : files) std::filesystem::remove(file);
    }

    void WriteMemo(TDateTime date, std::string_view text, std::int64_t modified) const
    {
        const std::filesystem::path path = Memo / MemoFileName(date);
        {
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            out.write(text.data(), static_cast<std::streamsize>(text.size()));
            ORVEXP_FUZZ_CHECK(out.good());
        }
        const timespec times[2] = {{static_cast<time_t>(modified), 0}, {static_cast<time_t>(modified), 0}};
        ORVEXP_FUZZ_CHECK(::utimensat(AT_FDCWD, path.c_str(), times, 0) == 0);
    }

    // The three day files, written as an export reads them.
    void WriteDayFiles(const TKyDateEx& days) const
    {
        const std::pair<const char*, const TKyDayItemList*> files[] = {
            {kHolidaysFileName, &days.HolidayList()},
            {kSpecialDaysFileName, &days.SpecialDayList()},
            {kDaysOffFileName, &days.CustomDayOffList()}};
        for (const auto& [name, list] : files) {
            std::ofstream out(Root / name, std::ios::binary | std::ios::trunc);
            const std::string bytes = WriteDayFile(*list);
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            ORVEXP_FUZZ_CHECK(out.good());
        }
    }

    std::string Path() const { return Root.string() + "/"; }

private:
    std::filesystem::path Root, Memo;
};

// The file's entries as the wizard holds them, repeated in order to 256: the
// writer's kept lines then serve many events of one export.
const TAlarmList& Repeated(std::string_view bytes, TAlarmList& repeated)
{
    TAlarmTimer timer;
    TByteReader reader(bytes);
    timer.LoadFromStream(reader);
    const TAlarmList& alarms = timer.AlarmList;
    for (int i = 0; alarms.Count() > 0 && repeated.Count() < 2 * 128; i = (i + 1) % alarms.Count()) {
        auto copy = std::make_unique<TAlarm2>();
        copy->Assign(alarms[i]);
        repeated.Add(std::move(copy));
    }
    return repeated;
}

void ReadDayItems(TInput& input, TKyDateEx& days)
{
    TKyDayItemList* const lists[] = {&days.HolidayList(), &days.SpecialDayList(), &days.CustomDayOffList()};
    const int count = input.Byte() % 9;
    for (int i = 0; i < count; ++i) {
        const std::uint8_t listAndType = input.Byte();
        TKyDayItem& item = lists[(listAndType >> 4) % 3]->AddNew();
        // Types and year types past the known ones are kept as a day file gives them.
        item.DayType = static_cast<TKyDayType>(listAndType & 7);
        item.YearType = static_cast<TKyYearType>(input.Byte() % 4);
        item.Year = input.Word();
        item.Month = input.Byte();
        item.Day = input.Byte();
        item.DaysOfWeek = input.Byte();
        item.NumOfDayOfWeek = input.Byte();
        item.ItemGuid.fill(input.Byte()); // items may share one, as copied files do
        item.DayText = input.Bytes(input.Byte());
    }
}

// True for whole UTF-8 characters only: no cut, overlong or surrogate
// sequence and nothing past U+10FFFF.
bool IsUtf8(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        char32_t code = 0, least = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        }
        if (lead >= 0xC2 && lead <= 0xDF) length = 2, code = lead & 0x1F, least = 0x80;
        else if (lead >= 0xE0 && lead <= 0xEF) length = 3, code = lead & 0x0F, least = 0x800;
        else if (lead >= 0xF0 && lead <= 0xF4) length = 4, code = lead & 0x07, least = 0x10000;
        else return false;
        if (i + length > text.size()) return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            code = code << 6 | (next & 0x3F);
        }
        if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
        i += length;
    }
    return true;
}

// The physical lines: each ends in CR LF, holds at most 75 octets of whole
// characters and no other break; a line that starts with a blank continues
// the one before. Returns the unfolded (logical) lines.
std::vector<std::string> CheckedLines(std::string_view ics)
{
    std::vector<std::string> lines;
    ORVEXP_FUZZ_CHECK(ics.ends_with("\r\n"));
    while (!ics.empty()) {
        const std::size_t end = ics.find("\r\n");
        ORVEXP_FUZZ_CHECK(end != std::string_view::npos);
        const std::string_view line = ics.substr(0, end);
        ics.remove_prefix(end + 2);
        ORVEXP_FUZZ_CHECK(!line.empty() && line.size() <= kMaxLine);
        ORVEXP_FUZZ_CHECK(line.find_first_of("\r\n") == std::string_view::npos);
        ORVEXP_FUZZ_CHECK(IsUtf8(line));
        if (line.front() == ' ' || line.front() == '\t') {
            ORVEXP_FUZZ_CHECK(!lines.empty() && line.size() > 1);
            lines.back().append(line.substr(1));
        } else {
            lines.emplace_back(line);
        }
    }
    for (const std::string& line : lines) {
        ORVEXP_FUZZ_CHECK(IsUtf8(line));
        // No control character but TAB in a content line.
        ORVEXP_FUZZ_CHECK(std::none_of(line.begin(), line.end(), [](char c) {
            const auto byte = static_cast<unsigned char>(c);
            return (byte < 0x20 && c != '\t') || byte == 0x7F;
        }));
    }
    return lines;
}

// A TEXT value with its escapes undone; false for an escape RFC 5545 has not.
bool Unescape(std::string_view value, std::string& text)
{
    text.clear();
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\') {
            text += value[i];
            continue;
        }
        if (++i == value.size()) return false;
        switch (value[i]) {
        case 'n':
        case 'N': text += '\n'; break;
        case '\\':
        case ',':
        case ';': text += value[i]; break;
        default: return false;
        }
    }
    return true;
}

bool IsBlankAt(std::string_view text, bool front)
{
    constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";
    const char end = front ? text.front() : text.back();
    return end == ' ' || end == '\t' ||
           (front ? text.starts_with(kIdeographicSpace) : text.ends_with(kIdeographicSpace));
}

// A title: one line, not empty, no blank at its ends.
void CheckTitle(std::string_view title)
{
    ORVEXP_FUZZ_CHECK(!title.empty());
    ORVEXP_FUZZ_CHECK(title.find_first_of("\r\n") == std::string_view::npos);
    ORVEXP_FUZZ_CHECK(!IsBlankAt(title, true) && !IsBlankAt(title, false));
}

// The SUMMARY lines as written: one in each event (none in its alarms), whose
// value is a clean title. Returns the titles in order.
std::vector<std::string> WrittenTitles(const std::vector<std::string>& lines)
{
    std::vector<std::string> titles;
    int depth = 0, summaries = 0;
    std::string text;
    for (const std::string& line : lines) {
        if (line == "BEGIN:VEVENT") {
            ORVEXP_FUZZ_CHECK(depth == 0);
            depth = 1;
            summaries = 0;
        } else if (line == "BEGIN:VALARM") {
            ORVEXP_FUZZ_CHECK(depth == 1);
            depth = 2;
        } else if (line == "END:VALARM") {
            ORVEXP_FUZZ_CHECK(depth == 2);
            depth = 1;
        } else if (line == "END:VEVENT") {
            ORVEXP_FUZZ_CHECK(depth == 1 && summaries == 1);
            depth = 0;
        } else if (line.starts_with("SUMMARY")) {
            ORVEXP_FUZZ_CHECK(depth == 1 && line.starts_with("SUMMARY:"));
            ++summaries;
            ORVEXP_FUZZ_CHECK(Unescape(std::string_view(line).substr(8), text));
            CheckTitle(text);
            titles.push_back(text);
        }
    }
    ORVEXP_FUZZ_CHECK(depth == 0);
    return titles;
}

// Prints libical's X-LIC-ERROR properties of the tree, for the reproducer's report.
void PrintErrors(icalcomponent* component)
{
    for (icalproperty* error = icalcomponent_get_first_property(component, ICAL_XLICERROR_PROPERTY); error;
         error = icalcomponent_get_next_property(component, ICAL_XLICERROR_PROPERTY)) {
        std::fprintf(stderr, "X-LIC-ERROR in %s: %s\n", icalcomponent_kind_to_string(icalcomponent_isa(component)),
                     icalproperty_get_xlicerror(error));
    }
    for (icalcomponent* child = icalcomponent_get_first_component(component, ICAL_ANY_COMPONENT); child;
         child = icalcomponent_get_next_component(component, ICAL_ANY_COMPONENT)) {
        PrintErrors(child);
    }
}

// The whole day of a value read back; none for a date that does not exist.
// (libical's own validity test refuses every year after 3000.)
std::optional<TDayNumber> DayOf(const icaltimetype& time)
{
    TDayNumber day = 0;
    if (icaltime_is_null_time(time) || time.year < 1 || time.month < 1 || time.day < 1 ||
        !TryEncodeDay(time.year, static_cast<unsigned>(time.month), static_cast<unsigned>(time.day), day)) {
        return std::nullopt;
    }
    return day;
}

int CountOf(icalcomponent* event, icalproperty_kind kind)
{
    return icalcomponent_count_properties(event, kind);
}

// The file as libical reads it: one calendar without errors whose events are
// those written, each with its own UID and one DTSTAMP, DTSTART and SUMMARY,
// the one written. A start names a zone the calendar holds and a day in the range, or
// for a rule, a day not after it.
void CheckParsed(const std::string& ics, const std::vector<std::string>& titles, const std::string& zone,
                 std::int64_t first, std::int64_t last)
{
    icalcomponent* calendar = icalparser_parse_string(ics.c_str());
    ORVEXP_FUZZ_CHECK(calendar != nullptr);
    ORVEXP_FUZZ_CHECK(icalcomponent_isa(calendar) == ICAL_VCALENDAR_COMPONENT);
    if (icalcomponent_count_errors(calendar) != 0) PrintErrors(calendar);
    ORVEXP_FUZZ_CHECK(icalcomponent_count_errors(calendar) == 0);
    std::size_t events = 0;
    std::vector<std::string> uids;
    for (icalcomponent* event = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); event;
         event = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT), ++events) {
        ORVEXP_FUZZ_CHECK(CountOf(event, ICAL_UID_PROPERTY) == 1 && CountOf(event, ICAL_DTSTAMP_PROPERTY) == 1 &&
                          CountOf(event, ICAL_DTSTART_PROPERTY) == 1 && CountOf(event, ICAL_SUMMARY_PROPERTY) == 1);
        const char* uid = icalcomponent_get_uid(event);
        ORVEXP_FUZZ_CHECK(uid != nullptr && *uid != '\0');
        uids.emplace_back(uid);
        ORVEXP_FUZZ_CHECK(DayOf(icalcomponent_get_dtstamp(event)).has_value());
        icalproperty* start = icalcomponent_get_first_property(event, ICAL_DTSTART_PROPERTY);
        const std::optional<std::int64_t> startDay = DayOf(icalproperty_get_dtstart(start));
        ORVEXP_FUZZ_CHECK(startDay && *startDay <= last);
        ORVEXP_FUZZ_CHECK(*startDay >= first || CountOf(event, ICAL_RRULE_PROPERTY) == 1);
        if (icalparameter* tzid = icalproperty_get_first_parameter(start, ICAL_TZID_PARAMETER)) {
            ORVEXP_FUZZ_CHECK(zone == icalparameter_get_tzid(tzid));
            ORVEXP_FUZZ_CHECK(icalcomponent_get_timezone(calendar, zone.c_str()) != nullptr);
        }
        const char* summary = icalcomponent_get_summary(event);
        ORVEXP_FUZZ_CHECK(summary != nullptr && events < titles.size() && titles[events] == summary);
    }
    ORVEXP_FUZZ_CHECK(events > 0 && events == titles.size());
    // A calendar program replaces an event by its UID: no two may share one.
    std::sort(uids.begin(), uids.end());
    ORVEXP_FUZZ_CHECK(std::adjacent_find(uids.begin(), uids.end()) == uids.end());
    icalcomponent_free(calendar);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const TScratchFolder folder;
    if (size < kHeadSize) return 0;
    TInput input(data, size);

    const auto& base = kBases[input.Byte() % std::size(kBases)];
    TDayNumber baseDay = 0;
    TryEncodeDay(base[0], static_cast<unsigned>(base[1]), static_cast<unsigned>(base[2]), baseDay);
    const TDayNumber first = std::min(baseDay + input.Byte(), kLastDay);
    const TDayNumber last = std::min(first + input.Byte() % 32, kLastDay);
    const std::string zone = kZones[input.Byte() % std::size(kZones)];
    const std::uint8_t flags = input.Byte();
    const std::int64_t stamp = input.Int32();

    const std::string_view scheduleBytes = input.Bytes(input.Word());
    TAlarmList repeated;
    TScheduleDigest schedule;
    try {
        if (flags & 8) {
            schedule = TScheduleDigest(Repeated(scheduleBytes, repeated));
        } else {
            schedule = TScheduleDigest::LoadFromBytes(scheduleBytes);
        }
    } catch (const EInvalidFileHeader&) {
        // The reader refused the file; the export then has no entries.
    } catch (const EStreamReadError&) {
    }

    // The day lists, written as day files for the export to load.
    TKyDateEx days;
    ReadDayItems(input, days);

    folder.Clear();
    folder.WriteDayFiles(days);
    while (!input.Empty()) {
        const auto offset = static_cast<std::int8_t>(input.Byte());
        const std::string_view text = input.Bytes(input.Byte());
        const std::int64_t day = first + offset;
        if (day < kFirstDay || day > kLastDay) continue;
        folder.WriteMemo(DateTimeOfDay(day), text, stamp + offset * 3600);
    }
    TExportRequest request;
    request.ExportType = etIcs;
    request.StartDate = DateTimeOfDay(first);
    request.EndDate = DateTimeOfDay(last);
    request.ScheduleFile = folder.Path() + kScheduleFileName;
    request.Ics.WithDays = (flags & 1) != 0;
    request.Ics.TimeZone = zone;
    int done = 0, total = -1;
    request.OnProgress = [&](int now, int of) {
        ORVEXP_FUZZ_CHECK(now == done + 1 && (total < 0 || of == total) && now <= of);
        done = now;
        total = of;
    };

    std::string ics;
    const TOutputDrain drain = [&ics](std::string& part) {
        ics += part;
        part.clear();
    };
    try {
        const TExportSources sources(request, std::move(schedule), stamp);
        ics += BuildIcs(request, sources, (flags & 4) ? drain : TOutputDrain());
    } catch (const ENothingToExport&) {
        return 0;
    }
    ORVEXP_FUZZ_CHECK(done == total);
    ORVEXP_FUZZ_CHECK(ics.starts_with("BEGIN:VCALENDAR\r\n") && ics.ends_with("END:VCALENDAR\r\n"));

    const std::vector<std::string> lines = CheckedLines(ics);
    const std::vector<std::string> titles = WrittenTitles(lines);
    CheckParsed(ics, titles, zone, first, last);
    return 0;
}
