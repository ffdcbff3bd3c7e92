#include "platform/ByteStream.h"

#include <bit>
#include <cstring>

namespace orvexp {

static_assert(std::endian::native == std::endian::little,
              "the file formats are little-endian and read by plain copies");

void TByteReader::Fail(const std::string& reason) const
{
    throw EStreamReadError(reason + "（バイト位置 " + std::to_string(Pos) + "）");
}

void TByteReader::FailShort(std::size_t count, const char* what) const
{
    Fail(std::string(what) + "の途中でデータが終わっています（" + std::to_string(count) + " バイト必要、残り " +
         std::to_string(Remaining()) + " バイト）");
}

void TByteWriter::WriteU16(std::uint16_t value)
{
    WriteBytes(&value, 2);
}

void TByteWriter::WriteU32(std::uint32_t value)
{
    WriteBytes(&value, 4);
}

void TByteWriter::WriteDouble(double value)
{
    WriteBytes(&value, 8);
}

void TByteWriter::WriteBytes(const void* data, std::size_t count)
{
    Bytes.append(static_cast<const char*>(data), count);
}

} // namespace orvexp
