#pragma once
// Little-endian binary reading and writing of the records in Orvanel's files.
// Reads are checked: a record that runs past the end of its data raises
// EStreamReadError naming the byte offset, instead of yielding garbage.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>

namespace orvexp {

class EStreamReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TByteReader {
public:
    explicit TByteReader(std::string_view bytes) : Bytes(bytes) {}

    std::size_t Position() const { return Pos; }
    std::size_t Remaining() const { return Bytes.size() - Pos; }

    // Inline: a schedule file is some twenty small reads an entry.
    std::uint8_t ReadU8(const char* what) { return static_cast<std::uint8_t>(*Take(1, what)); }
    std::uint16_t ReadU16(const char* what) { return Read<std::uint16_t>(what); }
    std::uint32_t ReadU32(const char* what) { return Read<std::uint32_t>(what); }
    std::int32_t ReadI32(const char* what) { return static_cast<std::int32_t>(Read<std::uint32_t>(what)); }
    double ReadDouble(const char* what) { return Read<double>(what); }
    void ReadBytes(void* dest, std::size_t count, const char* what)
    {
        const char* source = Take(count, what);
        if (count > 0) std::memcpy(dest, source, count);
    }
    std::string ReadText(std::size_t count, const char* what) { return std::string(Take(count, what), count); }
    // The bytes themselves, valid as long as the data the reader was made on.
    std::string_view ReadView(std::size_t count, const char* what) { return std::string_view(Take(count, what), count); }

    // Raises EStreamReadError at the current offset with the given reason.
    [[noreturn]] void Fail(const std::string& reason) const;

private:
    const char* Take(std::size_t count, const char* what)
    {
        if (count > Remaining()) FailShort(count, what);
        const char* start = Bytes.data() + Pos;
        Pos += count;
        return start;
    }
    // The files are little-endian, as this machine is: a value is a plain copy.
    template <class T>
    T Read(const char* what)
    {
        T value;
        std::memcpy(&value, Take(sizeof value, what), sizeof value);
        return value;
    }
    [[noreturn]] void FailShort(std::size_t count, const char* what) const;

    std::string_view Bytes;
    std::size_t Pos = 0;
};

// Appends little-endian values to a growing byte string.
class TByteWriter {
public:
    void WriteU8(std::uint8_t value) { Bytes.push_back(static_cast<char>(value)); }
    void WriteU16(std::uint16_t value);
    void WriteU32(std::uint32_t value);
    void WriteI32(std::int32_t value) { WriteU32(static_cast<std::uint32_t>(value)); }
    void WriteDouble(double value);
    void WriteBytes(const void* data, std::size_t count);
    void WriteText(std::string_view text) { Bytes.append(text); }

    const std::string& Data() const { return Bytes; }
    std::string Take() { return std::move(Bytes); }

private:
    std::string Bytes;
};

} // namespace orvexp
