#pragma once
// The CSV writer (the CSV export types): per day of the range, schedule rows
// (date, time, content) and memo rows (date, empty, memo), no header line,
// every row ended by CR LF.

#include <string>

#include "export/ExportRequest.h"
#include "export/ExportSources.h"
#include "data/MemoStore.h"
#include "schedule/Alarm.h"

namespace orvexp {

// date text, time text ("--:--" left empty, trimmed), all text lines joined
// with CR LF and trimmed; joined by JoinFields with CsvQuoteTriggers. Not trimmed.
std::string BuildScheduleCsvRow(const TAlarm& entry, TDateTime date);

// date text, an empty field, the memo text; the empty string when the memo is
// empty and empty memos are not exported. Not trimmed.
std::string BuildMemoCsvRow(const TMemoStore& memos, TDateTime date, bool exportEmptyMemo);

// The whole file's bytes for the request's CSV type, range and options: days
// from StartDate to EndDate, both included; each row trimmed and followed by CR LF.
// Another type or an empty range gives no rows. With a drain, the output
// is handed to it day by day once it has grown large; the rest is returned.
std::string BuildCsv(const TExportRequest& request, const TExportSources& sources, const TOutputDrain& drain = {});

} // namespace orvexp
