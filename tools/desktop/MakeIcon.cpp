// orvexp-xpm-to-png IN.xpm OUT.png [SCALE] | IN.xpm OUT.svg: the desktop icons
// from the title-band picture, each pixel SCALE times as large (default 1).

#include <cstdlib>
#include <exception>
#include <fstream>
#include <iostream>
#include <iterator>

#include "platform/AtomicFileWriter.h"
#include "platform/FileSystem.h"
#include "tools/desktop/XpmToPng.h"

int main(int argc, char** argv)
{
    const std::string out = argc >= 3 ? argv[2] : "";
    const int scale = argc == 4 ? std::atoi(argv[3]) : 1;
    if (argc < 3 || argc > 4 || scale < 1 || scale > 64) {
        std::cerr << "usage: orvexp-xpm-to-png IN.xpm OUT.png [SCALE] | IN.xpm OUT.svg\n";
        return 2;
    }
    try {
        std::ifstream in(argv[1], std::ios::binary);
        if (!in) throw orvexp::EFOpenError(argv[1]);
        const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        const orvexp::TRgbaImage image = orvexp::ReadXpm(text);
        orvexp::WriteFileAtomically(out, out.ends_with(".svg") ? orvexp::WriteSvg(image)
                                                               : orvexp::WritePng(orvexp::ScaleImage(image, scale)));
    } catch (const orvexp::EXpmError& e) {
        std::cerr << "orvexp-xpm-to-png: " << argv[1] << ": " << e.what() << "\n";
        return 1;
    } catch (const std::exception& e) {
        std::cerr << "orvexp-xpm-to-png: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
