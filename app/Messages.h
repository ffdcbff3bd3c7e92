#pragma once
// The messages that the wizard and the command line both give (UTF-8).

#include <exception>
#include <string>

namespace orvexp::msg {

inline constexpr char kNoScheduleFile[] = "Orvanelの予定ファイル(schedule.dat)を指定してください。";
inline constexpr char kScheduleFileNotOpened[] = "Orvanelの予定ファイルが開けませんでした。";
inline constexpr char kEndBeforeStart[] = "開始日は最終日と同じかそれ以前の日付を指定してください。";
inline constexpr char kNoExportFile[] = "出力ファイルを指定してください。";

// Why a file could not be read, in Japanese: the system's cause, the damage
// found, or the exception's own text ("Invalid File Header" after a sentence).
std::string FailureCause(const std::exception& failure);

// The schedule file's load failure on one line: kScheduleFileNotOpened, then
// the file and FailureCause in brackets.
std::string ScheduleFileFailureLine(const std::string& path, const std::exception& failure);

// The same for a message box: the message, then the file and the cause on lines of their own.
std::string ScheduleFileFailureText(const std::string& path, const std::exception& failure);

} // namespace orvexp::msg
