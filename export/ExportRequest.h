#pragma once
// What the user chose for one export: the wizard fills it from its pages, the
// command line from its options. With the sources made from it
// (ExportSources) it is everything the writers read.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "export/ExportType.h"
#include "export/HtmlOptions.h"
#include "export/OutputEncoding.h"
#include "platform/DateTime.h"

namespace orvexp {

// Takes the output produced so far (and clears it), so that a large export is
// written in parts instead of held whole; see ExportCsv and ExportHtml.
using TOutputDrain = std::function<void(std::string& output)>;
// The size from which the writers hand their output to the drain: small enough
// that the buffer stays in the cache and is faulted in once, large enough that
// the writes stay few. Writers with a drain reserve twice this up front, so the
// buffer is not regrown (and copied) while it fills.
inline constexpr std::size_t kOutputDrainSize = 256 << 10;

struct TCsvOptions {
    bool ExportEmptyMemo = true; // a memo row for a day without a memo
};

struct TIcsOptions {
    bool WithDays = false; // the holidays, special days and days off as all-day events
    std::string TimeZone;  // IANA name: times in that zone with its VTIMEZONE; empty: floating
};

struct TExportRequest {
    TExportType ExportType = etCsvSchedules;
    TDateTime StartDate = 0, EndDate = 0; // whole days, both included
    std::string ScheduleFile;             // its folder holds the memos and the day files
    std::string SettingsFile;             // read for the defaults, so no output may be it; empty: none
    std::string OutputPath;               // UTF-8 path (the parts' name for iCalendar parts)
    // The encoding of a CSV or HTML file; the defaults write the wizard's bytes.
    TOutputEncoding Encoding = oeShiftJis;
    TCsvOptions Csv;
    THtmlOptions Html;
    TIcsOptions Ics;
    // Optional; after each day (the iCalendar type: after each chunk of
    // entries and each day, both counted in `total`).
    std::function<void(int done, int total)> OnProgress;
};

} // namespace orvexp
