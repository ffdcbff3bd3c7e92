#include "platform/ByteStream.h"

#include <bit>
#include <cstring>

namespace orvexp {

static_assert(std::endian::native == std::endian::little,
              "the file formats are little-endian and read by plain copies");

void TByteReader::Fail(const std::string& reason) const
{
    throw EStreamReadError(reason + " at byte offset " + std::to_string(Pos));
}

const char* TByteReader::Take(std::size_t count, const char* what)
{
    if (count > Remaining()) {
        Fail(std::string("data ends inside ") + what + " (" + std::to_string(count) +
             " bytes needed, " + std::to_string(Remaining()) + " left)");
    }
    const char* start = Bytes.data() + Pos;
    Pos += count;
    return start;
}

std::uint8_t TByteReader::ReadU8(const char* what)
{
    return static_cast<std::uint8_t>(*Take(1, what));
}

std::uint16_t TByteReader::ReadU16(const char* what)
{
    std::uint16_t value;
    std::memcpy(&value, Take(2, what), 2);
    return value;
}

std::uint32_t TByteReader::ReadU32(const char* what)
{
    std::uint32_t value;
    std::memcpy(&value, Take(4, what), 4);
    return value;
}

std::int32_t TByteReader::ReadI32(const char* what)
{
    return static_cast<std::int32_t>(ReadU32(what));
}

double TByteReader::ReadDouble(const char* what)
{
    double value;
    std::memcpy(&value, Take(8, what), 8);
    return value;
}

void TByteReader::ReadBytes(void* dest, std::size_t count, const char* what)
{
    const char* source = Take(count, what);
    if (count > 0) std::memcpy(dest, source, count);
}

std::string TByteReader::ReadText(std::size_t count, const char* what)
{
    const char* source = Take(count, what);
    return std::string(source, count);
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
