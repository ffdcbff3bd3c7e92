// The output writer's refusals and outcomes: what it writes, what it leaves
// alone, and that nothing but the target is ever left in the folder.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/AtomicFileWriter.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WriteFaults.h"

namespace orvexp {
namespace {

namespace fs = std::filesystem;
using test::NamesIn;
using test::ReadBytes;
using test::TFaultScope;
using test::TTempFolder;
using test::WriteBytes;

const std::string kSchedule = "the schedule";

struct stat StatOf(const std::string& path, bool follow = true)
{
    struct stat info {};
    EXPECT_EQ(follow ? ::stat(path.c_str(), &info) : ::lstat(path.c_str(), &info), 0) << path;
    return info;
}

unsigned NewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

TEST(AtomicFileWriter, RefusesInputsAndSpecialFilesAndReplacesOnlyWhatChanged)
{
    const std::string longName(85 * 3, 'x'); // 255 bytes, as long as a name may be
    struct TCase {
        const char* Name;
        std::function<std::string(const std::string& folder)> Prepare; // the output path
        std::vector<std::string> Parts;
        std::string Cause; // "": written; "input": refused as an input
        std::function<void(const std::string& folder, const std::string& output)> Check;
        TWriteFaults Faults = {};
    };
    const auto holds = [](const std::string& bytes, unsigned mode = 0, std::vector<std::string> names = {}) {
        return [=](const std::string& folder, const std::string& output) {
            EXPECT_EQ(ReadBytes(output), bytes);
            if (mode != 0) {
                EXPECT_EQ(StatOf(output).st_mode & 07777, mode);
            }
            if (!names.empty()) {
                EXPECT_EQ(NamesIn(folder), names);
            }
        };
    };
    const auto refusedAsInput = [](const std::string& folder, const std::string&) {
        EXPECT_EQ(ReadBytes(folder + "schedule.dat"), kSchedule);
        EXPECT_EQ(ReadBytes(folder + "Memo/20261208.txt"), "memo");
    };
    const auto file = [](const std::string& name, const std::string& bytes, unsigned mode = 0644) {
        return [=](const std::string& folder) {
            WriteBytes(folder + name, bytes);
            fs::permissions(folder + name, static_cast<fs::perms>(mode));
            return folder + name;
        };
    };
    const auto path = [](const std::string& name) { return [=](const std::string& folder) { return folder + name; }; };
    const std::vector<std::string> usual = {"Memo", "out.csv", "schedule.dat"};

    const std::vector<TCase> cases = {
        {"a new file", path("out.csv"), {"new"}, "", holds("new", NewFileMode(), usual)},
        {"a replaced file keeps its mode", file("out.csv", "old", 0640), {"n", "ew"}, "", holds("new", 0640, usual)},
        {"the same start, then longer", file("out.csv", "same"), {"same", " and more"}, "", holds("same and more")},
        {"the same start, then shorter", file("out.csv", "same and more"), {"same"}, "", holds("same", 0, usual)},
        {"the same parts, then another", file("out.csv", "aaaccc"), {"aaa", "bbb"}, "", holds("aaabbb", 0, usual)},
        {"an empty file", file("out.csv", "old"), {}, "", holds("", 0, usual)},
        {"the schedule file", path("schedule.dat"), {"x"}, "input", refusedAsInput},
        {"the schedule file, slash doubled", path("/schedule.dat"), {"x"}, "input", refusedAsInput},
        {"the schedule file, through a dot", path("./schedule.dat"), {"x"}, "input", refusedAsInput},
        {"the schedule file, through the memo folder", path("Memo/../schedule.dat"), {"x"}, "input", refusedAsInput},
        {"a link to the schedule file",
         [](const std::string& folder) {
             fs::create_symlink("schedule.dat", folder + "out.csv");
             return folder + "out.csv";
         },
         {"x"}, "input", refusedAsInput},
        {"a hard link to the schedule file",
         [](const std::string& folder) {
             fs::create_hard_link(folder + "schedule.dat", folder + "out.csv");
             return folder + "out.csv";
         },
         {"x"}, "input", refusedAsInput},
        {"a memo file", path("Memo/20261208.txt"), {"x"}, "input", refusedAsInput},
        {"a FIFO",
         [](const std::string& folder) {
             EXPECT_EQ(::mkfifo((folder + "out.csv").c_str(), 0600), 0);
             return folder + "out.csv";
         },
         {"x"}, "通常のファイルではなく、FIFO です",
         [](const std::string& folder, const std::string& output) {
             EXPECT_TRUE(S_ISFIFO(StatOf(output).st_mode));
             EXPECT_EQ(NamesIn(folder).size(), 3u);
         }},
        {"a folder",
         [](const std::string& folder) {
             fs::create_directory(folder + "out.csv");
             return folder + "out.csv";
         },
         {"x"}, "フォルダです",
         [](const std::string&, const std::string& output) { EXPECT_TRUE(fs::is_empty(output)); }},
        {"a link is followed and stays",
         [](const std::string& folder) {
             WriteBytes(folder + "real/target.csv", "old");
             fs::permissions(folder + "real/target.csv", fs::perms::owner_read | fs::perms::owner_write);
             fs::create_symlink("real/target.csv", folder + "out.csv");
             return folder + "out.csv";
         },
         {"new"}, "",
         [](const std::string& folder, const std::string& output) {
             EXPECT_TRUE(S_ISLNK(StatOf(output, false).st_mode));
             EXPECT_EQ(ReadBytes(folder + "real/target.csv"), "new");
             EXPECT_EQ(StatOf(output).st_mode & 07777, 0600u);
             EXPECT_EQ(NamesIn(folder + "real"), std::vector<std::string>{"target.csv"});
         }},
        {"a dangling link gets its target",
         [](const std::string& folder) {
             fs::create_directory(folder + "real");
             fs::create_symlink("real/new.csv", folder + "out.csv");
             return folder + "out.csv";
         },
         {"new"}, "",
         [](const std::string& folder, const std::string&) { EXPECT_EQ(ReadBytes(folder + "real/new.csv"), "new"); }},
        {"a name as long as names go", path(longName), {"new"}, "",
         [&](const std::string& folder, const std::string&) {
             EXPECT_EQ(NamesIn(folder), (std::vector<std::string>{"Memo", "schedule.dat", longName}));
         }},
        {"a name too long", path(longName + "x"), {"new"}, "名前が長すぎます",
         [&](const std::string& folder, const std::string&) { EXPECT_EQ(NamesIn(folder).size(), 2u); }},
        {"leftovers of a killed run go, a live writer's stay",
         [](const std::string& folder) {
             WriteBytes(folder + ".out.csv.AbC123.tmp", "left by a killed run");
             WriteBytes(folder + ".out.csv.XyZ789.tmp", "a live writer's");
             WriteBytes(folder + ".other.csv.AbC123.tmp", "another output's");
             const int live = ::open((folder + ".out.csv.XyZ789.tmp").c_str(), O_RDONLY);
             ::flock(live, LOCK_EX); // held by this process (another open file) while the writer runs
             return folder + "out.csv";
         },
         {"new"}, "",
         holds("new", 0, {".other.csv.AbC123.tmp", ".out.csv.XyZ789.tmp", "Memo", "out.csv", "schedule.dat"})},
        {"no unnamed files: a named one", file("out.csv", "old"), {"n", "ew"}, "", holds("new", 0, usual),
         {.NoUnnamedFiles = true}},
        {"the disk fills", file("out.csv", "old"), {"n", "ew"}, "ディスクがいっぱいです", holds("old", 0, usual),
         {.FailWriteAfter = 2}},
        {"the disk fills, named", file("out.csv", "old"), {"n", "ew"}, "ディスクがいっぱいです", holds("old", 0, usual),
         {.FailWriteAfter = 2, .NoUnnamedFiles = true}},
        {"the rename is refused", file("out.csv", "old"), {"new"}, "アクセスが拒否されました", holds("old", 0, usual),
         {.FailRename = true}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TTempFolder folder;
        WriteBytes(folder.Path + "schedule.dat", kSchedule);
        WriteBytes(folder.Path + "Memo/20261208.txt", "memo");
        TInputFiles inputs;
        inputs.AddFile(folder.Path + "schedule.dat");
        inputs.AddFolder(folder.Path + "Memo/");
        const std::string output = c.Prepare(folder.Path);
        {
            const TFaultScope faults(c.Faults);
            TAtomicFileWriter writer(output, &inputs);
            bool ok = true;
            for (const std::string& part : c.Parts) ok = writer.Write(part) && ok;
            ok = writer.Commit() && ok;
            EXPECT_EQ(ok, c.Cause.empty());
            if (c.Cause == "input") {
                EXPECT_THROW(writer.Raise(), EOutputIsInput);
            } else if (!c.Cause.empty()) {
                EXPECT_EQ(writer.Cause(), c.Cause);
                try {
                    writer.Raise();
                } catch (const EFCreateError& e) {
                    EXPECT_EQ(std::string(e.what()), "ファイル " + output + " を作成できません。(" + c.Cause + ")");
                }
            }
        }
        c.Check(folder.Path, output);
    }
}

// The same bytes again leave the file itself, its inode and its time.
TEST(AtomicFileWriter, UnchangedBytesLeaveTheFileAsItWas)
{
    TTempFolder folder;
    const std::string output = folder.Path + "page.html";
    WriteBytes(output, "<html>\r\n</html>\r\n");
    const timespec past[2] = {{1000000000, 0}, {1000000000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, output.c_str(), past, 0), 0);
    const struct stat before = StatOf(output);
    TAtomicFileWriter writer(output);
    EXPECT_TRUE(writer.Write("<html>\r\n") && writer.Write("</html>\r\n") && writer.Commit());
    EXPECT_TRUE(writer.Unchanged());
    const struct stat after = StatOf(output);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mtim.tv_sec, 1000000000);
}

// A full file system, in a mount namespace of a child of this test (root
// only): an unchanged export needs no room, a changed one fails and keeps the old.
TEST(AtomicFileWriter, UnchangedBytesNeedNoRoomOnAFullDisk)
{
    TTempFolder folder;
    const pid_t child = ::fork();
    if (child == 0) {
        if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("tmpfs", folder.Path.c_str(), "tmpfs", 0, "size=64k") != 0) {
            ::_exit(77);
        }
        const std::string output = folder.Path + "out.ics";
        const std::string bytes(20000, 'e');
        WriteBytes(output, bytes);
        const int filler = ::open((folder.Path + "filler").c_str(), O_WRONLY | O_CREAT, 0600);
        const std::string block(4096, 'f');
        while (::write(filler, block.data(), block.size()) > 0) {
        }
        ::close(filler);
        int failures = 0;
        for (const bool named : {false, true}) {
            SetWriteFaultsForTesting({.NoUnnamedFiles = named});
            TAtomicFileWriter same(output);
            failures += !(same.Write(bytes) && same.Commit() && same.Unchanged());
            TAtomicFileWriter other(output);
            const bool written = other.Write(std::string(20000, 'o')) && other.Commit();
            failures += written || other.Cause() != "ディスクがいっぱいです";
        }
        failures += ReadBytes(output) != bytes;
        ::_exit(failures == 0 ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77) GTEST_SKIP() << "no mount namespace here (root only)";
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

// SIGTERM while the bytes are written, to a child of this test: the program
// ends by the signal, and neither an unnamed nor a named temporary file stays.
TEST(AtomicFileWriter, TerminatingSignalLeavesNothingBeside)
{
    for (const bool named : {false, true}) {
        SCOPED_TRACE(named ? "named temporary file" : "unnamed temporary file");
        TTempFolder folder;
        const std::string output = folder.Path + "out.html";
        WriteBytes(output, "earlier");
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            SetWriteFaultsForTesting({.NoUnnamedFiles = named});
            TAtomicFileWriter writer(output);
            const std::string part(1 << 16, 'p');
            writer.Write(part);
            (void)::write(ready[1], "!", 1);
            for (;;) {
                writer.Write(part);
                ::usleep(1000);
            }
        }
        ::close(ready[1]);
        char signal = 0;
        ASSERT_EQ(::read(ready[0], &signal, 1), 1);
        ::close(ready[0]);
        EXPECT_EQ(NamesIn(folder.Path).size(), named ? 2u : 1u); // the temporary file is there to be removed
        ::kill(child, SIGTERM);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
        EXPECT_EQ(NamesIn(folder.Path), std::vector<std::string>{"out.html"});
        EXPECT_EQ(ReadBytes(output), "earlier");
    }
}

} // namespace
} // namespace orvexp
