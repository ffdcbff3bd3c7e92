// The launch action: the shell's answer decides the message, and the shell
// open itself maps its failures onto those answers.

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/MessageSink.h"
#include "platform/ShellOpen.h"
#include "schedule/ShellExecute.h"

namespace orvexp {
namespace {

namespace fs = std::filesystem;
using TLog = std::vector<std::string>;

class ShellExecuteTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetMessageSink([this](TMessageKind kind, const std::string& text) {
            Messages.push_back(std::string(kind == mkError ? "error " : "info ") + text);
        });
    }
    void TearDown() override
    {
        SetMessageSink(nullptr);
        SetShellOpenForTesting(nullptr);
    }

    void AnswerWith(std::uint32_t result)
    {
        SetShellOpenForTesting([this, result](const std::string& operation, const std::string& file,
                                              const std::string& parameters, const std::string& directory,
                                              std::int32_t showCmd) -> std::uint32_t {
            Calls.push_back(operation + "|" + file + "|" + parameters + "|" + directory + "|" +
                            std::to_string(showCmd));
            return result;
        });
    }

    TLog Messages;
    TLog Calls;
};

TEST_F(ShellExecuteTest, MessageTableOfTheShellAnswers)
{
    const std::string name = "/home/u/予定.html";
    struct TRow {
        std::uint32_t Answer;
        bool Result;
        std::string Message; // empty: none shown
    };
    const TRow rows[] = {
        {0, true, ""},
        {1, true, ""},
        {2, false, name + "が見つかりません"},
        {3, false, name + "が見つかりません"},
        {4, true, ""},
        {5, false, name + "にアクセスできません"},
        {6, true, ""},
        {7, true, ""},
        {8, false, "メモリ不足で実行できません"},
        {9, true, ""},
        {10, true, ""},
        {11, false, "ERROR_BAD_FORMAT"},
        {12, true, ""},
        {19, true, ""},
        {25, true, ""},
        {26, false, "ファイルの共有違反です"},
        {27, false, name + "の関連付けに不具合があります"},
        {28, false, "SE_ERR_DDETIMEOUT"},
        {29, false, "SE_ERR_DDEFAIL"},
        {30, false, "SE_ERR_DDEBUSY"},
        {31, false, name + "の関連付けに不具合があります"},
        {32, false, "SE_ERR_DLLNOTFOUND"},
        {33, true, ""},
        {42, true, ""},
        {0xFFFFFFFF, true, ""},
    };
    TShellExecute action;
    action.FileName = name;
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Answer);
        AnswerWith(row.Answer);
        Messages.clear();
        EXPECT_EQ(action.Execute(), row.Result);
        EXPECT_EQ(Messages, row.Message.empty() ? TLog{} : TLog{"error " + row.Message});
    }
}

TEST_F(ShellExecuteTest, FieldsArePassedAsHeldAndShiftJisNamesAreShownInUtf8)
{
    AnswerWith(2);
    TShellExecute action;
    action.FileName = "C:\\\x97\x5C\x92\xE8\\a.exe"; // C:\予定\a.exe in Shift_JIS
    action.Parameters = "-x";
    action.Directory = "C:\\";
    action.ShowCmd = 3;
    EXPECT_FALSE(action.Execute());
    EXPECT_EQ(Calls, TLog{"open|C:\\\x97\x5C\x92\xE8\\a.exe|-x|C:\\|3"});
    EXPECT_EQ(Messages, TLog{"error C:\\予定\\a.exeが見つかりません"});

    Calls.clear();
    TShellExecute defaults;
    defaults.FileName = "/tmp/out.html";
    defaults.Execute();
    EXPECT_EQ(Calls, TLog{"open|/tmp/out.html|||5"});
}

// The real shell open, with xdg-open replaced by a script of the test's own.
class ShellOpenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Folder = fs::temp_directory_path() /
                 ("orvexp-shellopen-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(Folder);
        fs::create_directories(Folder / "bin");
        const char* path = std::getenv("PATH");
        SavedPath = path != nullptr ? path : "";
        ::setenv("PATH", (Folder / "bin").c_str(), 1);
        Document = (Folder / "page.html").string();
        WriteFile(Document, "<html></html>", false);
    }
    void TearDown() override
    {
        ::setenv("PATH", SavedPath.c_str(), 1);
        fs::remove_all(Folder);
    }

    static void WriteFile(const fs::path& path, const std::string& text, bool executable)
    {
        std::ofstream(path) << text;
        if (executable) fs::permissions(path, fs::perms::owner_all, fs::perm_options::add);
    }

    // An xdg-open that notes what it was given and exits with `code`.
    void FakeXdgOpen(int code)
    {
        WriteFile(Folder / "bin" / "xdg-open",
                  "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"" + (Folder / "opened").string() + "\"\nexit " +
                      std::to_string(code) + "\n",
                  true);
    }

    std::string ReadWhenPresent(const fs::path& path)
    {
        // Programs are not waited for: give them a moment to write.
        for (int i = 0; i < 200 && !fs::exists(path); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        std::ifstream in(path);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    fs::path Folder;
    std::string SavedPath;
    std::string Document;
};

TEST_F(ShellOpenTest, XdgOpenExitCodesBecomeShellAnswers)
{
    struct TRow {
        int ExitCode;
        std::uint32_t Answer;
    };
    const TRow rows[] = {{0, 42}, {1, 31}, {2, 2}, {3, 31}, {4, 31}, {5, 5}};
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.ExitCode);
        FakeXdgOpen(row.ExitCode);
        fs::remove(Folder / "opened");
        EXPECT_EQ(ShellOpen("open", Document, "", "", 5), row.Answer);
        EXPECT_EQ(ReadWhenPresent(Folder / "opened"), Document + "\n");
    }
}

