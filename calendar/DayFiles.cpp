#include "calendar/DayFiles.h"

#include "platform/FileSystem.h"

namespace orvexp {

bool LoadDayFileIfPresent(TKyDayItemList& list, const std::string& path)
{
    if (!FileExists(path)) return false;
    list.LoadFromFile(path);
    return true;
}

} // namespace orvexp
