#pragma once
// TAlarmTimer: the schedule container. It owns the entries of one schedule file
// and the trailer fields read after them.

#include <array>
#include <cstdint>
#include <string>

#include "platform/ByteStream.h"
#include "schedule/Alarm.h"

namespace orvexp {

class TAlarmTimer {
public:
    TAlarmTimer();
    virtual ~TAlarmTimer();
    TAlarmTimer(const TAlarmTimer&) = delete;
    TAlarmTimer& operator=(const TAlarmTimer&) = delete;

    TAlarmList AlarmList;

    // Held as read; not interpreted.
    std::int32_t TrailerInteger = 0;
    std::array<std::uint8_t, 8> TrailerBytes{};
    std::string TrailerText;

    // Loads a whole schedule file. Raises EFOpenError when the file cannot be
    // opened, EInvalidFileHeader for an unknown format stamp, EStreamReadError
    // (with the byte offset) for a file that ends early or holds impossible
    // counts. Entries and trailer change only when the whole file was read.
    void LoadFromFile(const std::string& fileName);
    void LoadFromStream(TByteReader& stream);

    virtual void MarkCurrentVersion();
};

// Writes a whole schedule file (header, count, entries, trailer) in the format
// `version`. For tests and tools: the program itself never writes schedule files.
std::string WriteScheduleFile(const TAlarmList& alarms, std::int32_t version = kScheduleFormat2,
                              std::int32_t trailerInteger = 0,
                              const std::array<std::uint8_t, 8>& trailerBytes = {},
                              const std::string& trailerText = {});

} // namespace orvexp
