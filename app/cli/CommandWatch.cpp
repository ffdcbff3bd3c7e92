// `orvexp watch`: runs the alarm timer over a schedule file without a window.
// With --at it evaluates a single tick at a given moment and only reports.

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <iostream>
#include <memory>
#include <string>

#include "app/Messages.h"
#include "app/Translation.h"
#include "app/cli/Subcommands.h"
#include "platform/Clock.h"
#include "platform/DateTime.h"
#include "platform/FileSystem.h"
#include "platform/IntervalTimer.h"
#include "platform/MessageSink.h"
#include "platform/Text.h"
#include "schedule/AlarmTimer.h"

namespace orvexp {

namespace {

// "YYYY/MM/DD hh:nn" (one- or two-digit month, day, hour and minute).
bool TryParseMoment(const std::string& text, TDateTime& result)
{
    const std::size_t blank = text.find(' ');
    if (blank == std::string::npos) return false;
    TDateTime date = 0;
    if (!TryParseDateText(std::string_view(text).substr(0, blank), date)) return false;
    const std::string time = text.substr(blank + 1);
    const std::size_t colon = time.find(':');
    if (colon == std::string::npos || colon == 0 || colon > 2 || time.size() - colon - 1 == 0 ||
        time.size() - colon - 1 > 2)
        return false;
    unsigned fields[2] = {0, 0};
    for (std::size_t i = 0; i < time.size(); ++i) {
        if (i == colon) continue;
        if (time[i] < '0' || time[i] > '9') return false;
        unsigned& field = fields[i < colon ? 0 : 1];
        field = field * 10 + static_cast<unsigned>(time[i] - '0');
    }
    if (fields[0] > 23 || fields[1] > 59) return false;
    result = date + EncodeTime(fields[0], fields[1]);
    return true;
}

std::string MomentText(TDateTime value)
{
    const TTimeParts time = DecodeTime(value);
    char text[16];
    std::snprintf(text, sizeof text, " %02u:%02u:%02u", time.Hour, time.Minute, time.Second);
    return FormatDateText(value) + text;
}

int IndexOf(const TAlarmList& list, const TAlarm2& alarm)
{
    for (int i = 0; i < list.Count(); ++i) {
        if (&list[i] == &alarm) return i;
    }
    return -1;
}

std::string FirstLineUtf8(const TAlarm2& alarm)
{
    return alarm.Messages.empty() ? std::string() : Cp932ToUtf8(alarm.Messages.front());
}

// The load's failures name the file and their cause, as the export's do.
void LoadScheduleFile(TAlarmTimer& timer, const std::string& path)
{
    try {
        timer.LoadFromFile(path);
    } catch (const std::exception& e) {
        throw std::runtime_error(msg::ScheduleFileFailureLine(path, e));
    }
}

// Evaluates without carrying anything out.
class TReportingAlarmTimer : public TAlarmTimer {
public:
    using TAlarmTimer::TAlarmTimer;
    void PerformAction(TAlarm2&) override {}
};

int RunOneTick(const std::string& dataFile, TDateTime moment)
{
    TFixedClock clock(moment);
    TReportingAlarmTimer timer(nullptr, clock);
    LoadScheduleFile(timer, dataFile);
    timer.OnAlert = [](TAlarmTimer& sender, TAlarm2& alarm, TDateTime alarmDate) {
        std::cout << "alert\t" << IndexOf(sender.AlarmList, alarm) << '\t' << FormatDateText(alarmDate) << '\n';
    };
    timer.OnAlarm = [](TAlarmTimer& sender, TAlarm2& alarm) {
        std::cout << "alarm\t" << IndexOf(sender.AlarmList, alarm) << '\n';
    };
    timer.TimerTick();
    if (!std::cout.flush()) throw EStandardOutputError();
    return 0;
}

// The timer of the watch loop: it only holds its state; the loop below asks it
// when to tick.
class TLoopTimer : public IIntervalTimer {
public:
    bool Enabled() const override { return IsEnabled; }
    void SetEnabled(bool value) override { IsEnabled = value; }
    int Interval() const override { return Period; }
    void SetInterval(int milliSeconds) override { Period = milliSeconds; }

private:
    bool IsEnabled = false;
    int Period = 1000;
};

// Messages of the actions go to the terminal; the entries' CR LF line ends become "\n".
void WriteMessageToStandardOutput(TMessageKind, const std::string& utf8Text)
{
    std::string text;
    text.reserve(utf8Text.size() + 1);
    for (std::size_t i = 0; i < utf8Text.size(); ++i) {
        if (utf8Text[i] == '\r' && i + 1 < utf8Text.size() && utf8Text[i + 1] == '\n') continue;
        text += utf8Text[i];
    }
    if (text.empty() || text.back() != '\n') text += '\n';
    std::cout << text << std::flush;
}

// Ticks until SIGINT or SIGTERM. The two signals are blocked and waited for
// between ticks, so an action that is running is never cut short.
int RunWatchLoop(const std::string& dataFile)
{
    auto loopTimer = std::make_unique<TLoopTimer>();
    TLoopTimer& ticks = *loopTimer;
    const IClock& clock = SystemClock();
    TAlarmTimer timer(std::move(loopTimer), clock);
    LoadScheduleFile(timer, dataFile);
    timer.OnAlert = [&clock](TAlarmTimer& sender, TAlarm2& alarm, TDateTime alarmDate) {
        std::cout << MomentText(clock.Now()) << "\talert\t" << IndexOf(sender.AlarmList, alarm) << '\t'
                  << FormatDateText(alarmDate) << '\t' << FirstLineUtf8(alarm) << std::endl;
    };
    timer.OnAlarm = [&clock](TAlarmTimer& sender, TAlarm2& alarm) {
        std::cout << MomentText(clock.Now()) << "\talarm\t" << IndexOf(sender.AlarmList, alarm) << '\t'
                  << FirstLineUtf8(alarm) << std::endl;
    };
    SetMessageSink(WriteMessageToStandardOutput);
    timer.SetEnabled(true); // started by the constructor already, with its 10 s period

    // A signal the caller had us ignore (SIGINT of a background job) stays ignored.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    for (const int stopSignal : {SIGINT, SIGTERM}) {
        struct sigaction current {};
        if (::sigaction(stopSignal, nullptr, &current) == 0 && current.sa_handler == SIG_IGN) continue;
        sigaddset(&stopSignals, stopSignal);
    }
    sigset_t previous;
    ::pthread_sigmask(SIG_BLOCK, &stopSignals, &previous);

