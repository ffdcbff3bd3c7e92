#pragma once
// CommaTxt: one CSV line from an ordered list of fields. Fields are Shift_JIS
// bytes and are scanned byte-wise; this is safe because every trigger byte is
// below 0x40 and so never the second byte of a double-byte character.

#include <array>
#include <cstddef>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orvexp {

// Byte values whose presence makes a field quoted: a table by byte, as every
// byte of every field is looked up in it.
class TQuoteTriggers {
public:
    constexpr TQuoteTriggers() = default;
    constexpr TQuoteTriggers(std::initializer_list<unsigned char> bytes)
    {
        for (const unsigned char byte : bytes) set(byte);
    }
    constexpr void set(unsigned char byte) { Bytes[byte] = true; }
    constexpr bool test(unsigned char byte) const { return Bytes[byte]; }
    constexpr bool operator[](std::size_t byte) const { return Bytes[byte]; }

private:
    std::array<bool, 256> Bytes{};
};

// LF, CR, space and comma: the set the CSV writer passes for every row.
inline constexpr TQuoteTriggers CsvQuoteTriggers{0x0A, 0x0D, 0x20, 0x2C};

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
