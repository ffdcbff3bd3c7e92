#pragma once
// The iCalendar text of the calendar and of its events, serialised by libical
// (escaping, folding at 75 octets on character boundaries, CR LF). An export
// writes up to hundreds of thousands of events, so each event is streamed on
// its own, and the property lines that many events share (the stamp, the
// start dates, the repeat rules, the reminders' triggers) are serialised once
// and reused: the bytes are libical's, exactly as it writes the whole event.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>

#include "export/IcsEntryPlan.h"
#include "export/IcsTokenLine.h"
#include "platform/DateTime.h"

struct icalproperty_impl;

namespace orvexp {

// A time zone name that names no zone the system knows.
class EIcsTimeZoneError : public std::runtime_error {
public:
    explicit EIcsTimeZoneError(const std::string& name);
};

// True for an IANA zone name the system knows ("Asia/Tokyo", "UTC").
bool IsKnownIcsTimeZone(const std::string& name);

// What every event of one export shares. Made on one thread (it reads the
// zone's rules), then used by any number of composers.
struct TIcsFrame {
    std::string TzId;          // the zone's name; empty for floating times
    bool UtcTimes = false;     // the zone is UTC itself: times carry "Z", no VTIMEZONE
    std::int64_t StampSeconds = 0; // DTSTAMP, seconds since 1970-01-01 UTC
    TDateParts LastDay;        // the range's last day: UNTIL of the all-day rules
    // UNTIL of the timed rules: the end of the last day, in UTC when zoned.
    TDateParts UntilDay;
    unsigned UntilHour = 23, UntilMinute = 59, UntilSecond = 59;
    bool UntilUtc = false;
    // The calendar around the events: BEGIN:VCALENDAR, PRODID, VERSION,
    // CALSCALE and the VTIMEZONE; then END:VCALENDAR.
    std::string Head, Tail;
};

// True for a text of nothing but spaces and TABs, which no event carries.
bool IsBlankIcsText(std::string_view text);

// Raises EIcsTimeZoneError for an unknown zone.
TIcsFrame MakeIcsFrame(const std::string& timeZone, std::int64_t stampSeconds, const TDateParts& lastDay);

// Writes events; one per thread.
class TIcsComposer {
public:
    explicit TIcsComposer(const TIcsFrame& frame);
    ~TIcsComposer();
    TIcsComposer(const TIcsComposer&) = delete;
    TIcsComposer& operator=(const TIcsComposer&) = delete;

    // The VEVENT of a schedule entry: UID, DTSTAMP, DTSTART, RRULE, SUMMARY and
    // DESCRIPTION (each left out when blank) and a VALARM for each reminder of
    // the plan, which must occur; a reminder shows the summary, else "予定".
    void AppendEntryEvent(std::string& out, const TIcsEntryPlan& plan, std::string_view uid,
                          const std::string& summary, const std::string& description);
    // An all-day, transparent VEVENT on `date` in `category` (memos, days);
    // SUMMARY and DESCRIPTION left out when blank.
    void AppendDayEvent(std::string& out, std::string_view uid, const TDateParts& date, const std::string& summary,
                        const std::string& description, const std::string& category);

private:
    icalproperty_impl* NewStart(const TDateParts& date, bool timed, unsigned hour, unsigned minute) const;
    void AppendStart(std::string& out, const TDateParts& date, bool timed, unsigned hour, unsigned minute);
    const std::string& RuleLine(const TIcsEntryPlan& plan);
    const std::string& AlarmHead(TPreviouseAlertKind notice, std::int32_t amount);
    const std::string& CategoryLines(const std::string& category);
    std::size_t AppendTexts(std::string& out, const std::string& summary, const std::string& description);

    const TIcsFrame& Frame;
    std::string BeginEvent, EndEvent, BeginAlarm, EndAlarm, Stamp, Shown;
    // Start lines by day; the timed ones at midnight.
    std::unordered_map<std::uint64_t, std::string> AllDayStarts, TimedStarts;
    std::unordered_map<std::uint64_t, std::string> Rules, AlarmHeads;
    std::unordered_map<std::string, std::string> Categories;
    // The text properties of every event, set anew for each (fewer allocations).
    icalproperty_impl* Uid;
    icalproperty_impl* Summary;
    icalproperty_impl* Description;
    TIcsTokenLine UidLine;
};

} // namespace orvexp
