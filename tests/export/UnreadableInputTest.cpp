// Memo files, memo folders and day files that exist but cannot be read. Two
// kinds of file fail also for root: a UNIX socket under the file's name (open
// fails with ENXIO) and a link to /proc/self/mem (open succeeds, the first
// read fails with EIO); a memo file too large to be one is left unread. A memo
// then counts as present without lines, a day file adds no names, a memo
// folder gives no memos; the export goes on and names each in a problem.

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "ExportTestSupport.h"
#include "calendar/DayItem.h"
#include "export/Export.h"
#include "data/MemoStore.h"
#include "platform/FileSystem.h"

namespace orvexp {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::RunExportFrom;
using test::Sjis;
using test::TTempFolder;
using test::WriteBytes;

enum TUnreadableKind { ukSocket, ukProcMem, ukTooLarge };

const struct {
    const char* Name;
    TUnreadableKind Kind;
    const char* Cause;
} kUnreadable[] = {
    {"socket", ukSocket, "通常のファイルではありません"},
    {"link to /proc/self/mem", ukProcMem, "入出力エラーです"},
};

void MakeUnreadable(const std::string& path, TUnreadableKind kind)
{
    fs::create_directories(fs::path(path).parent_path());
    if (kind == ukProcMem) {
        fs::create_symlink("/proc/self/mem", path);
        return;
    }
    if (kind == ukTooLarge) { // sparse: no room taken
        WriteBytes(path, "x");
        fs::resize_file(path, kMaxMemoFileSize + 1);
        return;
    }
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(path.size(), sizeof address.sun_path);
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    const int bound = ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    ::close(fd);
    ASSERT_EQ(bound, 0) << std::strerror(errno);
}

// Lines joined with CR LF, each ended by it.
std::string Lines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

std::string PageHead(const std::string& title, const std::vector<std::string>& headers)
{
    std::vector<std::string> lines = {
        "<html>",
        "<head>",
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=x-sjis\">",
        "<title>" + title + "</title>",
        "</head>",
        "<body>",
        "",
        "<div align=\"center\"><center>",
        "<table border=\"1\" width=\"95%\">",
        "<tr>",
    };
    lines.insert(lines.end(), headers.begin(), headers.end());
    lines.push_back("</tr>");
    return Sjis(Lines(lines));
}

const std::string kPageTail = Lines({"</table>", "</center></div>", "</body>", "</html>"});

class UnreadableInputTest : public ::testing::Test {
protected:
    TExportRequest Request(std::uint8_t type, TDateTime start, TDateTime end)
    {
        TExportRequest request;
        request.ExportType = static_cast<TExportType>(type);
        request.StartDate = start;
        request.EndDate = end;
        request.OutputPath = Out.Path + "out";
        return request;
    }

    std::string Export(const TExportRequest& request)
    {
        RunExportFrom(request, Data.Path, TAlarmList());
        return ReadBytes(request.OutputPath);
    }

