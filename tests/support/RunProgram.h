#pragma once
// Runs a program as a user would, for tests of the command line: standard
// output and error are captured whole, as bytes.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

extern char** environ;

namespace orvexp::test {

struct TRunResult {
    int ExitCode = -1;
    std::string Out, Err;
};

// Runs `program` with `args` in `folder`, standard output and error into files.
inline TRunResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                             const std::string& folder)
{
    char captureName[] = "/tmp/orvexp-run-XXXXXX";
    if (!::mkdtemp(captureName)) std::abort();
    const std::string capture = captureName;
    const std::string outPath = capture + "/out", errPath = capture + "/err";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    std::vector<std::string> all{program};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : all) argv.push_back(arg.data());
    argv.push_back(nullptr);

    TRunResult result;
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        ADD_FAILURE() << "cannot start " << program;
    } else {
        int status = 0;
        ::waitpid(pid, &status, 0);
        result.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        TryReadFile(outPath, result.Out);
        TryReadFile(errPath, result.Err);
    }
    std::filesystem::remove_all(capture);
    return result;
}

} // namespace orvexp::test
