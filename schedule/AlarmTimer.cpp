#include "schedule/AlarmTimer.h"

#include "platform/FileSystem.h"
#include "schedule/ScheduleString.h"

namespace orvexp {

TAlarmTimer::TAlarmTimer(std::unique_ptr<IIntervalTimer> timer, const IClock& clock)
    : Clock(&clock), Timer(std::move(timer))
{
    if (!Timer) return;
    Timer->OnTimer = [this] { TimerTick(); };
    Timer->SetInterval(10000);
    Timer->SetEnabled(true);
}

TAlarmTimer::~TAlarmTimer()
{
    if (!Timer) return;
    Timer->SetEnabled(false);
    Timer->OnTimer = nullptr;
}

bool TAlarmTimer::Enabled() const
{
    return Timer && Timer->Enabled();
}

void TAlarmTimer::SetEnabled(bool value)
{
    if (!Timer || Timer->Enabled() == value) return;
    Timer->SetEnabled(value);
}

int TAlarmTimer::Interval() const
{
    return Timer ? Timer->Interval() : 1000;
}

void TAlarmTimer::SetInterval(int milliSeconds)
{
    if (Timer) Timer->SetInterval(milliSeconds);
}

void TAlarmTimer::DoAlarm(TAlarm2* alarm)
{
    if (alarm != nullptr && OnAlarm) OnAlarm(*this, *alarm);
}

void TAlarmTimer::DoAlert(TAlarm2* alarm)
{
    if (alarm != nullptr && OnAlert) OnAlert(*this, *alarm, NextAlarmDate(*alarm));
}

void TAlarmTimer::LoadFromFile(const std::string& fileName)
{
    const std::string bytes = ReadFileBytes(fileName);
    TByteReader stream(bytes);
    LoadFromStream(stream);
}

TScheduleTrailer ReadScheduleFile(TByteReader& stream, const TAlarmEntrySink& entries)
{
    FileVersion = stream.ReadI32("ファイルの先頭");
    if (FileVersion != kScheduleFormat1 && FileVersion != kScheduleFormat2) throw EInvalidFileHeader();
    ReadAlarmEntries(stream, entries);
    TScheduleTrailer trailer;
    trailer.Integer = stream.ReadI32("ファイルの末尾");
    stream.ReadBytes(trailer.Bytes.data(), trailer.Bytes.size(), "ファイルの末尾");
    trailer.Text = ReadScheduleString(stream, "ファイルの末尾の文");
    return trailer;
}

void TAlarmTimer::LoadFromStream(TByteReader& stream)
{
    // Read everything first: a file that fails part-way leaves the loaded model as it was.
    TAlarmList loaded;
    const auto take = [&loaded](std::unique_ptr<TAlarm2>& entry) { loaded.Add(std::move(entry)); };
    TScheduleTrailer trailer = ReadScheduleFile(stream, {{}, take});

    AlarmList = std::move(loaded);
    TrailerInteger = trailer.Integer;
    TrailerBytes = trailer.Bytes;
    TrailerText = std::move(trailer.Text);
}

void TAlarmTimer::MarkCurrentVersion()
{
    FileVersion = kScheduleFormat2;
}

std::string WriteScheduleFile(const TAlarmList& alarms, std::int32_t version, std::int32_t trailerInteger,
                              const std::array<std::uint8_t, 8>& trailerBytes, const std::string& trailerText)
{
    TByteWriter stream;
    stream.WriteI32(version);
    stream.WriteI32(alarms.Count());
    for (const auto& alarm : alarms) {
        // Format 1 has no advance-notice block: write the entry's base part only.
        if (version == kScheduleFormat2) {
            alarm->SaveToStream(stream);
        } else {
            alarm->TAlarm::SaveToStream(stream);
        }
    }
    stream.WriteI32(trailerInteger);
    stream.WriteBytes(trailerBytes.data(), trailerBytes.size());
    WriteScheduleString(stream, trailerText);
    return stream.Take();
}

} // namespace orvexp
