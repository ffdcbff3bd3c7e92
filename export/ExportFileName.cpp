#include "export/ExportFileName.h"

#include <cstdio>

namespace orvexp {

namespace {

// yyyy年mm月dd日 in UTF-8, the text a Linux file system shows its user.
std::string JapaneseDate(TDateTime date)
{
    const TDateParts parts = DecodeDate(date);
    char text[64];
    std::snprintf(text, sizeof text, "%04d\xE5\xB9\xB4%02u\xE6\x9C\x88%02u\xE6\x97\xA5", parts.Year, parts.Month,
                  parts.Day); // 年 月 日
    return text;
}

} // namespace

std::string DefaultExportFileName(TExportType exportType, TDateTime start, TDateTime end)
{
    if (!IsExportType(exportType)) return {};
    const char* suffix = nullptr;
    if (!HasMemos(exportType)) {
        suffix = "\xE3\x81\xAE\xE4\xBA\x88\xE5\xAE\x9A"; // の予定
    } else if (!HasSchedules(exportType)) {
        suffix = "\xE3\x81\xAE\xE3\x83\xA1\xE3\x83\xA2"; // のメモ
    } else {
        suffix = "\xE3\x81\xAE\xE4\xBA\x88\xE5\xAE\x9A\xE3\x81\xA8\xE3\x83\xA1\xE3\x83\xA2"; // の予定とメモ
    }
    // "～" is U+FF5E (FULLWIDTH TILDE), the Unicode form of Shift_JIS 81 60.
    return JapaneseDate(start) + "\xEF\xBD\x9E" + JapaneseDate(end) + suffix + FileExtension(exportType);
}

} // namespace orvexp
