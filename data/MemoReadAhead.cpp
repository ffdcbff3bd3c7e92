#include "data/MemoReadAhead.h"

namespace orvexp {

TMemoReadAhead::TMemoReadAhead(TDayNumber first, TDayNumber last, TReadDay read)
    : First(first), Last(last),
      Ahead(last - first + 1, {kWindow, kMaxHeldBytes, kWakeEvery}, [first, read = std::move(read)] {
          return [first, read](std::int64_t index, TSlot& slot) {
              slot.Presence = read(first + index, slot.Bytes, slot.Error);
              return slot.Bytes.size();
          };
      })
{
}

TFilePresence TMemoReadAhead::TakeNext(std::string& bytes, int& error)
{
    // The buffers trade places, so that both keep their room.
    TSlot& slot = Ahead.Take();
    bytes.swap(slot.Bytes);
    error = slot.Error;
    return slot.Presence;
}

} // namespace orvexp
