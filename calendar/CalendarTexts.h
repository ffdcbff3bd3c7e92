#pragma once
// The calendar's own Shift_JIS texts, as bytes.

namespace orvexp::sjis {

inline constexpr char kVernalEquinoxDay[] = "\x8F\x74\x95\xAA\x82\xCC\x93\xFA";   // 春分の日
inline constexpr char kAutumnalEquinoxDay[] = "\x8F\x48\x95\xAA\x82\xCC\x93\xFA"; // 秋分の日
inline constexpr char kSubstituteHoliday[] = "\x90\x55\x91\xD6\x8B\x78\x93\xFA";  // 振替休日

// The Japanese locale's abbreviated weekday names (the HTML page, the calendar control), Sunday first.
inline constexpr const char* kWeekdayNames[7] = {
    "\x93\xFA", // 日
    "\x8C\x8E", // 月
    "\x89\xCE", // 火
    "\x90\x85", // 水
    "\x96\xD8", // 木
    "\x8B\xE0", // 金
    "\x93\x79", // 土
};

} // namespace orvexp::sjis
