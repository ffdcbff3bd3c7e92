#pragma once
// An interval timer as an interface: the program runs it on its event loop,
// tests fire it by hand. Ticks arrive on the thread that runs that loop.

#include <functional>

namespace orvexp {

class IIntervalTimer {
public:
    virtual ~IIntervalTimer() = default;

    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool value) = 0;
    // The period in milliseconds.
    virtual int Interval() const = 0;
    virtual void SetInterval(int milliSeconds) = 0;

    // Called once per period while enabled.
    std::function<void()> OnTimer;
};

// A timer that ticks only when told to.
class TManualTimer : public IIntervalTimer {
public:
    bool Enabled() const override { return IsEnabled; }
    void SetEnabled(bool value) override { IsEnabled = value; }
    int Interval() const override { return Period; }
    void SetInterval(int milliSeconds) override { Period = milliSeconds; }

    // One period has passed: calls OnTimer when enabled and assigned.
    void Fire()
    {
        if (IsEnabled && OnTimer) OnTimer();
    }

private:
    bool IsEnabled = false;
    int Period = 1000;
};

} // namespace orvexp
