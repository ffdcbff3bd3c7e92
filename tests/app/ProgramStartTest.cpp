// orvexp run as a program: what it prints about itself, and how it starts the
// window program.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/RunProgram.h"

namespace {

namespace fs = std::filesystem;
using orvexp::test::RunProgram;

// Variables of the environment set for a test and put back after it.
class TEnvironment {
public:
    void Set(const char* name, const char* value)
    {
        const char* old = std::getenv(name);
        Saved.push_back({name, old ? std::optional<std::string>(old) : std::nullopt});
        if (value) ::setenv(name, value, 1);
        else ::unsetenv(name);
    }
    ~TEnvironment()
    {
        for (auto entry = Saved.rbegin(); entry != Saved.rend(); ++entry) {
            if (entry->second) ::setenv(entry->first.c_str(), entry->second->c_str(), 1);
            else ::unsetenv(entry->first.c_str());
        }
    }

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> Saved;
};

// The language of messages: Japanese by LANGUAGE=ja, which gettext takes
// under any locale but C, so no Japanese locale need be generated.
void UseLanguage(TEnvironment& environment, bool japanese)
{
    environment.Set("LC_ALL", "C.UTF-8");
    environment.Set("LANGUAGE", japanese ? "ja" : nullptr);
}

// Each help in both languages: every sentence of the English help is gone
// from the Japanese one, whose words are Japanese too.
TEST(ProgramStartTest, HelpSpeaksTheUsersLanguage)
{
    const std::vector<std::vector<std::string>> helps = {
        {"--help"}, {"export", "--help"}, {"days", "--help"}, {"watch", "--help"},
#ifdef ORVEXP_HAVE_WINDOW_PROGRAM
        {"calendar", "--help"},
#endif
    };
    for (const auto& args : helps) {
        SCOPED_TRACE(args.front());
        std::string english, japanese;
        {
            TEnvironment environment;
            UseLanguage(environment, false);
            english = RunProgram(ORVEXP_BINARY, args, "/").Out;
        }
        {
            TEnvironment environment;
            UseLanguage(environment, true);
            japanese = RunProgram(ORVEXP_BINARY, args, "/").Out;
        }
        EXPECT_NE(english.find("Usage: orvexp"), std::string::npos) << english;
        EXPECT_NE(japanese.find("使い方: orvexp"), std::string::npos) << japanese;
        EXPECT_NE(japanese.find("オプション:\n"), std::string::npos) << japanese;
        std::size_t sentences = 0;
        for (std::size_t start = 0, end; start < english.size(); start = end + 1) {
            end = english.find('\n', start);
            const std::string line = english.substr(start, end - start);
            const std::size_t text = line.find_first_not_of(' ', std::min<std::size_t>(line.size(), 30));
            if (line.size() < 30 || text != 30 || line.find(' ', text) == std::string::npos) continue;
            ++sentences;
            EXPECT_EQ(japanese.find(line.substr(text)), std::string::npos) << line;
        }
        EXPECT_GE(sentences, 3u);
    }
}

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
    TEnvironment noDisplay;
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) noDisplay.Set(name, nullptr);
    const std::string howTo = "; to export without a window, use the command line: orvexp export --help\n";
    const std::string howToJa = "。ウィンドウなしで書き出すにはコマンドラインを使ってください: orvexp export --help\n";
    const struct {
        const char* Display; // null: none
        bool Japanese;
        std::string Err;
    } cases[] = {
        {nullptr, false, "orvexp: no display to open the wizard on (DISPLAY is not set)" + howTo},
        {":4093", false, "orvexp: the display :4093 cannot be opened" + howTo},
        {nullptr, true, "orvexp: ウィザードを開くディスプレイがありません (DISPLAY が設定されていません)" + howToJa},
        {":4093", true, "orvexp: ディスプレイ :4093 を開けません" + howToJa},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Display ? c.Display : "none");
        TEnvironment environment;
        UseLanguage(environment, c.Japanese);
        environment.Set("DISPLAY", c.Display);
        const auto run = RunProgram(ORVEXP_BINARY, {}, "/");
        EXPECT_EQ(run.ExitCode, 1);
        EXPECT_EQ(run.Err, c.Err);
        EXPECT_EQ(run.Out, "");
    }
}
#endif

} // namespace
