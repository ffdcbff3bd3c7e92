#include <gtest/gtest.h>

#include "platform/ByteStream.h"

namespace orvexp {
namespace {

TEST(ByteStream, WritesLittleEndianAndReadsItBack)
{
    TByteWriter writer;
    writer.WriteU8(0xAB);
    writer.WriteU16(0x1234);
    writer.WriteI32(-2);
    writer.WriteU32(0x012C9B25);
    writer.WriteDouble(36526.5);
    EXPECT_EQ(writer.Data(), std::string("\xAB\x34\x12\xFE\xFF\xFF\xFF\x25\x9B\x2C\x01"
                                         "\x00\x00\x00\x00\xD0\xD5\xE1\x40",
                                         19));

    TByteReader reader(writer.Data());
    EXPECT_EQ(reader.ReadU8("a"), 0xAB);
    EXPECT_EQ(reader.ReadU16("b"), 0x1234);
    EXPECT_EQ(reader.ReadI32("c"), -2);
    EXPECT_EQ(reader.ReadU32("d"), 0x012C9B25u);
    EXPECT_EQ(reader.ReadDouble("e"), 36526.5);
    EXPECT_EQ(reader.Remaining(), 0u);
}

TEST(ByteStream, ReadPastTheEndNamesWhatAndWhere)
{
    const std::string bytes("\x01\x02\x03", 3);
    TByteReader reader(bytes);
    reader.ReadU16("the header");
    try {
        reader.ReadI32("予定の数");
        FAIL() << "expected EStreamReadError";
    } catch (const EStreamReadError& e) {
        EXPECT_STREQ(e.what(), "予定の数の途中でデータが終わっています（4 バイト必要、残り 1 バイト）（バイト位置 2）");
    }
    // A failed read consumes nothing.
    EXPECT_EQ(reader.Position(), 2u);
    EXPECT_EQ(reader.ReadU8("rest"), 3);
}

} // namespace
} // namespace orvexp
