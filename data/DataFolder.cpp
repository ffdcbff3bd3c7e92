#include "data/DataFolder.h"

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
    const std::string exact = MemoFolder();
    if (DirectoryExists(exact)) return exact;
    const std::string name = TFolderIndex(ListedFolder(FPath)).FindName(kMemoFolderName);
    if (name.empty() || !DirectoryExists(FPath + name)) return {};
    return FPath + name + "/";
}

} // namespace orvexp
