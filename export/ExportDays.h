#pragma once
// The days an export walks: whole days from the start to the end, both included.

#include <cstdint>

#include "platform/DateTime.h"

namespace orvexp {

struct TExportDays {
    TDayNumber First = 0;
    TDayNumber Last = -1; // before First: no day at all

    TExportDays(TDateTime start, TDateTime end) : First(DayNumberOf(start)), Last(DayNumberOf(end))
    {
    }
    int Count() const { return Last < First ? 0 : static_cast<int>(Last - First + 1); }
};

} // namespace orvexp
