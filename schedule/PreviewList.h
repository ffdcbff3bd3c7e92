#pragma once
// The preview list: one day's schedule entries in time order, the list that
// both writers walk. Rows refer to entries of the schedule container without
// owning them, and every fill discards the previous rows.

#include <array>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/DateTime.h"
#include "schedule/Alarm.h"

namespace orvexp {

struct TPreviewRow {
    std::string DateText;    // "yyyy/mm/dd"
    std::string TimeText;    // AlarmTimeText
    std::string_view ContentText; // first text line (held by the entry), empty when it has none
    const TAlarm2* Alarm = nullptr;
};

// Negative when A goes before B: "--:--" rows first, then by time of day, where
// texts that are no time ("毎日", "起動時") count as 00:00.
int CompareScheduleTimes(const TPreviewRow& a, const TPreviewRow& b);

// The entries indexed by what their kind tests, so that the entries of one day
// are found without testing every entry: an export over many days then costs
// days + entries, not days x entries. Built once; the entries must not change
// while it is in use.
class TAlarmDayIndex {
public:
    explicit TAlarmDayIndex(const TAlarmList& alarms);

    // Positions (in container order, ascending) of the entries that fall on the date.
    void Candidates(const TDateParts& date, int weekday, std::vector<int>& positions) const;

private:
    std::vector<int> EveryDay;                    // kinds that fall on every date
    std::array<std::vector<int>, 8> ByWeekday;    // [1..7], an entry under each of its weekdays
    std::array<std::vector<int>, 32> ByMonthDay;  // [1..31]
    std::array<std::vector<int>, 13 * 32> ByYearDay; // [month * 32 + day]
    std::unordered_map<std::uint64_t, std::vector<int>> ByDate; // (year, month, day) packed
};

class TPreviewList {
public:
    explicit TPreviewList(const TAlarmList& alarms) : Alarms(&alarms), Index(alarms) {}

    // Replaces the rows by the entries that fall on `day`, sorted by
    // CompareScheduleTimes; rows that compare equal keep the container's order.
    void FillPreviewList(TDateTime day);

    int Count() const { return static_cast<int>(Rows.size()); }
    const TPreviewRow& Row(int index) const { return Rows.at(static_cast<std::size_t>(index)); }
    const std::vector<TPreviewRow>& AllRows() const { return Rows; }

private:
    const TAlarmList* Alarms;
    TAlarmDayIndex Index;
    std::vector<int> Positions; // reused between fills
    std::vector<TPreviewRow> Rows;
};

} // namespace orvexp
