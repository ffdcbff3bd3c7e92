#pragma once
// Loading a day file when it is there.

#include <string>

#include "calendar/DayItem.h"

namespace orvexp {

// Loads `path` into `list` when the file exists and returns true; returns
// false and leaves the list alone when it does not. A file that exists but
// cannot be read raises as TKyDayItemList::LoadFromFile does.
bool LoadDayFileIfPresent(TKyDayItemList& list, const std::string& path);

} // namespace orvexp
