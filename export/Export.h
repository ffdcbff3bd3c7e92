#pragma once
// The three writers and the dispatch by export type. Each writes its output
// through a temporary file that replaces the target only when all is written.

#include <stdexcept>

#include "export/ExportRequest.h"

namespace orvexp {

// An iCalendar export whose range yields no event: a calendar without any
// component is no valid file, so none is written.
class ENothingToExport : public std::runtime_error {
public:
    ENothingToExport() : std::runtime_error("この期間に書き出す予定とメモはありません。") {}
};

// The CSV types: the CSV file of schedules, memos or both for every day of the
// range (BuildCsv); another type gives an empty file. Raises EFCreateError
// ("ファイル %s を作成できません") when the output cannot be written; an earlier
// file of that name then stays as it was.
void ExportCsv(const TExportRequest& request);
// The HTML types: the HTML page (BuildHtml), loading the request's three day lists
// first; another type gives an empty file. Raises EFCreateError as ExportCsv.
void ExportHtml(const TExportRequest& request);
// The iCalendar type: the calendar of the range (BuildIcs) in UTF-8. Raises
// EIcsTimeZoneError for an unknown TimeZone and ENothingToExport when the
// range yields no event, both without writing anything (an earlier file stays
// as it was), and EFCreateError as ExportCsv.
void ExportIcs(const TExportRequest& request);
// ExportCsv, ExportHtml or ExportIcs by the type; any other value writes nothing.
void RunExport(const TExportRequest& request);

} // namespace orvexp
