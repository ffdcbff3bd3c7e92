#include "export/IcsText.h"

namespace orvexp {

void TIcsText::AppendLine(std::string& text, std::string_view line)
{
    Utf8.clear();
    Converter.Append(line, Utf8);
    // Line breaks become "\n"; other controls but TAB go. The runs between
    // them are taken whole.
    const std::size_t size = Utf8.size();
    std::size_t run = 0;
    for (std::size_t i = 0; i < size; ++i) {
        const auto c = static_cast<unsigned char>(Utf8[i]);
        if ((c >= 0x20 && c != 0x7F) || c == '\t') continue;
        text.append(Utf8, run, i - run);
        if (c == '\r') {
            if (i + 1 < size && Utf8[i + 1] == '\n') ++i;
            text += '\n';
        } else if (c == '\n') {
            text += '\n';
        }
        run = i + 1;
    }
    text.append(Utf8, run, size - run);
}

void TIcsText::AppendJoined(std::string& text, std::span<const std::string_view> lines)
{
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text += '\n';
        AppendLine(text, lines[i]);
    }
}

std::string TIcsText::Join(std::span<const std::string_view> lines)
{
    std::string text;
    AppendJoined(text, lines);
    return text;
}

std::string TIcsText::Line(std::string_view line)
{
    std::string text;
    AppendLine(text, line);
    return text;
}

namespace {

constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";

// The length of the blank that `text` starts with; 0 for none.
std::size_t LeadingBlank(std::string_view text)
{
    if (text.empty()) return 0;
    if (text.front() == ' ' || text.front() == '\t') return 1;
    return text.starts_with(kIdeographicSpace) ? kIdeographicSpace.size() : 0;
}

std::size_t TrailingBlank(std::string_view text)
{
    if (text.empty()) return 0;
    if (text.back() == ' ' || text.back() == '\t') return 1;
    return text.ends_with(kIdeographicSpace) ? kIdeographicSpace.size() : 0;
}

std::string_view TrimBlanks(std::string_view text)
{
    while (const std::size_t blank = LeadingBlank(text)) text.remove_prefix(blank);
    while (const std::size_t blank = TrailingBlank(text)) text.remove_suffix(blank);
    return text;
}

} // namespace

bool IsIcsBlank(std::string_view text)
{
    return TrimBlanks(text).empty();
}

std::string_view IcsTitle(std::string_view text)
{
    for (;;) {
        const std::size_t end = text.find('\n');
        const std::string_view line = TrimBlanks(text.substr(0, end));
        if (!line.empty() || end == std::string_view::npos) return line;
        text.remove_prefix(end + 1);
    }
}

std::string IcsText(std::span<const std::string_view> lines)
{
    return TIcsText().Join(lines);
}

std::string IcsText(std::string_view line)
{
    return TIcsText().Line(line);
}

} // namespace orvexp
