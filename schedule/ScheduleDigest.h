#pragma once
// What the preview list and the writers read of the schedule: each entry's
// kind, date and time fields and text lines, in container order. Made from
// the loaded container, or from a schedule file through the model's own
// reader (the digest is one more sink of its entries), so that an export of
// many entries does not hold the whole model: a digest holds under thirty
// bytes an entry beside its text, where a loaded entry takes over three hundred.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "schedule/Alarm.h"

namespace orvexp {

struct TEntryDigest {
    TAlarmKind Kind = akDateAt;
    std::uint8_t DaysOfWeek = 0; // as TAlarmDateTime
    std::uint8_t Active = 1;     // the reminders of a calendar export carry these three
    TPreviouseAlertKind AlertKind = paNone;
    std::uint16_t Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0;
    std::int32_t AlertAmount = 0;
    std::uint32_t FirstLine = 0; // the lines are the digest's, see TScheduleDigest::Lines
    std::uint32_t LineCount = 0;
};

class TScheduleDigest {
public:
    TScheduleDigest() = default;
    explicit TScheduleDigest(const TAlarmList& alarms);

    // Reads a whole schedule file with TAlarmTimer's reader, failing exactly
    // where and as TAlarmTimer::LoadFromFile does.
    static TScheduleDigest LoadFromFile(const std::string& fileName);
    // The same for a schedule file's bytes (TAlarmTimer::LoadFromStream).
    static TScheduleDigest LoadFromBytes(std::string_view bytes);

    int Count() const { return static_cast<int>(Entries.size()); }
    const TEntryDigest& operator[](int position) const { return Entries[static_cast<std::size_t>(position)]; }
    auto begin() const { return Entries.begin(); }
    auto end() const { return Entries.end(); }
    // The entry's text lines; the first is its content text.
    std::span<const std::string_view> Lines(const TEntryDigest& entry) const
    {
        return std::span<const std::string_view>(LineViews).subspan(entry.FirstLine, entry.LineCount);
    }

private:
    void Add(const TAlarm2& alarm);
    // The views into Text, once every line is in.
    void ViewLines();

    std::vector<TEntryDigest> Entries;
    // Every line's bytes one after another, on the heap so that the views
    // stay where they are when the digest moves; and each line's end in it.
    std::unique_ptr<std::string> Text = std::make_unique<std::string>();
    std::vector<std::size_t> LineEnds;
    std::vector<std::string_view> LineViews;
};

} // namespace orvexp
