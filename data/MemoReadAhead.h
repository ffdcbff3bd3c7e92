#pragma once
// Reads the memo files of a range of days on a thread of its own, ahead of the
// writer that asks for them in order. Opening and reading one small file per
// day is most of a memo export's cost; this way it overlaps the writer's own
// work (and, started early, the loading of the schedule) instead of adding to it.

#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/FileSystem.h"

namespace orvexp {

class TMemoReadAhead {
public:
    // Reads one day's file (the day as a whole TDateTime), as the store would.
    using TReadDay = std::function<TFilePresence(std::int64_t day, std::string& bytes)>;

    // Starts reading at `first`; `read` is called on the reading thread, in day order.
    TMemoReadAhead(std::int64_t first, std::int64_t last, TReadDay read);
    // Stops the reading (a day being read is finished) and waits for it.
    ~TMemoReadAhead();
    TMemoReadAhead(const TMemoReadAhead&) = delete;
    TMemoReadAhead& operator=(const TMemoReadAhead&) = delete;

    // True when `day` is the next day of the range not yet taken.
    bool IsNext(std::int64_t day) const { return day == Next && day <= Last; }
    // The next day's result (waits until it is read). Raises what reading it raised.
    TFilePresence TakeNext(std::string& bytes);

    // How far ahead the reader may get: in days, and in bytes read and not yet taken.
    static constexpr std::int64_t kWindow = 4096;
    static constexpr std::size_t kMaxHeldBytes = 8 << 20;
    // A taker that has caught up waits for this many days at once: waking it
    // for every day would cost more than the reading it waits for.
    static constexpr std::int64_t kWakeEvery = 32;

private:
    struct TSlot {
        TFilePresence Presence = TFilePresence::Missing;
        std::string Bytes;
    };

    void Run();
    // With the lock held: whether the reader may read `day`; once it has had
    // to wait, it waits for plenty of room, so that it is not woken every day.
    bool HasRoomFor(std::int64_t day, bool plenty) const;

    const std::int64_t First, Last;
    const TReadDay Read;
    std::int64_t Next; // the taker's alone
    std::vector<TSlot> Slots; // day d in Slots[(d - First) % Slots.size()]; at most kWindow

    std::mutex Lock;
    std::condition_variable Changed;
    std::int64_t Produced; // days before it are in their slots
    std::int64_t Consumed; // days before it have been taken; their slots are free
    std::size_t HeldBytes = 0; // in slots produced and not yet taken
    // Who sleeps, so that the other wakes it only when it must.
    bool ReaderWaits = false;
    std::int64_t ReaderWaitsFor = 0; // the day it waits to read
    bool TakerWaits = false;
    std::int64_t TakerWaitsFor = 0; // the taker sleeps until Produced reaches it
    bool Stopping = false;
    std::exception_ptr Failure;

    std::thread Reader; // started last, when everything above exists
};

} // namespace orvexp
