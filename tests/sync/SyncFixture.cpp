// The data folder of the CalDAV sync test: `DIR` writes the sample folder;
// `DIR --change` rewrites its schedule file with the first one-date entry of
// the sample year edited and a new one-date entry added.

#include <cstdio>
#include <string>

#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "schedule/AlarmTimer.h"
#include "tools/sample/SampleData.h"

int main(int argc, char** argv)
{
    using namespace orvexp;
    const std::string change = argc == 3 ? argv[2] : "";
    if ((argc != 2 && argc != 3) || (argc == 3 && change != "--change")) {
        std::fprintf(stderr, "usage: %s DIR [--change]\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    if (argc == 2) {
        WriteSampleDataFolder(folder);
        return 0;
    }
    TAlarmList alarms;
    FillSampleSchedule(alarms);
    for (const auto& alarm : alarms) {
        if (alarm->Kind == akDateAt && alarm->DateTime.Year == kSampleYear && !alarm->Messages.empty()) {
            alarm->Messages[0] += " (edited)";
            break;
        }
    }
    auto added = std::make_unique<TAlarm2>();
    added->Kind = akDate;
    added->DateTime.Year = kSampleYear;
    added->DateTime.Month = 12;
    added->DateTime.Day = 24;
    added->Messages = {Utf8ToCp932("同期テストで増えた予定")};
    alarms.Add(std::move(added));
    WriteFileAtomically(JoinPath(folder, "schedule.dat"), WriteScheduleFile(alarms));
    return 0;
}
