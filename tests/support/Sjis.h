#pragma once
// Shift_JIS bytes of a UTF-8 literal, so that expectations read as text.

#include <string>

#include "platform/Text.h"

namespace orvexp::test {

inline std::string Sjis(const std::string& utf8)
{
    return Utf8ToCp932(utf8);
}

} // namespace orvexp::test
