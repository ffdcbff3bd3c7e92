// Hostile memo files: the bytes of one day's memo split into lines. The lines
// hold no break or NUL bytes, and put back together with the breaks they came
// from they give the text before the first NUL again.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "data/MemoStore.h"
#include "tools/fuzz/FuzzCheck.h"

using namespace orvexp;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = SplitMemoLines(bytes);

    std::string_view text = bytes.substr(0, bytes.find('\0'));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        ORVEXP_FUZZ_CHECK(line.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos);
        // The line is the next piece of the text, followed by one break (CR LF,
        // CR or LF) unless it is the last piece and the text ends without one.
        ORVEXP_FUZZ_CHECK(text.substr(0, line.size()) == line);
        text.remove_prefix(line.size());
        if (text.empty()) {
            ORVEXP_FUZZ_CHECK(i + 1 == lines.size() && !line.empty());
            break;
        }
        if (text.substr(0, 2) == "\r\n") {
            text.remove_prefix(2);
        } else {
            ORVEXP_FUZZ_CHECK(text.front() == '\r' || text.front() == '\n');
            text.remove_prefix(1);
        }
    }
    ORVEXP_FUZZ_CHECK(text.empty());
    return 0;
}
