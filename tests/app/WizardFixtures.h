#pragma once
// Folders and data files for the wizard's tests, made by our own writers.

#include <string>

#include "platform/DateTime.h"
#include "platform/FileSystem.h"
#include "schedule/Alarm.h"
#include "schedule/AlarmTimer.h"
#include "tests/support/ScheduleEntries.h"
#include "tests/support/TempFolder.h"

namespace orvexp::test {

// The file's bytes; empty when it cannot be read (the settings file before a first write).
inline std::string ReadBytesIfAny(const std::string& path)
{
    std::string bytes;
    TryReadFile(path, bytes);
    return bytes;
}

// 会議 in Shift_JIS.
inline constexpr char kMeetingSjis[] = "\x89\xEF\x8B\x63";

// A data folder: `scheduleName` with one entry on 2024/04/01 at 09:30 ("会議"),
// and Memo/20240402.txt holding "abc".
inline void WriteSampleDataFolder(const std::string& folder, const std::string& scheduleName = "schedule.dat")
{
    TAlarmList alarms;
    alarms.Add(test::MakeAlarm(akDateAt, {kMeetingSjis}, 2024, 4, 1, 9, 30));
    WriteBytes(JoinPath(folder, scheduleName), WriteScheduleFile(alarms));
    WriteBytes(JoinPath(folder, "Memo/20240402.txt"), "abc\r\n");
}

} // namespace orvexp::test
