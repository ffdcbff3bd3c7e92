#pragma once
// Everything one export reads: the wizard fills it from its controls, the
// command line from its options. The writers reach into nothing else.

#include <cstdint>
#include <functional>
#include <string>

#include "platform/DateTime.h"

namespace orvexp {

class TAlarmList;
class TMemoStore;
class TScheduleDigest;
class TKyDayItemList;

// Takes the output produced so far (and clears it), so that a large export is
// written in parts instead of held whole; see ExportCsv and ExportHtml.
using TOutputDrain = std::function<void(std::string& output)>;
// The size from which the writers hand their output to the drain: small enough
// that the buffer stays in the cache and is faulted in once, large enough that
// the writes stay few. Writers with a drain reserve twice this up front, so the
// buffer is not regrown (and copied) while it fills.
inline constexpr std::size_t kOutputDrainSize = 256 << 10;

// Colours of the HTML page as the settings file stores them: 0x00BBGGRR.
struct THtmlColors {
    std::int32_t TimeColor = 0;
    std::int32_t ScheduleColor = 0;
    std::int32_t MemoColor = 0;
    std::int32_t DateBkColor = 15461355;
    std::int32_t TimeBkColor = 16777215;
    std::int32_t ScheduleBkColor = 16777215;
    std::int32_t MemoBkColor = 16777215;
};

// The encoding of the written file: Shift_JIS as Orvanel keeps its data (the
// wizard's), or UTF-8 (a CSV with a byte-order mark, a page declaring UTF-8).
enum TOutputEncoding { oeShiftJis, oeUtf8 };

struct TExportRequest {
    std::uint8_t ExportType = 0;          // 0..5: CSV schedules, memos, both; HTML schedules, memos, both
    TDateTime StartDate = 0, EndDate = 0; // whole days, both included
    std::string OutputPath;               // UTF-8 path
    std::string MemoFolder;               // DataFolder + "Memo/" (found in any ASCII case when absent)
    // The store of MemoFolder, made by the caller (which may have it read ahead
    // already); null: the writers make their own.
    TMemoStore* Memos = nullptr;
    THtmlColors Colors;
    bool ExportEmptyMemo = true;
    const TAlarmList* Alarms = nullptr;   // the schedule container's entries
    const TScheduleDigest* Schedule = nullptr; // read instead of Alarms when set
    std::string HolidaysPath, SpecialDaysPath, DaysOffPath;
    // The holder's three lists, loaded by the HTML writer (a list whose file
    // cannot be loaded is emptied); null: the writer uses lists of its own.
    TKyDayItemList* HolidayList = nullptr;
    TKyDayItemList* SpecialDayList = nullptr;
    TKyDayItemList* CustomDayOffList = nullptr;
    std::function<void(int daysDone, int daysTotal)> OnProgress; // optional; after each day
    // Choices of the command line; the defaults write the wizard's bytes.
    TOutputEncoding Encoding = oeShiftJis;
    bool EscapeHtml = false; // HTML: &, <, >, " in the data's texts written as references
};

} // namespace orvexp
