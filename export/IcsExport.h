#pragma once
// The iCalendar writer: the schedule and the memos of a range (and, if asked,
// the day texts of its holidays, special days and days off) as RFC 5545
// events in UTF-8 for today's calendar programs. A repeating entry stays one
// event with its endless rule, the same for every range; the reminders of
// active entries become alarms; UIDs come from the stored content, so a newer
// export of the same data gives the same events.
//
// The writer hands each event whole to a sink, which lays them out: one file
// (BuildIcs), parts under a size, or a folder of one file per event
// (export/IcsLayouts).

#include <stdexcept>
#include <string>
#include <string_view>

#include "export/ExportRequest.h"
#include "export/ExportSources.h"
#include "export/IcsTimeZone.h"
#include "platform/DateTime.h"

namespace orvexp {

// An iCalendar export whose range yields no event: a calendar without any
// component is no valid file, so none is written.
class ENothingToExport : public std::runtime_error {
public:
    ENothingToExport() : std::runtime_error("この期間に書き出す予定とメモはありません。") {}
};

// One event as the writer hands it out.
struct TIcsEvent {
    std::string_view Uid;
    TDateParts Date;        // of its start
    std::string_view What;  // 予定, メモ, 祝日, 記念日 or 休日: what it is, for messages
    std::string_view Text;  // BEGIN:VEVENT ... END:VEVENT, its alarms inside
};

// Where the calendar goes: Begin with what stands around the events in any
// calendar file of this export (the head: BEGIN:VCALENDAR, the calendar's own
// lines and the time zone; the tail: END:VCALENDAR), every event in the order
// of the single file, End.
class IIcsSink {
public:
    virtual ~IIcsSink() = default;
    virtual void Begin(std::string_view head, std::string_view tail) = 0;
    virtual void Event(const TIcsEvent& event) = 0;
    virtual void End() = 0;
};

// Writes the request's calendar into the sink: the entries' events in their
// order, then each day's memo and day texts. Raises EIcsTimeZoneError for an
// unknown time zone before Begin, and ENothingToExport after the last day
// when there was no event (no End then).
void WriteIcsCalendar(const TExportRequest& request, const TExportSources& sources, IIcsSink& sink);

// The whole calendar as one file's bytes. With a drain, the output is handed
// to it in parts once it has grown large; the rest is returned. Raises as
// WriteIcsCalendar.
std::string BuildIcs(const TExportRequest& request, const TExportSources& sources, const TOutputDrain& drain = {});

} // namespace orvexp
