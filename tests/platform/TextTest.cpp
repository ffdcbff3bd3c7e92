#include <gtest/gtest.h>
#include <iconv.h>

#include <cerrno>
#include <random>
#include <string>

#include "platform/Text.h"

namespace orvexp {
namespace {

TEST(Text, TrimRemovesControlBytesAndBlanksAtBothEnds)
{
    EXPECT_EQ(Trim(std::string("\0\t a b \r\n\x1F", 9)), "a b");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(Trim(""), "");
    // The full-width space (81 40) is no blank byte.
    EXPECT_EQ(Trim("\x81\x40x\x81\x40"), "\x81\x40x\x81\x40");
}

TEST(Text, ConvertsBetweenCp932AndUtf8)
{
    EXPECT_EQ(Cp932ToUtf8("\x93\xFA\x95\x74"), "日付");
    EXPECT_EQ(Cp932ToUtf8("\x83\x5C\x95\x5C"), "ソ表");      // second bytes 0x5C stay inside the characters
    EXPECT_EQ(Cp932ToUtf8("\x81\x60"), "～");                // U+FF5E, the wave dash of code page 932
    EXPECT_EQ(Cp932ToUtf8("a\xA0" "b"), "a\xEF\xBF\xBD" "b"); // no character: one replacement
    EXPECT_EQ(Cp932ToUtf8("abc\x93"), "abc\xEF\xBF\xBD");     // cut inside a character
    EXPECT_EQ(Cp932ToUtf8("a\x93\r\nb"), "a\xEF\xBF\xBD\r\nb"); // the line break after it stays
    // ASCII as it is, backslash and tilde too, with and without other characters.
    EXPECT_EQ(Cp932ToUtf8("a\\b~\x01"), "a\\b~\x01");
    EXPECT_EQ(Cp932ToUtf8("\x93\xFA\\~\x01"), "日\\~\x01");
    // A converter kept open starts each text afresh, after a cut character too.
    TCp932ToUtf8 converter;
    std::string appended = "<";
    for (const char* text : {"abc\x93", "\x93\xFA", "x\\", "\x81\x60"}) converter.Append(text, appended);
    EXPECT_EQ(appended, "<abc\xEF\xBF\xBD" "日x\\～");
    EXPECT_EQ(Utf8ToCp932("2024年04月01日～"), "2024\x94\x4E" "04\x8C\x8E" "01\x93\xFA\x81\x60");
    std::string result;
    EXPECT_FALSE(Utf8ToCp932("a\xF0\x9F\x98\x80" "b", result)); // no code page 932 form
    EXPECT_EQ(result, "a?b");
}

TEST(Text, SplitKeepsEmptyEntries)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(SplitText("1,2,text", ','), (V{"1", "2", "text"}));
    EXPECT_EQ(SplitText("a,,b,", ','), (V{"a", "", "b", ""}));
    EXPECT_EQ(SplitText("", ','), (V{""}));
}

TEST(Text, AsciiCaseFoldingLeavesOtherBytes)
{
    EXPECT_EQ(AsciiLowerText("Memo/ABC.TXT az@[`{"), "memo/abc.txt az@[`{");
    EXPECT_EQ(AsciiLowerText("\x93\xFA\xC4"), "\x93\xFA\xC4"); // bytes from 0x80 stay
    EXPECT_TRUE(SameTextIgnoringAsciiCase("OPEN", "open"));
    EXPECT_TRUE(SameTextIgnoringAsciiCase("", ""));
    EXPECT_FALSE(SameTextIgnoringAsciiCase("open", "opens"));
    EXPECT_FALSE(SameTextIgnoringAsciiCase("@", "`")); // 0x40 and 0x60 differ by the case bit only
}


} // namespace
} // namespace orvexp
