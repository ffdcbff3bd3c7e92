#include "platform/ShellOpen.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Text.h"

extern char** environ;

namespace orvexp {

namespace {

TShellOpenFunction& Replacement()
{
    static TShellOpenFunction replacement;
    return replacement;
}

bool IsOpenVerb(const std::string& operation)
{
    return operation.empty() || SameTextIgnoringAsciiCase(operation, "open");
}

// "https://...", "mailto:...": a scheme of two or more letters, so that a
// Windows drive ("C:\...") is not taken for one.
bool IsAddress(const std::string& file)
{
    const std::size_t colon = file.find(':');
    if (colon == std::string::npos || colon < 2) return false;
    for (std::size_t i = 0; i < colon; ++i) {
        const char c = file[i];
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        const bool other = i > 0 && ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.');
        if (!letter && !other) return false;
    }
    return true;
}

// The program's name searched on PATH, as the shell finds "notepad" without a folder.
std::string FindOnPath(const std::string& name)
{
    const char* path = std::getenv("PATH");
    if (path == nullptr) return {};
    for (const std::string& folder : SplitText(path, ':')) {
        if (folder.empty()) continue;
        const std::string candidate = JoinPath(folder, name);
        if (FileExists(candidate) && ::access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    return {};
}

// An executable file that the system can start by itself: an ELF image or a
// script with "#!". A document that merely carries execute bits (common on
// media copied from Windows) is opened instead.
bool IsProgram(const std::string& path)
{
    if (::access(path.c_str(), X_OK) != 0) return false;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    char stamp[4] = {};
    const ssize_t got = ::read(fd, stamp, sizeof stamp);
    ::close(fd);
    if (got >= 2 && stamp[0] == '#' && stamp[1] == '!') return true;
    return got == 4 && std::memcmp(stamp, "\x7F" "ELF", 4) == 0;
}

// Parameters split at blanks; "..." keeps blanks and \" is a quote.
std::vector<std::string> SplitParameters(const std::string& parameters)
{
    std::vector<std::string> result;
    std::string current;
    bool inQuotes = false;
    bool haveArgument = false;
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        const char c = parameters[i];
        if (c == '\\' && i + 1 < parameters.size() && parameters[i + 1] == '"') {
            current += '"';
            haveArgument = true;
            ++i;
        } else if (c == '"') {
            inQuotes = !inQuotes;
            haveArgument = true;
        } else if ((c == ' ' || c == '\t') && !inQuotes) {
            if (haveArgument) result.push_back(std::move(current));
            current.clear();
            haveArgument = false;
        } else {
            current += c;
            haveArgument = true;
        }
    }
    if (haveArgument) result.push_back(std::move(current));
    return result;
}

// A started program that is not waited for is collected by a thread of its
// own as soon as it ends, so that neither the wizard nor a long-running
// `watch` keeps zombies.
void ReapWhenDone(pid_t pid)
{
    std::thread([pid] {
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
}

class TSpawnSetup {
public:
    explicit TSpawnSetup(const std::string& directory)
    {
        ::posix_spawn_file_actions_init(&Actions);
        ::posix_spawnattr_init(&Attributes);
        // The started program lives on its own: no signal mask or handler of
        // ours, and Ctrl+C on our terminal does not reach it.
        sigset_t none;
        sigemptyset(&none);
        ::posix_spawnattr_setsigmask(&Attributes, &none);
        sigset_t defaults;
        sigemptyset(&defaults);
        sigaddset(&defaults, SIGINT);
        sigaddset(&defaults, SIGTERM);
        sigaddset(&defaults, SIGPIPE);
        sigaddset(&defaults, SIGCHLD);
        ::posix_spawnattr_setsigdefault(&Attributes, &defaults);
        ::posix_spawnattr_setflags(&Attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSID);
        if (!directory.empty()) ::posix_spawn_file_actions_addchdir_np(&Actions, directory.c_str());
    }
    ~TSpawnSetup()
    {
        ::posix_spawnattr_destroy(&Attributes);
        ::posix_spawn_file_actions_destroy(&Actions);
    }
    TSpawnSetup(const TSpawnSetup&) = delete;
    TSpawnSetup& operator=(const TSpawnSetup&) = delete;

    posix_spawn_file_actions_t Actions;
    posix_spawnattr_t Attributes;
};

int Spawn(bool searchPath, const std::string& program, const std::vector<std::string>& arguments,
          const std::string& directory, pid_t& pid)
{
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    TSpawnSetup setup(directory);
    return searchPath ? ::posix_spawnp(&pid, program.c_str(), &setup.Actions, &setup.Attributes, argv.data(), environ)
                      : ::posix_spawn(&pid, program.c_str(), &setup.Actions, &setup.Attributes, argv.data(), environ);
}

// The working folder is entered before the program is looked up: a relative
// path is made absolute first.
std::string AbsolutePath(const std::string& path)
{
    if (!path.empty() && path.front() == '/') return path;
    char* current = ::getcwd(nullptr, 0);
    if (current == nullptr) return path;
    std::string result = JoinPath(current, path);
    std::free(current);
    return result;
}

std::uint32_t StartProgram(const std::string& path, const std::string& parameters, const std::string& directory)
{
    pid_t pid = 0;
    const int error = Spawn(false, AbsolutePath(path), SplitParameters(parameters), directory, pid);
    switch (error) {
    case 0:
        ReapWhenDone(pid);
        return kShellOpenOk;
    case ENOENT:
        return kShellErrorFileNotFound;
    case EACCES:
    case EPERM:
        return kShellErrorAccessDenied;
    case ENOEXEC:
        return kShellErrorBadFormat;
    case ENOMEM:
        return kShellErrorOutOfMemory;
    default:
        return kShellErrorNoAssociation;
    }
}

// How long xdg-open is given to report what it can know at once (no program
// for the file type, file missing). Without a desktop environment it runs the
// browser in the foreground and ends only with it, so it is never waited for
// longer: the caller's window and the command line return at once.
constexpr auto kEarlyExitWait = std::chrono::milliseconds(1000);
constexpr auto kEarlyExitPoll = std::chrono::milliseconds(10);

// xdg-open's exit codes: 0 done, 1 bad call, 2 file missing, 3 no method
// available, 4 the opening program failed, 5 no permission to read. Still
// running after the wait: it is showing the file, which counts as done.
std::uint32_t RunXdgOpen(const std::string& target)
{
    pid_t pid = 0;
    const int error = Spawn(true, "xdg-open", {target}, {}, pid);
    if (error == ENOMEM) return kShellErrorOutOfMemory;
    if (error != 0) return kShellErrorNoAssociation; // no xdg-open: nothing can open it
    const auto deadline = std::chrono::steady_clock::now() + kEarlyExitWait;
    int status = 0;
    for (;;) {
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid) break;
        if (done < 0 && errno == EINTR) continue;
        if (done < 0) return kShellOpenOk; // reaped elsewhere: its outcome is unknown, nothing to report
        if (std::chrono::steady_clock::now() >= deadline) {
            ReapWhenDone(pid);
            return kShellOpenOk;
        }
        std::this_thread::sleep_for(kEarlyExitPoll);
    }
    if (!WIFEXITED(status)) return kShellErrorNoAssociation;
    switch (WEXITSTATUS(status)) {
    case 0:
        return kShellOpenOk;
    case 2:
        return kShellErrorFileNotFound;
    case 5:
        return kShellErrorAccessDenied;
    default:
        return kShellErrorNoAssociation;
    }
}

std::uint32_t OpenWithShell(const std::string& operation, const std::string& file, const std::string& parameters,
                            const std::string& directory)
{
    if (!IsOpenVerb(operation)) return kShellErrorNoAssociation;
    if (file.empty()) return kShellErrorFileNotFound;
    if (!directory.empty() && !DirectoryExists(directory)) return kShellErrorPathNotFound;
    if (IsAddress(file)) return RunXdgOpen(file);

    std::string path = file;
    if (file.front() != '/' && !directory.empty()) {
        const std::string inDirectory = JoinPath(directory, file);
        struct stat info {};
        if (::stat(inDirectory.c_str(), &info) == 0) path = inDirectory;
    }
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        if (file.find('/') == std::string::npos) {
            const std::string program = FindOnPath(file);
            if (!program.empty()) return StartProgram(program, parameters, directory);
        }
        return errno == EACCES ? kShellErrorAccessDenied : kShellErrorFileNotFound;
    }
    if (S_ISREG(info.st_mode) && IsProgram(path)) return StartProgram(path, parameters, directory);
    if (::access(path.c_str(), R_OK) != 0) return kShellErrorAccessDenied;
    // Whole, so that a name such as "-y.csv" cannot be taken for an option.
    return RunXdgOpen(AbsolutePath(path));
}

} // namespace

std::uint32_t ShellOpen(const std::string& operation, const std::string& file, const std::string& parameters,
                        const std::string& directory, std::int32_t showCmd)
{
    if (Replacement()) return Replacement()(operation, file, parameters, directory, showCmd);
    return OpenWithShell(operation, file, parameters, directory);
}

bool XdgOpenInstalled()
{
    return !FindOnPath("xdg-open").empty();
}

void SetShellOpenForTesting(TShellOpenFunction replacement)
{
    Replacement() = std::move(replacement);
}

} // namespace orvexp
