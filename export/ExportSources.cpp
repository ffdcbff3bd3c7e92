#include "export/ExportSources.h"

#include <sys/stat.h>

#include <filesystem>
#include <string_view>

#include "export/ExportDays.h"
#include "platform/Text.h"

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
}

} // namespace orvexp

namespace orvexp {

std::optional<std::int64_t> FirstDatedDay(const TDataFolder& folder, const TScheduleDigest& schedule)
{
    std::optional<std::int64_t> first;
    TDateTime date = 0;
    const auto take = [&first, &date] {
        const auto number = static_cast<std::int64_t>(date);
        if (!first || number < *first) first = number;
    };
    for (const TEntryDigest& entry : schedule) {
        if ((entry.Kind == akDate || entry.Kind == akDateAt) && TryEncodeDate(entry.Year, entry.Month, entry.Day, date)) {
            take();
        }
    }
    const std::string memoFolder = folder.FindMemoFolder();
    if (memoFolder.empty()) return first;
    // A name counts when it is the memo file name of its date in some ASCII
    // case: no leading zero, two-digit month and day, ".txt".
    std::error_code error, ignored;
    for (std::filesystem::directory_iterator it(memoFolder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        const std::string_view stem = std::string_view(name).substr(0, name.size() - 4);
        if (name.size() < 9 || name.size() > 12 || stem.find_first_not_of("0123456789") != std::string_view::npos ||
            it->is_directory(ignored)) {
            continue;
        }
        const int year = std::stoi(std::string(stem.substr(0, stem.size() - 4)));
        const auto month = static_cast<unsigned>(std::stoi(std::string(stem.substr(stem.size() - 4, 2))));
        const auto day = static_cast<unsigned>(std::stoi(std::string(stem.substr(stem.size() - 2))));
        if (TryEncodeDate(year, month, day, date) && SameTextIgnoringAsciiCase(name, MemoFileName(date))) take();
    }
    return first;
}

} // namespace orvexp
