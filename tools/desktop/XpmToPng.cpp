#include "tools/desktop/XpmToPng.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <map>
#include <sstream>

namespace orvexp {

namespace {

// The quoted strings of the C array, in order.
std::vector<std::string> QuotedStrings(std::string_view text)
{
    std::vector<std::string> strings;
    std::size_t at = 0;
    for (;;) {
        const std::size_t open = text.find('"', at);
        if (open == std::string_view::npos) return strings;
        const std::size_t close = text.find('"', open + 1);
        if (close == std::string_view::npos) throw EXpmError("unterminated string");
        strings.emplace_back(text.substr(open + 1, close - open - 1));
        at = close + 1;
    }
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    throw EXpmError(std::string("bad hexadecimal digit '") + c + "'");
}

std::array<unsigned char, 4> ParseColour(const std::string& definition)
{
    // Key/value pairs after the pixel characters; only the colour key "c" counts.
    std::istringstream words(definition);
    std::string key, value;
    while (words >> key >> value) {
        if (key != "c") continue;
        if (value == "None" || value == "none") return {0, 0, 0, 0};
        if (value.size() != 7 || value[0] != '#') throw EXpmError("colour \"" + value + "\" is not #RRGGBB or None");
        std::array<unsigned char, 4> rgba{0, 0, 0, 255};
        for (std::size_t i = 0; i < 3; ++i)
            rgba[i] =
                static_cast<unsigned char>(HexDigit(value[1 + 2 * i]) * 16 + HexDigit(value[2 + 2 * i]));
        return rgba;
    }
    throw EXpmError("colour line \"" + definition + "\" has no c key");
}

void PutU32(std::string& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
}

void PutChunk(std::string& png, const char type[4], const std::string& data)
{
    PutU32(png, static_cast<std::uint32_t>(data.size()));
    const std::string typed = std::string(type, 4) + data;
    png += typed;
    PutU32(png, static_cast<std::uint32_t>(
                    ::crc32(0, reinterpret_cast<const Bytef*>(typed.data()), static_cast<uInt>(typed.size()))));
}

} // namespace

TRgbaImage ReadXpm(std::string_view text)
{
    const std::vector<std::string> strings = QuotedStrings(text);
    if (strings.empty()) throw EXpmError("no picture");
    std::istringstream header(strings[0]);
    int width = 0, height = 0, colours = 0, perPixel = 0;
    if (!(header >> width >> height >> colours >> perPixel) || width <= 0 || height <= 0 || colours <= 0 ||
        perPixel <= 0 || width > 4096 || height > 4096)
        throw EXpmError("bad header \"" + strings[0] + "\"");
    if (strings.size() < 1 + static_cast<std::size_t>(colours) + static_cast<std::size_t>(height))
        throw EXpmError("picture ends early");

    std::map<std::string, std::array<unsigned char, 4>> palette;
    for (int i = 1; i <= colours; ++i) {
        const std::string& line = strings[static_cast<std::size_t>(i)];
        if (line.size() < static_cast<std::size_t>(perPixel)) throw EXpmError("short colour line");
        palette[line.substr(0, static_cast<std::size_t>(perPixel))] =
            ParseColour(line.substr(static_cast<std::size_t>(perPixel)));
    }

    TRgbaImage image;
    image.Width = width;
    image.Height = height;
    image.Pixels.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    for (int y = 0; y < height; ++y) {
        const std::string& row = strings[static_cast<std::size_t>(1 + colours + y)];
        if (row.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(perPixel))
            throw EXpmError("row " + std::to_string(y + 1) + " is not " + std::to_string(width) + " pixels wide");
        for (int x = 0; x < width; ++x) {
            const auto found = palette.find(row.substr(static_cast<std::size_t>(x * perPixel),
                                                       static_cast<std::size_t>(perPixel)));
            if (found == palette.end()) throw EXpmError("row " + std::to_string(y + 1) + " uses an unknown colour");
            image.Pixels.insert(image.Pixels.end(), found->second.begin(), found->second.end());
        }
    }
    return image;
}

std::string WritePng(const TRgbaImage& image)
{
    std::string png("\x89PNG\r\n\x1A\n", 8);

    std::string header;
    PutU32(header, static_cast<std::uint32_t>(image.Width));
    PutU32(header, static_cast<std::uint32_t>(image.Height));
    header += std::string("\x08\x06\x00\x00\x00", 5); // 8 bits, RGBA, deflate, no filter set, no interlace
    PutChunk(png, "IHDR", header);

    // Each row is preceded by its filter byte (0: none).
    std::string raw;
    const std::size_t rowBytes = static_cast<std::size_t>(image.Width) * 4;
    for (int y = 0; y < image.Height; ++y) {
        raw += '\0';
        raw.append(reinterpret_cast<const char*>(image.Pixels.data()) + static_cast<std::size_t>(y) * rowBytes, rowBytes);
    }
    uLongf packedSize = ::compressBound(static_cast<uLong>(raw.size()));
    std::string packed(packedSize, '\0');
    if (::compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize, reinterpret_cast<const Bytef*>(raw.data()),
                    static_cast<uLong>(raw.size()), Z_BEST_COMPRESSION) != Z_OK)
        throw std::runtime_error("compressing the picture failed");
    packed.resize(packedSize);
    PutChunk(png, "IDAT", packed);
    PutChunk(png, "IEND", "");
    return png;
}

TRgbaImage ScaleImage(const TRgbaImage& image, int factor)
{
    TRgbaImage scaled{image.Width * factor, image.Height * factor, {}};
    scaled.Pixels.reserve(static_cast<std::size_t>(scaled.Width) * static_cast<std::size_t>(scaled.Height) * 4);
    for (int y = 0; y < scaled.Height; ++y) {
        for (int x = 0; x < scaled.Width; ++x) {
            const auto pixel = image.Pixels.begin() + ((y / factor) * image.Width + x / factor) * 4;
            scaled.Pixels.insert(scaled.Pixels.end(), pixel, pixel + 4);
        }
    }
    return scaled;
}

std::string WriteSvg(const TRgbaImage& image)
{
    const std::string w = std::to_string(image.Width), h = std::to_string(image.Height);
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
                      w + "\" height=\"" + h + "\" viewBox=\"0 0 " + w + " " + h + "\" shape-rendering=\"crispEdges\">\n";
    const auto at = [&image](int x, int y) { return image.Pixels.data() + (y * image.Width + x) * 4; };
    for (int y = 0; y < image.Height; ++y) {
        for (int x = 0; x < image.Width;) {
            const unsigned char* pixel = at(x, y);
            int end = x + 1;
            while (end < image.Width && std::equal(pixel, pixel + 4, at(end, y))) ++end;
            if (pixel[3] != 0) {
                char fill[8];
                std::snprintf(fill, sizeof fill, "#%02X%02X%02X", pixel[0], pixel[1], pixel[2]);
                svg += "<rect x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) + "\" width=\"" +
                       std::to_string(end - x) + "\" height=\"1\" fill=\"" + fill + "\"/>\n";
            }
            x = end;
        }
    }
    return svg + "</svg>\n";
}

} // namespace orvexp
