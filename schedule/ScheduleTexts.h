#pragma once
// The schedule component's own Shift_JIS texts, as bytes.

namespace orvexp::sjis {

inline constexpr char kEveryDay[] = "\x96\x88\x93\xFA";         // 毎日
inline constexpr char kStartup[] = "\x8B\x4E\x93\xAE\x8E\x9E";  // 起動時

} // namespace orvexp::sjis
