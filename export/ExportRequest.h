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
};

} // namespace orvexp
