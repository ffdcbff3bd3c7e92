#include "export/IcsProperty.h"

#include <libical/ical.h>

#include <string_view>

namespace orvexp {

// libical 3.0 folds the line's own CR LF as if it were text: when the last
// piece fills a line exactly, it ends in CR, a fold and a lone LF (or in an
// empty folded piece). Unfolding either gives the plain CR LF, which is what
// is written instead.
void AppendIcsProperty(std::string& out, icalproperty* property)
{
    char* text = icalproperty_as_ical_string_r(property);
    std::string_view line = text ? text : "";
    constexpr std::string_view kSplitEnd = "\r\r\n \n", kEmptyPiece = "\r\n \r\n";
    if (line.ends_with(kSplitEnd)) {
        line.remove_suffix(kSplitEnd.size());
    } else if (line.ends_with(kEmptyPiece)) {
        line.remove_suffix(kEmptyPiece.size());
    }
    out += line;
    if (!line.ends_with("\r\n")) out += "\r\n";
    icalmemory_free_buffer(text);
}

} // namespace orvexp
