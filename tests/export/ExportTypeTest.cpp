#include "export/ExportType.h"

#include <gtest/gtest.h>

namespace orvexp {
namespace {

TEST(ExportType, AnswersByNumberAndName)
{
    struct TCase {
        int Number;
        const char* Name;
        bool Csv, Html, Ics, Schedules, Memos;
        const char* Extension;
    };
    const TCase cases[] = {
        {0, "csv-schedules", true, false, false, true, false, ".csv"},
        {1, "csv-memos", true, false, false, false, true, ".csv"},
        {2, "csv-both", true, false, false, true, true, ".csv"},
        {3, "html-schedules", false, true, false, true, false, ".html"},
        {4, "html-memos", false, true, false, false, true, ".html"},
        {5, "html-both", false, true, false, true, true, ".html"},
        {6, "ics", false, false, true, true, true, ".ics"},
    };
    ASSERT_EQ(std::size(cases), std::size(kExportTypes));
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const std::optional<TExportType> type = ExportTypeOfNumber(c.Number);
        ASSERT_TRUE(type.has_value());
        EXPECT_EQ(ExportTypeOfName(c.Name), type);
        EXPECT_EQ(ExportTypeOfName(std::to_string(c.Number)), type);
        EXPECT_STREQ(CommandLineName(*type), c.Name);
        EXPECT_EQ(IsCsvType(*type), c.Csv);
        EXPECT_EQ(IsHtmlType(*type), c.Html);
        EXPECT_EQ(IsIcsType(*type), c.Ics);
        EXPECT_EQ(HasSchedules(*type), c.Schedules);
        EXPECT_EQ(HasMemos(*type), c.Memos);
        EXPECT_STREQ(FileExtension(*type), c.Extension);
    }
    // No number or name outside the list names a type, nor does a cast value answer yes.
    for (const char* text : {"", "-1", "7", "CSV-BOTH", "ICS", "ical", " 0"}) EXPECT_FALSE(ExportTypeOfName(text)) << text;
    EXPECT_FALSE(ExportTypeOfNumber(-1));
    const auto stray = static_cast<TExportType>(200);
    EXPECT_FALSE(IsExportType(stray) || IsCsvType(stray) || IsHtmlType(stray) || IsIcsType(stray) || HasMemos(stray));
    EXPECT_STREQ(FileExtension(stray), "");
}

} // namespace
} // namespace orvexp
