#include "export/ExportSources.h"

#include <sys/stat.h>

#include "export/ExportDays.h"

namespace orvexp {

namespace {

// A failed load leaves the list as it was; for the export it must add nothing.
void LoadOrEmpty(TKyDayItemList& list, const std::string& path, std::vector<TDayFileProblem>& problems)
{
    try {
        if (std::optional<TDayFileDamage> damage = list.LoadFromFile(path)) problems.push_back({path, *damage});
    } catch (const std::exception&) {
        list.Clear();
    }
}

} // namespace

std::vector<TDayFileProblem> LoadDayLists(TKyDayItemList& holidays, TKyDayItemList& specialDays,
                                          TKyDayItemList& daysOff, const TDayFilePaths& paths)
{
    std::vector<TDayFileProblem> problems;
    LoadOrEmpty(holidays, paths.Holidays, problems);
    LoadOrEmpty(specialDays, paths.SpecialDays, problems);
    LoadOrEmpty(daysOff, paths.DaysOff, problems);
    return problems;
}

std::int64_t ScheduleStampSeconds(const std::string& scheduleFile)
{
    struct stat status {};
    if (::stat(scheduleFile.c_str(), &status) != 0) return 0;
    return static_cast<std::int64_t>(status.st_mtime);
}

TExportSources::TExportSources(TExportType type, const TDataFolder& folder, TDateTime start, TDateTime end,
                               bool withDays)
    : Type(type), DayLists(IsHtmlType(type) || (IsIcsType(type) && withDays))
{
    if (HasMemos(type)) {
        Memos = std::make_unique<TMemoStore>(folder);
        const TExportDays days(start, end);
        Memos->ReadAhead(days.First, days.Last);
    }
    // The day files are not written during an export, so loading them once
    // gives the same names as loading them before every date cell.
    if (DayLists) DayFileProblems = LoadDayLists(Holidays, SpecialDays, DaysOff, folder.DayFiles());
}

void TExportSources::LoadSchedule(const std::string& scheduleFile)
{
    StampSeconds = ScheduleStampSeconds(scheduleFile);
    if (HasSchedules(Type)) {
        Schedule = TScheduleDigest::LoadFromFile(scheduleFile);
    } else {
        TScheduleDigest::CheckFile(scheduleFile);
    }
}

void TExportSources::UseEntries(const TAlarmList& alarms, std::int64_t stampSeconds)
{
    StampSeconds = stampSeconds;
    if (HasSchedules(Type)) Schedule = TScheduleDigest(alarms);
}

void TExportSources::Apply(TExportRequest& request) const
{
    request.Schedule = HasSchedules(Type) ? &Schedule : nullptr;
    request.Memos = Memos.get();
    request.Holidays = DayLists ? &Holidays : nullptr;
    request.SpecialDays = DayLists ? &SpecialDays : nullptr;
    request.DaysOff = DayLists ? &DaysOff : nullptr;
    request.StampSeconds = StampSeconds;
    // The day events go with an iCalendar export whose sources loaded the day lists.
    if (IsIcsType(Type)) request.WithDays = DayLists;
}

} // namespace orvexp
