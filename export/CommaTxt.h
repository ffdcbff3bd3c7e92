#pragma once
// CommaTxt: one CSV line from an ordered list of fields. Fields are Shift_JIS
// bytes and are scanned byte-wise; this is safe because every trigger byte is
// below 0x40 and so never the second byte of a double-byte character.

#include <bitset>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orvexp {

// Byte values whose presence makes a field quoted (bit n = byte n).
using TQuoteTriggers = std::bitset<256>;

// LF, CR, space and comma: the set the CSV writer passes for every row.
inline const TQuoteTriggers CsvQuoteTriggers{(1ULL << 0x0A) | (1ULL << 0x0D) | (1ULL << 0x20) | (1ULL << 0x2C)};

// The text in double quotes, each double quote inside it doubled.
std::string QuoteField(std::string_view text);

// The fields with `separator` between them and none after the last; a field is
// quoted when it holds a byte of `quoteTriggers` or a double quote (the empty
// field never is). No line terminator. No fields give the empty string.
std::string JoinFields(std::span<const std::string_view> fields, char separator, const TQuoteTriggers& quoteTriggers);
std::string JoinFields(const std::vector<std::string>& fields, char separator, const TQuoteTriggers& quoteTriggers);
// JoinFields appended to `line`, without building a string of its own.
void AppendJoinedFields(std::string& line, std::span<const std::string_view> fields, char separator,
                        const TQuoteTriggers& quoteTriggers);

} // namespace orvexp
