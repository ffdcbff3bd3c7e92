#pragma once
// Text from the data written into the HTML page. By default it goes in as it
// is, so that markup typed into a memo works as markup, as it always has;
// escaped, the page shows exactly what was typed ("<!--" in a memo no longer
// hides the rest of the page, "a<b c>d" no longer loses text).

#include <string>
#include <string_view>

namespace orvexp {

// Appends `text`, with `escape` its &, <, > and " as character references.
// Shift_JIS second bytes are 0x40 and above, so no byte of a double-byte
// character is mistaken for one of them.
void AppendHtmlText(std::string& out, std::string_view text, bool escape);

} // namespace orvexp
