#pragma once
// The calendar control's own Shift_JIS texts, as bytes.

namespace orvexp::sjis {

inline constexpr char kScheduleSign[] = "\x81\xA1"; // ■
inline constexpr char kMemoSign[] = "\x81\xA0";     // □


} // namespace orvexp::sjis
