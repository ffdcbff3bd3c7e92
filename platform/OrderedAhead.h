#pragma once
// Makes a sequence of items on a thread of its own, ahead of the one taker
// that takes them in the same order: the producer of the export's read-ahead
// (the memo files, the schedule rows).
// It holds a bounded window of made and not yet taken items (and, if asked, a
// bounded weight of them), and both sides sleep for a batch rather than wake
// each other for every item: waking costs more than a small item is worth.

#include <algorithm>
#include <cstddef>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace orvexp {

struct TAheadLimits {
    std::int64_t Window = 4;          // items made and not yet released
    std::size_t MaxWeight = SIZE_MAX; // their weight together
    // Once either side had to wait, it waits for this many items: the taker
    // for so many made, the maker for so much room (and half the weight).
    std::int64_t WakeEvery = 1;
};

template <class Item>
class TOrderedAhead {
public:
    // Makes item `index` into `item` (whose room is reused), and returns its weight.
    using TMake = std::function<std::size_t(std::int64_t index, Item& item)>;
    // Called once, on the making thread: the maker, with its state.
    using TMakerFactory = std::function<TMake()>;

    TOrderedAhead(std::int64_t count, TAheadLimits limits, TMakerFactory makeMaker)
        : Count(count), Limits(limits), MakeMaker(std::move(makeMaker)),
          Slots(static_cast<std::size_t>(std::max<std::int64_t>(1, std::min(count, limits.Window)))),
          Weights(Slots.size()), Maker([this] { Run(); })
    {
    }
    // Stops the making (an item being made is finished) and waits for it.
    ~TOrderedAhead()
    {
        {
            const std::lock_guard<std::mutex> guard(Lock);
            Stopping = true;
        }
        Changed.notify_all();
        Maker.join();
    }
    TOrderedAhead(const TOrderedAhead&) = delete;
    TOrderedAhead& operator=(const TOrderedAhead&) = delete;

    // The index the next Take gives.
    std::int64_t NextIndex() const { return Next; }
    // The next item (waits until it is made); it is the taker's until the
    // next Take. Raises what making it raised, in its place.
    Item& Take()
    {
        const std::int64_t index = Next;
        {
            std::unique_lock<std::mutex> guard(Lock);
            // The item taken before is done with: its slot goes back.
            Released = index;
            if (ProducerWaits && HasRoom(ProducerWaitsFor, true)) Changed.notify_all();
            if (Made <= index && !Failure) {
                TakerWaitsFor = index + Limits.WakeEvery;
                TakerWaits = true;
                Changed.wait(guard, [&] {
                    return Failure || (Made > index && (Made >= TakerWaitsFor || Made == Count || ProducerWaits));
                });
                TakerWaits = false;
            }
            // The items made before a failure are still given.
            if (Made <= index) std::rethrow_exception(Failure);
            Weight -= Weights[SlotOf(index)];
            Weights[SlotOf(index)] = 0;
        }
        ++Next;
        return Slots[SlotOf(index)];
    }

private:
    std::size_t SlotOf(std::int64_t index) const { return static_cast<std::size_t>(index) % Slots.size(); }

    // With the lock held: whether `index` may be made; after a wait, only
    // with plenty of room.
    bool HasRoom(std::int64_t index, bool plenty) const
    {
        const auto window = static_cast<std::int64_t>(Slots.size());
        if (plenty) {
            const std::int64_t room = std::max<std::int64_t>(1, window - Limits.WakeEvery + 1);
            return index - Released < room && Weight <= Limits.MaxWeight / 2;
        }
        return index - Released < window && Weight < Limits.MaxWeight;
    }

    void Run()
    {
        try {
            const TMake make = MakeMaker();
            for (std::int64_t index = 0; index < Count; ++index) {
                {
                    std::unique_lock<std::mutex> guard(Lock);
                    if (!Stopping && !HasRoom(index, false)) {
                        ProducerWaits = true;
                        ProducerWaitsFor = index;
                        // A waiting taker has what there is: it must not wait for more.
                        if (TakerWaits) Changed.notify_all();
                        Changed.wait(guard, [&] { return Stopping || HasRoom(index, true); });
                        ProducerWaits = false;
                    }
                    if (Stopping) return;
                }
                // The slot was released (or never used): it is this thread's until Made passes it.
                const std::size_t weight = make(index, Slots[SlotOf(index)]);
                bool wake = false;
                {
                    const std::lock_guard<std::mutex> guard(Lock);
                    Made = index + 1;
                    Weights[SlotOf(index)] = weight;
                    Weight += weight;
                    wake = TakerWaits && (Made >= TakerWaitsFor || Made == Count);
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

    const std::int64_t Count;
    const TAheadLimits Limits;
    const TMakerFactory MakeMaker;
    std::vector<Item> Slots;           // item i in Slots[i % size]
    std::vector<std::size_t> Weights;  // of the made items in their slots
    std::int64_t Next = 0;             // the taker's alone

    std::mutex Lock;
    std::condition_variable Changed;
    std::int64_t Made = 0;     // items before it are in their slots
    std::int64_t Released = 0; // items before it have been taken and given back
    std::size_t Weight = 0;    // of the items made and not yet taken
    bool ProducerWaits = false;
    std::int64_t ProducerWaitsFor = 0;
    bool TakerWaits = false;
    std::int64_t TakerWaitsFor = 0;
    bool Stopping = false;
    std::exception_ptr Failure;

    std::thread Maker; // started last, when everything above exists
};

} // namespace orvexp
