#pragma once
// What the HTML page is written with besides the data: its seven colours (as
// the settings file stores them) and whether the data's texts are escaped.

#include <cstdint>

namespace orvexp {

// Colours of the HTML page as the settings file stores them: 0x00BBGGRR.
// The defaults are the settings file's: black text, white cells, the date
// column light grey.
struct THtmlColors {
    static constexpr std::int32_t kWhite = 16777215;         // 0xFFFFFF
    static constexpr std::int32_t kDateBkDefault = 15461355; // 0xEBEBEB
    std::int32_t TimeColor = 0;
    std::int32_t ScheduleColor = 0;
    std::int32_t MemoColor = 0;
    std::int32_t DateBkColor = kDateBkDefault;
    std::int32_t TimeBkColor = kWhite;
    std::int32_t ScheduleBkColor = kWhite;
    std::int32_t MemoBkColor = kWhite;
};

struct THtmlOptions {
    THtmlColors Colors;
    bool EscapeHtml = false; // &, <, >, " in the data's texts written as references
};

} // namespace orvexp
