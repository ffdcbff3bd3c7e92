#pragma once
// Helpers shared by the calendar tests: dates, and the day items and scratch
// folder of tests/support.

#include "platform/DateTime.h"
#include "tests/support/DayItems.h"
#include "tests/support/TempFolder.h"

namespace orvexp::test {

inline TDateTime Date(int year, unsigned month, unsigned day)
{
    return EncodeDate(year, month, day);
}

} // namespace orvexp::test
