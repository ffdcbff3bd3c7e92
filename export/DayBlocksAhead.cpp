#include "export/DayBlocksAhead.h"

#include <algorithm>

namespace orvexp {

TDayBlocksAhead::TDayBlocksAhead(std::int64_t first, std::int64_t last, TMakerFactory makeMaker)
    : First(first), Last(last), MakeMaker(std::move(makeMaker)), Chunks(kChunks), NextDay(first),
      Maker([this] { Run(); })
{
}

TDayBlocksAhead::~TDayBlocksAhead()
{
    {
        const std::lock_guard<std::mutex> guard(Lock);
        Stopping = true;
    }
    Changed.notify_all();
    Maker.join();
}

void TDayBlocksAhead::Run()
{
    try {
        const TMakeDay make = MakeMaker();
        for (std::int64_t chunk = 0; chunk < ChunkCount(); ++chunk) {
            {
                std::unique_lock<std::mutex> guard(Lock);
                Changed.wait(guard, [&] { return Stopping || chunk - Released < static_cast<std::int64_t>(kChunks); });
                if (Stopping) return;
            }
            // The buffer was released (or never used): it is this thread's until Holds is set.
            TChunk& made = Chunks[static_cast<std::size_t>(chunk) % kChunks];
            made.Text.clear();
            made.Ends.clear();
            const std::int64_t from = First + chunk * kChunkDays;
            const std::int64_t to = std::min(Last, from + kChunkDays - 1);
            for (std::int64_t day = from; day <= to; ++day) {
                make(day, made.Text);
                made.Ends.push_back(made.Text.size());
            }
            {
                const std::lock_guard<std::mutex> guard(Lock);
                made.Holds = chunk;
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

std::string_view TDayBlocksAhead::TakeNext()
{
    const std::int64_t chunk = (NextDay - First) / kChunkDays;
    TChunk& taking = Chunks[static_cast<std::size_t>(chunk) % kChunks];
    if (chunk != TakingChunk) {
        std::unique_lock<std::mutex> guard(Lock);
        // The chunk taken before is done with: its buffer goes back.
        if (TakingChunk >= 0) {
            Chunks[static_cast<std::size_t>(TakingChunk) % kChunks].Holds = -1;
            Released = TakingChunk + 1;
            Changed.notify_all();
        }
        Changed.wait(guard, [&] { return taking.Holds == chunk || Failure; });
        if (Failure) std::rethrow_exception(Failure);
        TakingChunk = chunk;
    }
    const auto index = static_cast<std::size_t>((NextDay - First) % kChunkDays);
    const std::size_t start = index == 0 ? 0 : taking.Ends[index - 1];
    ++NextDay;
    return std::string_view(taking.Text).substr(start, taking.Ends[index] - start);
}

} // namespace orvexp
