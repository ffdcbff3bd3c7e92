#pragma once
// The desktop icon is the wizard's title-band picture, kept as XPM beside the
// program's sources; the icon theme wants PNG. This turns the one into the other.

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace orvexp {

// An XPM picture that this reader does not understand: "<reason>".
class EXpmError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct TRgbaImage {
    int Width = 0;
    int Height = 0;
    std::vector<unsigned char> Pixels; // R, G, B, A per pixel, rows top to bottom
};

// Reads an XPM 3 picture (the C array form). Colours must be "c #RRGGBB" or
// "c None" (transparent). Raises EXpmError for anything else.
TRgbaImage ReadXpm(std::string_view text);

// An 8-bit RGBA PNG of the image.
std::string WritePng(const TRgbaImage& image);

// Each pixel made a square of `factor` × `factor`: the larger icon sizes stay
// as sharp as the picture itself, where a desktop's own scaling blurs it.
TRgbaImage ScaleImage(const TRgbaImage& image, int factor);

// The image as SVG, one square per pixel (runs of a row joined), for the
// scalable icon; transparent pixels are left out.
std::string WriteSvg(const TRgbaImage& image);

} // namespace orvexp
