#pragma once
// The window of `orvexp calendar`.

#include "app/cli/CommandLine.h"

namespace orvexp {

// Loads the data folder, then shows the calendar until its window closes;
// returns the exit code. Bad options or data raise before any window exists.
int RunCalendarWindow(const TCalendarOptions& options);

} // namespace orvexp
