#pragma once
// The calendar's own Shift_JIS texts, as bytes.

namespace orvexp::sjis {

inline constexpr char kVernalEquinoxDay[] = "\x8F\x74\x95\xAA\x82\xCC\x93\xFA";   // 春分の日
inline constexpr char kAutumnalEquinoxDay[] = "\x8F\x48\x95\xAA\x82\xCC\x93\xFA"; // 秋分の日
inline constexpr char kSubstituteHoliday[] = "\x90\x55\x91\xD6\x8B\x78\x93\xFA";  // 振替休日

} // namespace orvexp::sjis
