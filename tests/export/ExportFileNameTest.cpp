#include "export/ExportFileName.h"

#include <gtest/gtest.h>

namespace orvexp {
namespace {

TEST(ExportFileName, ByExportType)
{
    struct TCase {
        const char* Name;
        int Type;
        TDateTime Start, End;
        const char* FileName; // UTF-8
    };
    const TDateTime april1 = EncodeDate(2024, 4, 1);
    const TDateTime april30 = EncodeDate(2024, 4, 30);
    const TCase cases[] = {
        {"CsvSchedules", 0, april1, april30, "2024年04月01日～2024年04月30日の予定.csv"},
        {"CsvMemos", 1, april1, april30, "2024年04月01日～2024年04月30日のメモ.csv"},
        {"CsvBoth", 2, april1, april30, "2024年04月01日～2024年04月30日の予定とメモ.csv"},
        {"HtmlSchedules", 3, april1, april30, "2024年04月01日～2024年04月30日の予定.html"},
        {"HtmlMemosAcrossYears", 4, EncodeDate(2024, 12, 25), EncodeDate(2025, 1, 5),
         "2024年12月25日～2025年01月05日のメモ.html"},
        {"HtmlBothOneDay", 5, april1, april1, "2024年04月01日～2024年04月01日の予定とメモ.html"},
        {"IcsHasBoth", 6, april1, april30, "2024年04月01日～2024年04月30日の予定とメモ.ics"},
        {"TypeSevenHasNone", 7, april1, april30, ""},
        {"NegativeTypeHasNone", -1, april1, april30, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(DefaultExportFileName(static_cast<TExportType>(c.Type), c.Start, c.End), c.FileName);
    }
}

TEST(ExportFileName, TildeIsFullwidthTilde)
{
    // U+FF5E in UTF-8, the Unicode form of Shift_JIS 81 60 (not U+301C WAVE DASH).
    const std::string name = DefaultExportFileName(etCsvSchedules, EncodeDate(2024, 4, 1), EncodeDate(2024, 4, 30));
    EXPECT_NE(name.find("\xE6\x97\xA5\xEF\xBD\x9E" "2024"), std::string::npos);
}

} // namespace
} // namespace orvexp
