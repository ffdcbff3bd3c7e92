#pragma once
// Reads the memo files of a range of days on a thread of its own, ahead of the
// writer that asks for them in order. Opening and reading one small file per
// day is most of a memo export's cost; this way it overlaps the writer's own
// work (and, started early, the loading of the schedule) instead of adding to it.

#include <cstdint>
#include <functional>
#include <string>

#include "platform/DateTime.h"
#include "platform/FileSystem.h"
#include "platform/OrderedAhead.h"

namespace orvexp {

class TMemoReadAhead {
public:
    // Reads one day's file (the day as a whole TDateTime), as the store would.
    using TReadDay = std::function<TFilePresence(TDayNumber day, std::string& bytes, int& error)>;

    // Starts reading at `first`; `read` is called on the reading thread, in day order.
    TMemoReadAhead(TDayNumber first, TDayNumber last, TReadDay read);

    // True when `day` is the next day of the range not yet taken.
    bool IsNext(TDayNumber day) const { return day == First + Ahead.NextIndex() && day <= Last; }
    // The next day's result (waits until it is read). Raises what reading it raised.
    TFilePresence TakeNext(std::string& bytes, int& error);

    // How far ahead the reader may get: in days, and in bytes read and not yet taken.
    static constexpr std::int64_t kWindow = 4096;
    static constexpr std::size_t kMaxHeldBytes = 8 << 20;
    // A taker that has caught up waits for this many days at once: waking it
    // for every day would cost more than the reading it waits for.
    static constexpr std::int64_t kWakeEvery = 32;

private:
    struct TSlot {
        TFilePresence Presence = TFilePresence::Missing;
        int Error = 0;
        std::string Bytes;
    };

    const TDayNumber First, Last;
    TOrderedAhead<TSlot> Ahead; // made last, when the range is known
};

} // namespace orvexp
