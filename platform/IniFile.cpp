#include "platform/IniFile.h"

#include <sys/stat.h>

#include <limits>

#include "platform/AtomicFileWriter.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"

namespace orvexp {

namespace {

// The longest string value a read returns (the profile functions' 2048-byte buffer less its NUL).
constexpr std::size_t kMaxValueLength = 2047;

constexpr bool IsBlank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// Equal without regard to ASCII case. The second byte of a double-byte
// Shift_JIS character is compared as it is, so two different kanji never meet.
bool SameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (IsSjisLeadByte(static_cast<unsigned char>(a[i])) && i + 1 < a.size()) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
            ++i;
            continue;
        }
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    }
    return true;
}

// The first `c` that is not the second byte of a double-byte character.
std::size_t FindSingleByte(std::string_view text, char c, std::size_t from)
{
    for (std::size_t i = from; i < text.size(); ++i) {
        if (text[i] == c) return i;
        if (IsSjisLeadByte(static_cast<unsigned char>(text[i]))) ++i;
    }
    return std::string_view::npos;
}

bool ParseHex(std::string_view digits, std::int32_t& value)
{
    if (digits.empty()) return false;
    std::uint64_t result = 0;
    for (const char c : digits) {
        int digit = 0;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        else return false;
        result = result * 16 + static_cast<std::uint64_t>(digit);
        if (result > 0xFFFFFFFFu) return false;
    }
    value = static_cast<std::int32_t>(static_cast<std::uint32_t>(result));
    return true;
}

bool ParseDecimal(std::string_view text, std::int32_t& value)
{
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return false;
    std::int64_t result = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
        result = result * 10 + (c - '0');
        if (result > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) return false;
    }
    if (negative) result = -result;
    if (result > std::numeric_limits<std::int32_t>::max()) return false;
    value = static_cast<std::int32_t>(result);
    return true;
}

} // namespace

EIniWriteError::EIniWriteError(const std::string& fileName)
    : std::runtime_error(fileName + " に書き込めません"), FileName(fileName)
{
}

bool TryParseIniInteger(std::string_view text, std::int32_t& value)
{
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) return ParseHex(text.substr(2), value);
    if (!text.empty() && text[0] == '$') return ParseHex(text.substr(1), value);
    return ParseDecimal(text, value);
}

TIniFile::TIniFile(std::string path) : Path(std::move(path))
{
    struct stat info {};
    if (::stat(Path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
        static_cast<std::uint64_t>(info.st_size) > kMaxSettingsFileSize) {
        FProblem = UnreadableInput(Path, "1 MiB を超えています").Text;
        return;
    }
    std::string contents;
    if (TryReadFile(Path, contents)) Parse(contents);
}

void TIniFile::Parse(std::string_view text)
{
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = start;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
        TLine line;
        line.Text = std::string(text.substr(start, end - start));
        if (end < text.size()) {
            const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
            line.LineEnd = crlf ? "\r\n" : std::string(1, text[end]);
        }
        Classify(line);
        start = end + line.LineEnd.size();
        Lines.push_back(std::move(line));
    }
}

