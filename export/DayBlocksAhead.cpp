#include "export/DayBlocksAhead.h"

#include <algorithm>

namespace orvexp {

TDayBlocksAhead::TDayBlocksAhead(TDayNumber first, TDayNumber last, TMakerFactory makeMaker)
    : First(first), NextDay(first),
      Chunks(last < first ? 0 : (last - first) / kChunkDays + 1, {kChunks, SIZE_MAX, 1},
             [first, last, makeMaker = std::move(makeMaker)] {
                 return [first, last, make = makeMaker()](std::int64_t chunk, TChunk& made) {
                     made.Text.clear();
                     made.Ends.clear();
                     const TDayNumber from = first + chunk * kChunkDays;
                     for (TDayNumber day = from; day <= std::min(last, from + kChunkDays - 1); ++day) {
                         make(day, made.Text);
                         made.Ends.push_back(made.Text.size());
                     }
                     return std::size_t{0};
                 };
             })
{
}

std::string_view TDayBlocksAhead::TakeNext()
{
    const auto index = static_cast<std::size_t>((NextDay - First) % kChunkDays);
    if (index == 0) Taking = &Chunks.Take();
    const std::size_t start = index == 0 ? 0 : Taking->Ends[index - 1];
    ++NextDay;
    return std::string_view(Taking->Text).substr(start, Taking->Ends[index] - start);
}

} // namespace orvexp
