#pragma once
// The line of a text property whose value is a plain token (ASCII letters,
// digits, '-', '.', '@'), as UIDs are, without a libical call per token:
// libical escapes none of these characters, and whether it folds a line
// depends on the line's length and on characters no token has. So its line
// of one token holds any other token of the same length in the same place,
// and libical's line of the first token of each length is reused with the
// token swapped. Lines that fold, and values that are no plain token, are
// libical's each time.

#include <string>
#include <string_view>
#include <vector>

struct icalproperty_impl;

namespace orvexp {

class TIcsTokenLine {
public:
    // Sets the property's value, as icalproperty_set_uid does.
    using TSetValue = void (*)(icalproperty_impl*, const char*);

    // `property` is the composer's; it is set anew for each line made by libical.
    TIcsTokenLine(icalproperty_impl* property, TSetValue setValue);

    void Append(std::string& out, std::string_view token);

private:
    struct TTemplate {
        std::string Line;         // empty until the first token of this length
        std::size_t At = 0;       // where the token stands in Line
        bool Usable = false;      // false: the line folds, libical makes each one
    };

    void AppendByLibical(std::string& out, std::string_view token);

    icalproperty_impl* Property;
    TSetValue SetValue;
    std::vector<TTemplate> ByLength;
    std::string Value; // the token as a C string, its room reused
};

// True for a plain token: ASCII letters, digits, '-', '.', '@', not empty.
bool IsIcsPlainToken(std::string_view token);

} // namespace orvexp