// Without a desktop environment xdg-open runs the browser in the foreground:
// the call returns within the early-exit wait, and the opener is collected
// when it ends, leaving no zombie.
TEST_F(ShellOpenTest, XdgOpenThatKeepsRunningIsNotWaitedForAndLeavesNoZombie)
{
    const fs::path pidFile = Folder / "pid";
    WriteFile(Folder / "bin" / "xdg-open", "#!/bin/sh\necho $$ > \"" + pidFile.string() + "\"\nexec /bin/sleep 60\n", true);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(ShellOpen("open", Document, "", "", 5), 42U);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));

    const pid_t opener = std::stoi(ReadWhenPresent(pidFile));
    ASSERT_GT(opener, 0);
    ASSERT_EQ(::kill(opener, SIGTERM), 0);
    const std::string proc = "/proc/" + std::to_string(opener);
    for (int i = 0; i < 200 && fs::exists(proc); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_FALSE(fs::exists(proc)) << "the ended opener was not collected";
}

TEST_F(ShellOpenTest, FailuresBeforeXdgOpenRuns)
{
    FakeXdgOpen(0);
    EXPECT_EQ(ShellOpen("open", (Folder / "missing.html").string(), "", "", 5), 2U);
    EXPECT_EQ(ShellOpen("open", (Folder / "no" / "missing.html").string(), "", "", 5), 2U);
    EXPECT_EQ(ShellOpen("open", "", "", "", 5), 2U);
    EXPECT_EQ(ShellOpen("open", Document, "", (Folder / "nofolder").string(), 5), 3U);
    EXPECT_EQ(ShellOpen("print", Document, "", "", 5), 31U);
    EXPECT_FALSE(fs::exists(Folder / "opened"));
    // Any case of the verb, or none, opens.
    EXPECT_EQ(ShellOpen("", Document, "", "", 5), 42U);
    EXPECT_EQ(ShellOpen("OPEN", Document, "", "", 5), 42U);
}

TEST_F(ShellOpenTest, NoXdgOpenMeansNoProgramCanOpenIt)
{
    EXPECT_EQ(ShellOpen("open", Document, "", "", 5), 31U);
}

TEST_F(ShellOpenTest, AddressesAndDocumentsInTheWorkingFolderGoToXdgOpen)
{
    FakeXdgOpen(0);
    EXPECT_EQ(ShellOpen("open", "https://example.org/a?b=c", "", "", 5), 42U);
    EXPECT_EQ(ReadWhenPresent(Folder / "opened"), "https://example.org/a?b=c\n");
    EXPECT_EQ(ShellOpen("open", "page.html", "", Folder.string(), 5), 42U);
    EXPECT_EQ(ReadWhenPresent(Folder / "opened"), Document + "\n");
}

TEST_F(ShellOpenTest, ProgramsStartWithTheirParametersInTheirFolder)
{
    FakeXdgOpen(0);
    const fs::path work = Folder / "work";
    fs::create_directories(work);
    WriteFile(Folder / "bin" / "tool",
              "#!/bin/sh\nprintf '%s\\n' \"$PWD\" \"$@\" > \"" + (Folder / "ran.tmp").string() + "\"\n/bin/mv \"" +
                  (Folder / "ran.tmp").string() + "\" \"" + (Folder / "ran").string() + "\"\n",
              true);
    EXPECT_EQ(ShellOpen("open", "tool", "-a \"b c\"  d", work.string(), 5), 42U);
    EXPECT_EQ(ReadWhenPresent(Folder / "ran"), work.string() + "\n-a\nb c\nd\n");
    EXPECT_FALSE(fs::exists(Folder / "opened"));

    // A document with execute bits (as on media copied from Windows) is opened, not run.
    fs::permissions(Document, fs::perms::owner_exec, fs::perm_options::add);
    EXPECT_EQ(ShellOpen("open", Document, "", "", 5), 42U);
    EXPECT_EQ(ReadWhenPresent(Folder / "opened"), Document + "\n");
}

TEST_F(ShellOpenTest, ExecuteShowsTheMessageForAMissingFile)
{
    FakeXdgOpen(0);
    TLog messages;
    SetMessageSink([&](TMessageKind, const std::string& text) { messages.push_back(text); });
    TShellExecute action;
    action.FileName = (Folder / "gone.html").string();
    EXPECT_FALSE(action.Execute());
    SetMessageSink(nullptr);
    EXPECT_EQ(messages, TLog{action.FileName + "が見つかりません"});
}

} // namespace
} // namespace orvexp
