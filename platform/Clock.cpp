#include "platform/Clock.h"

#include <ctime>

namespace orvexp {

TDateTime TSystemClock::Now() const
{
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    tm local{};
    ::localtime_r(&now.tv_sec, &local);
    // A leap second is shown as the last second of its minute.
    const auto second = static_cast<unsigned>(local.tm_sec > 59 ? 59 : local.tm_sec);
    const auto milliSecond = static_cast<unsigned>(now.tv_nsec / 1000000);
    return EncodeDate(local.tm_year + 1900, static_cast<unsigned>(local.tm_mon + 1),
                      static_cast<unsigned>(local.tm_mday)) +
           EncodeTime(static_cast<unsigned>(local.tm_hour), static_cast<unsigned>(local.tm_min), second,
                      milliSecond);
}

const IClock& SystemClock()
{
    static const TSystemClock clock;
    return clock;
}

} // namespace orvexp
