#pragma once
// The generator writes its Japanese texts in UTF-8 and stores them as
// Shift_JIS; a character without a Shift_JIS form is a mistake in the sample.

#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/Text.h"

namespace orvexp::sample {

inline std::string Sjis(std::string_view utf8)
{
    std::string bytes;
    if (!Utf8ToCp932(utf8, bytes)) throw std::logic_error("sample text has no Shift_JIS form: " + std::string(utf8));
    return bytes;
}

} // namespace orvexp::sample
