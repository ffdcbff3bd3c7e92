#include "schedule/ScheduleDigest.h"

#include <algorithm>
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

std::string_view TScheduleDigest::KeepText(std::string_view text)
{
    if (TextBlocks.empty() || TextBlocks.back().size() - TextBlockUsed < text.size()) {
        TextBlocks.emplace_back(std::max(TextBlockSize, text.size()));
        TextBlockUsed = 0;
    }
    char* const kept = TextBlocks.back().data() + TextBlockUsed;
    if (!text.empty()) std::memcpy(kept, text.data(), text.size());
    TextBlockUsed += text.size();
    return std::string_view(kept, text.size());
}

TScheduleDigest TScheduleDigest::LoadFromBytes(std::string_view bytes)
{
    TByteReader stream(bytes);
    TScheduleDigest digest;
    // The lines are bytes of the file: blocks of its size at most.
    digest.TextBlockSize = std::min<std::size_t>(bytes.size(), 1 << 20);
    const auto reserve = [&digest](std::int32_t count) {
        digest.Entries.reserve(static_cast<std::size_t>(count));
        digest.LineViews.reserve(static_cast<std::size_t>(count) * 2);
    };
    const auto take = [&digest](std::unique_ptr<TAlarm2>& entry) {
        digest.Add(*entry);
        for (const std::string& line : entry->Messages) digest.LineViews.push_back(digest.KeepText(line));
    };
    ReadScheduleFile(stream, {reserve, take});
    return digest;
}

} // namespace orvexp
