#pragma once
// What the writers write from, made once from the request, for the wizard
// and the command line alike: the schedule's entries, the data folder's memo
// store and day lists, each as the export type needs it (an empty one
// otherwise), and the files the export reads, which no output may be.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "calendar/DateEx.h"
#include "data/DataFolder.h"
#include "data/MemoStore.h"
#include "export/ExportRequest.h"
#include "platform/InputFiles.h"
#include "schedule/ScheduleDigest.h"

namespace orvexp {

// The DTSTAMP of an iCalendar export: the schedule file's modification time
// in seconds since 1970-01-01 UTC (0 when it cannot be read). The wizard and
// the command line both take it from the file when they read it, so the same
// data gives the same bytes however it is exported, and an unchanged file the
// same bytes every time.
std::int64_t ScheduleStampSeconds(const std::string& scheduleFile);

// The data folder's first dated day: the earliest of the dates its memo
// files are named after and of its one-date entries' dates; none when it has
// neither.
std::optional<TDayNumber> FirstDatedDay(const TMemoStore& memos, const TScheduleDigest& schedule);

// The files an export of the request reads: the schedule file, its folder's
// day files, the memo folder and every file in it, and the settings file.
TInputFiles InputsOf(const TExportRequest& request);

class TExportSources {
public:
    // `schedule` was read from the request's schedule file (or from the
    // wizard's container of it) at `stampSeconds` (ScheduleStampSeconds); a
    // type without schedules drops it. For the types with memos the memo
    // folder is listed once; for the HTML types, and the iCalendar type with day events, the three
    // day lists are loaded (the calendar's computed days on).
    TExportSources(const TExportRequest& request, TScheduleDigest schedule, std::int64_t stampSeconds);
    TExportSources(const TExportSources&) = delete;
    TExportSources& operator=(const TExportSources&) = delete;

    const TScheduleDigest& Schedule() const { return FSchedule; }
    const TMemoStore& Memos() const { return *FMemos; }
    const TKyDateEx& Days() const { return FDays; }
    // The iCalendar type's day texts go with it.
    bool WithDayTexts() const { return DayTexts; }
    // From whose year the repeating entries' iCalendar rules start.
    const std::optional<TDayNumber>& FirstDay() const { return FFirstDay; }
    std::int64_t StampSeconds() const { return Stamp; }
    // The schedule file, the day files, the memo folder and its files, the settings file.
    const TInputFiles& Inputs() const { return FInputs; }

    // Every input that is there but could not be read, or only in part: the
    // day files, the memo folder, and the memo files the export has read so far.
    std::vector<TInputProblem> Problems() const;

private:
    TScheduleDigest FSchedule;
    std::int64_t Stamp = 0;
    std::unique_ptr<TMemoStore> FMemos;
    TKyDateEx FDays;
    bool DayTexts = false;
    std::optional<TDayNumber> FFirstDay;
    TInputFiles FInputs;
    std::vector<TInputProblem> DayFileProblems;
};

} // namespace orvexp
