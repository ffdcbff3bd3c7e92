#include "app/WindowProgram.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

#include "app/Settings.h"

namespace orvexp {

bool HaveDisplay()
{
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value && *value;
    };
    return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

int ExecWindowProgram(char** argv)
{
    const std::string path = ProgramFolder() + kWindowProgramName;
    // argv[0] stays as the user typed it: the windows call themselves orvexp.
    ::execv(path.c_str(), argv);
    std::cerr << "orvexp: " << path << ": the window program cannot be started (" << std::strerror(errno) << ")\n";
    return 1;
}

} // namespace orvexp
