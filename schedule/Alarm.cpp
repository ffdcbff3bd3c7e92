#include "schedule/Alarm.h"

#include "schedule/ScheduleString.h"

namespace orvexp {

std::int32_t FileVersion = 0;

namespace {

// Smallest records, used to refuse counts that the data left cannot hold
// before anything is allocated.
constexpr std::size_t kMinEntryFormat1 = 87;
constexpr std::size_t kMinEntryFormat2 = 111;

} // namespace

bool TAlarmDateTime::operator==(const TAlarmDateTime& other) const
{
    return Year == other.Year && Month == other.Month && Day == other.Day && Hour == other.Hour &&
           Minute == other.Minute && DaysOfWeek == other.DaysOfWeek;
}

void TAlarmDateTime::SaveToStream(TByteWriter& stream) const
{
    stream.WriteU16(Year);
    stream.WriteU16(Month);
    stream.WriteU16(Day);
    stream.WriteU16(Hour);
    stream.WriteU16(Minute);
    stream.WriteU8(DaysOfWeek);
}

void TAlarmDateTime::LoadFromStream(TByteReader& stream)
{
    Year = stream.ReadU16("日時の欄");
    Month = stream.ReadU16("日時の欄");
    Day = stream.ReadU16("日時の欄");
    Hour = stream.ReadU16("日時の欄");
    Minute = stream.ReadU16("日時の欄");
    DaysOfWeek = stream.ReadU8("日時の欄");
}

bool TPreviouseAlert::operator==(const TPreviouseAlert& other) const
{
    return Kind == other.Kind && Amount == other.Amount && DateTime == other.DateTime &&
           LastAlerted == other.LastAlerted;
}

void TPreviouseAlert::SaveToStream(TByteWriter& stream) const
{
    stream.WriteU8(Kind);
    stream.WriteI32(Amount);
    DateTime.SaveToStream(stream);
    stream.WriteDouble(LastAlerted);
}

void TPreviouseAlert::LoadFromStream(TByteReader& stream)
{
    Kind = static_cast<TPreviouseAlertKind>(stream.ReadU8("事前通知の欄"));
    Amount = stream.ReadI32("事前通知の欄");
    DateTime.LoadFromStream(stream);
    LastAlerted = stream.ReadDouble("事前通知の欄");
}

void TAlarm::SaveToStream(TByteWriter& stream) const
{
    stream.WriteU8(Kind);
    DateTime.SaveToStream(stream);
    stream.WriteDouble(LastFired);
    stream.WriteU8(Action);
    ShellExecute.SaveToStream(stream);
    stream.WriteU8(Active);
    stream.WriteI32(static_cast<std::int32_t>(Messages.size()));
    for (const std::string& line : Messages) WriteScheduleString(stream, line);
    AuxDateTime.SaveToStream(stream);
    stream.WriteU8(AuxFlag1);
    stream.WriteU8(AuxFlag2);
    stream.WriteBytes(AuxValue.data(), AuxValue.size());
    stream.WriteU8(AuxFlag3);
    stream.WriteI32(AuxInteger);
    stream.WriteBytes(AuxBytes.data(), AuxBytes.size());
}

void TAlarm::LoadFromStream(TByteReader& stream)
{
    Kind = static_cast<TAlarmKind>(stream.ReadU8("予定の種類"));
    DateTime.LoadFromStream(stream);
    LastFired = stream.ReadDouble("予定の前回の実行時刻");
    // A start-up entry is due once after every load, whatever it last did.
    if (Kind == akStartup) LastFired = 0.0;
    Action = static_cast<TAlarmAction>(stream.ReadU8("予定の動作"));
    ShellExecute.LoadFromStream(stream);
    Active = stream.ReadU8("予定の有効フラグ");
    const std::int32_t lineCount = stream.ReadI32("予定の行数");
    if (lineCount > 0 && static_cast<std::size_t>(lineCount) > stream.Remaining() / kMinScheduleString) {
        stream.Fail("予定の行数 " + std::to_string(lineCount) + " は残りの " + std::to_string(stream.Remaining()) +
                    " バイトに収まりません");
    }
    // Read into the lines already there, so an entry read over reuses their room.
    Messages.resize(lineCount > 0 ? static_cast<std::size_t>(lineCount) : 0);
    for (std::string& line : Messages) ReadScheduleString(stream, "予定の文の行", line);
    AuxDateTime.LoadFromStream(stream);
    AuxFlag1 = stream.ReadU8("予定の欄");
    AuxFlag2 = stream.ReadU8("予定の欄");
    stream.ReadBytes(AuxValue.data(), AuxValue.size(), "予定の欄");
    AuxFlag3 = stream.ReadU8("予定の欄");
    AuxInteger = stream.ReadI32("予定の欄");
    stream.ReadBytes(AuxBytes.data(), AuxBytes.size(), "予定の欄");
}

void TAlarm::Assign(const TAlarm& source)
{
    Kind = source.Kind;
    DateTime = source.DateTime;
    LastFired = source.LastFired;
    Action = source.Action;
    ShellExecute = source.ShellExecute;
    Active = source.Active;
    Messages = source.Messages;
    AuxDateTime = source.AuxDateTime;
    AuxFlag1 = source.AuxFlag1;
    AuxFlag2 = source.AuxFlag2;
    AuxValue = source.AuxValue;
    AuxFlag3 = source.AuxFlag3;
    AuxInteger = source.AuxInteger;
}

void TAlarm2::SaveToStream(TByteWriter& stream) const
{
    TAlarm::SaveToStream(stream);
    Alert.SaveToStream(stream);
}

void TAlarm2::LoadFromStream(TByteReader& stream)
{
    TAlarm::LoadFromStream(stream);
    if (FileVersion == kScheduleFormat2) Alert.LoadFromStream(stream);
}

void TAlarm2::Assign(const TAlarm& source)
{
    TAlarm::Assign(source);
    if (const auto* other = dynamic_cast<const TAlarm2*>(&source)) Alert = other->Alert;
}

TAlarm2& TAlarmList::operator[](int index) const
{
    if (index < 0 || index >= Count()) {
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    }
    return *Items[static_cast<std::size_t>(index)];
}

void ReadAlarmEntries(TByteReader& stream, const TAlarmEntrySink& sink)
{
    const std::int32_t count = stream.ReadI32("予定の数");
    if (count <= 0) return;
    const std::size_t minimum = FileVersion == kScheduleFormat2 ? kMinEntryFormat2 : kMinEntryFormat1;
    if (static_cast<std::size_t>(count) > stream.Remaining() / minimum) {
        stream.Fail("予定の数 " + std::to_string(count) + " は残りの " + std::to_string(stream.Remaining()) +
                    " バイトに収まりません");
    }
    if (sink.Count) sink.Count(count);
    std::unique_ptr<TAlarm2> entry;
    for (std::int32_t i = 0; i < count; ++i) {
        if (!entry) entry = std::make_unique<TAlarm2>();
        entry->LoadFromStream(stream);
        sink.Take(entry);
    }
}

void TAlarmList::LoadFromStream(TByteReader& stream)
{
    std::vector<std::unique_ptr<TAlarm2>> loaded;
    ReadAlarmEntries(stream, {[&loaded](std::int32_t count) { loaded.reserve(static_cast<std::size_t>(count)); },
                              [&loaded](std::unique_ptr<TAlarm2>& entry) { loaded.push_back(std::move(entry)); }});
    Items = std::move(loaded);
}

void TAlarmList::SaveToStream(TByteWriter& stream) const
{
    stream.WriteI32(Count());
    for (const auto& alarm : Items) alarm->SaveToStream(stream);
}

} // namespace orvexp
