#pragma once
// The writers and the dispatch by export type. Each writes its output through
// a temporary file that replaces the target only when all is written and
// differs from it; each returns false when the file already held exactly the
// new bytes: it is then left as it was, its time too, so a sync that follows
// has nothing to do. Each raises EOutputIsInput for an output that is one of
// the sources' inputs and EFCreateError ("ファイル %s を作成できません。(cause)")
// when the output cannot be written, in both cases leaving an earlier file as
// it was.

#include "export/ExportRequest.h"
#include "export/ExportSources.h"

namespace orvexp {

// The CSV types: the CSV file of schedules, memos or both for every day of the range (BuildCsv).
bool ExportCsv(const TExportRequest& request, const TExportSources& sources);
// The HTML types: the HTML page (BuildHtml).
bool ExportHtml(const TExportRequest& request, const TExportSources& sources);
// The iCalendar type as one file (BuildIcs), in UTF-8. Raises also
// EIcsTimeZoneError for an unknown time zone and ENothingToExport when the
// range yields no event, both before the file is touched.
bool ExportIcs(const TExportRequest& request, const TExportSources& sources);
// ExportCsv, ExportHtml or ExportIcs by the type.
bool RunExport(const TExportRequest& request, const TExportSources& sources);

} // namespace orvexp
