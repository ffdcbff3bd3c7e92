#include "export/HtmlEscape.h"

namespace orvexp {

void AppendHtmlText(std::string& out, std::string_view text, bool escape)
{
    if (!escape) {
        out += text;
        return;
    }
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::string_view reference;
        switch (text[i]) {
        case '&': reference = "&amp;"; break;
        case '<': reference = "&lt;"; break;
        case '>': reference = "&gt;"; break;
        case '"': reference = "&quot;"; break;
        default: continue;
        }
        out.append(text, start, i - start);
        out += reference;
        start = i + 1;
    }
    out.append(text, start, std::string_view::npos);
}

} // namespace orvexp
