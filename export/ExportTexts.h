#pragma once
// The export's own Shift_JIS texts, as bytes. The output file is Shift_JIS, so
// these go into it unchanged.

namespace orvexp::sjis {

inline constexpr char kDateCaption[] = "\x93\xFA\x95\x74";     // 日付
inline constexpr char kScheduleCaption[] = "\x97\x5C\x92\xE8"; // 予定
inline constexpr char kMemoCaption[] = "\x83\x81\x83\x82";     // メモ

// The Japanese locale's abbreviated weekday names, Sunday first.
inline constexpr const char* kWeekdayNames[7] = {
    "\x93\xFA", // 日
    "\x8C\x8E", // 月
    "\x89\xCE", // 火
    "\x90\x85", // 水
    "\x96\xD8", // 木
    "\x8B\xE0", // 金
    "\x93\x79", // 土
};

inline constexpr char kScheduleSuffix[] = "\x82\xCC\x97\x5C\x92\xE8";                         // の予定
inline constexpr char kMemoSuffix[] = "\x82\xCC\x83\x81\x83\x82";                             // のメモ
inline constexpr char kScheduleAndMemoSuffix[] = "\x82\xCC\x97\x5C\x92\xE8\x82\xC6\x83\x81\x83\x82"; // の予定とメモ
inline constexpr char kWaveDash[] = "\x81\x60";                                               // ～ (U+FF5E)

} // namespace orvexp::sjis
