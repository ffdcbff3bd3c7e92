#include "schedule/ScheduleDigest.h"

#include <cstring>

#include "platform/FileSystem.h"
#include "schedule/AlarmTimer.h"

namespace orvexp {

void TScheduleDigest::Add(const TAlarm& alarm)
{
    const TAlarmDateTime& at = alarm.DateTime;
    Entries.push_back({alarm.Kind, at.DaysOfWeek, at.Year, at.Month, at.Day, at.Hour, at.Minute,
                       static_cast<std::uint32_t>(LineViews.size()), static_cast<std::uint32_t>(alarm.Messages.size())});
}

TScheduleDigest::TScheduleDigest(const TAlarmList& alarms)
{
    Entries.reserve(static_cast<std::size_t>(alarms.Count()));
    for (const auto& alarm : alarms) {
        Add(*alarm);
        LineViews.insert(LineViews.end(), alarm->Messages.begin(), alarm->Messages.end());
    }
}

TScheduleDigest TScheduleDigest::LoadFromFile(const std::string& fileName)
{
    const TFileBytes bytes(fileName);
    return LoadFromBytes(bytes.View());
}

TScheduleDigest TScheduleDigest::LoadFromBytes(std::string_view bytes)
{
    TByteReader stream(bytes);
    TScheduleDigest digest;
    // The lines are bytes of the file, so they never need more room than it has.
    digest.FileTexts = std::make_unique_for_overwrite<char[]>(bytes.size());
    const auto reserve = [&digest](std::int32_t count) {
        // Room reserved and not yet used costs no memory; growing would copy.
        digest.Entries.reserve(static_cast<std::size_t>(count));
        digest.LineViews.reserve(static_cast<std::size_t>(count) * 2);
    };
    const auto take = [&digest](std::unique_ptr<TAlarm2>& entry) {
        digest.Add(*entry);
        for (const std::string& line : entry->Messages) {
            char* const text = digest.FileTexts.get() + digest.FileTextsUsed;
            if (!line.empty()) std::memcpy(text, line.data(), line.size());
            digest.FileTextsUsed += line.size();
            digest.LineViews.emplace_back(text, line.size());
        }
    };
    ReadScheduleFile(stream, {reserve, take});
    return digest;
}

} // namespace orvexp