void TIniFile::Classify(TLine& line)
{
    line.Kind = lkOther;
    line.Name.clear();
    line.Value.clear();
    const std::string_view text = TrimBlanks(line.Text);
    if (text.empty() || text.front() == ';') return;
    if (text.front() == '[') {
        const std::size_t close = FindSingleByte(text, ']', 1);
        if (close == std::string_view::npos) return;
        line.Kind = lkSection;
        line.Name = std::string(TrimBlanks(text.substr(1, close - 1)));
        return;
    }
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) return;
    const std::string_view name = TrimBlanks(text.substr(0, equals));
    if (name.empty()) return;
    std::string_view value = TrimBlanks(text.substr(equals + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    line.Kind = lkKey;
    line.Name = std::string(name);
    line.Value = std::string(value);
}

int TIniFile::FindSection(const std::string& section) const
{
    for (std::size_t i = 0; i < Lines.size(); ++i) {
        if (Lines[i].Kind == lkSection && SameName(Lines[i].Name, section)) return static_cast<int>(i);
    }
    return -1;
}

std::size_t TIniFile::SectionEnd(std::size_t sectionLine) const
{
    std::size_t i = sectionLine + 1;
    while (i < Lines.size() && Lines[i].Kind != lkSection) ++i;
    return i;
}

int TIniFile::FindKey(int sectionLine, const std::string& key) const
{
    if (sectionLine < 0) return -1;
    const auto first = static_cast<std::size_t>(sectionLine);
    const std::size_t end = SectionEnd(first);
    for (std::size_t i = first + 1; i < end; ++i) {
        if (Lines[i].Kind == lkKey && SameName(Lines[i].Name, key)) return static_cast<int>(i);
    }
    return -1;
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key, const std::string& def) const
{
    const int line = FindKey(FindSection(section), key);
    if (line < 0) return def;
    const std::string& value = Lines[static_cast<std::size_t>(line)].Value;
    return value.size() > kMaxValueLength ? value.substr(0, kMaxValueLength) : value;
}

std::int32_t TIniFile::ReadInteger(const std::string& section, const std::string& key, std::int32_t def) const
{
    std::int32_t value = 0;
    return TryParseIniInteger(ReadString(section, key, ""), value) ? value : def;
}

bool TIniFile::ReadBool(const std::string& section, const std::string& key, bool def) const
{
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void TIniFile::Insert(std::size_t at, std::string text)
{
    // The line before a new one must end, whatever it ended with before.
    if (at > 0 && Lines[at - 1].LineEnd.empty()) Lines[at - 1].LineEnd = "\r\n";
    TLine line;
    line.Text = std::move(text);
    line.LineEnd = "\r\n";
    Classify(line);
    Lines.insert(Lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
}

void TIniFile::WriteString(const std::string& section, const std::string& key, const std::string& value)
{
    // A line break would end the line early and make the rest a line of its
    // own: another key, or a section. The profile format has no escape for it,
    // so such a write is refused as a write the file system refuses.
    const auto breaksLine = [](const std::string& text) { return text.find_first_of("\r\n") != std::string::npos; };
    if (breaksLine(section) || breaksLine(key) || breaksLine(value)) throw EIniWriteError(Path);
    const int sectionLine = FindSection(section);
    if (sectionLine < 0) {
        Insert(Lines.size(), "[" + section + "]");
        Insert(Lines.size(), key + "=" + value);
        return;
    }
    const int keyLine = FindKey(sectionLine, key);
    if (keyLine >= 0) {
        TLine& line = Lines[static_cast<std::size_t>(keyLine)];
        line.Text = line.Name + "=" + value;
        Classify(line);
        return;
    }
    // After the section's last non-blank line, so blank lines that part it from
    // the next section stay between them.
    auto at = static_cast<std::size_t>(sectionLine) + 1;
    const std::size_t end = SectionEnd(static_cast<std::size_t>(sectionLine));
    for (std::size_t i = at; i < end; ++i) {
        if (!TrimBlanks(Lines[i].Text).empty()) at = i + 1;
    }
    Insert(at, key + "=" + value);
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key, std::int32_t value)
{
    WriteString(section, key, std::to_string(value));
}

void TIniFile::WriteBool(const std::string& section, const std::string& key, bool value)
{
    WriteString(section, key, value ? "1" : "0");
}

std::string TIniFile::Text() const
{
    std::string text;
    for (const TLine& line : Lines) {
        text += line.Text;
        text += line.LineEnd;
    }
    return text;
}

void TIniFile::UpdateFile()
{
    if (!FProblem.empty() || !TryWriteFileAtomically(Path, Text())) throw EIniWriteError(Path);
}

} // namespace orvexp
