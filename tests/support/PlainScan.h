#pragma once
// A day's schedule entries found the plain way, for checking what the index
// finds: every entry tested, then a stable sort by time.

#include <algorithm>
#include <string>
#include <vector>

#include "schedule/AlarmOccurrence.h"
#include "schedule/PreviewList.h"

namespace orvexp::test {

// Container positions of the entries on `day`, in preview order;
// `timeTexts` holds each entry's AlarmTimeText by position.
inline std::vector<int> PlainScanPositions(const TAlarmList& alarms, const std::vector<std::string>& timeTexts,
                                           TDateTime day)
{
    std::vector<TPreviewRow> rows;
    for (int i = 0; i < alarms.Count(); ++i) {
        if (!IsAlarmOnDate(alarms[i], day)) continue;
        TPreviewRow& row = rows.emplace_back();
        row.TimeText = timeTexts[static_cast<std::size_t>(i)];
        row.Position = i;
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const TPreviewRow& a, const TPreviewRow& b) { return CompareScheduleTimes(a, b) < 0; });
    std::vector<int> positions;
    positions.reserve(rows.size());
    for (const TPreviewRow& row : rows) positions.push_back(row.Position);
    return positions;
}

} // namespace orvexp::test
