#pragma once
// Where the three day files of a data folder are, and loading them.

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
// cannot be read raises as TKyDayItemList::LoadFromFile does.
bool LoadDayFileIfPresent(TKyDayItemList& list, const std::string& path);

} // namespace orvexp
