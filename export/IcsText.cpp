#include "export/IcsText.h"

#include "platform/Text.h"

namespace orvexp {

namespace {

// Appends the converted line; line breaks become "\n", other controls but TAB go.
void AppendLine(std::string& text, std::string_view line)
{
    const std::string utf8 = Cp932ToUtf8(line);
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        if (c == '\r') {
            if (i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;
            text += '\n';
        } else if (c == '\n') {
            text += '\n';
        } else if ((static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) || c == '\t') {
            text += c;
        }
    }
}

} // namespace

std::string IcsText(std::span<const std::string_view> lines)
{
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text += '\n';
        AppendLine(text, lines[i]);
    }
    return text;
}

std::string IcsText(std::string_view line)
{
    std::string text;
    AppendLine(text, line);
    return text;
}

} // namespace orvexp
