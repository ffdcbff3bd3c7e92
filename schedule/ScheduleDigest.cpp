#include "schedule/ScheduleDigest.h"

#include <algorithm>
#include <cstring>

#include "platform/FileSystem.h"
#include "schedule/AlarmTimer.h"
#include "schedule/ScheduleString.h"

namespace orvexp {

void TScheduleDigest::Add(const TAlarm2& alarm)
{
    const TAlarmDateTime& at = alarm.DateTime;
    Entries.push_back({alarm.Kind, at.DaysOfWeek, alarm.Active, alarm.Alert.Kind, at.Year, at.Month, at.Day, at.Hour,
                       at.Minute, alarm.Alert.Amount,
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
    auto file = std::make_unique<TFileBytes>(fileName);
    TScheduleDigest digest = LoadFromBytes(file->View());
    digest.File = std::move(file); // the mapping stays where it is: the views hold
    return digest;
}

namespace {

// Reading over the bytes of one entry that answers false where they run out,
// instead of raising.
class TSkimCursor {
public:
    explicit TSkimCursor(std::string_view bytes) : At(bytes.data()), End(bytes.data() + bytes.size()) {}

    std::size_t Left() const { return static_cast<std::size_t>(End - At); }
    const char* Position() const { return At; }
    bool Skip(std::size_t count)
    {
        if (count > Left()) return false;
        At += count;
        return true;
    }
    template <class T>
    bool Read(T& value)
    {
        if (sizeof value > Left()) return false;
        std::memcpy(&value, At, sizeof value);
        At += sizeof value;
        return true;
    }
    // A schedule string as ReadScheduleString takes it.
    bool String(std::string_view* text)
    {
        std::int32_t length = 0;
        if (!Read(length) || length < 0 || static_cast<std::size_t>(length) >= Left()) return false;
        if (text) *text = std::string_view(At, static_cast<std::size_t>(length));
        At += static_cast<std::size_t>(length) + 1;
        return true;
    }

private:
    const char* At;
    const char* End;
};

// The fixed-size parts of an entry, as the model reads them.
constexpr std::size_t kDateTimeBlock = 11;
constexpr std::size_t kAfterLinesFormat1 = kDateTimeBlock + 1 + 1 + 8 + 1 + 4 + 7;
constexpr std::size_t kAdviceBlock = 1 + 4 + kDateTimeBlock + 8;

} // namespace

bool TScheduleDigest::Skim(TByteReader& stream)
{
    TSkimCursor entry(stream.Rest());
    std::uint8_t kind = 0;
    TEntryDigest digest;
    std::int32_t lineCount = 0;
    const bool head = entry.Read(kind) && entry.Read(digest.Year) && entry.Read(digest.Month) &&
                      entry.Read(digest.Day) && entry.Read(digest.Hour) && entry.Read(digest.Minute) &&
                      entry.Read(digest.DaysOfWeek) &&
                      entry.Skip(8 + 1 + 4) && // last fired, action, launch handle
                      entry.String(nullptr) && entry.String(nullptr) && entry.String(nullptr) &&
                      entry.String(nullptr) && // launch operation, file, parameters, directory
                      entry.Skip(4) &&         // show command
                      entry.Read(digest.Active) && entry.Read(lineCount);
    if (!head) return false;
    if (lineCount > 0 && static_cast<std::size_t>(lineCount) > entry.Left() / kMinScheduleString) return false;
    const std::size_t firstLine = LineViews.size();
    for (std::int32_t i = 0; i < lineCount; ++i) {
        std::string_view line;
        if (!entry.String(&line)) {
            LineViews.resize(firstLine);
            return false;
        }
        if (KeepEntries) LineViews.push_back(line);
    }
    std::uint8_t alertKind = paNone;
    const bool tail = entry.Skip(kAfterLinesFormat1) &&
                      (FileVersion != kScheduleFormat2 ||
                       (entry.Read(alertKind) && entry.Read(digest.AlertAmount) && entry.Skip(kAdviceBlock - 5)));
    if (!tail) {
        LineViews.resize(firstLine);
        return false;
    }
    digest.AlertKind = static_cast<TPreviouseAlertKind>(alertKind);
    digest.Kind = static_cast<TAlarmKind>(kind);
    digest.FirstLine = static_cast<std::uint32_t>(firstLine);
    digest.LineCount = static_cast<std::uint32_t>(LineViews.size() - firstLine);
    if (KeepEntries) Entries.push_back(digest);
    stream.Skip(static_cast<std::size_t>(entry.Position() - stream.Rest().data()), "an entry");
    return true;
}

void TScheduleDigest::Read(std::string_view bytes)
{
    TByteReader stream(bytes);
    const auto reserve = [this](std::int32_t count) {
        if (!KeepEntries) return;
        Entries.reserve(static_cast<std::size_t>(count));
        LineViews.reserve(static_cast<std::size_t>(count) * 2);
    };
    // Only an entry the skim refuses is read into an entry object, which
    // raises for it; were it sound after all, its lines are kept as copies.
    const auto take = [this](std::unique_ptr<TAlarm2>& entry) {
        if (!KeepEntries) return;
        Add(*entry);
        for (std::string& line : entry->Messages) LineViews.push_back(KeptLines.emplace_back(std::move(line)));
    };
    const auto skim = [this](TByteReader& entries) { return Skim(entries); };
    ReadScheduleFile(stream, {reserve, take, skim});
}

TScheduleDigest TScheduleDigest::LoadFromBytes(std::string_view bytes)
{
    TScheduleDigest digest;
    digest.Read(bytes);
    return digest;
}

void TScheduleDigest::CheckBytes(std::string_view bytes)
{
    TScheduleDigest digest;
    digest.KeepEntries = false;
    digest.Read(bytes);
}

void TScheduleDigest::CheckFile(const std::string& fileName)
{
    const TFileBytes file(fileName);
    CheckBytes(file.View());
}

} // namespace orvexp
