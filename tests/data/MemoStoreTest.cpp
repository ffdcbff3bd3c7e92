#include "data/MemoStore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/TempFolder.h"

namespace orvexp {
namespace {

using test::TTempFolder;
using test::WriteBytes;

struct TMemoCase {
    const char* Name;
    std::string Bytes;
    std::vector<std::string> Lines;
    std::string Text; // the CSV form
};

TEST(MemoStore, ReadsLinesAndTextOfFile)
{
    const std::vector<TMemoCase> cases = {
        {"TwoLinesCrLfEnded", "one\r\ntwo\r\n", {"one", "two"}, "one\r\ntwo"},
        {"TwoLinesNoFinalBreak", "one\r\ntwo", {"one", "two"}, "one\r\ntwo"},
        {"LoneLf", "one\ntwo\n", {"one", "two"}, "one\r\ntwo"},
        {"LoneCr", "one\rtwo\r", {"one", "two"}, "one\r\ntwo"},
        {"MixedBreaks", "a\r\nb\nc\rd", {"a", "b", "c", "d"}, "a\r\nb\r\nc\r\nd"},
        {"LfCrIsTwoBreaks", "a\n\rb", {"a", "", "b"}, "a\r\n\r\nb"},
        {"ZeroBytes", "", {}, ""},
        {"OnlyCrLf", "\r\n", {""}, ""},
        {"TwoEmptyLines", "\r\n\r\n", {"", ""}, "\r\n"},
        {"NulInMiddle", std::string("before\0after\r\nmore", 18), {"before"}, "before"},
        {"NulFirst", std::string("\0abc", 4), {}, ""},
        {"OnlySpacesAndTab", " \t ", {" \t "}, " \t "},
        {"SjisKeptAsBytes", "\x97\x5C\x92\xE8\x83\x7C\r\n", {"\x97\x5C\x92\xE8\x83\x7C"}, "\x97\x5C\x92\xE8\x83\x7C"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TTempFolder folder;
        WriteBytes(folder.Path + "Memo/19990410.txt", c.Bytes);
        const TMemoStore store(TDataFolder(folder.Path));
        const TDateTime date = EncodeDate(1999, 4, 10);
        std::vector<std::string> lines{"stale"};
        EXPECT_TRUE(store.ReadMemoLines(date, lines));
        EXPECT_EQ(lines, c.Lines);
        EXPECT_EQ(store.MemoText(date), c.Text);
        EXPECT_EQ(SplitMemoLines(c.Bytes), c.Lines);
    }
}

TEST(MemoStore, MissingFolderMeansNoMemoOnAnyDate)
{
    TTempFolder folder;
    const TMemoStore store(TDataFolder(folder.Path));
    for (const TDateTime date : {EncodeDate(1999, 4, 10), EncodeDate(2024, 1, 5)}) {
        std::vector<std::string> lines{"stale"};
        EXPECT_FALSE(store.ReadMemoLines(date, lines));
        EXPECT_TRUE(lines.empty());
        EXPECT_EQ(store.MemoFilePath(date), "");
        EXPECT_EQ(store.MemoText(date), "");
    }
}

TEST(MemoStore, MissingFileIsNotPresent)
{
    TTempFolder folder;
    WriteBytes(folder.Path + "Memo/19990411.txt", "other day");
    std::filesystem::create_directories(folder.Path + "Memo/19990412.txt"); // a folder is no memo
    const TMemoStore store(TDataFolder(folder.Path));
    std::vector<std::string> lines;
    EXPECT_FALSE(store.ReadMemoLines(EncodeDate(1999, 4, 10), lines));
    EXPECT_FALSE(store.ReadMemoLines(EncodeDate(1999, 4, 12), lines));
    EXPECT_EQ(store.MemoFilePath(EncodeDate(1999, 4, 10)), folder.Path + "Memo/19990410.txt");
}

TEST(MemoStore, FileNamesZeroFillMonthAndDay)
{
    TTempFolder folder;
    std::filesystem::create_directories(folder.Path + "Memo");
    const TMemoStore store(TDataFolder(folder.Path));
    struct TCase {
        const char* Iso;
        TDateTime Date;
        const char* FileName;
    };
    const TCase cases[] = {
        {"2024-01-05", EncodeDate(2024, 1, 5), "20240105.txt"},
        {"1999-04-10", EncodeDate(1999, 4, 10), "19990410.txt"},
        {"2000-12-31", EncodeDate(2000, 12, 31), "20001231.txt"},
        {"0999-03-04", EncodeDate(999, 3, 4), "9990304.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Iso);
        EXPECT_EQ(MemoFileName(c.Date), c.FileName);
        EXPECT_EQ(store.MemoFilePath(c.Date), folder.Path + "Memo/" + c.FileName);
    }
}

TEST(MemoStore, FolderAndFilesFoundWithoutRegardToCase)
{
    TTempFolder folder;
    WriteBytes(folder.Path + "MEMO/19990410.TXT", "upper\r\n");
    WriteBytes(folder.Path + "MEMO/19990411.txt", "lower");
    const TMemoStore store(TDataFolder(folder.Path));
    EXPECT_EQ(store.MemoFilePath(EncodeDate(1999, 4, 10)), folder.Path + "MEMO/19990410.TXT");
    EXPECT_EQ(store.MemoText(EncodeDate(1999, 4, 10)), "upper");
    EXPECT_EQ(store.MemoText(EncodeDate(1999, 4, 11)), "lower");
    std::vector<std::string> lines;
    EXPECT_FALSE(store.ReadMemoLines(EncodeDate(1999, 4, 12), lines));
}

TEST(MemoStore, ExactNameWinsOverOtherCase)
{
    TTempFolder folder;
    WriteBytes(folder.Path + "Memo/19990410.txt", "exact");
    WriteBytes(folder.Path + "Memo/19990410.TXT", "upper");
    WriteBytes(folder.Path + "memo/19990410.txt", "other folder");
    const TMemoStore store(TDataFolder(folder.Path));
    EXPECT_EQ(store.MemoText(EncodeDate(1999, 4, 10)), "exact");
}

TEST(MemoStore, UnreadableFileIsPresentWithoutLines)
{
    TTempFolder folder;
    std::filesystem::create_directories(folder.Path + "Memo");
    // Opening succeeds but every read fails with EIO, also for root.
    std::filesystem::create_symlink("/proc/self/mem", folder.Path + "Memo/19990410.txt");
    const TMemoStore store(TDataFolder(folder.Path));
    std::vector<std::string> lines{"stale"};
    EXPECT_TRUE(store.ReadMemoLines(EncodeDate(1999, 4, 10), lines));
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(store.MemoText(EncodeDate(1999, 4, 10)), "");
}

} // namespace
} // namespace orvexp
