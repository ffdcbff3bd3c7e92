#pragma once
// The iCalendar text of the calendar and of its events, serialised by libical
// (escaping, folding at 75 octets on character boundaries, CR LF). An export
// writes up to hundreds of thousands of events, so each event is streamed on
// its own, and the lines that many events share are serialised once and
// reused: the bytes are libical's, exactly as it writes the whole event.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "export/IcsEntryPlan.h"
#include "export/IcsExport.h"
#include "platform/DateTime.h"

struct icalproperty_impl;

namespace orvexp {

// What every event of one export shares. Made on one thread (it reads the
// zone's rules), then used by any number of composers.
struct TIcsFrame {
    std::string TzId;          // the zone's name; empty for floating times
    bool UtcTimes = false;     // the zone is UTC itself: times carry "Z", no VTIMEZONE
    std::int64_t StampSeconds = 0; // DTSTAMP and LAST-MODIFIED of the entries, seconds since 1970-01-01 UTC
    // The calendar around the events: BEGIN:VCALENDAR, PRODID, VERSION,
    // CALSCALE, X-WR-CALNAME and the VTIMEZONE; then END:VCALENDAR.
    std::string Head, Tail;
};

// Raises EIcsTimeZoneError for an unknown zone.
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

// Writes events; one per thread.
class TIcsComposer {
public:
    explicit TIcsComposer(const TIcsFrame& frame);
    ~TIcsComposer();
    TIcsComposer(const TIcsComposer&) = delete;
    TIcsComposer& operator=(const TIcsComposer&) = delete;

    // The VEVENT of a schedule entry: UID, DTSTAMP, LAST-MODIFIED, DTSTART,
    // RRULE, SUMMARY (never blank), DESCRIPTION (left out when blank) and a
    // VALARM for each reminder of the plan, which must occur, showing the summary.
    void AppendEntryEvent(std::string& out, const TIcsEntryPlan& plan, std::string_view uid,
                          std::string_view summary, std::string_view description);
    // A transparent all-day VEVENT in its category.
    void AppendDayEvent(std::string& out, const TIcsDayEvent& event);

private:
    // Lines reused by what they depend on. One bound for all of them: past
    // it a line is made each time instead of kept, so a range of many
    // distinct values costs no more memory.
    enum TLineKind : std::uint8_t { lkAllDayStart, lkTimedStart, lkRule, lkAlarmHead, lkCategory, lkStamp, lkUid };
    struct TLineKey {
        TLineKind Kind;
        std::uint64_t Value;
        bool operator==(const TLineKey&) const = default;
    };
    struct TLineKeyHash {
        std::size_t operator()(const TLineKey& key) const { return std::hash<std::uint64_t>()(key.Value * 16 + key.Kind); }
    };
    static constexpr std::size_t kMaxKeptLines = 1 << 16;
    // The line of `key`, made by `make` (which appends it) when not kept.
    template <class Make>
    const std::string& Line(TLineKey key, Make make);

    void AppendText(std::string& out, icalproperty_impl* property, std::string_view text);
    void AppendUid(std::string& out, std::string_view uid);
    void AppendStart(std::string& out, const TDateParts& date, bool timed, unsigned hour, unsigned minute);
    void AppendStamps(std::string& out, std::int64_t seconds);
    const std::string& RuleLine(const TIcsEntryPlan& plan);
    const std::string& AlarmHead(TPreviouseAlertKind notice, std::int32_t amount);

    const TIcsFrame& Frame;
    std::string BeginEvent, EndEvent, BeginAlarm, EndAlarm, Shown, Made, Value;
    std::unordered_map<TLineKey, std::string, TLineKeyHash> Kept;
    // The text properties of every event, set anew for each (fewer allocations).
    icalproperty_impl* Uid;
    icalproperty_impl* Summary;
    icalproperty_impl* Description;
};

} // namespace orvexp
