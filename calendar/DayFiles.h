#pragma once
// Where the three day files of a data folder are, and loading them.

#include <optional>
#include <string>

#include "calendar/DayItem.h"

namespace orvexp {

inline constexpr char kHolidaysFileName[] = "holidays.dat";
inline constexpr char kSpecialDaysFileName[] = "spcldays.dat";
inline constexpr char kDaysOffFileName[] = "daysoff.dat";

struct TDayFilePaths {
    std::string Holidays, SpecialDays, DaysOff;
};

// holidays.dat, spcldays.dat, daysoff.dat in dataFolder: the exact name, else
// the single ASCII-case-insensitive match (one folder listing), else the
// exact composed path.
TDayFilePaths DayFilePathsIn(const std::string& dataFolder);

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
