#include "calendar/DayFiles.h"

#include "platform/FileSystem.h"

#include <utility>

namespace orvexp {

bool LoadDayFileIfPresent(TKyDayItemList& list, const std::string& path, std::optional<TDayFileDamage>* damage)
{
    if (!FileExists(path)) return false;
    std::optional<TDayFileDamage> found = list.LoadFromFile(path);
    if (damage) *damage = std::move(found);
    return true;
}

std::string DayFileDamageText(const std::string& path, const TDayFileDamage& damage)
{
    const std::string kept = damage.KeptItems == 1 ? "the 1 whole record before it is used"
                                                   : "the " + std::to_string(damage.KeptItems) +
                                                         " whole records before it are used";
    return "day file " + path + ": " + damage.Problem + "; " + kept;
}

} // namespace orvexp
