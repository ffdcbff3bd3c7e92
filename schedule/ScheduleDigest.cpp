#include "schedule/ScheduleDigest.h"

#include "platform/FileSystem.h"
#include "schedule/AlarmTimer.h"

namespace orvexp {

void TScheduleDigest::Add(const TAlarm2& alarm)
{
    const TAlarmDateTime& at = alarm.DateTime;
    Entries.push_back({alarm.Kind, at.DaysOfWeek, alarm.Active, alarm.Alert.Kind, at.Year, at.Month, at.Day, at.Hour,
                       at.Minute, alarm.Alert.Amount, static_cast<std::uint32_t>(LineEnds.size()),
                       static_cast<std::uint32_t>(alarm.Messages.size())});
    for (const std::string& line : alarm.Messages) {
        *Text += line;
        LineEnds.push_back(Text->size());
    }
}

void TScheduleDigest::ViewLines()
{
    LineViews.reserve(LineEnds.size());
    std::size_t start = 0;
    for (const std::size_t end : LineEnds) {
        LineViews.emplace_back(Text->data() + start, end - start);
        start = end;
    }
}

TScheduleDigest::TScheduleDigest(const TAlarmList& alarms)
{
    Entries.reserve(static_cast<std::size_t>(alarms.Count()));
    for (const auto& alarm : alarms) Add(*alarm);
    ViewLines();
}

TScheduleDigest TScheduleDigest::LoadFromBytes(std::string_view bytes)
{
    TScheduleDigest digest;
    // The lines are part of the file: their room is taken once, not doubled
    // (and copied, and touched again) as they come.
    digest.Text->reserve(bytes.size());
    TByteReader stream(bytes);
    // The entry is left where it is and read over for the next one.
    ReadScheduleFile(stream, {[&digest](std::int32_t count) { digest.Entries.reserve(static_cast<std::size_t>(count)); },
                              [&digest](std::unique_ptr<TAlarm2>& entry) { digest.Add(*entry); }});
    digest.ViewLines();
    return digest;
}

TScheduleDigest TScheduleDigest::LoadFromFile(const std::string& fileName)
{
    return LoadFromBytes(ReadFileBytes(fileName));
}

} // namespace orvexp
