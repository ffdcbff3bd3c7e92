#include "export/CommaTxt.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvexp {
namespace {

struct TJoinCase {
    const char* Name;
    std::vector<std::string> Fields;
    std::string Expected;
};

std::string Repeat(char c, std::size_t n)
{
    return std::string(n, c);
}

TEST(CommaTxt, JoinFieldsWithCsvTriggers)
{
    const std::vector<TJoinCase> cases = {
        {"EmptyFieldsNeverQuoted", {"1999/04/10", "", ""}, "1999/04/10,,"},
        {"PlainFieldsBare", {"1999/04/10", "09:00", "abc"}, "1999/04/10,09:00,abc"},
        {"SpaceQuoted", {"a b"}, "\x22" "a b\x22"},
        {"LeadingAndTrailingSpacesKept", {" a ", "x"}, "\" a \",x"},
        {"CommaQuoted", {"a,b", "c"}, "\"a,b\",c"},
        {"CrLfInsideQuotedUnchanged", {"1999/04/10", "", "one\r\ntwo"}, "1999/04/10,,\"one\r\ntwo\""},
        {"LoneCrQuoted", {"a\rb"}, "\"a\rb\""},
        {"LoneLfQuoted", {"a\nb"}, "\"a\nb\""},
        {"InnerDoubleQuoteDoubled", {"a\"b"}, "\"a\"\"b\""},
        {"LoneDoubleQuote", {"\""}, "\"\"\"\""},
        {"QuoteAndSpaceOnceQuoted", {"say \"hi\""}, "\"say \"\"hi\"\"\""},
        {"TabBare", {"a\tb", "c\t"}, "a\tb,c\t"},
        {"OtherControlBytesBare", {std::string("a\x01\x1F\x7F" "b")}, std::string("a\x01\x1F\x7F" "b")},
        {"FullWidthSpaceBare", {"\x81\x40"}, "\x81\x40"},
        // 予定 (97 5C 92 E8), ソ (83 5C), ポ (83 7C): second bytes 0x5C and 0x7C are no triggers.
        {"SjisSecondBytesUnquoted", {"\x97\x5C\x92\xE8", "\x83\x5C\x83\x7C"}, "\x97\x5C\x92\xE8,\x83\x5C\x83\x7C"},
        {"SjisWithSpaceQuotedUnchanged", {"\x97\x5C \x83\x7C"}, "\"\x97\x5C \x83\x7C\""},
        {"OneField", {"abc"}, "abc"},
        {"OneEmptyField", {""}, ""},
        {"TwoEmptyFields", {"", ""}, ","},
        {"NoFields", {}, ""},
        {"ExactlyOneBufferStep", {Repeat('a', 4095)}, Repeat('a', 4095)},
        {"FieldPlusSeparatorFillsStep", {Repeat('a', 4095), "b"}, Repeat('a', 4095) + ",b"},
        {"OneByteOverStep", {Repeat('a', 4096), "b"}, Repeat('a', 4096) + ",b"},
        {"LongMemoSeveralSteps", {"1999/04/10", "", Repeat('m', 10000) + " x"},
         "1999/04/10,,\"" + Repeat('m', 10000) + " x\""},
        {"LongFieldsOfQuotes", {Repeat('"', 3000)}, "\"" + Repeat('"', 6000) + "\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(JoinFields(c.Fields, ',', CsvQuoteTriggers), c.Expected);
    }
}

TEST(CommaTxt, TriggerSetAndSeparatorComeFromTheCaller)
{
    TQuoteTriggers tabOnly;
    tabOnly.set('\t');
    // Space and comma are no triggers here; TAB is; the double quote always is.
    EXPECT_EQ(JoinFields(std::vector<std::string>{"a b", "c,d", "e\tf", "g\"h"}, ';', tabOnly),
              "a b;c,d;\"e\tf\";\"g\"\"h\"");
    const TQuoteTriggers none;
    EXPECT_EQ(JoinFields(std::vector<std::string>{"x y", "\"", ""}, '\t', none), "x y\t\"\"\"\"\t");
}

TEST(CommaTxt, CsvQuoteTriggersAreExactlyLfCrSpaceComma)
{
    for (int byte = 0; byte < 256; ++byte) {
        const bool expected = byte == 0x0A || byte == 0x0D || byte == 0x20 || byte == 0x2C;
        EXPECT_EQ(CsvQuoteTriggers[static_cast<std::size_t>(byte)], expected) << "byte " << byte;
    }
}

TEST(CommaTxt, QuoteFieldDoublesQuotes)
{
    EXPECT_EQ(QuoteField(""), "\"\"");
    EXPECT_EQ(QuoteField("a\"b"), "\"a\"\"b\"");
    EXPECT_EQ(QuoteField("\""), "\"\"\"\"");
    EXPECT_EQ(QuoteField("plain"), "\"plain\"");
}

} // namespace
} // namespace orvexp
