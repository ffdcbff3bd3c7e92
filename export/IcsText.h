#pragma once
// The data's Shift_JIS text as iCalendar text: UTF-8 (0x8160 as U+FF5E, bytes
// that are no Shift_JIS as U+FFFD), line breaks as "\n", and the control
// characters the format cannot carry left out. Escaping and folding are the
// calendar library's.

#include <span>
#include <string>
#include <string_view>

#include "platform/Text.h"

namespace orvexp {

// Keeps its converter between texts; one per thread.
class TIcsText {
public:
    // One text value from the lines, joined by line breaks; a CR, LF or CR LF
    // inside a line is a line break too. Nothing is trimmed.
    std::string Join(std::span<const std::string_view> lines);
    std::string Line(std::string_view line);
    // The same, appended to `text` (whose room a caller can reuse).
    void AppendJoined(std::string& text, std::span<const std::string_view> lines);
    void AppendLine(std::string& text, std::string_view line);

private:

    TCp932ToUtf8 Converter;
    std::string Utf8; // the line converted last, its room reused
};

// Blanks as the calendar means them, for titles and for texts left out:
// space, TAB and the ideographic space (U+3000) of Japanese text.
bool IsIcsBlank(std::string_view text);
// The title of a converted text: its first line (lines end at "\n") that
// holds more than blanks, without the blanks at its ends; empty when no line
// does. A view into `text`.
std::string_view IcsTitle(std::string_view text);

// The same with a converter of their own.
std::string IcsText(std::span<const std::string_view> lines);
std::string IcsText(std::string_view line);

} // namespace orvexp
