#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/FileSystem.h"
#include "tests/support/TempFolder.h"

namespace orvexp {
namespace {

namespace fs = std::filesystem;

using test::TTempFolder;
using test::WriteBytes;

TEST(FileSystem, PathPartsUseOneDelimiter)
{
    EXPECT_EQ(ExtractFilePath("/data/orvanel/schedule.dat"), "/data/orvanel/");
    EXPECT_EQ(ExtractFilePath("schedule.dat"), "");
    EXPECT_EQ(ExtractFileName("/data/orvanel/schedule.dat"), "schedule.dat");
    EXPECT_EQ(JoinPath("/data/", "schedule.dat"), "/data/schedule.dat");
    EXPECT_EQ(JoinPath("/data", "schedule.dat"), "/data/schedule.dat");
    EXPECT_EQ(JoinPath("/data/", "/out.csv"), "/data/out.csv");
    EXPECT_EQ(JoinPath("", "out.csv"), "out.csv");
    EXPECT_EQ(IncludeTrailingDelimiter("/data"), "/data/");
    EXPECT_EQ(IncludeTrailingDelimiter("/data/"), "/data/");
}

TEST(FileSystem, FindsFixedNamesWithoutRegardToCase)
{
    TTempFolder folder;
    WriteBytes(folder / "SCHEDULE.DAT", "x");
    WriteBytes(folder / "holidays.dat", "x");
    WriteBytes(folder / "HOLIDAYS.DAT", "x");
    WriteBytes(folder / "Daysoff.DAT", "x");
    WriteBytes(folder / "spcldays.dat", "x");
    WriteBytes(folder / "SPCLDAYS.dat", "x");
    fs::create_directory(folder / "MEMO");

    const TFolderIndex index(folder.Path);
    EXPECT_EQ(index.Find("schedule.dat"), folder / "SCHEDULE.DAT");
    EXPECT_EQ(index.Find("holidays.dat"), folder / "holidays.dat"); // the exact name wins
    EXPECT_EQ(index.Find("daysoff.dat"), folder / "Daysoff.DAT");
    EXPECT_EQ(index.Find("SpclDays.dat"), "");                      // two candidates, none exact
    EXPECT_EQ(index.Find("Memo"), folder / "MEMO");
    EXPECT_EQ(index.Find("memo.txt"), "");
    EXPECT_EQ(TFolderIndex(folder / "missing").Find("x"), "");
}

TEST(FileSystem, ReadsWholeFilesAndReportsOpenFailures)
{
    TTempFolder folder;
    WriteBytes(folder / "empty", "");
    WriteBytes(folder / "data", std::string("a\0b", 3));
    EXPECT_EQ(ReadFileBytes(folder / "empty"), "");
    EXPECT_EQ(ReadFileBytes(folder / "data"), std::string("a\0b", 3));
    std::string large(3 << 20, '\0');
    for (std::size_t i = 0; i < large.size(); ++i) large[i] = static_cast<char>(i * 7 + i / 4096);
    WriteBytes(folder / "large", large);
    EXPECT_TRUE(ReadFileBytes(folder / "large") == large);
    const struct {
        std::string Path;
        int Error;
    } failures[] = {{folder / "missing", ENOENT}, {folder.Path, EISDIR}, {folder / "fifo", ENXIO}, {"/dev/zero", ENXIO}};
    // A device never ends and a FIFO may not: neither is read.
    ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
    for (const auto& c : failures) {
        try {
            ReadFileBytes(c.Path);
            ADD_FAILURE() << c.Path;
        } catch (const EFOpenError& e) {
            EXPECT_EQ(std::string(e.what()), "ファイル " + c.Path + " は開けません");
            EXPECT_EQ(e.Error, c.Error) << c.Path;
        }
    }
}

// Missing, unreadable and read apart, as the memo store needs them; a FIFO
// or a device under the name must not make the reader wait or read forever.
TEST(FileSystem, ReadFileIfPresentTellsMissingFromUnreadable)
{
    TTempFolder folder;
    const std::string big(200000, 'm'); // larger than one read of a pipe
    WriteBytes(folder / "memo", "line 1\r\nline 2");
    WriteBytes(folder / "empty", "");
    WriteBytes(folder / "big", big);
    WriteBytes(folder / "page", std::string(4096, 'p')); // one short read is the whole of a smaller file
    WriteBytes(folder / "page-1", std::string(4095, 'q'));
    WriteBytes(folder / "now-zero", "regular when listed");
    WriteBytes(folder / "now-fifo", "regular when listed");
    fs::create_directory(folder / "folder");
    ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
    fs::create_symlink("/proc/self/mem", folder / "mem");
    fs::create_symlink("/dev/zero", folder / "zero");
    fs::create_symlink(folder / "loop", folder / "loop");

    const struct {
        std::string Name;
        TFilePresence Presence;
        std::string Contents;
    } cases[] = {
        {"memo", TFilePresence::Read, "line 1\r\nline 2"},
        {"empty", TFilePresence::Read, ""},
        {"big", TFilePresence::Read, big},
        {"page", TFilePresence::Read, std::string(4096, 'p')},
        {"page-1", TFilePresence::Read, std::string(4095, 'q')},
        {"now-zero", TFilePresence::Unreadable, ""},
        {"now-fifo", TFilePresence::Unreadable, ""},
        {"absent", TFilePresence::Missing, ""},
        {"folder", TFilePresence::Missing, ""},
        {"memo/below", TFilePresence::Missing, ""},
        {"loop", TFilePresence::Missing, ""},
        {"fifo", TFilePresence::Unreadable, ""},
        {"zero", TFilePresence::Unreadable, ""},
        {"mem", TFilePresence::Unreadable, ""},
    };
    const TFolderIndex index(folder.Path);
    // Replaced after the folder was listed: what is there now counts.
    fs::remove(folder / "now-zero");
    fs::create_symlink("/dev/zero", folder / "now-zero");
    fs::remove(folder / "now-fifo");
    ASSERT_EQ(::mkfifo((folder / "now-fifo").c_str(), 0600), 0);
    for (const auto& c : cases) {
        std::string contents = "left over";
        EXPECT_EQ(index.ReadFileIfPresent(c.Name, contents), c.Presence) << c.Name;
        EXPECT_EQ(contents, c.Contents) << c.Name;
    }
    EXPECT_EQ(index.FindName("MEMO"), "memo");
    std::string contents = "left over";
    EXPECT_EQ(TFolderIndex(folder / "absent").ReadFileIfPresent("memo", contents), TFilePresence::Missing);
    EXPECT_EQ(contents, "");
}

} // namespace
} // namespace orvexp
