#pragma once
// The iCalendar text of a calendar and of its events. Each event is made as a
// libical component and serialised by libical (escaping, folding at 75 octets
// on character boundaries, CR LF) in one piece, so that a sink can lay the
// events out as it likes: one file, parts, a file per event.

#include <cstdint>
#include <string>
#include <string_view>

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

// The VEVENT of a schedule entry: UID, DTSTAMP, LAST-MODIFIED, DTSTART,
// RRULE, SUMMARY (never blank), DESCRIPTION (left out when blank) and a
// VALARM for each reminder of the plan, which must occur, showing the summary.
std::string IcsEntryEvent(const TIcsFrame& frame, const TIcsEntryPlan& plan, std::string_view uid,
                          std::string_view summary, std::string_view description);
// A transparent all-day VEVENT in its category.
std::string IcsDayEvent(const TIcsDayEvent& event);

} // namespace orvexp
