#include "schedule/AlarmDayIndex.h"

#include <algorithm>

namespace orvexp {

namespace {

// Minutes since midnight of "hh:nn", or 0 for a text that is no valid time.
int ParseTimeOfDay(std::string_view text)
{
    const auto colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0 || colon == text.size() - 1) return 0;
    int hour = 0;
    int minute = 0;
    for (std::size_t i = 0; i < colon; ++i) {
        if (text[i] < '0' || text[i] > '9' || hour > 99) return 0;
        hour = hour * 10 + (text[i] - '0');
    }
    for (std::size_t i = colon + 1; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9' || minute > 99) return 0;
        minute = minute * 10 + (text[i] - '0');
    }
    if (hour > 23 || minute > 59) return 0;
    return hour * 60 + minute;
}

// A fixed-date entry before sorting: its date and time rank as one number
// (year, month and day in 25 bits, the rank in 11), and its order key.
struct TDatedEntry {
    std::uint64_t DateAndRank;
    std::uint64_t OrderKey;
};
using TDatedEntries = std::vector<TDatedEntry, TBulkAllocator<TDatedEntry>>;

std::uint64_t DateAndRank(const TEntryDigest& at, int rank)
{
    const std::uint64_t date = std::uint64_t{at.Year} << 9 | std::uint64_t{at.Month} << 5 | at.Day;
    return date << 11 | static_cast<unsigned>(rank);
}

// Sorts by date and rank, keeping container order among equals: three stable
// counting passes over 12 bits each, linear where a comparison sort is not.
void SortByDateAndRank(TDatedEntries& entries)
{
    TDatedEntries sorted(entries.size());
    for (const unsigned shift : {0u, 12u, 24u}) {
        std::array<std::size_t, 4097> starts{};
        for (const TDatedEntry& entry : entries) ++starts[(entry.DateAndRank >> shift & 0xFFF) + 1];
        for (std::size_t i = 1; i < starts.size(); ++i) starts[i] += starts[i - 1];
        for (const TDatedEntry& entry : entries) sorted[starts[entry.DateAndRank >> shift & 0xFFF]++] = entry;
        entries.swap(sorted);
    }
}

} // namespace

int ScheduleTimeRank(std::string_view timeText)
{
    return timeText == "--:--" ? 0 : 1 + ParseTimeOfDay(timeText);
}

TAlarmDayIndex::TAlarmDayIndex(const TScheduleDigest& schedule)
{
    TimeTexts.reserve(static_cast<std::size_t>(schedule.Count()));
    TDatedEntries dated;
    dated.reserve(static_cast<std::size_t>(schedule.Count())); // at most every entry; unused room costs nothing
    std::uint32_t position = 0;
    for (const TEntryDigest& at : schedule) {
        TTimeText& kept = TimeTexts.emplace_back();
        const std::size_t length = FormatAlarmTime(at.Kind, at.Hour, at.Minute, kept.data());
        kept.back() = static_cast<char>(length);
        const int rank = ScheduleTimeRank(std::string_view(kept.data(), length));
        const TOrderKey key = static_cast<TOrderKey>(rank) << 32 | position;
        switch (at.Kind) {
        case akEveryDayAt:
        case akEveryDay:
        case akStartup:
            for (TBucket& bucket : ByWeekday) bucket.push_back(key);
            break;
        case akWeekdaysAt:
        case akWeekdays:
            for (int weekday = 1; weekday <= 7; ++weekday) {
                if ((at.DaysOfWeek >> weekday & 1) != 0) ByWeekday[static_cast<std::size_t>(weekday)].push_back(key);
            }
            break;
        case akMonthDayAt:
        case akMonthDay:
            if (at.Day >= 1 && at.Day <= 31) ByMonthDay[at.Day].push_back(key);
            break;
        case akDateAt:
        case akDate:
            // Only a year from 1, a month 1-12 and a day 1-31 can be a date's.
            if (at.Year >= 1 && at.Month >= 1 && at.Month <= 12 && at.Day >= 1 && at.Day <= 31) {
                dated.push_back({DateAndRank(at, rank), key});
            }
            break;
        case akYearDayAt:
        case akYearDay:
            if (at.Month >= 1 && at.Month <= 12 && at.Day >= 1 && at.Day <= 31) {
                ByYearDay[at.Month * 32u + at.Day].push_back(key);
            }
            break;
        }
        ++position; // kinds above akStartup fall on no date
    }
    const auto sortBucket = [](TBucket& bucket) { std::sort(bucket.begin(), bucket.end()); };
    std::for_each(ByWeekday.begin(), ByWeekday.end(), sortBucket);
    std::for_each(ByMonthDay.begin(), ByMonthDay.end(), sortBucket);
    std::for_each(ByYearDay.begin(), ByYearDay.end(), sortBucket);

    SortByDateAndRank(dated);
    ByDateKeys.reserve(dated.size());
    for (const TDatedEntry& entry : dated) {
        const std::uint64_t date = entry.DateAndRank >> 11;
        if (ByDate.empty() || ByDate.back().Date != date) ByDate.push_back({date, ByDateKeys.size(), ByDateKeys.size()});
        ByDateKeys.push_back(entry.OrderKey);
        ++ByDate.back().Last;
    }
}

