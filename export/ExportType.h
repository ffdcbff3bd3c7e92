#pragma once
// The export types: the line chosen on the wizard's first page (its index is
// the type's number) and `orvexp export --type`. Callers ask the questions
// below instead of comparing numbers.

#include <cstdint>
#include <optional>
#include <string_view>

namespace orvexp {

enum TExportType : std::uint8_t {
    etCsvSchedules = 0,
    etCsvMemos = 1,
    etCsvBoth = 2,
    etHtmlSchedules = 3,
    etHtmlMemos = 4,
    etHtmlBoth = 5,
    etIcs = 6, // iCalendar: the schedule and the memos for calendar programs
};

// Every type, in the order of its number.
inline constexpr TExportType kExportTypes[] = {etCsvSchedules,  etCsvMemos,  etCsvBoth, etHtmlSchedules,
                                               etHtmlMemos,     etHtmlBoth, etIcs};

// The type of a number; none for a number that names no type.
std::optional<TExportType> ExportTypeOfNumber(int number);
// The type of a `--type` value: its number or its command-line name; none otherwise.
std::optional<TExportType> ExportTypeOfName(std::string_view text);

// False for a value that names no type (only a cast can make one).
bool IsExportType(TExportType type);
bool IsCsvType(TExportType type);
bool IsHtmlType(TExportType type);
bool IsIcsType(TExportType type);
// Whether the type's output holds the schedule entries, the memos.
bool HasSchedules(TExportType type);
bool HasMemos(TExportType type);

// ".csv", ".html" or ".ics"; "" for a value that names no type.
const char* FileExtension(TExportType type);
// "csv-schedules" ... "html-both", "ics"; "" for a value that names no type.
const char* CommandLineName(TExportType type);

} // namespace orvexp