    TTempFolder Data;
    TTempFolder Out;
};

TEST_F(UnreadableInputTest, MemoIsPresentWithoutLines)
{
    auto memoCases = std::vector(std::begin(kUnreadable), std::end(kUnreadable));
    memoCases.push_back({"larger than any memo", ukTooLarge, "16 MiB を超えています"});
    for (const auto& c : memoCases) {
        SCOPED_TRACE(c.Name);
        fs::remove_all(Data.Path + "Memo");
        const std::string memo = Data.Path + "Memo/19990410.txt";
        MakeUnreadable(memo, c.Kind);
        const TDateTime day = EncodeDate(1999, 4, 10);

        const TMemoStore store(TDataFolder(Data.Path));
        std::vector<std::string> lines{"left over"};
        EXPECT_TRUE(store.ReadMemoLines(day, lines));
        EXPECT_TRUE(lines.empty());
        EXPECT_EQ(store.MemoText(day), "");
        // Named once for each read.
        ASSERT_EQ(store.Problems().size(), 2u);
        EXPECT_EQ(store.Problems()[0].Text, "ファイル " + memo + " を読み込めません。(" + c.Cause + ")");
        TExportRequest request = Request(1, day, day);
        const auto sources = test::ResolveSources(request, Data.Path, TAlarmList());
        RunExport(request, *sources);
        ASSERT_EQ(sources->Problems().size(), 1u);
        EXPECT_EQ(sources->Problems()[0].Path, memo);

        // CSV: an empty memo, so a row only with the empty-memo option.
        TExportRequest csv = Request(1, day, day);
        EXPECT_EQ(Export(csv), "1999/04/10,,\r\n");
        csv.Csv.ExportEmptyMemo = false;
        EXPECT_EQ(Export(csv), "");

        // HTML: an empty cell, where a day without a file shows <br>.
        const std::string expected =
            PageHead("1999/04/10 ～ 1999/04/11のメモ", {"<th width=\"20%\" bgcolor=\"#EBEBEB\">日付</th>",
                                                         "<th width=\"80%\" bgcolor=\"#EBEBEB\">メモ</th>"}) +
            Sjis(Lines({
                "<tr>",
                "<td width=\"20%\" valign=\"top\" bgcolor=\"#EBEBEB\"><font color=\"#0000FF\"><b>1999/04/10(土)<br></b></font></td>",
                "<td width=\"80%\" valign=\"top\" align=\"left\" bgcolor=\"#FFFFFF\"><font color=\"#000000\"></font></td>",
                "</tr>",
                "<tr>",
                "<td width=\"20%\" valign=\"top\" bgcolor=\"#EBEBEB\"><font color=\"#FF0000\"><b>1999/04/11(日)<br></b></font></td>",
                "<td width=\"80%\" valign=\"top\" align=\"left\" bgcolor=\"#FFFFFF\"><font color=\"#000000\"><br></font></td>",
                "</tr>",
            })) +
            kPageTail;
        EXPECT_EQ(Export(Request(4, day, EncodeDate(1999, 4, 11))), expected);
    }
}

// A memo folder that is there but cannot be listed gives no memos and one problem.
TEST_F(UnreadableInputTest, MemoFolderThatIsNoFolder)
{
    const struct {
        const char* Name;
        std::function<void(const std::string& memo)> Make;
        const char* Cause;
    } cases[] = {
        {"a file", [](const std::string& memo) { WriteBytes(memo, "x"); }, "フォルダではありません"},
        {"a dangling link", [](const std::string& memo) { fs::create_symlink("gone", memo); },
         "ファイルまたはフォルダがありません"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        fs::remove_all(Data.Path);
        fs::create_directories(Data.Path);
        c.Make(Data.Path + "Memo");
        TExportRequest request = Request(1, EncodeDate(1999, 4, 10), EncodeDate(1999, 4, 10));
        const auto sources = test::ResolveSources(request, Data.Path, TAlarmList());
        RunExport(request, *sources);
        EXPECT_EQ(ReadBytes(request.OutputPath), "1999/04/10,,\r\n");
        ASSERT_EQ(sources->Problems().size(), 1u);
        EXPECT_EQ(sources->Problems()[0].Text,
                  "フォルダ " + Data.Path + "Memo/ を読み込めません。(" + std::string(c.Cause) + ")");
    }
}

TEST_F(UnreadableInputTest, DayFileAddsNoNames)
{
    for (const auto& c : kUnreadable) {
        SCOPED_TRACE(c.Name);
        fs::remove_all(Data.Path);
        fs::create_directories(Data.Path);
        MakeUnreadable(Data.Path + "holidays.dat", c.Kind);
        TKyDayItemList special;
        TKyDayItem& item = special.AddNew();
        item.DayType = dtYearMonthDay;
        item.Year = 1999;
        item.Month = 4;
        item.Day = 10;
        item.DayText = Sjis("記念日");
        WriteBytes(Data.Path + "spcldays.dat", WriteDayFile(special));
        fs::create_directories(Data.Path + "daysoff.dat"); // a folder: cannot be read as a file either

        // The reader itself reports the open error and keeps what the list held.
        TKyDayItemList holidays;
        TKyDayItem& held = holidays.AddNew();
        held.DayType = dtMonthDay;
        held.Month = 4;
        held.Day = 10;
        held.DayText = Sjis("前回の祝日");
        try {
            holidays.LoadFromFile(Data.Path + "holidays.dat");
            ADD_FAILURE() << "LoadFromFile did not raise";
        } catch (const EFOpenError& e) {
            EXPECT_EQ(std::string(e.what()), "ファイル " + Data.Path + "holidays.dat は開けません");
        }
        ASSERT_EQ(holidays.Count(), 1);

        // The export goes on without it, and the names held from an earlier load do not show.
        TKyDayItemList specialDays, daysOff;
        const std::vector<TInputProblem> problems =
            LoadDayLists(holidays, specialDays, daysOff, TDataFolder(Data.Path).DayFiles());
        ASSERT_EQ(problems.size(), 2u);
        EXPECT_EQ(problems[0].Text, "ファイル " + Data.Path + "holidays.dat を読み込めません。(" + c.Cause + ")");
        EXPECT_EQ(problems[1].Text, "ファイル " + Data.Path + "daysoff.dat を読み込めません。(フォルダです)");
        const TExportRequest request = Request(3, EncodeDate(1999, 4, 10), EncodeDate(1999, 4, 10));
        const std::string expected =
            PageHead("1999/04/10 ～ 1999/04/10の予定", {"<th width=\"20%\" bgcolor=\"#EBEBEB\">日付</th>",
                                                         "<th width=\"80%\" bgcolor=\"#EBEBEB\">予定</th>"}) +
            Sjis(Lines({
                "<tr>",
                "<td width=\"20%\" valign=\"top\" bgcolor=\"#EBEBEB\"><font color=\"#0000FF\"><b>1999/04/10(土)<br>記念日<br></b></font></td>",
                "<td width=\"80%\" valign=\"top\"><table border=\"0\" cellspacing=\"3\" cellpadding=\"0\" width=\"100%\">",
                "</table>",
                "</tr>",
            })) +
            kPageTail;
        EXPECT_EQ(Export(request), expected);
        EXPECT_EQ(holidays.Count(), 0);
        EXPECT_EQ(specialDays.Count(), 1);
    }
}

} // namespace
} // namespace orvexp
