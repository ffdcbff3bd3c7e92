#include "data/MemoReadAhead.h"

#include <algorithm>

namespace orvexp {

TMemoReadAhead::TMemoReadAhead(std::int64_t first, std::int64_t last, TReadDay read)
    : First(first), Last(last), Read(std::move(read)), Next(first),
      Slots(static_cast<std::size_t>(std::min(kWindow, last - first + 1))), Produced(first), Consumed(first),
      Reader([this] { Run(); })
{
}

TMemoReadAhead::~TMemoReadAhead()
{
    {
        const std::lock_guard<std::mutex> guard(Lock);
        Stopping = true;
    }
    Changed.notify_all();
    Reader.join();
}

bool TMemoReadAhead::HasRoomFor(std::int64_t day, bool plenty) const
{
    if (plenty) return day - Consumed <= kWindow - kWakeEvery && HeldBytes <= kMaxHeldBytes / 2;
    return day - Consumed < kWindow && HeldBytes < kMaxHeldBytes;
}

void TMemoReadAhead::Run()
{
    try {
        for (std::int64_t day = First; day <= Last; ++day) {
            {
                std::unique_lock<std::mutex> guard(Lock);
                if (!Stopping && !HasRoomFor(day, false)) {
                    ReaderWaits = true;
                    ReaderWaitsFor = day;
                    // A waiting taker has what there is: it must not wait for more.
                    if (TakerWaits) Changed.notify_all();
                    Changed.wait(guard, [&] { return Stopping || HasRoomFor(day, true); });
                    ReaderWaits = false;
                }
                if (Stopping) return;
            }
            // The slot was taken (or never used): it is this thread's until Produced passes it.
            TSlot& slot = Slots[static_cast<std::size_t>(day - First) % Slots.size()];
            slot.Presence = Read(day, slot.Bytes);
            bool wake = false;
            {
                const std::lock_guard<std::mutex> guard(Lock);
                Produced = day + 1;
                HeldBytes += slot.Bytes.size();
                wake = TakerWaits && (Produced >= TakerWaitsFor || Produced > Last);
            }
            if (wake) Changed.notify_all();
        }
    } catch (...) {
        {
            const std::lock_guard<std::mutex> guard(Lock);
            Failure = std::current_exception();
        }
        Changed.notify_all();
    }
}

TFilePresence TMemoReadAhead::TakeNext(std::string& bytes)
{
    const std::int64_t day = Next;
    {
        std::unique_lock<std::mutex> guard(Lock);
        if (Produced <= day && !Failure) {
            TakerWaits = true;
            TakerWaitsFor = day + kWakeEvery;
            Changed.wait(guard, [&] {
                return Failure || (Produced > day && (Produced >= TakerWaitsFor || Produced > Last || ReaderWaits));
            });
            TakerWaits = false;
        }
        if (Failure) std::rethrow_exception(Failure);
    }
    // The slot is the taker's until Consumed passes it; the buffers trade places
    // so that both keep their room.
    TSlot& slot = Slots[static_cast<std::size_t>(day - First) % Slots.size()];
    bytes.swap(slot.Bytes);
    const TFilePresence presence = slot.Presence;
    const std::size_t taken = bytes.size();
    ++Next;
    bool wake = false;
    {
        const std::lock_guard<std::mutex> guard(Lock);
        Consumed = Next;
        HeldBytes -= taken;
        wake = ReaderWaits && HasRoomFor(ReaderWaitsFor, true);
    }
    if (wake) Changed.notify_all();
    return presence;
}

} // namespace orvexp
