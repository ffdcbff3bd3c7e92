#include "export/ExportSources.h"

#include <sys/stat.h>

#include "calendar/DayFiles.h"
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
    for (const TEntryDigest& entry : schedule) {
        TDayNumber day = 0;
        if ((entry.Kind != akDate && entry.Kind != akDateAt) || !TryEncodeDay(entry.Year, entry.Month, entry.Day, day)) {
            continue;
        }
        if (!first || day < *first) first = day;
    }
    return first;
}

TInputFiles InputsOf(const TExportRequest& request)
{
    TInputFiles inputs = ExportInputs(request.ScheduleFile);
    inputs.AddFile(request.SettingsFile);
    return inputs;
}

TExportSources::TExportSources(const TExportRequest& request, TScheduleDigest schedule, std::int64_t stampSeconds)
    : Stamp(stampSeconds), FInputs(InputsOf(request))
{
    const TExportType type = request.ExportType;
    const TDataFolder folder = TDataFolder::OfScheduleFile(request.ScheduleFile);
    if (HasSchedules(type)) FSchedule = std::move(schedule);
    FMemos = HasMemos(type) ? std::make_unique<TMemoStore>(folder) : std::make_unique<TMemoStore>();
    DayTexts = IsIcsType(type) && request.Ics.WithDays;
    FDays.AutoEquinox = true;
    FDays.AutoFurikae = true;
    // The day files are not written during an export, so loading them once
    // gives the same names as loading them before every date cell.
    if (IsHtmlType(type) || DayTexts) {
        DayFileProblems = LoadDayLists(FDays.HolidayList(), FDays.SpecialDayList(), FDays.CustomDayOffList(),
                                       folder.DayFiles());
    }
    if (IsIcsType(type)) FFirstDay = FirstDatedDay(*FMemos, FSchedule);
}

std::vector<TInputProblem> TExportSources::Problems() const
{
    std::vector<TInputProblem> problems = DayFileProblems;
    problems.insert(problems.end(), FMemos->Problems().begin(), FMemos->Problems().end());
    return problems;
}

} // namespace orvexp
