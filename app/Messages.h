#pragma once
// The messages that the wizard and the command line both give (UTF-8).

namespace orvexp::msg {

inline constexpr char kNoScheduleFile[] = "Orvanelの予定ファイル(schedule.dat)を指定してください。";
inline constexpr char kScheduleFileNotOpened[] = "Orvanelの予定ファイルが開けませんでした。";
inline constexpr char kEndBeforeStart[] = "開始日は最終日と同じかそれ以前の日付を指定してください。";
inline constexpr char kNoExportFile[] = "出力ファイルを指定してください。";

} // namespace orvexp::msg
