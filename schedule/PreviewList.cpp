#include "schedule/PreviewList.h"

#include "schedule/AlarmOccurrence.h"

namespace orvexp {

int CompareScheduleTimes(const TPreviewRow& a, const TPreviewRow& b)
{
    const int aRank = ScheduleTimeRank(a.TimeText);
    const int bRank = ScheduleTimeRank(b.TimeText);
    return aRank < bRank ? -1 : (aRank > bRank ? 1 : 0);
}

const std::vector<int>& TPreviewList::FillPositions(TDateTime day)
{
    Rows.clear();
    const TDateParts parts = DecodeDate(day);
    DateText = FormatDateText(parts);
    Index.Candidates(parts, DayOfWeek(day), Positions);
    return Positions;
}

void TPreviewList::FillPreviewList(TDateTime day)
{
    FillPositions(day);
    Rows.reserve(Positions.size());
    for (const int position : Positions) {
        const TEntryDigest& entry = (*Digest)[position];
        const std::span<const std::string_view> lines = Digest->Lines(entry);
        Rows.push_back({DateText, AlarmTimeText(entry.Kind, entry.Hour, entry.Minute),
                        lines.empty() ? std::string_view() : lines.front(), &entry, position, lines});
    }
}

} // namespace orvexp
