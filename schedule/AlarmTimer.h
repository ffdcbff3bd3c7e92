#pragma once
// TAlarmTimer: the schedule container. It owns the entries of one schedule file
// and the trailer fields read after them, and, while its interval timer runs,
// carries out the entries and advance notices that fall due.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/ByteStream.h"
#include "platform/Clock.h"
#include "platform/IntervalTimer.h"
#include "schedule/Alarm.h"

namespace orvexp {

class TAlarmTimer;

// The fields after the entries of a schedule file, held as read.
struct TScheduleTrailer {
    std::int32_t Integer = 0;
    std::array<std::uint8_t, 8> Bytes{};
    std::string Text;
};

// Reads a schedule file's bytes in order: the format stamp (kept in
// FileVersion), the entries (into the sink, as ReadAlarmEntries does) and the
// trailer. Raises as TAlarmTimer::LoadFromStream, which uses it.
TScheduleTrailer ReadScheduleFile(TByteReader& stream, const TAlarmEntrySink& entries);

// An entry fired.
using TAlarmEvent = std::function<void(TAlarmTimer& sender, TAlarm2& alarm)>;
// An advance notice fell due; `alarmDate` is NextAlarmDate of the entry.
using TAlertEvent = std::function<void(TAlarmTimer& sender, TAlarm2& alarm, TDateTime alarmDate)>;

class TAlarmTimer {
public:
    // Without a timer the container only holds data (the wizard's use): Enabled
    // reads false and nothing ever ticks. With one, TimerTick becomes its
    // handler, the period is set to 10000 ms and the timer is started.
    // `clock` must outlive the container.
    explicit TAlarmTimer(std::unique_ptr<IIntervalTimer> timer = nullptr, const IClock& clock = SystemClock());
    virtual ~TAlarmTimer();
    TAlarmTimer(const TAlarmTimer&) = delete;
    TAlarmTimer& operator=(const TAlarmTimer&) = delete;

    TAlarmList AlarmList;

    // Held as read; not interpreted.
    std::int32_t TrailerInteger = 0;
    std::array<std::uint8_t, 8> TrailerBytes{};
    std::string TrailerText;

    // Loads a whole schedule file. Raises EFOpenError when the file cannot be
    // opened, EInvalidFileHeader for an unknown format stamp, EStreamReadError
    // (with the byte offset) for a file that ends early or holds impossible
    // counts. Entries and trailer change only when the whole file was read.
    void LoadFromFile(const std::string& fileName);
    void LoadFromStream(TByteReader& stream);

    virtual void MarkCurrentVersion();

    // The running state of the owned timer; false when there is none. Writing
    // the current value, or writing without a timer, does nothing.
    bool Enabled() const;
    void SetEnabled(bool value);
    // The owned timer's period in milliseconds; 1000 when there is none.
    int Interval() const;
    void SetInterval(int milliSeconds);

    TAlarmEvent OnAlarm;
    TAlertEvent OnAlert;

    // One evaluation pass over all entries against the clock: fires the due
    // entries (LastFired stamped, then PerformAction), gives the due advance
    // notices (LastAlerted stamped), then raises OnAlert before OnAlarm for
    // each entry. Any failure ends the pass silently; the next pass starts
    // again at the first entry.
    virtual void TimerTick();
    // Call OnAlarm / OnAlert (with NextAlarmDate) when `alarm` is present and
    // the event assigned.
    virtual void DoAlarm(TAlarm2* alarm);
    virtual void DoAlert(TAlarm2* alarm);

    // The date of the entry's next occurrence as its advance notice counts it.
    // The search starts at now for paMinutes and paHours notices and at
    // tomorrow (now + 1 day) otherwise. Results of the search kinds keep the
    // time of day of the start; fixed dates (akDate, akYearDay of the current
    // year, even when passed) are at midnight. A weekday search with no weekday
    // chosen, or a day search with Day 0 or above 31, gives now after one week
    // respectively one year of candidates. Kinds above akStartup give now.
    // Raises EConvertError for a stored date that does not exist.
    TDateTime NextAlarmDate(const TAlarm2& alarm) const;

    // Carries out the entry's Action: aaLaunch runs its ShellExecute (result
    // ignored), aaMessage shows every line followed by CR LF as information,
    // any other value does nothing.
    virtual void PerformAction(TAlarm2& alarm);

private:
    const IClock* Clock;
    // Declared last: it is stopped and freed before the entries go.
    std::unique_ptr<IIntervalTimer> Timer;
};

// Writes a whole schedule file (header, count, entries, trailer) in the format
// `version`. For tests and tools: the program itself never writes schedule files.
std::string WriteScheduleFile(const TAlarmList& alarms, std::int32_t version = kScheduleFormat2,
                              std::int32_t trailerInteger = 0,
                              const std::array<std::uint8_t, 8>& trailerBytes = {},
                              const std::string& trailerText = {});

} // namespace orvexp
