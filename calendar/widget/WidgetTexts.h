#pragma once
// The calendar control's own Shift_JIS texts, as bytes.

namespace orvexp::sjis {

inline constexpr char kScheduleSign[] = "\x81\xA1"; // ■
inline constexpr char kMemoSign[] = "\x81\xA0";     // □

// The Japanese locale's short weekday names, Sunday first.
inline constexpr const char* kShortDayNames[7] = {
    "\x93\xFA", // 日
    "\x8C\x8E", // 月
    "\x89\xCE", // 火
    "\x90\x85", // 水
    "\x96\xD8", // 木
    "\x8B\xE0", // 金
    "\x93\x79", // 土
};

} // namespace orvexp::sjis
