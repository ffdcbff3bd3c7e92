#pragma once
// Fixtures for the export tests: the scratch folder, byte files, Shift_JIS
// texts and schedule entries of tests/support, and the entry maker in the
// order the export tables read.

#include <memory>
#include <string>
#include <vector>

#include "data/DataFolder.h"
#include "export/Export.h"
#include "export/ExportSources.h"
#include "schedule/Alarm.h"
#include "tests/support/ScheduleEntries.h"
#include "tests/support/Sjis.h"
#include "tests/support/TempFolder.h"

namespace orvexp::test {

// MakeAlarm with the date and time first, as the export tables read.
inline std::unique_ptr<TAlarm2> MakeEntry(TAlarmKind kind, std::uint16_t year, std::uint16_t month, std::uint16_t day,
                                          std::uint16_t hour, std::uint16_t minute, std::vector<std::string> lines)
{
    return MakeAlarm(kind, std::move(lines), year, month, day, hour, minute);
}

// The request's sources as the wizard makes them: the entries of a loaded
// container, the memos and day files of the data folder (the request's
// schedule file is named there). The sources must outlive the export.
inline std::unique_ptr<TExportSources> ResolveSources(TExportRequest& request, const std::string& dataFolder,
                                                      const TAlarmList& alarms, bool withDays = false,
                                                      std::int64_t stampSeconds = 0)
{
    request.ScheduleFile = dataFolder + "schedule.dat";
    request.Ics.WithDays = withDays;
    return std::make_unique<TExportSources>(request, TScheduleDigest(alarms), stampSeconds);
}

// RunExport over those sources.
inline void RunExportFrom(TExportRequest request, const std::string& dataFolder, const TAlarmList& alarms,
                          bool withDays = false, std::int64_t stampSeconds = 0)
{
    const auto sources = ResolveSources(request, dataFolder, alarms, withDays, stampSeconds);
    RunExport(request, *sources);
}

} // namespace orvexp::test
