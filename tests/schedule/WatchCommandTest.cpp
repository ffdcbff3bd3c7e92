// `orvexp watch --at`: the program itself run on a schedule file written by
// our own writer; its whole output compared.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>

#include "schedule/AlarmTimer.h"
#include "tests/support/ScheduleEntries.h"

extern char** environ;

namespace orvexp {
namespace {

namespace fs = std::filesystem;
using test::MakeAlarm;

struct TRunResult {
    int ExitCode = -1;
    std::string Out;
    std::string Err;
};

class WatchCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Folder = fs::temp_directory_path() /
                 ("orvexp-watch-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(Folder);
        fs::create_directories(Folder);
    }
    void TearDown() override { fs::remove_all(Folder); }

    std::string WriteSchedule(const TAlarmList& alarms)
    {
        const fs::path path = Folder / "schedule.dat";
        std::ofstream(path, std::ios::binary) << WriteScheduleFile(alarms);
        return path.string();
    }

    static std::string ReadAll(const fs::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    // Standard output goes to `stdoutPath` when one is given (/dev/full).
    TRunResult Run(std::vector<std::string> arguments, const std::string& stdoutPath = "")
    {
        arguments.insert(arguments.begin(), ORVEXP_BINARY);
        std::vector<char*> argv;
        for (std::string& argument : arguments) argv.push_back(argument.data());
        argv.push_back(nullptr);
        const std::string out = (Folder / "stdout").string();
        const std::string err = (Folder / "stderr").string();
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, stdoutPath.empty() ? out.c_str() : stdoutPath.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        pid_t pid = 0;
        TRunResult result;
        const int error = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (error != 0) {
            ADD_FAILURE() << "cannot start " << argv[0];
            return result;
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        result.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.Out = ReadAll(out);
        result.Err = ReadAll(err);
        return result;
    }

    fs::path Folder;
};

TEST_F(WatchCommandTest, OneTickPrintsWhatIsDueInEventOrderAndCarriesNothingOut)
{
    TAlarmList alarms;
    // 0: fires and gives its notice in the same minute.
    alarms.Add(MakeAlarm(akDateAt, {"\x89\xEF\x8B\x63"}, 2001, 1, 2, 9, 0)); // 会議
    alarms[0].Alert.Kind = paMinutes;
    // 1: every day.
    alarms.Add(MakeAlarm(akEveryDay, {"daily"}));
    // 2: three days' notice of 2001-01-05.
    alarms.Add(MakeAlarm(akDate, {"later"}, 2001, 1, 5));
    alarms[2].Alert.Kind = paDays;
    alarms[2].Alert.Amount = 3;
    // 3: Sundays only; 2001-01-02 is a Tuesday.
    alarms.Add(MakeAlarm(akWeekdays, {"sunday"}, 0, 0, 0, 0, 0, 0x02));
    // 4: at startup, although the file says it fired.
    alarms.Add(MakeAlarm(akStartup, {"startup"}));
    alarms[4].LastFired = 36000.5;
    // 5: inactive.
    alarms.Add(MakeAlarm(akEveryDay, {"off"}));
    alarms[5].Active = 0;
    // 6: ten minutes' notice of 09:10.
    alarms.Add(MakeAlarm(akEveryDayAt, {"soon"}, 0, 0, 0, 9, 10));
    alarms[6].Alert.Kind = paMinutes;
    alarms[6].Alert.Amount = 10;
    // 7, 8: actions that would show a message on standard error if carried out.
    alarms.Add(MakeAlarm(akYearDay, {"message"}, 0, 1, 2));
    alarms[7].Action = aaMessage;
    alarms.Add(MakeAlarm(akEveryDay, {"launch"}));
    alarms[8].Action = aaLaunch;
    alarms[8].ShellExecute.FileName = (Folder / "missing.html").string();
    const std::string data = WriteSchedule(alarms);

    const TRunResult result = Run({"watch", "--data", data, "--at", "2001/01/02 09:00"});
    EXPECT_EQ(result.ExitCode, 0);
    EXPECT_EQ(result.Out,
              "alert\t0\t2001/01/02\n"
              "alarm\t0\n"
              "alarm\t1\n"
              "alert\t2\t2001/01/05\n"
              "alarm\t4\n"
              "alert\t6\t2001/01/02\n"
              "alarm\t7\n"
              "alarm\t8\n");
    EXPECT_EQ(result.Err, "");
}

// A yearly 29 February entry with a notice cannot build its date in a common
// year; the entries after it still fall due, and nothing is shown for it.
TEST_F(WatchCommandTest, AnEntryThatCannotBeEvaluatedDoesNotSilenceTheLaterOnes)
{
    TAlarmList alarms;
    alarms.Add(MakeAlarm(akYearDay, {"leap"}, 0, 2, 29));
    alarms[0].Alert.Kind = paDays;
    alarms[0].Alert.Amount = 3;
    alarms.Add(MakeAlarm(akEveryDay, {"daily"}));
    alarms.Add(MakeAlarm(akDate, {}, 2001, 2, 30));
    alarms[2].Alert.Kind = paDays;
    alarms.Add(MakeAlarm(akEveryDayAt, {"seven"}, 0, 0, 0, 7, 5));
    alarms.Add(MakeAlarm(akDate, {"later"}, 2025, 4, 3));
    alarms[4].Alert.Kind = paDays;
    alarms[4].Alert.Amount = 2;
    const TRunResult result = Run({"watch", "--data", WriteSchedule(alarms), "--at", "2025/04/01 07:05"});
    EXPECT_EQ(result.ExitCode, 0);
    EXPECT_EQ(result.Out, "alarm\t1\nalarm\t3\nalert\t4\t2025/04/03\n");
    EXPECT_EQ(result.Err, "");
}

// Without --at the watch runs until SIGINT or SIGTERM and then ends cleanly.
TEST_F(WatchCommandTest, RunsUntilInterruptedAndExitsWithZero)
{
    TAlarmList alarms;
    alarms.Add(MakeAlarm(akEveryDay, {"daily"}));
    const std::string data = WriteSchedule(alarms);
    for (const int signal : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(signal);
        std::string program = ORVEXP_BINARY;
        std::string watch = "watch";
        std::string option = "--data";
        std::string file = data;
        char* argv[] = {program.data(), watch.data(), option.data(), file.data(), nullptr};
        pid_t pid = 0;
        // The signals at their defaults, whatever this test run inherited.
        posix_spawnattr_t attributes;
        posix_spawnattr_init(&attributes);
        sigset_t defaults;
        sigemptyset(&defaults);
        sigaddset(&defaults, SIGINT);
        sigaddset(&defaults, SIGTERM);
        posix_spawnattr_setsigdefault(&attributes, &defaults);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
        const int spawned = posix_spawn(&pid, argv[0], nullptr, &attributes, argv, environ);
        posix_spawnattr_destroy(&attributes);
        ASSERT_EQ(spawned, 0);
        // Signal only once the watch loop waits for the signals.
        bool waiting = false;
        for (int i = 0; i < 500 && !waiting; ++i) {
            std::ifstream syscall("/proc/" + std::to_string(pid) + "/syscall");
            long number = -1;
            waiting = (syscall >> number) && number == SYS_rt_sigtimedwait;
            if (!waiting) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        EXPECT_TRUE(waiting);
        ::kill(pid, signal);
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }
}

TEST_F(WatchCommandTest, ErrorsGiveOneLineAndTheirExitCode)
{
    TAlarmList due;
    due.Add(MakeAlarm(akDateAt, {"due"}, 2024, 4, 1, 9, 0));
    const std::string data = WriteSchedule(due);
    const std::string missing = (Folder / "none.dat").string();
    const std::string broken = (Folder / "broken.dat").string();
    std::ofstream(broken, std::ios::binary) << "\x01\x02\x03\x04 not a schedule file";
    struct TRow {
        const char* Name;
        std::vector<std::string> Arguments;
        int ExitCode;
        std::string Err; // empty: only one line is checked for
        const char* Stdout = "";
    };
    const TRow rows[] = {
        {"missing file", {"watch", "--data", missing, "--at", "2024/04/01 09:00"}, 1,
         "orvexp: Orvanelの予定ファイルが開けませんでした。(" + missing + ": ファイルまたはフォルダがありません)\n"},
        {"not a schedule file", {"watch", "--data", broken, "--at", "2024/04/01 09:00"}, 1,
         "orvexp: Orvanelの予定ファイルが開けませんでした。(" + broken + ": Orvanelの予定ファイルではありません (Invalid File Header))\n"},
        {"moment without time", {"watch", "--data", data, "--at", "2024/04/01"}, 2,
         "orvexp: --at: \"2024/04/01\" is not a moment of the form YYYY/MM/DD hh:nn\n"},
        {"hour 24", {"watch", "--data", data, "--at", "2024/04/01 24:00"}, 2, ""},
        {"no such date", {"watch", "--data", data, "--at", "2023/02/29 10:00"}, 2, ""},
        {"no data option", {"watch", "--at", "2024/04/01 09:00"}, 2, ""},
        // The due lines would be lost.
        {"standard output full", {"watch", "--data", data, "--at", "2024/04/01 09:00"}, 1,
         "orvexp: standard output could not be written\n", "/dev/full"},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        const TRunResult result = Run(row.Arguments, row.Stdout);
        EXPECT_EQ(result.ExitCode, row.ExitCode);
        EXPECT_EQ(result.Out, "");
        if (!row.Err.empty()) {
            EXPECT_EQ(result.Err, row.Err);
        } else {
            EXPECT_TRUE(result.Err.starts_with("orvexp: ")) << result.Err;
            EXPECT_EQ(std::count(result.Err.begin(), result.Err.end(), '\n'), 1) << result.Err;
        }
    }
}

} // namespace
} // namespace orvexp
