#include "platform/Text.h"

#include <cerrno>
#include <iconv.h>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace orvexp {

namespace {

struct TIconvCloser {
    void operator()(void* handle) const { ::iconv_close(static_cast<iconv_t>(handle)); }
};
using TIconv = std::unique_ptr<void, TIconvCloser>;

TIconv OpenConverter(const char* to, const char* from)
{
    const iconv_t handle = ::iconv_open(to, from);
    if (handle == reinterpret_cast<iconv_t>(-1)) return nullptr;
    return TIconv(handle);
}

std::size_t Utf8SequenceLength(unsigned char lead)
{
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    if ((lead & 0xF8) == 0xF0) return 4;
    return 1;
}

} // namespace

std::string_view TrimView(std::string_view text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= 0x20) ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 0x20) --end;
    return text.substr(begin, end - begin);
}

std::string Trim(std::string_view text)
{
    return std::string(TrimView(text));
}

TCp932ToUtf8::TCp932ToUtf8() : Handle(OpenConverter("UTF-8", "CP932").release()) {}

TCp932ToUtf8::~TCp932ToUtf8()
{
    if (Handle) ::iconv_close(static_cast<iconv_t>(Handle));
}

void TCp932ToUtf8::Append(std::string_view text, std::string& out)
{
    // CP932 keeps ASCII as it is, so most short texts need no converter.
    if (!Handle || std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        out.append(text);
        return;
    }
    ::iconv(static_cast<iconv_t>(Handle), nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    char buffer[4096];
    while (inLeft > 0) {
        char* put = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t rc = ::iconv(static_cast<iconv_t>(Handle), &in, &inLeft, &put, &outLeft);
        out.append(buffer, static_cast<std::size_t>(put - buffer));
        if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // A byte that starts no CP932 character: one replacement, then go on.
            // A lead byte takes its second byte with it only when that byte can
            // be one, so a CR LF after a broken character stays a line break.
            out.append("\xEF\xBF\xBD");
            const auto second = inLeft >= 2 ? static_cast<unsigned char>(in[1]) : 0;
            const bool pair = IsSjisLeadByte(static_cast<unsigned char>(*in)) && second >= 0x40 && second != 0x7F &&
                              second <= 0xFC;
            const std::size_t skip = pair ? 2 : 1;
            in += skip;
            inLeft -= skip;
        }
    }
}

std::string Cp932ToUtf8(std::string_view text)
{
    std::string result;
    result.reserve(text.size() * 3 / 2);
    TCp932ToUtf8 converter;
    converter.Append(text, result);
    return result;
}

bool Utf8ToCp932(std::string_view text, std::string& result)
{
    bool clean = true;
    result.clear();
    // Convert character by character so that one bad character costs one "?".
    TIconv converter = OpenConverter("CP932", "UTF-8");
    if (!converter) {
        result.assign(text);
        return false;
    }
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t length = std::min(Utf8SequenceLength(static_cast<unsigned char>(text[pos])), text.size() - pos);
        char* in = const_cast<char*>(text.data() + pos);
        std::size_t inLeft = length;
        char buffer[8];
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t rc = ::iconv(static_cast<iconv_t>(converter.get()), &in, &inLeft, &out, &outLeft);
        if (rc == static_cast<std::size_t>(-1)) {
            ::iconv(static_cast<iconv_t>(converter.get()), nullptr, nullptr, nullptr, nullptr);
            result.push_back('?');
            clean = false;
        } else {
            result.append(buffer, static_cast<std::size_t>(out - buffer));
        }
        pos += length;
    }
    return clean;
}

std::string Utf8ToCp932(std::string_view text)
{
    std::string result;
    Utf8ToCp932(text, result);
    return result;
}

std::string AsciiLowerText(std::string_view text)
{
    std::string lowered(text);
    for (char& c : lowered) c = AsciiLower(c);
    return lowered;
}

bool SameTextIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    }
    return true;
}

std::vector<std::string> SplitText(std::string_view text, char separator)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t next = text.find(separator, start);
        if (next == std::string_view::npos) {
            parts.emplace_back(text.substr(start));
            return parts;
        }
        parts.emplace_back(text.substr(start, next - start));
        start = next + 1;
    }
}

} // namespace orvexp
