#pragma once
// The "schedule string" of the schedule file: int32 length L, L text bytes, one 0x00.

#include <string>
#include <string_view>

#include "platform/ByteStream.h"

namespace orvexp {

// The fewest bytes a string takes: its length and its terminator.
inline constexpr std::size_t kMinScheduleString = 5;

// Reads one string; a negative length, or one longer than the data left, fails.
std::string ReadScheduleString(TByteReader& stream, const char* what);
// The same into `text`, whose room is reused: an entry read over and over
// allocates nothing once its strings are large enough.
void ReadScheduleString(TByteReader& stream, const char* what, std::string& text);
// Writes the bytes before the text's first zero byte, then the terminator.
void WriteScheduleString(TByteWriter& stream, std::string_view text);

} // namespace orvexp
