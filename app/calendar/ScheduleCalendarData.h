#pragma once
// What the schedule calendar window shows of one Orvanel data folder: the
// schedule entries of each date, the memo of each date, and the three day
// files. The calendar control only asks; this answers.

#include <memory>
#include <string>
#include <vector>

#include "calendar/widget/CustomOrvanelCalendar.h"
#include "platform/DateTime.h"
#include "data/DataFolder.h"
#include "data/MemoStore.h"
#include "schedule/AlarmTimer.h"
#include "schedule/PreviewList.h"

namespace orvexp {

class TKyOrvanelCalendar;

// Text colours of the day contents.
inline constexpr TColor kScheduleContentsColor = clBlack;
inline constexpr TColor kMemoContentsColor = clNavy;

class TScheduleCalendarData {
public:
    // Loads the schedule file and lists the memo folder beside it. Raises
    // EFOpenError when the file cannot be opened, EInvalidFileHeader or
    // EStreamReadError when it is no schedule file.
    explicit TScheduleCalendarData(const std::string& scheduleFile);

    const std::string& ScheduleFile() const { return FScheduleFile; }
    const std::string& DataFolder() const { return FDataFolder.Path(); }
    const TAlarmList& Alarms() const { return Timer.AlarmList; }

    // Any entry falls on the date.
    bool HasSchedule(TDateTime date) const;
    // The date has memo text, as the exports see it: its file (Memo/yyyymmdd.txt,
    // found without regard to case) holds more than a single line break.
    bool HasMemo(TDateTime date) const;
    // The first line of the date's memo; empty when there is none.
    std::string MemoFirstLine(TDateTime date) const;
    // The date's entries in preview order, each "time content" (Shift_JIS),
    // then the memo's first line; each text ends with CR LF.
    void FillDayContents(TDateTime date, TKyDrawDayTextList& list) const;

    // Loads the day files of the data folder into the calendar's lists; a
    // missing file is skipped. Returns one message per file that could not be read.
    std::vector<std::string> LoadDayFiles(TKyCustomCalendar& calendar) const;

    // Wires the calendar's sign and contents events to this data; the data must outlive the calendar's use of them.
    void Attach(TKyOrvanelCalendar& calendar) const;

private:
    std::string FScheduleFile;
    TDataFolder FDataFolder;
    TAlarmTimer Timer;
    // Over Timer's entries, which do not change after the load: indexed once,
    // not for every date drawn.
    std::unique_ptr<TPreviewList> Preview;
    std::unique_ptr<TMemoStore> Memos; // listed once
};

} // namespace orvexp
