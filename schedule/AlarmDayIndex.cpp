#include "schedule/AlarmDayIndex.h"

#include <algorithm>

#include "schedule/AlarmOccurrence.h"

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

bool IsCalendarDate(unsigned month, unsigned day)
{
    return month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

} // namespace

int ScheduleTimeRank(std::string_view timeText)
{
    return timeText == "--:--" ? 0 : 1 + ParseTimeOfDay(timeText);
}

TAlarmDayIndex::TAlarmDayIndex(const TScheduleDigest& schedule)
{
    std::vector<std::pair<TDayNumber, TOrderKey>> dated;
    std::uint32_t position = 0;
    for (const TEntryDigest& at : schedule) {
        const TOrderKey rank = static_cast<TOrderKey>(ScheduleTimeRank(AlarmTimeText(at.Kind, at.Hour, at.Minute)));
        const TOrderKey key = rank << 32 | position++;
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
        case akDate: {
            // A date that does not exist (30 February) falls on no day.
            TDayNumber day = 0;
            if (TryEncodeDay(at.Year, at.Month, at.Day, day)) dated.emplace_back(day, key);
            break;
        }
        case akYearDayAt:
        case akYearDay:
            if (IsCalendarDate(at.Month, at.Day)) ByYearDay[at.Month * 32u + at.Day].push_back(key);
            break;
        }
        // kinds above akStartup fall on no date
    }
    // Keys are built in container order: each bucket is sorted by them alone.
    const auto sortBucket = [](TBucket& bucket) { std::sort(bucket.begin(), bucket.end()); };
    std::for_each(ByWeekday.begin(), ByWeekday.end(), sortBucket);
    std::for_each(ByMonthDay.begin(), ByMonthDay.end(), sortBucket);
    std::for_each(ByYearDay.begin(), ByYearDay.end(), sortBucket);
    std::sort(dated.begin(), dated.end());
    DatedDays.reserve(dated.size());
    DatedKeys.reserve(dated.size());
    for (const auto& [day, key] : dated) {
        DatedDays.push_back(day);
        DatedKeys.push_back(key);
    }
}

void TAlarmDayIndex::Candidates(const TDateParts& date, int weekday, std::vector<int>& positions) const
{
    positions.clear();
    if (!IsCalendarDate(date.Month, date.Day)) return;
    struct TCursor {
        const TOrderKey* Next;
        const TOrderKey* End;
    };
    std::array<TCursor, 4> cursors{};
    std::size_t count = 0;
    const auto take = [&](const TBucket& bucket) {
        if (!bucket.empty()) cursors[count++] = {bucket.data(), bucket.data() + bucket.size()};
    };
    take(ByWeekday[weekday >= 1 && weekday <= 7 ? static_cast<std::size_t>(weekday) : 0]);
    take(ByMonthDay[date.Day]);
    take(ByYearDay[date.Month * 32u + date.Day]);
    // The date's fixed-date entries, in key order as they are sorted.
    TDayNumber day = 0;
    if (TryEncodeDay(date.Year, date.Month, date.Day, day)) {
        const auto range = std::equal_range(DatedDays.begin(), DatedDays.end(), day);
        const TOrderKey* keys = DatedKeys.data() + (range.first - DatedDays.begin());
        if (range.first != range.second) cursors[count++] = {keys, keys + (range.second - range.first)};
    }
    // A position sits in one bucket only, so the merge is the preview order.
    while (count > 0) {
        std::size_t least = 0;
        for (std::size_t i = 1; i < count; ++i) {
            if (*cursors[i].Next < *cursors[least].Next) least = i;
        }
        positions.push_back(static_cast<int>(*cursors[least].Next & 0xFFFFFFFFu));
        if (++cursors[least].Next == cursors[least].End) cursors[least] = cursors[--count];
    }
}

} // namespace orvexp
