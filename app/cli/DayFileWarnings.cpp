#include "app/cli/DayFileWarnings.h"

#include <iostream>

namespace orvexp {

void PrintDayFileWarning(const std::string& path, const TDayFileDamage& damage)
{
    std::cerr << "orvexp: warning: " << DayFileDamageText(path, damage) << '\n' << std::flush;
}

void WarnAboutDamagedDayFiles(const TDayFilePaths& paths)
{
    for (const std::string* path : {&paths.Holidays, &paths.SpecialDays, &paths.DaysOff}) {
        TKyDayItemList list;
        std::optional<TDayFileDamage> damage;
        try {
            LoadDayFileIfPresent(list, *path, &damage);
        } catch (const std::exception&) {
            continue; // unreadable: the HTML writer goes on without it, as it does
        }
        if (damage) PrintDayFileWarning(*path, *damage);
    }
}

} // namespace orvexp
