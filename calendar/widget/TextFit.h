#pragma once
// Fitting Shift_JIS text into the width of a calendar cell: the end of a line
// that is too wide gives way to "...", one whole character at a time, so a
// double-byte character is never split.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace orvexp {

// The drawn width of Shift_JIS bytes, in pixels.
using TTextMeasure = std::function<int(std::string_view sjisText)>;

// The byte offsets at which the characters of `text` start. A lead byte with
// nothing after it counts as a character of its own.
std::vector<std::size_t> SjisCharStarts(std::string_view text);

// `line` when it fits into `width`; otherwise its longest run of leading whole
// characters that still fits with "..." appended, followed by "..." ("..."
// alone when not even one character fits).
std::string FitLine(std::string_view line, int width, const TTextMeasure& measure);

// The lines of `text` (separated by CR LF, lone CR or lone LF; a break at the
// very end adds no line), each fitted and each followed by CR LF.
std::string FitText(std::string_view text, int width, const TTextMeasure& measure);

// The lines of `text` as FitText splits them.
std::vector<std::string> SplitLines(std::string_view text);

} // namespace orvexp
