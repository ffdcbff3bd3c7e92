#pragma once
// The preview list: one day's schedule entries in time order, the list that
// both writers walk. Rows refer to entries of the schedule container without
// owning them, and every fill discards the previous rows.

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/DateTime.h"
#include "schedule/Alarm.h"
#include "schedule/AlarmDayIndex.h"
#include "schedule/ScheduleDigest.h"

namespace orvexp {

struct TPreviewRow {
    std::string_view DateText;    // "yyyy/mm/dd", held by the list until the next fill
    std::string TimeText;         // AlarmTimeText
    std::string_view ContentText; // first text line, empty when it has none
    const TEntryDigest* Entry = nullptr;
    int Position = 0;             // the entry's index in the container
    std::span<const std::string_view> Lines; // all its text lines
};

// Negative when A goes before B: "--:--" rows first, then by time of day, where
// texts that are no time ("毎日", "起動時") count as 00:00.
int CompareScheduleTimes(const TPreviewRow& a, const TPreviewRow& b);

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
    // the writers walk, reading the texts from the digest themselves.
    const std::vector<int>& FillPositions(TDateTime day);

    int Count() const { return static_cast<int>(Rows.size()); }
    const TPreviewRow& Row(int index) const { return Rows.at(static_cast<std::size_t>(index)); }
    const std::vector<TPreviewRow>& AllRows() const { return Rows; }

private:
    std::unique_ptr<TScheduleDigest> OwnSchedule; // made from a container
    const TScheduleDigest* Digest;
    TAlarmDayIndex Index;
    std::string DateText;       // of the last fill; the rows point into it
    std::vector<int> Positions; // reused between fills
    std::vector<TPreviewRow> Rows;
};

} // namespace orvexp
