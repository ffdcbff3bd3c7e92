#include "schedule/PreviewList.h"

#include <algorithm>

#include "schedule/AlarmOccurrence.h"

namespace orvexp {

namespace {

// Minutes since midnight of "hh:nn", or 0 for a text that is no valid time.
int ParseTimeOfDay(const std::string& text)
{
    const auto colon = text.find(':');
    if (colon == std::string::npos || colon == 0 || colon == text.size() - 1) return 0;
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

std::uint64_t DateKey(std::uint64_t year, std::uint64_t month, std::uint64_t day)
{
    return year << 32 | month << 16 | day;
}

void Append(std::vector<int>& positions, const std::vector<int>& bucket)
{
    positions.insert(positions.end(), bucket.begin(), bucket.end());
}

} // namespace

TAlarmDayIndex::TAlarmDayIndex(const TAlarmList& alarms)
{
    int position = 0;
    for (const auto& alarm : alarms) {
        const TAlarmDateTime& at = alarm->DateTime;
        switch (alarm->Kind) {
        case akEveryDayAt:
        case akEveryDay:
        case akStartup:
            EveryDay.push_back(position);
            break;
        case akWeekdaysAt:
        case akWeekdays:
            for (int weekday = 1; weekday <= 7; ++weekday) {
                if ((at.DaysOfWeek >> weekday & 1) != 0) ByWeekday[static_cast<std::size_t>(weekday)].push_back(position);
            }
            break;
        case akMonthDayAt:
        case akMonthDay:
            if (at.Day >= 1 && at.Day <= 31) ByMonthDay[at.Day].push_back(position);
            break;
        case akDateAt:
        case akDate:
            ByDate[DateKey(at.Year, at.Month, at.Day)].push_back(position);
            break;
        case akYearDayAt:
        case akYearDay:
            if (at.Month >= 1 && at.Month <= 12 && at.Day >= 1 && at.Day <= 31) {
                ByYearDay[at.Month * 32u + at.Day].push_back(position);
            }
            break;
        }
        ++position; // kinds above akStartup fall on no date
    }
}

void TAlarmDayIndex::Candidates(const TDateParts& date, int weekday, std::vector<int>& positions) const
{
    positions.clear();
    if (date.Month < 1 || date.Month > 12 || date.Day < 1 || date.Day > 31) return;
    Append(positions, EveryDay);
    if (weekday >= 1 && weekday <= 7) Append(positions, ByWeekday[static_cast<std::size_t>(weekday)]);
    Append(positions, ByMonthDay[date.Day]);
    Append(positions, ByYearDay[date.Month * 32u + date.Day]);
    if (date.Year > 0) {
        const auto found = ByDate.find(DateKey(static_cast<std::uint64_t>(date.Year), date.Month, date.Day));
        if (found != ByDate.end()) Append(positions, found->second);
    }
    // Back to container order, which the sort keeps among equal times.
    std::sort(positions.begin(), positions.end());
}

int CompareScheduleTimes(const TPreviewRow& a, const TPreviewRow& b)
{
    const bool aNone = a.TimeText == "--:--";
    const bool bNone = b.TimeText == "--:--";
    if (aNone && bNone) return 0;
    if (aNone) return -1;
    if (bNone) return 1;
    const int aTime = ParseTimeOfDay(a.TimeText);
    const int bTime = ParseTimeOfDay(b.TimeText);
    return aTime < bTime ? -1 : (aTime > bTime ? 1 : 0);
}

void TPreviewList::FillPreviewList(TDateTime day)
{
    Rows.clear();
    const TDateParts parts = DecodeDate(day);
    const int weekday = DayOfWeek(day);
    const std::string dateText = FormatDateText(parts);
    Index.Candidates(parts, weekday, Positions);
    Rows.reserve(Positions.size());
    for (const int position : Positions) {
        const TAlarm2& alarm = (*Alarms)[position];
        Rows.push_back({dateText, AlarmTimeText(alarm),
                        alarm.Messages.empty() ? std::string_view() : std::string_view(alarm.Messages.front()), &alarm});
    }
    std::stable_sort(Rows.begin(), Rows.end(),
                     [](const TPreviewRow& a, const TPreviewRow& b) { return CompareScheduleTimes(a, b) < 0; });
}

} // namespace orvexp
