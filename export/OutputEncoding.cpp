#include "export/OutputEncoding.h"

#include "platform/Text.h"

namespace orvexp {

std::string_view OutputPreamble(TOutputEncoding encoding, bool csv)
{
    return encoding == oeUtf8 && csv ? kUtf8ByteOrderMark : std::string_view();
}

std::string EncodeOutputPart(std::string_view part, TOutputEncoding encoding)
{
    return encoding == oeUtf8 ? Cp932ToUtf8(part) : std::string(part);
}

} // namespace orvexp