std::size_t TAlarmDayIndex::TakeDateBuckets(const TDateParts& date, TCursors& cursors, std::size_t count) const
{
    const auto take = [&](const TOrderKey* first, const TOrderKey* last) {
        if (first != last) cursors[count++] = {first, last};
    };
    const auto takeBucket = [&](const TBucket& bucket) { take(bucket.data(), bucket.data() + bucket.size()); };
    takeBucket(ByMonthDay[date.Day]);
    takeBucket(ByYearDay[date.Month * 32u + date.Day]);
    if (date.Year > 0) {
        const std::uint64_t key = static_cast<std::uint64_t>(date.Year) << 9 | date.Month << 5 | date.Day;
        const auto found = std::lower_bound(ByDate.begin(), ByDate.end(), key,
                                            [](const TDateRange& range, std::uint64_t wanted) { return range.Date < wanted; });
        if (found != ByDate.end() && found->Date == key) {
            take(ByDateKeys.data() + found->First, ByDateKeys.data() + found->Last);
        }
    }
    return count;
}

namespace {

// Merges the cursors' keys, handing each to `put` in ascending order. A
// position sits in one bucket only, so the merge is the preview order.
template <class Cursors, class Put>
void MergeKeys(Cursors& cursors, std::size_t count, Put&& put)
{
    while (count > 0) {
        std::size_t least = 0;
        for (std::size_t i = 1; i < count; ++i) {
            if (*cursors[i].Next < *cursors[least].Next) least = i;
        }
        put(*cursors[least].Next);
        if (++cursors[least].Next == cursors[least].End) cursors[least] = cursors[--count];
    }
}

bool IsCalendarDate(const TDateParts& date)
{
    return date.Month >= 1 && date.Month <= 12 && date.Day >= 1 && date.Day <= 31;
}

} // namespace

void TAlarmDayIndex::Candidates(const TDateParts& date, int weekday, std::vector<int>& positions) const
{
    positions.clear();
    if (!IsCalendarDate(date)) return;
    TCursors cursors{};
    std::size_t count = 0;
    const std::span<const TOrderKey> weekly = WeekdayKeys(weekday);
    if (!weekly.empty()) cursors[count++] = {weekly.data(), weekly.data() + weekly.size()};
    count = TakeDateBuckets(date, cursors, count);
    std::size_t total = 0;
    for (std::size_t i = 0; i < count; ++i) total += static_cast<std::size_t>(cursors[i].End - cursors[i].Next);
    positions.reserve(total);
    MergeKeys(cursors, count, [&](TOrderKey key) { positions.push_back(PositionOf(key)); });
}

void TAlarmDayIndex::DateKeys(const TDateParts& date, std::vector<TOrderKey>& keys) const
{
    keys.clear();
    if (!IsCalendarDate(date)) return;
    TCursors cursors{};
    const std::size_t count = TakeDateBuckets(date, cursors, 0);
    MergeKeys(cursors, count, [&](TOrderKey key) { keys.push_back(key); });
}

namespace {

template <class Entries, class PositionOf>
void PrefetchDayEntries(const TScheduleDigest& digest, const Entries& entries, PositionOf positionOf,
                        const TAlarmDayIndex& index)
{
    for (const auto& entry : entries) {
        __builtin_prefetch(&digest[positionOf(entry)]);
        index.PrefetchTimeText(positionOf(entry));
    }
    for (const auto& entry : entries) {
        const std::span<const std::string_view> lines = digest.Lines(digest[positionOf(entry)]);
        if (!lines.empty()) __builtin_prefetch(lines.data());
    }
    for (const auto& entry : entries) {
        const std::span<const std::string_view> lines = digest.Lines(digest[positionOf(entry)]);
        if (!lines.empty()) __builtin_prefetch(lines.front().data());
    }
}

} // namespace

void TAlarmDayIndex::PrefetchEntries(const TScheduleDigest& digest, std::span<const int> positions) const
{
    PrefetchDayEntries(digest, positions, [](int position) { return position; }, *this);
}

void TAlarmDayIndex::PrefetchEntries(const TScheduleDigest& digest, std::span<const TOrderKey> keys) const
{
    PrefetchDayEntries(digest, keys, PositionOf, *this);
}

} // namespace orvexp
