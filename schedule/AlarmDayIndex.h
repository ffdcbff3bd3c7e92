#pragma once
// The day index of the schedule entries: which entries fall on a date, in
// preview order, without testing every entry. The preview list asks it; it
// knows nothing of rows or texts.

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/DateTime.h"
#include "schedule/ScheduleDigest.h"

namespace orvexp {

// The order of preview rows by time text: 0 for "--:--", else 1 + minutes
// since midnight, where a text that is no time ("毎日", "起動時") counts as 00:00.
int ScheduleTimeRank(std::string_view timeText);

// The entries indexed by what their kind tests, so that the entries of one day
// are found without testing every entry: an export over many days then costs
// days + entries, not days x entries. Each bucket is kept in preview order, so
// a day's list is a merge of at most four sorted buckets, not a sort. Built
// once; the entries must not change while it is in use.
class TAlarmDayIndex {
public:
    explicit TAlarmDayIndex(const TScheduleDigest& schedule);

    // Container positions of the entries that fall on the date, in preview
    // order: by ScheduleTimeRank, equal times in container order. `weekday`
    // is the date's, 1 = Sunday ... 7 = Saturday.
    void Candidates(const TDateParts& date, int weekday, std::vector<int>& positions) const;

private:
    // Time rank in the high half, container position in the low half: keys
    // in ascending order are the preview order.
    using TOrderKey = std::uint64_t;
    using TBucket = std::vector<TOrderKey>;

    // [1..7]: the entries falling on every such weekday, the every-day ones
    // included; [0]: every-day only (a weekday outside 1..7).
    std::array<TBucket, 8> ByWeekday;
    std::array<TBucket, 32> ByMonthDay;     // [1..31]
    std::array<TBucket, 13 * 32> ByYearDay; // [month * 32 + day]
    // The fixed-date entries sorted by their day, then in preview order: the
    // days, and beside them the keys.
    std::vector<TDayNumber> DatedDays;
    TBucket DatedKeys;
};

} // namespace orvexp
