#pragma once
// The preview list: one day's schedule entries in time order, the list that
// both writers walk. Rows refer to entries of the schedule container without
// owning them, and every fill discards the previous rows.

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/BulkMemory.h"
#include "platform/DateTime.h"
#include "schedule/Alarm.h"
#include "schedule/AlarmOccurrence.h"
#include "schedule/ScheduleDigest.h"

namespace orvexp {

struct TPreviewRow {
    std::string_view DateText;    // "yyyy/mm/dd", held by the list until the next fill
    std::string_view TimeText;    // AlarmTimeText, held by the list
    std::string_view ContentText; // first text line, empty when it has none
    const TEntryDigest* Entry = nullptr;
    int Position = 0;             // the entry's index in the container
    std::span<const std::string_view> Lines; // all its text lines
};

// Negative when A goes before B: "--:--" rows first, then by time of day, where
// texts that are no time ("毎日", "起動時") count as 00:00.
int CompareScheduleTimes(const TPreviewRow& a, const TPreviewRow& b);

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
    // order: by CompareScheduleTimes, equal times in container order.
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

class TPreviewList {
public:
    // Over a digest or a container, which must outlive the list.
    explicit TPreviewList(const TScheduleDigest& schedule) : Digest(&schedule), Index(schedule) {}
    explicit TPreviewList(const TAlarmList& alarms)
        : OwnSchedule(std::make_unique<TScheduleDigest>(alarms)), Digest(OwnSchedule.get()), Index(*Digest)
    {
    }

    // Replaces the rows by the entries that fall on `day`, sorted by
    // CompareScheduleTimes; rows that compare equal keep the container's order.
    void FillPreviewList(TDateTime day);
    // The same entries as container positions only, the rows left empty: what
    // the writers walk, since a row's texts are mostly ones they wrote before.
    const std::vector<int>& FillPositions(TDateTime day);
    // For a writer that keeps the rows of the weekday part: the date's own
    // entries (TAlarmDayIndex::DateKeys), their texts asked for ahead as
    // FillPositions does. The rows are left empty.
    const std::vector<TAlarmDayIndex::TOrderKey>& FillDateKeys(const TDateParts& date);
    const TAlarmDayIndex& DayIndex() const { return Index; }
    std::string_view TimeText(int position) const { return Index.TimeText(position); }

    int Count() const { return static_cast<int>(Rows.size()); }
    const TPreviewRow& Row(int index) const { return Rows.at(static_cast<std::size_t>(index)); }
    const std::vector<TPreviewRow>& AllRows() const { return Rows; }

private:
    std::unique_ptr<TScheduleDigest> OwnSchedule; // made from a container
    const TScheduleDigest* Digest;
    TAlarmDayIndex Index;
    std::string DateText;       // of the last fill; the rows point into it
    std::vector<int> Positions; // reused between fills
    std::vector<TAlarmDayIndex::TOrderKey> Keys;
    std::vector<TPreviewRow> Rows;
};

} // namespace orvexp
