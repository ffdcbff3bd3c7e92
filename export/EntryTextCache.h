#pragma once
// The part of an export that an entry writes identically on every date it falls
// on, made on its first date and copied on the others: a weekly or daily entry
// repeats hundreds of times over a long range. Entries of one fixed date occur
// once; theirs is made in place and not kept.

#include <cstddef>
#include <string>
#include <vector>

#include "platform/BulkMemory.h"
#include "schedule/ScheduleDigest.h"

namespace orvexp {

class TEntryTextCache {
public:
    explicit TEntryTextCache(const TScheduleDigest& schedule)
        : Schedule(schedule), Slots(static_cast<std::size_t>(schedule.Count()))
    {
    }

    // Appends the text of the entry at `position` to `out`; `make(out)`
    // appends it the first time.
    template <class Make>
    void Append(std::string& out, int position, Make&& make)
    {
        const TAlarmKind kind = Schedule[position].Kind;
        if (kind == akDate || kind == akDateAt) {
            make(out);
            return;
        }
        TSlot& slot = Slots[static_cast<std::size_t>(position)];
        if (slot.Length == kNotMade) {
            const std::size_t start = out.size();
            make(out);
            slot = {Texts.size(), out.size() - start};
            Texts.append(out, start, slot.Length);
            return;
        }
        out.append(Texts, slot.Offset, slot.Length);
    }

private:
    static constexpr std::size_t kNotMade = static_cast<std::size_t>(-1);
    struct TSlot {
        std::size_t Offset = 0;
        std::size_t Length = kNotMade;
    };
    const TScheduleDigest& Schedule;
    std::vector<TSlot, TBulkAllocator<TSlot>> Slots; // by container position
    std::string Texts;        // every kept text, one after another
};

} // namespace orvexp
