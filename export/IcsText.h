#pragma once
// The data's Shift_JIS text as iCalendar text: UTF-8 (0x8160 as U+FF5E, bytes
// that are no Shift_JIS as U+FFFD), line breaks as "\n", and the control
// characters the format cannot carry left out. Escaping and folding are the
// calendar library's.

#include <span>
#include <string>
#include <string_view>

namespace orvexp {

// One text value from the lines, joined by line breaks; a CR, LF or CR LF
// inside a line is a line break too. Nothing is trimmed.
std::string IcsText(std::span<const std::string_view> lines);
std::string IcsText(std::string_view line);

} // namespace orvexp
