#include "schedule/PreviewList.h"

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

// 0 for "--:--", else 1 + minutes since midnight: the order of CompareScheduleTimes.
int TimeRank(std::string_view timeText)
{
    return timeText == "--:--" ? 0 : 1 + ParseTimeOfDay(timeText);
}

std::uint64_t DateKey(std::uint64_t year, std::uint64_t month, std::uint64_t day)
{
    return year << 32 | month << 16 | day;
}

} // namespace

TAlarmDayIndex::TAlarmDayIndex(const TScheduleDigest& schedule)
{
    TimeTexts.reserve(static_cast<std::size_t>(schedule.Count()));
    std::uint32_t position = 0;
    for (const TEntryDigest& at : schedule) {
        const std::string timeText = AlarmTimeText(at.Kind, at.Hour, at.Minute);
        TTimeText& kept = TimeTexts.emplace_back();
        timeText.copy(kept.data(), kept.size() - 1);
        kept.back() = static_cast<char>(std::min(timeText.size(), kept.size() - 1));
        const TOrderKey key = static_cast<TOrderKey>(TimeRank(timeText)) << 32 | position;
        switch (at.Kind) {
        case akEveryDayAt:
        case akEveryDay:
        case akStartup:
            EveryDay.push_back(key);
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
            ByDate[DateKey(at.Year, at.Month, at.Day)].push_back(key);
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
    sortBucket(EveryDay);
    std::for_each(ByWeekday.begin(), ByWeekday.end(), sortBucket);
    std::for_each(ByMonthDay.begin(), ByMonthDay.end(), sortBucket);
    std::for_each(ByYearDay.begin(), ByYearDay.end(), sortBucket);
    for (auto& [date, bucket] : ByDate) sortBucket(bucket);
}

void TAlarmDayIndex::Candidates(const TDateParts& date, int weekday, std::vector<int>& positions) const
{
    positions.clear();
    if (date.Month < 1 || date.Month > 12 || date.Day < 1 || date.Day > 31) return;

    struct TCursor {
        const TOrderKey* Next;
        const TOrderKey* End;
    };
    std::array<TCursor, 5> cursors{};
    std::size_t count = 0;
    std::size_t total = 0;
    const auto take = [&](const TBucket& bucket) {
        if (bucket.empty()) return;
        cursors[count++] = {bucket.data(), bucket.data() + bucket.size()};
        total += bucket.size();
    };
    take(EveryDay);
    if (weekday >= 1 && weekday <= 7) take(ByWeekday[static_cast<std::size_t>(weekday)]);
    take(ByMonthDay[date.Day]);
    take(ByYearDay[date.Month * 32u + date.Day]);
    if (date.Year > 0) {
        const auto found = ByDate.find(DateKey(static_cast<std::uint64_t>(date.Year), date.Month, date.Day));
        if (found != ByDate.end()) take(found->second);
    }

    // A position sits in one bucket only, so the merge is the preview order.
    positions.reserve(total);
    while (count > 0) {
        std::size_t least = 0;
        for (std::size_t i = 1; i < count; ++i) {
            if (*cursors[i].Next < *cursors[least].Next) least = i;
        }
        positions.push_back(static_cast<int>(*cursors[least].Next & 0xFFFFFFFFu));
        if (++cursors[least].Next == cursors[least].End) cursors[least] = cursors[--count];
    }
}

int CompareScheduleTimes(const TPreviewRow& a, const TPreviewRow& b)
{
    const int aRank = TimeRank(a.TimeText);
    const int bRank = TimeRank(b.TimeText);
    return aRank < bRank ? -1 : (aRank > bRank ? 1 : 0);
}

void TPreviewList::FillPreviewList(TDateTime day)
{
    Rows.clear();
    const TDateParts parts = DecodeDate(day);
    DateText = FormatDateText(parts);
    Index.Candidates(parts, DayOfWeek(day), Positions);
    Rows.reserve(Positions.size());
    for (const int position : Positions) {
        const TEntryDigest& entry = (*Schedule)[position];
        const std::span<const std::string_view> lines = Schedule->Lines(entry);
        Rows.push_back({DateText, Index.TimeText(position), lines.empty() ? std::string_view() : lines.front(), &entry,
                        position, lines});
    }
}

} // namespace orvexp
