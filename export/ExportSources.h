#pragma once
// What the writers write from, resolved once before they run: a data folder's
// memo store and day lists and the schedule's entries, each made only for the
// export types that use it. The wizard and the command line both fill their
// requests from one of these.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "calendar/DateEx.h"
#include "calendar/DayFiles.h"
#include "calendar/DayItem.h"
#include "data/DataFolder.h"
#include "data/MemoStore.h"
#include "export/ExportRequest.h"
#include "schedule/Alarm.h"
#include "schedule/ScheduleDigest.h"

namespace orvexp {

// The DTSTAMP of an iCalendar export: the schedule file's modification time
// in seconds since 1970-01-01 UTC (0 when it cannot be read). The wizard and
// the command line both take it from the file, so the same data gives the
// same bytes however it is exported, and an unchanged file the same bytes
// every time.
std::int64_t ScheduleStampSeconds(const std::string& scheduleFile);

// The data folder's first dated day: the earliest of the dates its memo
// files are named after and of its one-date entries' dates; none when it has
// neither.
std::optional<TDayNumber> FirstDatedDay(const TMemoStore& memos, const TScheduleDigest& schedule);
std::optional<TDayNumber> FirstDatedDay(const TDataFolder& folder, const TScheduleDigest& schedule);

class TExportSources {
public:
    // For the types with memos, lists the memo folder and starts reading the
    // memos of the whole days `start` to `end` ahead, on a thread of its own;
    // for the HTML types, and the iCalendar type `withDays`, loads the three
    // day lists (the iCalendar type's day texts then include the computed
    // equinox days and substitute holidays). The entries come from
    // LoadSchedule or UseEntries.
    TExportSources(TExportType type, const TDataFolder& folder, TDateTime start, TDateTime end,
                   bool withDays = false);

    // Reads the entries from the schedule file, keeping only what the writers
    // read of each: with many entries the whole model would cost more to build
    // than the export itself. A type without schedules keeps none but checks
    // the file all the same, so a broken file fails every type alike. Raises
    // as TScheduleDigest::LoadFromFile.
    void LoadSchedule(const std::string& scheduleFile);
    // Entries already read from the schedule file (as LoadSchedule reads
    // them), with ScheduleStampSeconds of the file.
    void UseSchedule(TScheduleDigest schedule, std::int64_t stampSeconds);
    // The entries of a loaded schedule container (kept for the types with
    // schedules); `stampSeconds` is ScheduleStampSeconds of its file, taken
    // when it was loaded.
    void UseEntries(const TAlarmList& alarms, std::int64_t stampSeconds);

    // Points the request's sources at these, which must outlive its export.
    void Apply(TExportRequest& request) const;

    // Every input that is there but could not be read, or only in part: the
    // day files, the memo folder, and the memo files the export has read so far.
    std::vector<TInputProblem> Problems() const;

private:
    void FindFirstDay();

    TExportType Type;
    bool DayLists = false;
    bool DayTexts = false;
    TScheduleDigest Schedule;
    std::int64_t StampSeconds = 0;
    std::unique_ptr<TMemoStore> Memos;
    TKyDateEx Days; // its three lists; the calendar's computed days on
    std::optional<TDayNumber> FirstDay;
    std::vector<TInputProblem> DayFileProblems;
};

} // namespace orvexp
