#pragma once
// The iCalendar writer: the schedule and the memos of a range (and, if asked,
// its holidays, special days and days off) as one RFC 5545 calendar in UTF-8
// for today's calendar programs. A repeating entry stays one event with its
// rule, bounded by the range; the reminders of active entries become alarms;
// UIDs come from the stored content, so a newer export updates an imported one.

#include <cstdint>
#include <functional>
#include <string>

#include "export/ExportRequest.h"
#include "platform/DateTime.h"

namespace orvexp {

class TScheduleDigest;
class TMemoStore;
class TKyDayItemList;

struct TIcsOptions {
    std::string TimeZone; // IANA name (Asia/Tokyo): times in that zone with its VTIMEZONE; empty: floating
    bool WithDays = false; // the day items of the range as all-day events
    // DTSTAMP of every event, seconds since 1970-01-01 UTC. Two exports of the
    // same data are identical when it is too; the schedule file's modification
    // time is a fitting value.
    std::int64_t StampSeconds = 0;
};

struct TIcsInput {
    TDateTime StartDate = 0, EndDate = 0; // whole days, both included
    const TScheduleDigest* Schedule = nullptr; // null: no entries
    const TMemoStore* Memos = nullptr;         // null: no memos (MemoText/ReadMemoLines only)
    // Read only with WithDays; null: none of that kind.
    const TKyDayItemList* Holidays = nullptr;
    const TKyDayItemList* SpecialDays = nullptr;
    const TKyDayItemList* DaysOff = nullptr;
    TIcsOptions Options;
    // Optional: (done, total) in steps of entries and days, after each part.
    std::function<void(int done, int total)> OnProgress;
};

// The whole calendar. With a drain, the output is handed to it in parts once
// it has grown large; the rest is returned. Raises EIcsTimeZoneError
// (IcsComposer.h) for an unknown time zone before anything is produced.
std::string BuildIcs(const TIcsInput& input, const TOutputDrain& drain = {});

} // namespace orvexp
