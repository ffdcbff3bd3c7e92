#pragma once
// Shift_JIS (code page 932) byte strings and their conversion at the edges of
// the program. Data text stays in Shift_JIS bytes; only what is shown to a
// person (a Qt widget, a terminal) is converted to UTF-8.

#include <string>
#include <string_view>
#include <vector>

namespace orvexp {

// Removes bytes 0x00-0x20 from both ends.
std::string Trim(std::string_view text);
// The same without a copy: the part of `text` Trim keeps.
std::string_view TrimView(std::string_view text);

// True when `byte` starts a double-byte Shift_JIS character.
constexpr bool IsSjisLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// CP932 -> UTF-8. Bytes that are no CP932 character become U+FFFD.
std::string Cp932ToUtf8(std::string_view text);

// The same conversion with the converter kept open between texts, for a
// writer that converts many short ones; one per thread.
class TCp932ToUtf8 {
public:
    TCp932ToUtf8();
    ~TCp932ToUtf8();
    TCp932ToUtf8(const TCp932ToUtf8&) = delete;
    TCp932ToUtf8& operator=(const TCp932ToUtf8&) = delete;

    // Appends the UTF-8 form of `text` to `out`.
    void Append(std::string_view text, std::string& out);

private:
    void* Handle; // the iconv descriptor; null when CP932 is not available
};
// UTF-8 -> CP932; false when a character has no CP932 form (`result` then holds "?" for it).
bool Utf8ToCp932(std::string_view text, std::string& result);
std::string Utf8ToCp932(std::string_view text);

// 'A'..'Z' lowered, every other byte as it is: how file names, setting keys
// and verbs are matched. Byte by byte: a caller that must keep the second byte
// of a double-byte Shift_JIS character apart skips it itself.
constexpr char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
// The text with every byte passed through AsciiLower.
std::string AsciiLowerText(std::string_view text);
// Equal byte by byte after AsciiLower.
bool SameTextIgnoringAsciiCase(std::string_view a, std::string_view b);

// The text split at every byte `separator`; empty entries stay, and an empty
// text yields one empty entry.
std::vector<std::string> SplitText(std::string_view text, char separator);

} // namespace orvexp
