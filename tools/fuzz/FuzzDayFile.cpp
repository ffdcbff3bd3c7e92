// Hostile day files (holidays.dat, spcldays.dat, daysoff.dat): the reader must
// end in a whole list or its documented error, never crash or loop. A list that
// loads is matched against dates and handed to the holiday calculator as the
// HTML writer and the calendar use it, and written back: what we write must
// load again to the same bytes.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/DateEx.h"
#include "calendar/DayItem.h"
#include "calendar/DayMatching.h"
#include "platform/ByteStream.h"
#include "platform/DateTime.h"
#include "tools/fuzz/FuzzCheck.h"

using namespace orvexp;

namespace {

// A day file as LoadFromFile reads it: the header, then the list. False for
// the documented failure of data that ends early or holds impossible counts.
bool Load(TKyDayItemList& list, std::string_view bytes, std::int32_t& header)
{
    TByteReader reader(bytes);
    try {
        header = reader.ReadI32("the file header");
        list.LoadFromStream(reader);
        return true;
    } catch (const EStreamReadError&) {
        return false;
    }
}

std::vector<TDateTime> DatesToWalk(const TKyDayItemList& list)
{
    std::vector<TDateTime> dates = {
        EncodeDate(1999, 4, 10), EncodeDate(2000, 2, 29), EncodeDate(2024, 3, 20),
        EncodeDate(2024, 12, 31), EncodeDate(1900, 1, 1), EncodeDate(9999, 12, 31),
    };
    // The items' own dates reach the matching paths of the date-bound types.
    for (int i = 0; i < list.Count() && dates.size() < 14; ++i) {
        TDateTime own = 0;
        const TKyDayItem& item = list[i];
        const int year = item.Year == 0 ? 2001 : item.Year;
        const unsigned day = item.Day == 0 ? static_cast<unsigned>(DaysInMonth(year, item.Month)) : item.Day;
        if (TryEncodeDate(year, item.Month, day, own)) dates.push_back(own);
    }
    return dates;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    TKyDayItemList list;
    int changes = 0;
    list.OnChange = [&changes](TKyDayItemList&) { ++changes; };
    std::int32_t header = 0;
    if (!Load(list, bytes, header)) {
        ORVEXP_FUZZ_CHECK(list.Count() == 0 && changes == 0);
        return 0;
    }
    ORVEXP_FUZZ_CHECK(changes == (list.Count() > 0 ? 1 : 0));

    std::size_t textBytes = 0;
    for (int i = 0; i < list.Count(); ++i) textBytes += list[i].DayText.size();
    ORVEXP_FUZZ_CHECK(textBytes <= size);

    // The holiday calculator with these items in every list and both automatic rules on.
    TKyDateEx calendar;
    calendar.AutoEquinox = true;
    calendar.AutoFurikae = true;
    std::int32_t ignored = 0;
    for (TKyDayItemList* held : {&calendar.HolidayList(), &calendar.SpecialDayList(), &calendar.CustomDayOffList()}) {
        ORVEXP_FUZZ_CHECK(Load(*held, bytes, ignored));
    }

    for (const TDateTime day : DatesToWalk(list)) {
        int matches = 0;
        for (int i = 0; i < list.Count(); ++i) matches += DayItemMatches(list[i], day) ? 1 : 0;
        const TDateParts parts = DecodeDate(day);
        const TKyDayKinds kinds = calendar.GetDayKindsOfDate(day);
        ORVEXP_FUZZ_CHECK(kinds == calendar.GetDayKinds(static_cast<std::uint16_t>(parts.Year),
                                                        static_cast<std::uint16_t>(parts.Month),
                                                        static_cast<std::uint16_t>(parts.Day)));
        bool isHoliday = false, isDayOff = false, isSpecialDay = false;
        std::string text;
        calendar.GetDayTexts(static_cast<std::uint16_t>(parts.Year), static_cast<std::uint16_t>(parts.Month),
                             static_cast<std::uint16_t>(parts.Day), isHoliday, isDayOff, isSpecialDay, text);
        // An item that matches marks the day in each list that holds it.
        if (matches > 0) {
            ORVEXP_FUZZ_CHECK(kinds.Contains(dkHoliday) && kinds.Contains(dkDayOff) && kinds.Contains(dkSpecialDay));
            ORVEXP_FUZZ_CHECK(isHoliday && isDayOff && isSpecialDay);
        }
    }

    // What we write loads again, and writing that gives the same bytes.
    const std::string written = WriteDayFile(list, header);
    TKyDayItemList again;
    std::int32_t headerAgain = 0;
    ORVEXP_FUZZ_CHECK(Load(again, written, headerAgain));
    ORVEXP_FUZZ_CHECK(headerAgain == header && again.Count() == list.Count());
    ORVEXP_FUZZ_CHECK(WriteDayFile(again, headerAgain) == written);
    return 0;
}
