#include "export/MemoReadAhead.h"

namespace orvexp {

TMemoReadAhead::TMemoReadAhead(std::int64_t first, std::int64_t last, TReadDay read)
    : First(first), Last(last), Read(std::move(read)), Next(first), Slots(static_cast<std::size_t>(kWindow)),
      Produced(first), Consumed(first), Reader([this] { Run(); })
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

void TMemoReadAhead::Run()
{
    try {
        for (std::int64_t day = First; day <= Last; ++day) {
            {
                std::unique_lock<std::mutex> guard(Lock);
                Changed.wait(guard, [&] { return Stopping || day - Consumed < kWindow; });
                if (Stopping) return;
            }
            // The slot was taken (or never used): it is this thread's until Produced passes it.
            TSlot& slot = Slots[static_cast<std::size_t>((day - First) % kWindow)];
            slot.Presence = Read(day, slot.Bytes);
            {
                const std::lock_guard<std::mutex> guard(Lock);
                Produced = day + 1;
            }
            Changed.notify_all();
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
        Changed.wait(guard, [&] { return Produced > day || Failure; });
        if (Failure) std::rethrow_exception(Failure);
    }
    // The slot is the taker's until Consumed passes it; the buffers trade places
    // so that both keep their room.
    TSlot& slot = Slots[static_cast<std::size_t>((day - First) % kWindow)];
    bytes.swap(slot.Bytes);
    const TFilePresence presence = slot.Presence;
    ++Next;
    {
        const std::lock_guard<std::mutex> guard(Lock);
        Consumed = Next;
    }
    Changed.notify_all();
    return presence;
}

} // namespace orvexp
