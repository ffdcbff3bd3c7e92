#pragma once
// TIniFile: the settings file read and written with the rules of the Windows
// profile functions, so a file carried over from the Windows program reads
// the same and keeps its look after our writes.
//
// Reading: sections and keys are found without regard to ASCII case; blanks
// (0x09-0x0D, 0x20) around keys, "=" and values are dropped; a value in a
// matching pair of double or single quotes loses them; a line whose first
// non-blank byte is ";" is a comment; the first of duplicate sections or keys
// wins; string values are cut at 2047 bytes; CR LF, LF and CR all end lines.
//
// Writing: a key's value is replaced where it stands, a new key goes after the
// last non-blank line of its section, a new section at the end of the file;
// lines we add end with CR LF and every other byte of the file stays as it was.
// Writes stay in memory until UpdateFile, which replaces the file atomically.
// A section, key or value holding CR or LF is refused (EIniWriteError): it
// would split its line and could add keys of its own.
// Texts are bytes (Shift_JIS in the settings file); nothing is transcoded.

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace orvexp {

// The settings file could not be written: "%s に書き込めません".
class EIniWriteError : public std::runtime_error {
public:
    explicit EIniWriteError(const std::string& fileName);
    const std::string FileName;
};

// Integer text as the settings file holds it: optional sign and decimal digits,
// "0x"/"0X" followed by hexadecimal digits, or "$" followed by hexadecimal
// digits (up to 32 bits, so $FFFFFFFF is -1). False for anything else,
// including a decimal number outside the 32-bit range.
bool TryParseIniInteger(std::string_view text, std::int32_t& value);

// The largest settings file that is read. The wizard writes a few hundred
// bytes; a file thousands of times that is no settings file of ours, and
// parsing it would cost several times its size in memory.
inline constexpr std::size_t kMaxSettingsFileSize = 1 << 20;

class TIniFile {
public:
    // Reads the file now; a missing or unreadable file reads as an empty one.
    // One larger than kMaxSettingsFileSize reads as empty too, is never
    // written over (UpdateFile refuses), and Problem() says so.
    explicit TIniFile(std::string path);

    const std::string& FileName() const { return Path; }
    // Why the file was left unread: "ファイル X を読み込めません。(1 MiB を超えています)"; empty when it was read.
    const std::string& Problem() const { return FProblem; }

    // The value of `key` in `section`; `def` when either is missing. A key that
    // is present with an empty value reads as "".
    std::string ReadString(const std::string& section, const std::string& key, const std::string& def) const;
    // The value read as TryParseIniInteger does; `def` when missing or not a number.
    std::int32_t ReadInteger(const std::string& section, const std::string& key, std::int32_t def) const;
    // ReadInteger with the default 1 or 0, true when not 0.
    bool ReadBool(const std::string& section, const std::string& key, bool def) const;

    // Raises EIniWriteError, changing nothing, when a text holds CR or LF.
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, std::int32_t value); // signed decimal
    void WriteBool(const std::string& section, const std::string& key, bool value);            // "1" or "0"

    // Writes the whole text to the file (temporary file in the same folder,
    // renamed over it). Raises EIniWriteError with the file's path on failure,
    // and for a file left unread as too large; the file on disk is then unchanged.
    void UpdateFile();

    // The file's bytes as UpdateFile would write them.
    std::string Text() const;

private:
    enum TLineKind { lkOther, lkSection, lkKey };
    struct TLine {
        std::string Text;       // without its line end
        std::string LineEnd;    // "\r\n", "\n", "\r" or "" for a last line without one
        TLineKind Kind = lkOther;
        std::string Name;       // section or key name, trimmed
        std::string Value;      // key value, trimmed and unquoted
    };

    std::string Path;
    std::vector<TLine> Lines;
    std::string FProblem;

    void Parse(std::string_view text);
    static void Classify(TLine& line);
    // Index of the first section line named `section`, or -1.
    int FindSection(const std::string& section) const;
    // End of the section starting at `sectionLine`: index of the next section line or Lines.size().
    std::size_t SectionEnd(std::size_t sectionLine) const;
    // Index of the first key line named `key` in the section at `sectionLine`, or -1.
    int FindKey(int sectionLine, const std::string& key) const;
    void Insert(std::size_t at, std::string text);
};

} // namespace orvexp
