#pragma once
// Helpers shared by the calendar tests: dates, day items and a temporary folder.

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "calendar/DayItem.h"
#include "platform/DateTime.h"

namespace orvexp::testing {

inline TDateTime Date(int year, unsigned month, unsigned day)
{
    return EncodeDate(year, month, day);
}

struct TItemFields {
    TKyDayType DayType = dtYearMonthDay;
    std::uint16_t Year = 0, Month = 0, Day = 0;
    TKyDaysOfWeek DaysOfWeek = 0;
    std::uint8_t NumOfDayOfWeek = 0;
    TKyYearType YearType = ytThisYear;
    std::string DayText{};
};

inline TKyDayItem MakeItem(const TItemFields& f)
{
    TKyDayItem item;
    item.DayType = f.DayType;
    item.Year = f.Year;
    item.Month = f.Month;
    item.Day = f.Day;
    item.DaysOfWeek = f.DaysOfWeek;
    item.NumOfDayOfWeek = f.NumOfDayOfWeek;
    item.YearType = f.YearType;
    item.DayText = f.DayText;
    return item;
}

inline void AddItem(TKyDayItemList& list, const TItemFields& f)
{
    list.Add(std::make_unique<TKyDayItem>(MakeItem(f)));
}

class TTempFolder {
public:
    TTempFolder()
    {
        char name[] = "/tmp/orvexp-cal-XXXXXX";
        const char* made = ::mkdtemp(name);
        if (!made) std::abort();
        Path = made;
    }
    ~TTempFolder() { std::filesystem::remove_all(Path); }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    std::string operator/(const std::string& name) const { return Path + "/" + name; }
    std::string Path;
};

inline void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

} // namespace orvexp::testing
