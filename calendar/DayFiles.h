#pragma once
// Loading the day files of a data folder when they are there.

#include <optional>
#include <string>
#include <vector>

#include "calendar/DayItem.h"
#include "platform/FileSystem.h"

namespace orvexp {

// The holidays, special days and days off files of one data folder.
struct TDayFilePaths {
    std::string Holidays, SpecialDays, DaysOff;
};

// Loads `path` into `list` when the file exists and returns true; returns
// false and leaves the list alone when it does not. A file that exists but
// cannot be opened raises as TKyDayItemList::LoadFromFile does; one that is
// cut short loads its whole records, and `damage` (when given) says where.
bool LoadDayFileIfPresent(TKyDayItemList& list, const std::string& path,
                          std::optional<TDayFileDamage>* damage = nullptr);

// One line about a damaged day file, naming it, the byte offset and what was
// kept: "day file <path>: <problem>; the <n> whole records before it are used".
std::string DayFileDamageText(const std::string& path, const TDayFileDamage& damage);

// Loads the three day lists from their files. A list whose file cannot be
// loaded (missing, unreadable) is emptied, so it adds no names instead of
// keeping whatever the list held before; a file cut short gives the names of
// its whole records. Returned: each file that is there but could not be read,
// or only in part.
std::vector<TInputProblem> LoadDayLists(TKyDayItemList& holidays, TKyDayItemList& specialDays,
                                        TKyDayItemList& daysOff, const TDayFilePaths& paths);

} // namespace orvexp
