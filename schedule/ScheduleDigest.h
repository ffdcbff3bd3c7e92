#pragma once
// What the preview list and the writers read of the schedule: each entry's
// kind, date and time fields and text lines, in container order. Made from the
// loaded container (its lines are then views into the entries, which must
// outlive the digest) or straight from a schedule file, so that an export does
// not build the whole model: a digest holds under thirty bytes an entry and the
// text lines, where a loaded entry takes over three hundred.

#include <cstdint>
#include <deque>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/BulkMemory.h"
#include "platform/FileSystem.h"
#include "schedule/Alarm.h"

namespace orvexp {

struct TEntryDigest {
    TAlarmKind Kind = akDateAt;
    std::uint8_t DaysOfWeek = 0; // as TAlarmDateTime
    std::uint8_t Active = 1;     // the reminders of a calendar export carry these three
    TPreviouseAlertKind AlertKind = paNone;
    std::uint16_t Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0;
    std::int32_t AlertAmount = 0;
    std::uint32_t FirstLine = 0; // the lines are the digest's, see TScheduleDigest::Lines
    std::uint32_t LineCount = 0;
};

class TScheduleDigest {
public:
    TScheduleDigest() = default;
    explicit TScheduleDigest(const TAlarmList& alarms);

    // Reads a whole schedule file. It fails exactly where and as
    // TAlarmTimer::LoadFromFile does: a sound entry is skimmed in place, and
    // one that is not is read with the model's own reader, which raises. The
    // digest keeps the file's bytes; its lines are views into them.
    static TScheduleDigest LoadFromFile(const std::string& fileName);
    // The same for a schedule file's bytes (TAlarmTimer::LoadFromStream),
    // which must outlive the digest.
    static TScheduleDigest LoadFromBytes(std::string_view bytes);
    // Reads a schedule file as LoadFromFile does, failing where and as it
    // does, but keeps nothing: what an export of memos alone needs of it.
    static void CheckFile(const std::string& fileName);
    static void CheckBytes(std::string_view bytes);

    int Count() const { return static_cast<int>(Entries.size()); }
    const TEntryDigest& operator[](int position) const { return Entries[static_cast<std::size_t>(position)]; }
    auto begin() const { return Entries.begin(); }
    auto end() const { return Entries.end(); }
    // The entry's text lines; the first is its content text.
    std::span<const std::string_view> Lines(const TEntryDigest& entry) const
    {
        return std::span<const std::string_view>(LineViews).subspan(entry.FirstLine, entry.LineCount);
    }

private:
    void Add(const TAlarm2& alarm);
    void Read(std::string_view bytes);
    // Reads the entry at the stream without raising; false where the model's
    // reader would fail (the stream is then left where it was).
    bool Skim(TByteReader& stream);

    std::vector<TEntryDigest, TBulkAllocator<TEntryDigest>> Entries;
    std::vector<std::string_view, TBulkAllocator<std::string_view>> LineViews;
    // Lines of an entry the skim left to the model's reader (one it would
    // refuse raises first, so this stays empty unless the two disagree).
    std::deque<std::string> KeptLines;
    std::unique_ptr<TFileBytes> File; // of LoadFromFile
    bool KeepEntries = true;          // false while checking only
};

} // namespace orvexp
