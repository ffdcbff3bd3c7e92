#pragma once
// The day index of the schedule entries: which entries fall on a date, in
// preview order, without testing every entry. The preview list and the CSV
// rows ask it; it knows nothing of rows or texts beyond the time text.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "platform/BulkMemory.h"
#include "platform/DateTime.h"
#include "schedule/AlarmOccurrence.h"
#include "schedule/ScheduleDigest.h"

namespace orvexp {

// The order of preview rows by time text: 0 for "--:--", else 1 + minutes
// since midnight, where a text that is no time ("毎日", "起動時") counts as 00:00.
int ScheduleTimeRank(std::string_view timeText);

// The entries indexed by what their kind tests, so that the entries of one day
// are found without testing every entry: an export over many days then costs
// days + entries, not days x entries. Each bucket is kept in preview order, so
// a day's list is a merge of at most five sorted buckets, not a sort. Built
// once; the entries must not change while it is in use.
class TAlarmDayIndex {
public:
    // Time rank in the high half, container position in the low half: keys
    // in ascending order are the preview order.
    using TOrderKey = std::uint64_t;
    static int PositionOf(TOrderKey key) { return static_cast<int>(key & 0xFFFFFFFFu); }

    explicit TAlarmDayIndex(const TScheduleDigest& schedule);

    // Container positions of the entries that fall on the date, in preview
    // order: by ScheduleTimeRank, equal times in container order.
    void Candidates(const TDateParts& date, int weekday, std::vector<int>& positions) const;
    // The same in two parts, each in preview order, whose merge by key is
    // Candidates: what every date of a weekday shares (the every-day entries
    // and the weekday's; for a weekday outside 1-7 the every-day ones alone),
    // and what falls on the date itself (month day, year day, fixed date).
    std::span<const TOrderKey> WeekdayKeys(int weekday) const
    {
        return ByWeekday[weekday >= 1 && weekday <= 7 ? static_cast<std::size_t>(weekday) : 0];
    }
    void DateKeys(const TDateParts& date, std::vector<TOrderKey>& keys) const;
    // Asks for what a writer reads of these entries (given by container
    // position or by order key) ahead: a day's fixed-date entries lie anywhere
    // in the digest, so all of them are asked for at once rather than each
    // waited for in turn, then their line views, then their texts.
    void PrefetchEntries(const TScheduleDigest& digest, std::span<const int> positions) const;
    void PrefetchEntries(const TScheduleDigest& digest, std::span<const TOrderKey> keys) const;
    // Asks for the entry's time text ahead of TimeText.
    void PrefetchTimeText(int position) const { __builtin_prefetch(&TimeTexts[static_cast<std::size_t>(position)]); }
    // AlarmTimeText of the entry at a container position, made once.
    std::string_view TimeText(int position) const
    {
        const TTimeText& text = TimeTexts[static_cast<std::size_t>(position)];
        return std::string_view(text.data(), static_cast<std::size_t>(text.back()));
    }

private:
    using TBucket = std::vector<TOrderKey, TBulkAllocator<TOrderKey>>;
    // The fixed-date entries, sorted by date and then by order key: the dates
    // with their ranges in ByDate.
    struct TDateRange {
        std::uint64_t Date; // year << 9 | month << 5 | day
        std::size_t First, Last;
    };
    struct TCursor {
        const TOrderKey* Next;
        const TOrderKey* End;
    };
    using TCursors = std::array<TCursor, 4>;

    // The date's buckets after `count` cursors taken before; their number.
    std::size_t TakeDateBuckets(const TDateParts& date, TCursors& cursors, std::size_t count) const;

    // FormatAlarmTime's text; the last byte holds the length.
    using TTimeText = std::array<char, kMaxAlarmTimeText + 1>;
    std::vector<TTimeText, TBulkAllocator<TTimeText>> TimeTexts; // by container position
    // [1..7]: the entries falling on every such weekday, the every-day ones
    // included, so that a day merges four buckets at most; [0]: every-day only.
    std::array<TBucket, 8> ByWeekday;
    std::array<TBucket, 32> ByMonthDay;     // [1..31]
    std::array<TBucket, 13 * 32> ByYearDay; // [month * 32 + day]
    TBucket ByDateKeys;
    std::vector<TDateRange> ByDate;
};

} // namespace orvexp
