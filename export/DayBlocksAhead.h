#pragma once
// Makes each day's schedule rows of a range on a thread of their own, ahead of
// the writer that takes them in day order. Over a long range the rows cost
// about as much as everything else an export does (memos, dates, writing the
// file); this way the two overlap. The maker's state (the preview list and its
// index) is made on its thread too, while the writer opens the file and writes
// the head. Days are made in chunks, a few chunks ahead at most, so memory
// stays small whatever the range. (Two makers taking chunks in turn were
// measured slower on two cores: they compete with the writer and the memo reader.)

#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace orvexp {

class TDayBlocksAhead {
public:
    // Appends one day's block (the day as a whole TDateTime) to `out`; called
    // on the making thread, in day order.
    using TMakeDay = std::function<void(std::int64_t day, std::string& out)>;
    // Called once, on the making thread: the day maker, with its state.
    using TMakerFactory = std::function<TMakeDay()>;

    static constexpr std::int64_t kChunkDays = 16;
    static constexpr std::size_t kChunks = 4;

    TDayBlocksAhead(std::int64_t first, std::int64_t last, TMakerFactory makeMaker);
    // Stops the making (a chunk being made is finished) and waits for it.
    ~TDayBlocksAhead();
    TDayBlocksAhead(const TDayBlocksAhead&) = delete;
    TDayBlocksAhead& operator=(const TDayBlocksAhead&) = delete;

    // The next day's block, valid until the next call (waits until it is
    // made). Raises what making it raised.
    std::string_view TakeNext();

private:
    struct TChunk {
        std::string Text;
        std::vector<std::size_t> Ends; // each day's block ends here
        std::int64_t Holds = -1;       // the chunk made into it; -1 while free or being made
    };

    void Run();
    std::int64_t ChunkCount() const { return (Last - First) / kChunkDays + 1; }

    const std::int64_t First, Last;
    const TMakerFactory MakeMaker;
    std::vector<TChunk> Chunks; // chunk c in Chunks[c % kChunks]

    // The taker's alone.
    std::int64_t NextDay;
    std::int64_t TakingChunk = -1;

    std::mutex Lock;
    std::condition_variable Changed;
    std::int64_t Released = 0; // chunks before it have been taken whole; their buffers are free
    bool Stopping = false;
    std::exception_ptr Failure;

    std::thread Maker; // started last
};

} // namespace orvexp
