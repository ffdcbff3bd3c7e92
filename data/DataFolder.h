#pragma once
// An Orvanel data folder: the schedule file, the Memo folder with one text
// file per day, and the three day files. Folders copied from Windows or FAT
// media carry names in any ASCII case (SCHEDULE.DAT, MEMO/19990410.TXT), so
// every name is found as Windows finds it: the exact name first, else the one
// entry of the folder that matches it without regard to ASCII case.

#include <string>

#include "calendar/DayFiles.h"
#include "platform/InputFiles.h"

namespace orvexp {

inline constexpr char kScheduleFileName[] = "schedule.dat";
inline constexpr char kMemoFolderName[] = "Memo";
inline constexpr char kHolidaysFileName[] = "holidays.dat";
inline constexpr char kSpecialDaysFileName[] = "spcldays.dat";
inline constexpr char kDaysOffFileName[] = "daysoff.dat";

class TDataFolder {
public:
    // `folder` with or without its trailing "/"; "" is the current folder.
    explicit TDataFolder(const std::string& folder);
    // The folder a schedule file lies in.
    static TDataFolder OfScheduleFile(const std::string& scheduleFile);

    // The folder with its trailing "/" ("" for the current folder).
    const std::string& Path() const { return FPath; }

    // Each file's path: the existing entry that matches the name, else the
    // composed name (which then does not exist). Each call lists the folder once.
    std::string ScheduleFile() const;
    TDayFilePaths DayFiles() const;
    // Path() + "Memo/", the memo folder as the wizard records it.
    std::string MemoFolder() const;
    // The memo folder's entry, with a trailing "/": the exact name when
    // anything stands there (a folder, a file, a link), else the one entry that
    // matches it without regard to ASCII case; "" when there is none. Whether
    // it is a folder that can be listed is the memo store's question.
    std::string FindMemoFolder() const;

private:
    std::string FPath;
};

// What an export of a schedule file reads: the file itself, its folder's day
// files, the memo folder and every file in it. (The settings file is the
// program's to add.)
TInputFiles ExportInputs(const std::string& scheduleFile);

} // namespace orvexp
