#pragma once
// The days an export walks: whole days from the start to the end, both included.

#include <cstdint>

#include "platform/DateTime.h"

namespace orvexp {

struct TExportDays {
    std::int64_t First = 0;
    std::int64_t Last = -1; // before First: no day at all

    TExportDays(TDateTime start, TDateTime end)
        : First(static_cast<std::int64_t>(DateOf(start))), Last(static_cast<std::int64_t>(DateOf(end)))
    {
    }
    int Count() const { return Last < First ? 0 : static_cast<int>(Last - First + 1); }
};

} // namespace orvexp
