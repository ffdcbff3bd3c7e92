#pragma once
// Folders and data files for the wizard's tests, made by our own writers.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/DateTime.h"
#include "platform/FileSystem.h"
#include "schedule/Alarm.h"
#include "schedule/AlarmTimer.h"

namespace orvexp::test {

// A fresh folder under /tmp, removed with everything in it. Path ends with "/".
class TTempFolder {
public:
    TTempFolder()
    {
        char name[] = "/tmp/orvexp-wizard-XXXXXX";
        Path = std::string(::mkdtemp(name)) + "/";
    }
    ~TTempFolder() { std::filesystem::remove_all(Path); }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    std::string Path;
};

inline void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string ReadBytes(const std::string& path)
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
    auto alarm = std::make_unique<TAlarm2>();
    alarm->Kind = akDateAt;
    alarm->DateTime.Year = 2024;
    alarm->DateTime.Month = 4;
    alarm->DateTime.Day = 1;
    alarm->DateTime.Hour = 9;
    alarm->DateTime.Minute = 30;
    alarm->Messages = {kMeetingSjis};
    alarms.Add(std::move(alarm));
    WriteBytes(JoinPath(folder, scheduleName), WriteScheduleFile(alarms));
    WriteBytes(JoinPath(folder, "Memo/20240402.txt"), "abc\r\n");
}

} // namespace orvexp::test
