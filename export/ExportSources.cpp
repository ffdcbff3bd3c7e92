#include "export/ExportSources.h"

#include <sys/stat.h>

#include "export/ExportDays.h"

namespace orvexp {

std::int64_t ScheduleStampSeconds(const std::string& scheduleFile)
{
    struct stat status {};
    if (::stat(scheduleFile.c_str(), &status) != 0) return 0;
    return static_cast<std::int64_t>(status.st_mtime);
}

std::optional<TDayNumber> FirstDatedDay(const TMemoStore& memos, const TScheduleDigest& schedule)
{
    std::optional<TDayNumber> first = memos.FirstMemoDay();
    for (int i = 0; i < schedule.Count(); ++i) {
        const TEntryDigest& entry = schedule[i];
        TDayNumber day = 0;
        if ((entry.Kind != akDate && entry.Kind != akDateAt) || !TryEncodeDay(entry.Year, entry.Month, entry.Day, day)) {
            continue;
        }
        if (!first || day < *first) first = day;
    }
    return first;
}

std::optional<TDayNumber> FirstDatedDay(const TDataFolder& folder, const TScheduleDigest& schedule)
{
    return FirstDatedDay(TMemoStore(folder), schedule);
}

TExportSources::TExportSources(TExportType type, const TDataFolder& folder, TDateTime start, TDateTime end,
                               bool withDays)
    : Type(type), DayLists(IsHtmlType(type) || (IsIcsType(type) && withDays)), DayTexts(IsIcsType(type) && withDays)
{
    Days.AutoEquinox = true;
    Days.AutoFurikae = true;
    if (HasMemos(type)) {
        Memos = std::make_unique<TMemoStore>(folder);
        const TExportDays days(start, end);
        Memos->ReadAhead(days.First, days.Last);
    }
    // The day files are not written during an export, so loading them once
    // gives the same names as loading them before every date cell.
    if (DayLists) {
        DayFileProblems = LoadDayLists(Days.HolidayList(), Days.SpecialDayList(), Days.CustomDayOffList(),
                                       folder.DayFiles());
    }
}

void TExportSources::LoadSchedule(const std::string& scheduleFile)
{
    StampSeconds = ScheduleStampSeconds(scheduleFile);
    if (HasSchedules(Type)) {
        Schedule = TScheduleDigest::LoadFromFile(scheduleFile);
    } else {
        TScheduleDigest::CheckFile(scheduleFile);
    }
    FindFirstDay();
}

void TExportSources::UseSchedule(TScheduleDigest schedule, std::int64_t stampSeconds)
{
    StampSeconds = stampSeconds;
    if (HasSchedules(Type)) Schedule = std::move(schedule);
    FindFirstDay();
}

void TExportSources::UseEntries(const TAlarmList& alarms, std::int64_t stampSeconds)
{
    StampSeconds = stampSeconds;
    if (HasSchedules(Type)) Schedule = TScheduleDigest(alarms);
    FindFirstDay();
}

std::vector<TInputProblem> TExportSources::Problems() const
{
    std::vector<TInputProblem> problems = DayFileProblems;
    if (Memos) problems.insert(problems.end(), Memos->Problems().begin(), Memos->Problems().end());
    return problems;
}

void TExportSources::FindFirstDay()
{
    if (!IsIcsType(Type)) return;
    FirstDay = Memos ? FirstDatedDay(*Memos, Schedule) : FirstDatedDay(TMemoStore(), Schedule);
}

void TExportSources::Apply(TExportRequest& request) const
{
    request.Schedule = HasSchedules(Type) ? &Schedule : nullptr;
    request.Memos = Memos.get();
    request.Holidays = DayLists ? &Days.HolidayList() : nullptr;
    request.SpecialDays = DayLists ? &Days.SpecialDayList() : nullptr;
    request.DaysOff = DayLists ? &Days.CustomDayOffList() : nullptr;
    request.DayTexts = DayTexts ? &Days : nullptr;
    request.FirstDatedDay = FirstDay;
    request.StampSeconds = StampSeconds;
}

} // namespace orvexp
