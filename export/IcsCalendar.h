#pragma once
// The iCalendar text of a calendar and of its events. Every line is made by
// libical (escaping, folding at 75 octets on character boundaries, CR LF), and
// each event comes whole, so that a sink can lay the events out as it likes:
// one file, parts, a file per event.

#include <cstdint>
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

#include "export/IcsEntryPlan.h"
#include "platform/DateTime.h"

namespace orvexp {

// What every event of one export shares.
struct TIcsFrame {
    std::string TzId;              // the zone's name; empty for floating times
    bool UtcTimes = false;         // the zone is UTC itself: times carry "Z", no VTIMEZONE
    std::int64_t StampSeconds = 0; // DTSTAMP and LAST-MODIFIED of the entries, seconds since 1970-01-01 UTC
    // The calendar around the events: BEGIN:VCALENDAR, PRODID, VERSION,
    // CALSCALE, X-WR-CALNAME and the VTIMEZONE; then END:VCALENDAR.
    std::string Head, Tail;
};

// The PRODID line every calendar of this program starts with, after BEGIN:VCALENDAR.
inline constexpr std::string_view kIcsCalendarStart = "BEGIN:VCALENDAR\r\nPRODID:-//orvexp//Orvanel export//JA\r\n";

// Raises EIcsTimeZoneError for a zone the system does not list.
TIcsFrame MakeIcsFrame(const std::string& timeZone, std::int64_t stampSeconds);

// The categories of the all-day events of memos and day texts.
enum TIcsCategory : std::uint8_t { icMemo, icHoliday, icSpecialDay, icDayOff };
// Their names: メモ, 祝日, 記念日, 休日.
std::string_view IcsCategoryName(TIcsCategory category);

// An all-day event of a memo or a day text.
struct TIcsDayEvent {
    std::string_view Uid;
    TDateParts Date;
    std::string_view Summary;     // never blank
    std::string_view Description; // left out when blank
    TIcsCategory Category = icMemo;
    std::int64_t StampSeconds = 0; // DTSTAMP and LAST-MODIFIED
};

// The lines that repeat from event to event (the stamps, the rules, the
// reminders' action and trigger, the category and transparency), each
// serialised by libical the first time and then copied: libical's
// serialisation is nearly all of an export's time, and without these copies
// ten years of 100,000 entries take 1.6 times as long (1.3 times at 10,000).
// The lines of each event's own values (UID, DTSTART, SUMMARY, DESCRIPTION)
// are made for each event. One cache serves one export (its frame); at most
// kMaxLines blocks are kept, past it they are made each time.
class TIcsLineCache {
public:
    static constexpr std::size_t kMaxLines = 65536;

    // The lines kept under `key`, made by `make` the first time.
    template <class Make>
    const std::string& Lines(const std::string& key, Make make)
    {
        if (const auto found = Kept.find(key); found != Kept.end()) return found->second;
        if (Kept.size() < kMaxLines) return Kept.emplace(key, make()).first->second;
        Unkept = make();
        return Unkept;
    }

private:
    std::unordered_map<std::string, std::string> Kept;
    std::string Unkept;
};

// The VEVENT of a schedule entry: UID, DTSTAMP, LAST-MODIFIED, DTSTART,
// RRULE, SUMMARY (never blank), DESCRIPTION (left out when blank) and a
// VALARM for each reminder of the plan, which must occur, showing the summary.
std::string IcsEntryEvent(const TIcsFrame& frame, TIcsLineCache& lines, const TIcsEntryPlan& plan,
                          std::string_view uid, std::string_view summary, std::string_view description);
// A transparent all-day VEVENT in its category.
std::string IcsDayEvent(TIcsLineCache& lines, const TIcsDayEvent& event);

} // namespace orvexp
