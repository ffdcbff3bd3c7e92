#include "app/cli/DayFileWarnings.h"

#include <iostream>

namespace orvexp {

void PrintDayFileWarning(const std::string& path, const TDayFileDamage& damage)
{
    std::cerr << "orvexp: warning: " << DayFileDamageText(path, damage) << '\n' << std::flush;
}

} // namespace orvexp
