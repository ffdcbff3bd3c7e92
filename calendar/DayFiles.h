#pragma once
// Loading a day file when it is there.

#include <optional>
#include <string>

#include "calendar/DayItem.h"

namespace orvexp {

// Loads `path` into `list` when the file exists and returns true; returns
// false and leaves the list alone when it does not. A file that exists but
// cannot be opened raises as TKyDayItemList::LoadFromFile does; one that is
// cut short loads its whole records, and `damage` (when given) says where.
bool LoadDayFileIfPresent(TKyDayItemList& list, const std::string& path,
                          std::optional<TDayFileDamage>* damage = nullptr);

// One line about a damaged day file, naming it, the byte offset and what was
// kept: "day file <path>: <problem>; the <n> whole records before it are used".
std::string DayFileDamageText(const std::string& path, const TDayFileDamage& damage);

} // namespace orvexp
