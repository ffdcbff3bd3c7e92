#pragma once
// Makes each day's schedule rows of a range on a thread of its own, ahead of
// the writer that takes them in day order. Over a long range the rows cost
// about as much as everything else an export does (memos, dates, writing the
// file); this way the two overlap. The maker's state (the preview list and its
// index) is made on its thread too, while the writer opens the file and writes
// the head. Days are made in chunks, a few chunks ahead at most, so memory
// stays small whatever the range. (Two makers taking chunks in turn were
// measured slower on two cores: they compete with the writer and the memo reader.)

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/DateTime.h"
#include "platform/OrderedAhead.h"

namespace orvexp {

class TDayBlocksAhead {
public:
    // Appends one day's block (the day as a whole TDateTime) to `out`; called
    // on the making thread, in day order.
    using TMakeDay = std::function<void(TDayNumber day, std::string& out)>;
    // Called once, on the making thread: the day maker, with its state.
    using TMakerFactory = std::function<TMakeDay()>;

    static constexpr std::int64_t kChunkDays = 16;
    static constexpr std::int64_t kChunks = 4;

    TDayBlocksAhead(TDayNumber first, TDayNumber last, TMakerFactory makeMaker);

    // The next day's block, valid until the next call (waits until it is
    // made). Raises what making it raised.
    std::string_view TakeNext();

private:
    struct TChunk {
        std::string Text;
        std::vector<std::size_t> Ends; // each day's block ends here
    };

    const TDayNumber First;
    TDayNumber NextDay;
    const TChunk* Taking = nullptr; // the chunk of the day before NextDay
    TOrderedAhead<TChunk> Chunks;   // made last, when the range is known
};

} // namespace orvexp