    using std::chrono::steady_clock;
    auto period = [&ticks] { return std::chrono::milliseconds(ticks.Interval() > 0 ? ticks.Interval() : 1); };
    steady_clock::time_point next = steady_clock::now() + period();
    for (;;) {
        const auto wait = std::chrono::duration_cast<std::chrono::nanoseconds>(next - steady_clock::now());
        const long long nanoseconds = wait.count() > 0 ? wait.count() : 0;
        timespec timeout{static_cast<time_t>(nanoseconds / 1000000000LL), static_cast<long>(nanoseconds % 1000000000LL)};
        const int signal = ::sigtimedwait(&stopSignals, nullptr, &timeout);
        if (signal == SIGINT || signal == SIGTERM) break;
        if (signal < 0 && errno == EINTR) continue;
        const steady_clock::time_point now = steady_clock::now();
        if (now < next) continue;
        // After a long action the missed periods are not made up one by one.
        next += period();
        if (next <= now) next = now + period();
        if (ticks.Enabled() && ticks.OnTimer) ticks.OnTimer();
        if (!std::cout) break; // its lines would be lost from here on
    }

    ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    SetMessageSink(nullptr);
    if (!std::cout.flush()) throw EStandardOutputError();
    return 0;
}

} // namespace

void AddWatchCommand(TCommandLine& commandLine)
{
    CLI::App* watch = commandLine.App.add_subcommand(
        "watch", Tr("Run the alarm timer over a schedule file: carry out due entries until interrupted"));
    auto dataFile = std::make_shared<std::string>();
    auto at = std::make_shared<std::string>();
    watch->add_option("--data", *dataFile, Tr("The schedule file (schedule.dat)"))->required();
    watch->add_option("--at", *at,
                      Tr("Evaluate one tick at \"YYYY/MM/DD hh:nn\" without carrying anything out and print what is due"));
    watch->callback([&commandLine, dataFile, at, watch] {
        const bool oneTick = watch->count("--at") > 0;
        commandLine.Run = [dataFile, at, oneTick]() -> int {
            if (!oneTick) return RunWatchLoop(*dataFile);
            TDateTime moment = 0;
            if (!TryParseMoment(*at, moment))
                throw EUsageError("--at: \"" + *at + "\" is not a moment of the form YYYY/MM/DD hh:nn");
            return RunOneTick(*dataFile, moment);
        };
    });
}

} // namespace orvexp
