#pragma once
// The iCalendar writer: the schedule and the memos of a range (and, if asked,
// the day texts of its holidays, special days and days off) as one RFC 5545
// calendar in UTF-8 for today's calendar programs. A repeating entry stays one
// event with its endless rule, the same for every range; the reminders of
// active entries become alarms; UIDs come from the stored content, so a newer
// export of the same data gives the same events.

#include <stdexcept>
#include <string>

#include "export/ExportRequest.h"
#include "export/IcsTimeZone.h"

namespace orvexp {

// The whole calendar of the request. With a drain, the output is handed to it
// in parts once it has grown large; the rest is returned. Raises
// EIcsTimeZoneError for an unknown time zone before anything is produced, and
// ENothingToExport (Export.h) when the range yields no event.
std::string BuildIcs(const TExportRequest& request, const TOutputDrain& drain = {});

} // namespace orvexp
