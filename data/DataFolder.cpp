#include "data/DataFolder.h"

#include <sys/stat.h>

#include "platform/FileSystem.h"

namespace orvexp {

namespace {

// The folder to list: "" means the current one.
std::string ListedFolder(const std::string& path)
{
    return path.empty() ? "." : path;
}

} // namespace

TDataFolder::TDataFolder(const std::string& folder)
    : FPath(folder.empty() ? std::string() : IncludeTrailingDelimiter(folder))
{
}

TDataFolder TDataFolder::OfScheduleFile(const std::string& scheduleFile)
{
    return TDataFolder(ExtractFilePath(scheduleFile));
}

std::string TDataFolder::ScheduleFile() const
{
    const std::string name = TFolderIndex(ListedFolder(FPath)).FindName(kScheduleFileName);
    return FPath + (name.empty() ? kScheduleFileName : name);
}

TDayFilePaths TDataFolder::DayFiles() const
{
    const TFolderIndex index(ListedFolder(FPath));
    const auto find = [&](const char* name) {
        const std::string found = index.FindName(name);
        return FPath + (found.empty() ? name : found);
    };
    return {find(kHolidaysFileName), find(kSpecialDaysFileName), find(kDaysOffFileName)};
}

std::string TDataFolder::MemoFolder() const
{
    return FPath + kMemoFolderName + "/";
}

std::string TDataFolder::FindMemoFolder() const
{
    struct stat info {};
    if (::lstat((FPath + kMemoFolderName).c_str(), &info) == 0) return MemoFolder();
    const std::string name = TFolderIndex(ListedFolder(FPath)).FindName(kMemoFolderName);
    return name.empty() ? std::string() : FPath + name + "/";
}

TInputFiles ExportInputs(const std::string& scheduleFile)
{
    const TDataFolder folder = TDataFolder::OfScheduleFile(scheduleFile);
    TInputFiles inputs;
    inputs.AddFile(scheduleFile);
    const TDayFilePaths days = folder.DayFiles();
    for (const std::string* path : {&days.Holidays, &days.SpecialDays, &days.DaysOff}) inputs.AddFile(*path);
    const std::string memos = folder.FindMemoFolder();
    if (!memos.empty()) inputs.AddFolder(memos);
    return inputs;
}

} // namespace orvexp
