#pragma once
// The local clock as an interface, so that the alarm timer can be driven by a
// settable clock in tests.

#include "platform/DateTime.h"

namespace orvexp {

class IClock {
public:
    virtual ~IClock() = default;
    // The current local date and time, to the millisecond.
    virtual TDateTime Now() const = 0;
};

// The system's local time (time zone and summer time of the process).
class TSystemClock : public IClock {
public:
    TDateTime Now() const override;
};

// The one system clock of the process.
const IClock& SystemClock();

// A clock that says what it was told.
class TFixedClock : public IClock {
public:
    explicit TFixedClock(TDateTime value = 0.0) : Value(value) {}
    TDateTime Now() const override { return Value; }
    void Set(TDateTime value) { Value = value; }
    // Moves the clock on by `seconds` (may be negative).
    void Advance(double seconds) { Value += seconds / 86400.0; }

private:
    TDateTime Value;
};

} // namespace orvexp
