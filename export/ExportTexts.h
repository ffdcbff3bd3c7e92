#pragma once
// The export's own Shift_JIS texts, as bytes. The output file is Shift_JIS, so
// these go into it unchanged.

namespace orvexp::sjis {

inline constexpr char kDateCaption[] = "\x93\xFA\x95\x74";     // 日付
inline constexpr char kScheduleCaption[] = "\x97\x5C\x92\xE8"; // 予定
inline constexpr char kMemoCaption[] = "\x83\x81\x83\x82";     // メモ


inline constexpr char kScheduleSuffix[] = "\x82\xCC\x97\x5C\x92\xE8";                         // の予定
inline constexpr char kMemoSuffix[] = "\x82\xCC\x83\x81\x83\x82";                             // のメモ
inline constexpr char kScheduleAndMemoSuffix[] = "\x82\xCC\x97\x5C\x92\xE8\x82\xC6\x83\x81\x83\x82"; // の予定とメモ
inline constexpr char kWaveDash[] = "\x81\x60";                                               // ～ (U+FF5E)

} // namespace orvexp::sjis
