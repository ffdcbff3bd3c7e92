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

} // namespace

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
    for (const auto& alarm : *Alarms) {
        if (!IsAlarmOnDate(*alarm, parts, weekday)) continue;
        Rows.push_back({dateText, AlarmTimeText(*alarm),
                        alarm->Messages.empty() ? std::string() : alarm->Messages.front(), alarm.get()});
    }
    std::stable_sort(Rows.begin(), Rows.end(),
                     [](const TPreviewRow& a, const TPreviewRow& b) { return CompareScheduleTimes(a, b) < 0; });
}

} // namespace orvexp
