#pragma once
// A stand-in xdg-open first on PATH for the life of the object: a shell script
// of the test's own. One that keeps running notes its process id, and is ended
// when the object goes, so no test leaves a sleeping opener behind.

#include <sys/types.h>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/TempFolder.h"

namespace orvexp::test {

class TFakeOpener {
public:
    // `body`: the script's commands after "#!/bin/sh"; "$PIDFILE" names the
    // file where a long-running opener writes "$$".
    explicit TFakeOpener(const std::string& body)
    {
        const char* path = std::getenv("PATH");
        SavedPath = path != nullptr ? path : "";
        const std::string script = Folder.Path + "xdg-open";
        std::ofstream(script) << "#!/bin/sh\nPIDFILE='" << PidFile() << "'\n" << body << "\n";
        std::filesystem::permissions(script, std::filesystem::perms::owner_all, std::filesystem::perm_options::add);
        ::setenv("PATH", (Folder.Path + ":" + SavedPath).c_str(), 1);
    }
    ~TFakeOpener()
    {
        ::setenv("PATH", SavedPath.c_str(), 1);
        std::ifstream in(PidFile());
        long pid = 0;
        if (in >> pid && pid > 0) ::kill(static_cast<pid_t>(pid), SIGTERM);
    }
    TFakeOpener(const TFakeOpener&) = delete;
    TFakeOpener& operator=(const TFakeOpener&) = delete;

    // An opener that shows the page until it is closed, as xdg-open does
    // without a desktop environment: it never ends by itself within a test.
    static constexpr const char* kKeepsRunning = "echo $$ > \"$PIDFILE\"\nexec sleep 60";
    // An opener that finds no program for the file type.
    static constexpr const char* kNoMethod = "echo \"xdg-open: no method available for opening '$1'\" >&2\nexit 3";

    std::string PidFile() const { return Folder.Path + "pid"; }

private:
    TTempFolder Folder;
    std::string SavedPath;
};

} // namespace orvexp::test
