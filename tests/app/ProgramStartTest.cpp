// orvexp run as a program: what it prints about itself, and how it starts the
// window program.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "tests/support/RunProgram.h"

namespace {

namespace fs = std::filesystem;
using orvexp::test::RunProgram;

TEST(ProgramStartTest, PrintsProductVersionAndBuild)
{
    const auto run = RunProgram(ORVEXP_BINARY, {"--version"}, "/");
    EXPECT_EQ(run.Out, "Orvanel エクスポートウィザード Ver 1.00 Build 0175\n");
    EXPECT_EQ(run.Err, "");
    EXPECT_EQ(run.ExitCode, 0);
}

// Loading Qt costs tens of milliseconds of every command.
TEST(ProgramStartTest, CommandLineDoesNotLinkQt)
{
    const auto run = RunProgram("/usr/bin/ldd", {ORVEXP_BINARY}, "/");
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_NE(run.Out.find("libc.so"), std::string::npos) << run.Out;
    EXPECT_EQ(run.Out.find("libQt"), std::string::npos) << run.Out;
}

#ifdef ORVEXP_HAVE_WINDOW_PROGRAM
// A copy of orvexp alone: the commands work, the windows say what is missing.
TEST(ProgramStartTest, WindowsNeedTheWindowProgramBesideOrvexp)
{
    const fs::path folder = fs::temp_directory_path() / ("orvexp-alone-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const std::string program = (folder / "orvexp").string();
    fs::copy_file(ORVEXP_BINARY, program);
    const std::string missing = "orvexp: " + (folder / "orvexp-window").string() +
                                ": the window program cannot be started (No such file or directory)\n";

    const struct {
        std::vector<std::string> Args;
        int ExitCode;
        std::string Err;
    } cases[] = {
        {{}, 1, missing},
        {{"calendar", "--style", "vertical1"}, 1, missing},
        {{"--version"}, 0, ""},
        {{"calendar", "--bogus"}, 2, "orvexp: The following argument was not expected: --bogus\n"},
    };
    for (const auto& c : cases) {
        const auto run = RunProgram(program, c.Args, folder.string());
        EXPECT_EQ(run.ExitCode, c.ExitCode) << c.Args.size();
        EXPECT_EQ(run.Err, c.Err);
    }
    fs::remove_all(folder);
}

// Without a display the wizard says so in one line and how to export instead,
// rather than aborting with Qt's own text and a core dump; the same for a
// display that is named but cannot be opened.
TEST(ProgramStartTest, WizardWithoutADisplaySaysHowToExportInstead)
{
    struct TSaved {
        std::string Name;
        std::optional<std::string> Value;
    };
    std::vector<TSaved> saved;
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        saved.push_back({name, value ? std::optional<std::string>(value) : std::nullopt});
        ::unsetenv(name);
    }
    const std::string howTo = "; to export without a window, use the command line: orvexp export --help\n";
    const struct {
        const char* Display; // null: none
        std::string Err;
    } cases[] = {
        {nullptr, "orvexp: no display to open the wizard on (DISPLAY is not set)" + howTo},
        {":4093", "orvexp: the display :4093 cannot be opened" + howTo},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Display ? c.Display : "none");
        if (c.Display) ::setenv("DISPLAY", c.Display, 1);
        const auto run = RunProgram(ORVEXP_BINARY, {}, "/");
        EXPECT_EQ(run.ExitCode, 1);
        EXPECT_EQ(run.Err, c.Err);
        EXPECT_EQ(run.Out, "");
    }
    for (const TSaved& entry : saved) {
        if (entry.Value) {
            ::setenv(entry.Name.c_str(), entry.Value->c_str(), 1);
        } else {
            ::unsetenv(entry.Name.c_str());
        }
    }
}
#endif

} // namespace
