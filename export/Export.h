#pragma once
// The three writers and the dispatch by export type. Each writes its output
// through a temporary file that replaces the target only when all is written
// and differs from it.

#include "export/ExportRequest.h"
#include "export/IcsExport.h"

namespace orvexp {

// The CSV types: the CSV file of schedules, memos or both for every day of the
// range (BuildCsv); another type gives an empty file. Raises EFCreateError
// ("ファイル %s を作成できません") when the output cannot be written; an earlier
// file of that name then stays as it was.
bool ExportCsv(const TExportRequest& request);
// The HTML types: the HTML page (BuildHtml), loading the request's three day lists
// first; another type gives an empty file. Raises EFCreateError as ExportCsv.
bool ExportHtml(const TExportRequest& request);
// The iCalendar type: the calendar of the range (BuildIcs) in UTF-8. Raises
// EIcsTimeZoneError for an unknown TimeZone and ENothingToExport when the
// range yields no event, both without writing anything (an earlier file stays
// as it was), and EFCreateError as ExportCsv.
bool ExportIcs(const TExportRequest& request);
// ExportCsv, ExportHtml or ExportIcs by the type; any other value writes nothing.
// Each returns false when the output file already held exactly the new bytes:
// it is then left as it was, its time too, so a sync that follows has nothing to do.
bool RunExport(const TExportRequest& request);

} // namespace orvexp
