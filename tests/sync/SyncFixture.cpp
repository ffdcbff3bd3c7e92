// `DIR` writes the sample data folder; `DIR --change` rewrites its schedule
// file with the sample year's first one-date entry edited and a new one added.

#include <cstring>

#include "platform/AtomicFileWriter.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "schedule/AlarmTimer.h"
#include "tools/sample/SampleData.h"

int main(int argc, char** argv)
{
    using namespace orvexp;
    if (argc == 2) WriteSampleDataFolder(argv[1]);
    if (argc != 3 || std::strcmp(argv[2], "--change") != 0) return argc == 2 ? 0 : 2;
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
    WriteFileAtomically(JoinPath(argv[1], "schedule.dat"), WriteScheduleFile(alarms));
}
