#pragma once
// The preview list: one day's schedule entries in time order, the list that
// both writers walk. Rows refer to entries of the schedule container without
// owning them, and every fill discards the previous rows.

#include <string>
#include <vector>

#include "platform/DateTime.h"
#include "schedule/Alarm.h"

namespace orvexp {

struct TPreviewRow {
    std::string DateText;    // "yyyy/mm/dd"
    std::string TimeText;    // AlarmTimeText
    std::string ContentText; // first text line, empty when the entry has none
    const TAlarm2* Alarm = nullptr;
};

// Negative when A goes before B: "--:--" rows first, then by time of day, where
// texts that are no time ("毎日", "起動時") count as 00:00.
int CompareScheduleTimes(const TPreviewRow& a, const TPreviewRow& b);

class TPreviewList {
public:
    explicit TPreviewList(const TAlarmList& alarms) : Alarms(&alarms) {}

    // Replaces the rows by the entries that fall on `day`, sorted by
    // CompareScheduleTimes; rows that compare equal keep the container's order.
    void FillPreviewList(TDateTime day);

    int Count() const { return static_cast<int>(Rows.size()); }
    const TPreviewRow& Row(int index) const { return Rows.at(static_cast<std::size_t>(index)); }
    const std::vector<TPreviewRow>& AllRows() const { return Rows; }

private:
    const TAlarmList* Alarms;
    std::vector<TPreviewRow> Rows;
};

} // namespace orvexp
