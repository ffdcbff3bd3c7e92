#pragma once
// Fixtures for the export tests: the scratch folder and byte files of
// tests/support, Shift_JIS texts and schedule entries made in code.

#include <memory>
#include <string>
#include <vector>

#include "data/DataFolder.h"
#include "export/Export.h"
#include "export/ExportSources.h"
#include "platform/Text.h"
#include "schedule/Alarm.h"
#include "tests/support/TempFolder.h"

namespace orvexp::testing {

// Shift_JIS bytes of a UTF-8 literal, for readable expectations.
inline std::string Sjis(const std::string& utf8)
{
    return Utf8ToCp932(utf8);
}

inline std::unique_ptr<TAlarm2> MakeEntry(TAlarmKind kind, std::uint16_t year, std::uint16_t month, std::uint16_t day,
                                          std::uint16_t hour, std::uint16_t minute, std::vector<std::string> lines)
{
    auto entry = std::make_unique<TAlarm2>();
    entry->Kind = kind;
    entry->DateTime.Year = year;
    entry->DateTime.Month = month;
    entry->DateTime.Day = day;
    entry->DateTime.Hour = hour;
    entry->DateTime.Minute = minute;
    entry->Messages = std::move(lines);
    return entry;
}

// Resolves the request's sources as the wizard does: the entries, and the
// memos and day files of the data folder. The sources must outlive the export.
inline std::unique_ptr<TExportSources> ResolveSources(TExportRequest& request, const std::string& dataFolder,
                                                      const TAlarmList& alarms)
{
    auto sources = std::make_unique<TExportSources>(request.ExportType, TDataFolder(dataFolder), request.StartDate,
                                                    request.EndDate);
    sources->UseEntries(alarms);
    sources->Apply(request);
    return sources;
}

// RunExport over those sources.
inline void RunExportFrom(TExportRequest request, const std::string& dataFolder, const TAlarmList& alarms)
{
    const auto sources = ResolveSources(request, dataFolder, alarms);
    RunExport(request);
}

} // namespace orvexp::testing
