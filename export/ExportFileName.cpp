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

std::string DefaultExportFileName(int exportType, TDateTime start, TDateTime end)
{
    const char* suffix = nullptr;
    switch (exportType) {
    case 0:
    case 3: suffix = "\xE3\x81\xAE\xE4\xBA\x88\xE5\xAE\x9A"; break; // の予定
    case 1:
    case 4: suffix = "\xE3\x81\xAE\xE3\x83\xA1\xE3\x83\xA2"; break; // のメモ
    case 2:
    case 5: suffix = "\xE3\x81\xAE\xE4\xBA\x88\xE5\xAE\x9A\xE3\x81\xA8\xE3\x83\xA1\xE3\x83\xA2"; break; // の予定とメモ
    default: return {};
    }
    const char* extension = exportType <= 2 ? ".csv" : ".html";
    // "～" is U+FF5E (FULLWIDTH TILDE), the Unicode form of Shift_JIS 81 60.
    return JapaneseDate(start) + "\xEF\xBD\x9E" + JapaneseDate(end) + suffix + extension;
}

} // namespace orvexp
