#include "export/CommaTxt.h"

#include <algorithm>

namespace orvexp {

namespace {

constexpr std::size_t kBufferStep = 4096;

bool NeedsQuoting(std::string_view field, const TQuoteTriggers& quoteTriggers)
{
    return std::any_of(field.begin(), field.end(), [&](char c) {
        return c == '"' || quoteTriggers.test(static_cast<unsigned char>(c));
    });
}

// Appends the field, quoted when it must be.
void AppendField(std::string& line, std::string_view field, const TQuoteTriggers& quoteTriggers)
{
    if (!NeedsQuoting(field, quoteTriggers)) {
        line.append(field);
        return;
    }
    line.push_back('"');
    // The runs between double quotes whole, each quote doubled.
    for (std::size_t start = 0;;) {
        const std::size_t quote = field.find('"', start);
        if (quote == std::string_view::npos) {
            line.append(field.substr(start));
            break;
        }
        line.append(field.substr(start, quote + 1 - start));
        line.push_back('"');
        start = quote + 1;
    }
    line.push_back('"');
}

// The line's final length is known before anything is copied, so the buffer
// is sized once, in whole 4096-byte steps.
std::size_t JoinedLength(std::span<const std::string_view> fields, const TQuoteTriggers& quoteTriggers)
{
    std::size_t length = 0;
    for (const std::string_view field : fields) {
        length += field.size() + 1;
        if (NeedsQuoting(field, quoteTriggers)) length += 2 + static_cast<std::size_t>(std::count(field.begin(), field.end(), '"'));
    }
    return length;
}

} // namespace

std::string QuoteField(std::string_view text)
{
    std::string quoted;
    quoted.reserve(text.size() + 2);
    quoted.push_back('"');
    for (const char c : text) {
        if (c == '"') quoted.push_back('"');
        quoted.push_back(c);
    }
    quoted.push_back('"');
    return quoted;
}

std::string JoinFields(std::span<const std::string_view> fields, char separator, const TQuoteTriggers& quoteTriggers)
{
    std::string line;
    if (fields.empty()) return line;
    const std::size_t length = JoinedLength(fields, quoteTriggers);
    line.reserve((length + kBufferStep - 1) / kBufferStep * kBufferStep);
    AppendJoinedFields(line, fields, separator, quoteTriggers);
    return line;
}

void AppendJoinedFields(std::string& line, std::span<const std::string_view> fields, char separator,
                        const TQuoteTriggers& quoteTriggers)
{
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) line.push_back(separator);
        AppendField(line, fields[i], quoteTriggers);
    }
}

std::string JoinFields(const std::vector<std::string>& fields, char separator, const TQuoteTriggers& quoteTriggers)
{
    std::vector<std::string_view> views(fields.begin(), fields.end());
    return JoinFields(std::span<const std::string_view>(views), separator, quoteTriggers);
}

} // namespace orvexp
