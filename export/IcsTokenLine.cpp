#include "export/IcsTokenLine.h"

#include <cstring>

#include "export/IcsProperty.h"

namespace orvexp {

namespace {

// Longer tokens than this are libical's each time (no UID of ours is).
constexpr std::size_t kMaxTemplateLength = 96;

} // namespace

bool IsIcsPlainToken(std::string_view token)
{
    if (token.empty()) return false;
    for (const char c : token) {
        const bool plain = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-' ||
                           c == '.' || c == '@';
        if (!plain) return false;
    }
    return true;
}

TIcsTokenLine::TIcsTokenLine(icalproperty_impl* property, TSetValue setValue)
    : Property(property), SetValue(setValue), ByLength(kMaxTemplateLength + 1)
{
}

void TIcsTokenLine::AppendByLibical(std::string& out, std::string_view token)
{
    Value.assign(token);
    SetValue(Property, Value.c_str());
    AppendIcsProperty(out, Property);
}

void TIcsTokenLine::Append(std::string& out, std::string_view token)
{
    if (token.size() > kMaxTemplateLength || !IsIcsPlainToken(token)) {
        AppendByLibical(out, token);
        return;
    }
    TTemplate& made = ByLength[token.size()];
    if (made.Line.empty()) {
        AppendByLibical(made.Line, token);
        // Usable only when the line is one unfolded line ending in the token.
        const std::string_view line = made.Line;
        const std::size_t at = line.size() >= token.size() + 2 ? line.size() - token.size() - 2 : 0;
        made.Usable = line.ends_with("\r\n") && line.find("\r\n") == line.size() - 2 && at > 0 &&
                      line.substr(at, token.size()) == token;
        made.At = at;
        out += made.Line;
        return;
    }
    if (!made.Usable) {
        AppendByLibical(out, token);
        return;
    }
    const std::size_t start = out.size();
    out += made.Line;
    std::memcpy(out.data() + start + made.At, token.data(), token.size());
}

} // namespace orvexp
