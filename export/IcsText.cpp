#include "export/IcsText.h"

namespace orvexp {

void TIcsText::AppendLine(std::string& text, std::string_view line)
{
    Utf8.clear();
    Converter.Append(line, Utf8);
    // Line breaks become "\n"; other controls but TAB go.
    for (std::size_t i = 0; i < Utf8.size(); ++i) {
        const char c = Utf8[i];
        if (c == '\r') {
            if (i + 1 < Utf8.size() && Utf8[i + 1] == '\n') ++i;
            text += '\n';
        } else if (c == '\n') {
            text += '\n';
        } else if ((static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) || c == '\t') {
            text += c;
        }
    }
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

std::string IcsText(std::span<const std::string_view> lines)
{
    return TIcsText().Join(lines);
}

std::string IcsText(std::string_view line)
{
    return TIcsText().Line(line);
}

} // namespace orvexp
