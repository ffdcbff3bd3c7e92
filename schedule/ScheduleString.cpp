#include "schedule/ScheduleString.h"

namespace orvexp {

std::string ReadScheduleString(TByteReader& stream, const char* what)
{
    std::string text;
    ReadScheduleString(stream, what, text);
    return text;
}

void ReadScheduleString(TByteReader& stream, const char* what, std::string& text)
{
    const std::int32_t length = stream.ReadI32(what);
    if (length < 0) stream.Fail(std::string(what) + "の長さ " + std::to_string(length) + " が負です");
    // The text and its terminator must both be there.
    if (static_cast<std::size_t>(length) >= stream.Remaining()) {
        stream.Fail(std::string(what) + "の長さ " + std::to_string(length) + " が残りの " +
                    std::to_string(stream.Remaining()) + " バイトを超えています");
    }
    text.assign(stream.ReadView(static_cast<std::size_t>(length), what));
    stream.ReadU8(what);
}

void WriteScheduleString(TByteWriter& stream, std::string_view text)
{
    const std::size_t zero = text.find('\0');
    if (zero != std::string_view::npos) text = text.substr(0, zero);
    stream.WriteI32(static_cast<std::int32_t>(text.size()));
    stream.WriteText(text);
    stream.WriteU8(0);
}

} // namespace orvexp
