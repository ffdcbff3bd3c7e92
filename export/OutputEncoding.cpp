#include "export/OutputEncoding.h"


namespace orvexp {

std::string_view OutputPreamble(TOutputEncoding encoding, bool csv)
{
    return encoding == oeUtf8 && csv ? kUtf8ByteOrderMark : std::string_view();
}


} // namespace orvexp
