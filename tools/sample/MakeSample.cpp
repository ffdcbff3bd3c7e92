// orvexp-make-sample DIR: writes the sample Orvanel data folder into DIR.

#include <cstring>
#include <exception>
#include <iostream>

#include "tools/sample/SampleData.h"

int main(int argc, char** argv)
{
    constexpr const char* usage = "usage: orvexp-make-sample DIR\n"
                                  "Writes a sample Orvanel data folder into DIR (created when missing):\n"
                                  "schedule.dat, holidays.dat, spcldays.dat, daysoff.dat and Memo/.\n";
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::cout << usage;
        return 0;
    }
    if (argc != 2 || argv[1][0] == '\0') {
        std::cerr << usage;
        return 2;
    }
    try {
        orvexp::WriteSampleDataFolder(argv[1]);
    } catch (const std::exception& e) {
        std::cerr << "orvexp-make-sample: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
