#include "export/ExportType.h"

#include <gtest/gtest.h>

#include "export/ExportFileName.h"
#include "platform/DateTime.h"

namespace orvexp {
namespace {

// Every type the code names is found by its name and its number, is of one
// kind, writes something, and proposes a file of its kind; nothing else
// names a type, nor does a stray value answer yes.
TEST(ExportType, EveryTypeIsFoundAndProposesItsFile)
{
    const TDateTime day = EncodeDate(2026, 12, 8);
    for (const TExportType type : kExportTypes) {
        SCOPED_TRACE(CommandLineName(type));
        EXPECT_EQ(ExportTypeOfName(CommandLineName(type)), type);
        EXPECT_EQ(ExportTypeOfName(std::to_string(type)), type);
        EXPECT_EQ(ExportTypeOfNumber(type), type);
        EXPECT_EQ(int{IsCsvType(type)} + int{IsHtmlType(type)} + int{IsIcsType(type)}, 1);
        EXPECT_TRUE(HasSchedules(type) || HasMemos(type));
        EXPECT_TRUE(DefaultExportFileName(type, day, day).ends_with(FileExtension(type)));
    }
    for (const char* text : {"", "-1", "7", "CSV-BOTH", "ICS", "ical", " 0"}) EXPECT_FALSE(ExportTypeOfName(text)) << text;
    EXPECT_FALSE(ExportTypeOfNumber(-1));
    const auto stray = static_cast<TExportType>(200);
    EXPECT_FALSE(IsExportType(stray) || IsCsvType(stray) || IsHtmlType(stray) || IsIcsType(stray) || HasMemos(stray));
    EXPECT_STREQ(FileExtension(stray), "");
}

} // namespace
} // namespace orvexp
