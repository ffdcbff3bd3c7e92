// The desktop icon converter: XPM in, a PNG that zlib decodes to the same pixels out.

#include <gtest/gtest.h>

#include <zlib.h>

#include <cstdint>
#include <string>

#include "tests/support/TempFolder.h"
#include "tools/desktop/XpmToPng.h"

namespace orvexp {
namespace {

std::uint32_t U32At(const std::string& bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) value = (value << 8) | static_cast<unsigned char>(bytes.at(at + i));
    return value;
}

struct TChunk {
    std::string Type;
    std::string Data;
};

// Splits a PNG into its chunks, checking the signature and each chunk's CRC.
std::vector<TChunk> Chunks(const std::string& png)
{
    EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1A\n", 8));
    std::vector<TChunk> chunks;
    for (std::size_t at = 8; at < png.size();) {
        const std::uint32_t length = U32At(png, at);
        const std::string typed = png.substr(at + 4, 4 + length);
        const auto crc = static_cast<std::uint32_t>(
            ::crc32(0, reinterpret_cast<const Bytef*>(typed.data()), static_cast<uInt>(typed.size())));
        EXPECT_EQ(U32At(png, at + 8 + length), crc) << typed.substr(0, 4);
        chunks.push_back({typed.substr(0, 4), typed.substr(4)});
        at += 12 + length;
    }
    return chunks;
}

TEST(XpmToPng, TwoColoursAndTransparencyRoundTripThroughZlib)
{
    const char* xpm = "/* XPM */\n"
                      "static const char* pic[] = {\n"
                      "\"3 2 3 1\",\n"
                      "\"  c None\",\n"
                      "\". c #102030\",\n"
                      "\"w c #FFfFfF\",\n"
                      "\". w\",\n"
                      "\"ww.\"\n"
                      "};\n";
    const std::vector<TChunk> chunks = Chunks(WritePng(ReadXpm(xpm)));
    ASSERT_EQ(chunks.size(), 3u);
    EXPECT_EQ(chunks[0].Type, "IHDR");
    EXPECT_EQ(chunks[0].Data, std::string("\0\0\0\3\0\0\0\2\x08\x06\0\0\0", 13));
    EXPECT_EQ(chunks[1].Type, "IDAT");
    EXPECT_EQ(chunks[2].Type, "IEND");
    EXPECT_EQ(chunks[2].Data, "");

    std::string raw(64, '\0');
    uLongf rawSize = raw.size();
    ASSERT_EQ(::uncompress(reinterpret_cast<Bytef*>(raw.data()), &rawSize,
                           reinterpret_cast<const Bytef*>(chunks[1].Data.data()), chunks[1].Data.size()),
              Z_OK);
    raw.resize(rawSize);
    EXPECT_EQ(raw, std::string("\0"
                               "\x10\x20\x30\xFF" "\0\0\0\0" "\xFF\xFF\xFF\xFF"
                               "\0"
                               "\xFF\xFF\xFF\xFF" "\xFF\xFF\xFF\xFF" "\x10\x20\x30\xFF",
                               26));
}

TEST(XpmToPng, RefusesWhatItCannotDraw)
{
    const struct {
        const char* Name;
        const char* Xpm;
    } cases[] = {
        {"no strings", "static char* x[] = {};"},
        {"bad header", "{\"a b c d\"}"},
        {"named colour", "{\"1 1 1 1\", \". c red\", \".\"}"},
        {"row too short", "{\"2 1 1 1\", \". c #000000\", \".\"}"},
        {"unknown pixel", "{\"1 1 1 1\", \". c #000000\", \"x\"}"},
        {"missing rows", "{\"1 2 1 1\", \". c #000000\", \".\"}"},
        {"bad digit", "{\"1 1 1 1\", \". c #00000G\", \".\"}"},
    };
    for (const auto& c : cases) EXPECT_THROW(ReadXpm(c.Xpm), EXpmError) << c.Name;
}

TEST(XpmToPng, TitleBandPictureIs32By32)
{
    const TRgbaImage image = ReadXpm(test::ReadBytes(std::string(ORVEXP_SOURCE_DIR) + "/app/window/resources/title.xpm"));
    EXPECT_EQ(image.Width, 32);
    EXPECT_EQ(image.Height, 32);
    EXPECT_EQ(image.Pixels.size(), 32u * 32u * 4u);
}

} // namespace
} // namespace orvexp
