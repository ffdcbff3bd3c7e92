#include "calendar/DayFiles.h"

#include "platform/FileSystem.h"

namespace orvexp {

TDayFilePaths DayFilePathsIn(const std::string& dataFolder)
{
    const TFolderIndex index(dataFolder);
    const auto find = [&](const char* name) {
        std::string path = index.Find(name);
        return path.empty() ? JoinPath(dataFolder, name) : path;
    };
    return {find(kHolidaysFileName), find(kSpecialDaysFileName), find(kDaysOffFileName)};
}

bool LoadDayFileIfPresent(TKyDayItemList& list, const std::string& path)
{
    if (!FileExists(path)) return false;
    list.LoadFromFile(path);
    return true;
}

} // namespace orvexp
