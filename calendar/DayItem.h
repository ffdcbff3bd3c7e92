#pragma once
// Day items: one holiday, special day or day off of the calendar, either one
// fixed date or a recurring rule, with the text shown on a matching day; and
// the list that owns them, loaded from one binary day file (holidays.dat,
// spcldays.dat, daysoff.dat). Text is Shift_JIS bytes, kept as stored.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/ByteStream.h"

namespace orvexp {

// Ordinals are stored in day files; values outside these are kept as read.
enum TKyDayType : std::uint8_t {
    dtDayOfWeek = 0,
    dtMonthDay = 1,
    dtMonthDayOfWeekNum = 2,
    dtYearMonthDay = 3,
    dtYearMonthDayOfWeekNum = 4,
};

enum TKyYearType : std::uint8_t { ytThisYear = 0, ytAfterThisYear = 1, ytBeforeThisYear = 2 };

enum TKyDayOfWeek : std::uint8_t {
    kydwSunday = 0,
    kydwMonday = 1,
    kydwTuesday = 2,
    kydwWednesday = 3,
    kydwThursday = 4,
    kydwFriday = 5,
    kydwSaturday = 6,
};

// A set of TKyDayOfWeek in one byte: bit n set = the weekday of ordinal n; bit 7 has no meaning.
using TKyDaysOfWeek = std::uint8_t;

// The one-weekday set of `day`; sets combine with "|".
constexpr TKyDaysOfWeek DaysOfWeekOf(TKyDayOfWeek day)
{
    return static_cast<TKyDaysOfWeek>(1u << day);
}

using TItemGuid = std::array<std::uint8_t, 16>;

// The format stamp written at the start of a day file.
constexpr std::int32_t kDayFileFormat = 19991127;

// The header of the day file loaded last (0 before any). Nothing reads it back.
// Only the thread that loads day files touches it, as with FileVersion.
extern std::int32_t DayFileVersion;

// GUID creation failed: "Holiday - GUIDの生成に失敗しました。".
class EGuidError : public std::runtime_error {
public:
    EGuidError();
};

// A new item identity: 16 random bytes with the version-4 and variant bits
// set, in the in-memory GUID layout. Raises EGuidError when the system has no
// randomness to give.
TItemGuid NewItemGuid();

class TKyDayItem {
public:
    // A fresh GUID and the defaults below. When no GUID can be made the item
    // stays all zero (zero GUID, dtDayOfWeek) and no error escapes.
    TKyDayItem();
    virtual ~TKyDayItem() = default;
    TKyDayItem(const TKyDayItem&) = default;
    TKyDayItem& operator=(const TKyDayItem&) = default;

    TItemGuid ItemGuid{};
    std::uint16_t Year = 0;
    std::uint16_t Month = 0;
    std::uint16_t Day = 0; // 0 = the last day of the month for the month-day types
    TKyDayType DayType = dtDayOfWeek;
    TKyDaysOfWeek DaysOfWeek = 0;
    std::uint8_t NumOfDayOfWeek = 0; // 1..4 the n-th, 5 or more the last
    TKyYearType YearType = ytThisYear;
    std::string DayText;
    std::array<std::uint8_t, 129> Reserved{}; // carried unchanged; no meaning

    // Copies identity, fields and text; the reserved block stays the target's own.
    virtual void Assign(const TKyDayItem& source);

    // One record of 159 + L bytes. The text ends at its first zero byte.
    virtual void WriteToStream(TByteWriter& stream) const;
    // Reads one record into this item. Raises EStreamReadError (with the byte
    // offset) for a record that runs past the data or has a negative length.
    virtual void ReadFromStream(TByteReader& stream);
};

// Where a day file stopped being readable: the problem with its byte offset,
// and how many whole records before it were loaded.
struct TDayFileDamage {
    std::string Problem;
    int KeptItems = 0;
};

// The items of one day file, owned, in file order.
class TKyDayItemList {
public:
    TKyDayItemList() = default;
    virtual ~TKyDayItemList() = default;
    TKyDayItemList(const TKyDayItemList&) = delete;
    TKyDayItemList& operator=(const TKyDayItemList&) = delete;

    int Count() const { return static_cast<int>(Items.size()); }
    const TKyDayItem& operator[](int index) const { return *Items.at(static_cast<std::size_t>(index)); }
    TKyDayItem& operator[](int index) { return *Items.at(static_cast<std::size_t>(index)); }

    void Add(std::unique_ptr<TKyDayItem> item);
    // Appends a new item (fresh GUID, defaults) and returns it for filling in.
    TKyDayItem& AddNew();
    void Clear();

    // Called with the list after a load that produced items.
    std::function<void(TKyDayItemList&)> OnChange;
    virtual void Changed();

    // Loads a day file, replacing the items, and sets DayFileVersion from its
    // header. Raises EFOpenError ("ファイル %s は開けません") when the file
    // cannot be opened; the list and DayFileVersion then stay as they were.
    // A file cut short, or holding a count or text length its bytes cannot
    // hold, loads the whole records before the damage and says where it is.
    std::optional<TDayFileDamage> LoadFromFile(const std::string& fileName);
    // Reads the count and the records that follow the header. Raises
    // EStreamReadError on bad data, leaving the list as it was.
    void LoadFromStream(TByteReader& stream);

private:
    std::vector<std::unique_ptr<TKyDayItem>> Items;
};

// A whole day file (header, count, records) for `items`. For tests and tools:
// the program itself never writes day files.
std::string WriteDayFile(const TKyDayItemList& items, std::int32_t header = kDayFileFormat);

} // namespace orvexp
