#pragma once
// Everything one export reads: the wizard fills it from its controls, the
// command line from its options. The writers reach into nothing else.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "export/ExportType.h"
#include "platform/DateTime.h"

namespace orvexp {

class TInputFiles;
class TMemoStore;
class TScheduleDigest;
class TKyDayItemList;
class TKyCustomDateEx;

// Takes the output produced so far (and clears it), so that a large export is
// written in parts instead of held whole; see ExportCsv and ExportHtml.
using TOutputDrain = std::function<void(std::string& output)>;
// The size from which the writers hand their output to the drain: small enough
// that the buffer stays in the cache and is faulted in once, large enough that
// the writes stay few. Writers with a drain reserve twice this up front, so the
// buffer is not regrown (and copied) while it fills.
inline constexpr std::size_t kOutputDrainSize = 256 << 10;

// The colour numbers the HTML colours start from: the window-text system
// colour (the top bit names a system colour by its index, here 8), white, and
// the light grey of the date column.
inline constexpr std::int32_t kWindowTextColor = static_cast<std::int32_t>(0x80000008u);
inline constexpr std::int32_t kWhiteColor = 16777215;          // 0xFFFFFF
inline constexpr std::int32_t kDateBkDefaultColor = 15461355;  // 0xEBEBEB

// Colours of the HTML page as the settings file stores them: 0x00BBGGRR.
struct THtmlColors {
    std::int32_t TimeColor = 0;
    std::int32_t ScheduleColor = 0;
    std::int32_t MemoColor = 0;
    std::int32_t DateBkColor = kDateBkDefaultColor;
    std::int32_t TimeBkColor = kWhiteColor;
    std::int32_t ScheduleBkColor = kWhiteColor;
    std::int32_t MemoBkColor = kWhiteColor;
};

// The encoding of the written file: Shift_JIS as Orvanel keeps its data (the
// wizard's), or UTF-8 (a CSV with a byte-order mark, a page declaring UTF-8).
enum TOutputEncoding { oeShiftJis, oeUtf8 };

// What one export writes and from what. The sources are resolved before the
// writers run (TExportSources does it) and only read by them; a type leaves
// the ones it does not use null.
struct TExportRequest {
    TExportType ExportType = etCsvSchedules;
    TDateTime StartDate = 0, EndDate = 0; // whole days, both included
    std::string OutputPath;               // UTF-8 path
    // What the export reads: an output that is one of them is refused. Null: none named.
    const TInputFiles* Inputs = nullptr;
    THtmlColors Colors;
    bool ExportEmptyMemo = true;
    const TScheduleDigest* Schedule = nullptr; // the types with schedules
    const TMemoStore* Memos = nullptr;         // the types with memos
    // The HTML types: the names of the day items matching each date.
    const TKyDayItemList* Holidays = nullptr;
    const TKyDayItemList* SpecialDays = nullptr;
    const TKyDayItemList* DaysOff = nullptr;
    // The iCalendar type: the calculator whose day texts (the items and the
    // computed equinox days and substitute holidays) become all-day events;
    // null: none.
    const TKyCustomDateEx* DayTexts = nullptr;
    // The iCalendar type: the data folder's first dated day (FirstDatedDay),
    // from whose year the repeating entries' rules start.
    std::optional<TDayNumber> FirstDatedDay;
    // Optional; after each day (the iCalendar type: after each block of
    // entries and each day, both counted in `total`).
    std::function<void(int done, int total)> OnProgress;
    // Choices of the command line; the defaults write the wizard's bytes.
    TOutputEncoding Encoding = oeShiftJis;
    bool EscapeHtml = false; // HTML: &, <, >, " in the data's texts written as references
    // The iCalendar type. Its file is always UTF-8.
    std::string TimeZone;          // IANA name: times in that zone with its VTIMEZONE; empty: floating
    std::int64_t StampSeconds = 0; // DTSTAMP of the entries and day texts; see ScheduleStampSeconds
};

} // namespace orvexp
