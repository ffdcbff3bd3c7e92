#pragma once
// The schedule model: the entries of Orvanel's schedule file (schedule.dat) and
// the container that loads them. Text is Shift_JIS bytes, kept as stored.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/ByteStream.h"
#include "platform/DateTime.h"
#include "schedule/ShellExecute.h"

namespace orvexp {

// Format stamps in the first four bytes of a schedule file.
constexpr std::int32_t kScheduleFormat1 = 19700517;
constexpr std::int32_t kScheduleFormat2 = 19740216;

// The header value of the schedule file read last; entry readers consult it
// to know whether an advance-notice block follows. Only the thread that loads
// a schedule file touches it (the window's thread, a command's main thread):
// an export's worker threads run after the load and never read it.
extern std::int32_t FileVersion;

class EInvalidFileHeader : public std::runtime_error {
public:
    EInvalidFileHeader() : std::runtime_error("Invalid File Header") {}
};

// Repeat kinds. Values above akStartup are kept as read; they fall on no date.
enum TAlarmKind : std::uint8_t {
    akEveryDayAt = 0,
    akWeekdaysAt = 1,
    akMonthDayAt = 2,
    akDateAt = 3,
    akYearDayAt = 4,
    akEveryDay = 5,
    akWeekdays = 6,
    akMonthDay = 7,
    akDate = 8,
    akYearDay = 9,
    akStartup = 10,
};

// The kinds 0 to 4 name a time of day; the others are all-day.
constexpr bool HasTimeOfDay(TAlarmKind kind)
{
    return kind <= akYearDayAt;
}

// What firing does; any other stored value acts like aaNone.
enum TAlarmAction : std::uint8_t { aaLaunch = 0, aaMessage = 1, aaNone = 2 };

enum TPreviouseAlertKind : std::uint8_t { paNone = 0, paDays = 1, paHours = 2, paMinutes = 3 };

class TAlarmDateTime {
public:
    std::uint16_t Year = 0;
    std::uint16_t Month = 0;
    std::uint16_t Day = 0;
    std::uint16_t Hour = 0;
    std::uint16_t Minute = 0;
    std::uint8_t DaysOfWeek = 0x01; // bit n = weekday n, 1 Sunday ... 7 Saturday

    virtual ~TAlarmDateTime() = default;
    virtual void SaveToStream(TByteWriter& stream) const;
    virtual void LoadFromStream(TByteReader& stream);

    bool operator==(const TAlarmDateTime& other) const;
};

class TPreviouseAlert {
public:
    TPreviouseAlertKind Kind = paNone;
    std::int32_t Amount = 0;
    TAlarmDateTime DateTime; // held as read
    TDateTime LastAlerted = 0.0;

    virtual ~TPreviouseAlert() = default;
    virtual void SaveToStream(TByteWriter& stream) const;
    virtual void LoadFromStream(TByteReader& stream);

    bool operator==(const TPreviouseAlert& other) const;
};

class TAlarm {
public:
    TAlarmKind Kind = akDateAt;
    TAlarmDateTime DateTime;
    TDateTime LastFired = 0.0; // 0.0 = never
    TAlarmAction Action = aaNone;
    TShellExecute ShellExecute;
    std::uint8_t Active = 1;
    std::vector<std::string> Messages; // the first line is the content text

    // Stored and held as read; this program gives them no meaning.
    TAlarmDateTime AuxDateTime;
    std::uint8_t AuxFlag1 = 0;
    std::uint8_t AuxFlag2 = 0;
    std::array<std::uint8_t, 8> AuxValue{};
    std::uint8_t AuxFlag3 = 0;
    std::int32_t AuxInteger = 0;
    std::array<std::uint8_t, 7> AuxBytes{};

    virtual ~TAlarm() = default;
    virtual void SaveToStream(TByteWriter& stream) const;
    virtual void LoadFromStream(TByteReader& stream);
    // Copies every field except AuxBytes.
    virtual void Assign(const TAlarm& source);
};

class TAlarm2 : public TAlarm {
public:
    TPreviouseAlert Alert;

    // Always writes the format-2 layout (with the advance-notice block).
    void SaveToStream(TByteWriter& stream) const override;
    // Reads the advance-notice block only when FileVersion is format 2.
    void LoadFromStream(TByteReader& stream) override;
    void Assign(const TAlarm& source) override;
};

// What a reader of entries does with them: Count hears the entry count before
// the first entry (a count the bytes cannot hold has failed by then); Take gets
// each entry as soon as it is read. An entry that Take leaves in the pointer is
// read over for the next one, so a reader that keeps only part of each entry
// allocates none per entry.
struct TAlarmEntrySink {
    std::function<void(std::int32_t count)> Count;
    std::function<void(std::unique_ptr<TAlarm2>& entry)> Take;
};

// Reads the entry count and the entries that follow it into the sink. Fails as
// TAlarmList::LoadFromStream does, which uses it.
void ReadAlarmEntries(TByteReader& stream, const TAlarmEntrySink& sink);

// The entries in file order; owns them.
class TAlarmList {
public:
    int Count() const { return static_cast<int>(Items.size()); }
    // The entry at a 0-based index; std::out_of_range for any other index.
    TAlarm2& operator[](int index) const;

    void Add(std::unique_ptr<TAlarm2> alarm) { Items.push_back(std::move(alarm)); }
    void Clear() { Items.clear(); }
    // Replaces the whole list by the entries read (count, then the records).
    // Fails without changing the list when the data is incomplete.
    void LoadFromStream(TByteReader& stream);
    void SaveToStream(TByteWriter& stream) const;

    auto begin() const { return Items.begin(); }
    auto end() const { return Items.end(); }

private:
    std::vector<std::unique_ptr<TAlarm2>> Items;
};

} // namespace orvexp
