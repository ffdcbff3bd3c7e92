#include "calendar/widget/TextFit.h"

#include "platform/Text.h"

namespace orvexp {

namespace {

constexpr std::string_view kEllipsis = "...";

} // namespace

std::vector<std::size_t> SjisCharStarts(std::string_view text)
{
    std::vector<std::size_t> starts;
    std::size_t i = 0;
    while (i < text.size()) {
        starts.push_back(i);
        const bool pair = IsSjisLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
        i += pair ? 2 : 1;
    }
    return starts;
}

std::string FitLine(std::string_view line, int width, const TTextMeasure& measure)
{
    if (measure(line) <= width) return std::string(line);

    const std::vector<std::size_t> starts = SjisCharStarts(line);
    const auto shortened = [&](std::size_t keptChars) {
        std::string text(line.substr(0, keptChars < starts.size() ? starts[keptChars] : line.size()));
        text += kEllipsis;
        return text;
    };
    // Cutting characters from the end until the rest fits finds the longest
    // fitting prefix; widths grow with the prefix, so a binary search finds the same.
    std::size_t low = 0;              // fewest characters tried
    std::size_t high = starts.size(); // the whole line did not fit
    if (measure(shortened(0)) > width) return std::string(kEllipsis);
    while (high - low > 1) {
        const std::size_t middle = low + (high - low) / 2;
        if (measure(shortened(middle)) <= width) low = middle;
        else high = middle;
    }
    return shortened(low);
}

std::vector<std::string> SplitLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t begin = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.emplace_back(text.substr(begin, i - begin));
            i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2u : 1u;
            begin = i;
        } else {
            ++i;
        }
    }
    if (begin < text.size()) lines.emplace_back(text.substr(begin));
    return lines;
}

std::string FitText(std::string_view text, int width, const TTextMeasure& measure)
{
    std::string result;
    for (const std::string& line : SplitLines(text)) {
        result += FitLine(line, width, measure);
        result += "\r\n";
    }
    return result;
}

} // namespace orvexp
