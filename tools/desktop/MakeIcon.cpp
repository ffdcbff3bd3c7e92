// orvexp-xpm-to-png IN.xpm OUT.png: the desktop icon from the title-band picture.

#include <exception>
#include <fstream>
#include <iostream>
#include <iterator>

#include "platform/FileSystem.h"
#include "tools/desktop/XpmToPng.h"

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: orvexp-xpm-to-png IN.xpm OUT.png\n";
        return 2;
    }
    try {
        std::ifstream in(argv[1], std::ios::binary);
        if (!in) throw orvexp::EFOpenError(argv[1]);
        const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        orvexp::WriteFileAtomically(argv[2], orvexp::WritePng(orvexp::ReadXpm(text)));
    } catch (const orvexp::EXpmError& e) {
        std::cerr << "orvexp-xpm-to-png: " << argv[1] << ": " << e.what() << "\n";
        return 1;
    } catch (const std::exception& e) {
        std::cerr << "orvexp-xpm-to-png: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
