#include "export/ExportSources.h"

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

TExportSources::TExportSources(TExportType type, const TDataFolder& folder, TDateTime start, TDateTime end)
    : Type(type)
{
    if (HasMemos(type)) {
        Memos = std::make_unique<TMemoStore>(folder);
        const TExportDays days(start, end);
        Memos->ReadAhead(days.First, days.Last);
    }
    // The day files are not written during an export, so loading them once
    // gives the same names as loading them before every date cell.
    if (IsHtmlType(type)) DayFileProblems = LoadDayLists(Holidays, SpecialDays, DaysOff, folder.DayFiles());
}

void TExportSources::LoadSchedule(const std::string& scheduleFile)
{
    if (HasSchedules(Type)) {
        Schedule = TScheduleDigest::LoadFromFile(scheduleFile);
    } else {
        TScheduleDigest::CheckFile(scheduleFile);
    }
}

void TExportSources::UseEntries(const TAlarmList& alarms)
{
    if (HasSchedules(Type)) Schedule = TScheduleDigest(alarms);
}

void TExportSources::Apply(TExportRequest& request) const
{
    request.Schedule = HasSchedules(Type) ? &Schedule : nullptr;
    request.Memos = Memos.get();
    const bool html = IsHtmlType(Type);
    request.Holidays = html ? &Holidays : nullptr;
    request.SpecialDays = html ? &SpecialDays : nullptr;
    request.DaysOff = html ? &DaysOff : nullptr;
}

} // namespace orvexp
