#pragma once
// The encoding a CSV or HTML export is written in. The writers make
// Shift_JIS, as Orvanel keeps its data; UTF-8 is the choice for today's tools,
// converted from the writers' bytes as they are written out. (An iCalendar
// file is UTF-8 by its format and made so by its writer.)

#include <string>
#include <string_view>

namespace orvexp {

// Shift_JIS as Orvanel keeps its data (the wizard's), or UTF-8 (a CSV with a
// byte-order mark, a page declaring UTF-8).
enum TOutputEncoding { oeShiftJis, oeUtf8 };

// What a spreadsheet needs at the start of a CSV file to read it as UTF-8.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The bytes that start the file before any output: the byte-order mark for
// a UTF-8 CSV, nothing otherwise (HTML declares its encoding in its head).
std::string_view OutputPreamble(TOutputEncoding encoding, bool csv);

} // namespace orvexp
