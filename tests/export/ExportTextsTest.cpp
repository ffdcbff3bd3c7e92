#include "calendar/CalendarTexts.h"
#include "export/ExportTexts.h"

#include <gtest/gtest.h>

#include "platform/Text.h"

namespace orvexp {
namespace {

TEST(ExportTexts, MatchTheConverter)
{
    struct TCase {
        const char* Utf8;
        const char* Bytes;
    };
    const TCase cases[] = {
        {"日付", sjis::kDateCaption},
        {"予定", sjis::kScheduleCaption},
        {"メモ", sjis::kMemoCaption},
        {"日", sjis::kWeekdayNames[0]},
        {"月", sjis::kWeekdayNames[1]},
        {"火", sjis::kWeekdayNames[2]},
        {"水", sjis::kWeekdayNames[3]},
        {"木", sjis::kWeekdayNames[4]},
        {"金", sjis::kWeekdayNames[5]},
        {"土", sjis::kWeekdayNames[6]},
        {"の予定", sjis::kScheduleSuffix},
        {"のメモ", sjis::kMemoSuffix},
        {"の予定とメモ", sjis::kScheduleAndMemoSuffix},
        {"\xEF\xBD\x9E", sjis::kWaveDash}, // ～ U+FF5E
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Utf8);
        std::string converted;
        ASSERT_TRUE(Utf8ToCp932(c.Utf8, converted));
        EXPECT_EQ(converted, c.Bytes);
    }
    EXPECT_EQ(std::string(sjis::kWaveDash), "\x81\x60");
}

} // namespace
} // namespace orvexp
