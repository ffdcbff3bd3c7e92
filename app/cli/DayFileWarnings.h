#pragma once
// The command line's word about a day file that was cut short: the writers and
// the calendar use its whole records silently, a command says so on standard
// error and goes on.

#include <string>

#include "calendar/DayFiles.h"

namespace orvexp {

// "orvexp: warning: day file <path>: <problem>; ..." on standard error.
void PrintDayFileWarning(const std::string& path, const TDayFileDamage& damage);

} // namespace orvexp
