#include "export/HtmlExport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ExportTestSupport.h"
#include "calendar/DayItem.h"
#include "export/Export.h"
#include "platform/FileSystem.h"
#include "tests/support/DayItems.h"

namespace orvexp {
namespace {

using test::DayFile;
using test::MakeEntry;
using test::MonthDayItem;
using test::ReadBytes;
using test::RunExportFrom;
using test::Sjis;
using test::TTempFolder;
using test::WeekdayItem;
using test::WriteBytes;

// Lines each followed by CR LF, as the page is written.
std::string Lines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return text;
}

const std::vector<std::string> kHead = {
    "<html>", "<head>", R"(<meta http-equiv="Content-Type" content="text/html; charset=x-sjis">)"};

std::string Title(const std::string& from, const std::string& to, const std::string& suffixUtf8)
{
    return "<title>" + from + " \x81\x60 " + to + Sjis(suffixUtf8) + "</title>";
}

const std::vector<std::string> kHeadEnd = {"</head>", "<body>", "", R"(<div align="center"><center>)",
                                           R"(<table border="1" width="95%">)", "<tr>"};
const std::vector<std::string> kTail = {"</table>", "</center></div>", "</body>", "</html>"};

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::string DateCell(const std::string& fontColor, const std::string& date, const char* weekdayUtf8,
                     const std::string& names = "", const std::string& bk = "#EBEBEB")
{
    return R"(<td width="20%" valign="top" bgcolor=")" + bk + R"("><font color=")" + fontColor + R"("><b>)" + date + "(" +
           Sjis(weekdayUtf8) + ")<br>" + names + "</b></font></td>";
}

const std::string kOpen5 = R"(<td width="40%" valign="top"><table border="0" cellspacing="3" cellpadding="0" width="100%">)";
const std::string kOpen3 = R"(<td width="80%" valign="top"><table border="0" cellspacing="3" cellpadding="0" width="100%">)";

class HtmlExportTest : public ::testing::Test {
protected:
    TTempFolder Folder;
    TAlarmList Alarms;

    TExportRequest Request(std::uint8_t type, TDateTime start, TDateTime end)
    {
        TExportRequest request;
        request.ExportType = static_cast<TExportType>(type);
        request.StartDate = start;
        request.EndDate = end;
        request.OutputPath = Folder.Path + "out.html";
        return request;
    }

    // From this test's data folder, or another one.
    std::string Export(const TExportRequest& request, const std::string& dataFolder = {})
    {
        RunExportFrom(request, dataFolder.empty() ? Folder.Path : dataFolder, Alarms);
        return ReadBytes(request.OutputPath);
    }
};

TEST_F(HtmlExportTest, SchedulesAndMemosPage)
{
    Alarms.Add(MakeEntry(akDateAt, 1999, 4, 10, 9, 0, {"a <b>&amp;</b> entry"}));
    Alarms.Add(MakeEntry(akDate, 1999, 4, 10, 0, 0, {"two", "lines"}));
    Alarms.Add(MakeEntry(akDate, 1999, 4, 10, 0, 0, {"line\r\n", "next"}));
    Alarms.Add(MakeEntry(akDate, 1999, 4, 10, 0, 0, {}));
    Alarms.Add(MakeEntry(akMonthDayAt, 0, 0, 13, 23, 59, {"lf ended\n"}));
    // Names chosen so that neither file order nor alphabet gives the list order.
    WriteBytes(Folder.Path + "holidays.dat", DayFile({MonthDayItem(4, 12, Sjis("月曜の祝日")), MonthDayItem(4, 11, "Zh")}));
    WriteBytes(Folder.Path + "spcldays.dat", DayFile({MonthDayItem(4, 11, "Ms")}));
    WriteBytes(Folder.Path + "daysoff.dat", DayFile({WeekdayItem(DaysOfWeekOf(kydwSunday), "Ad")}));
    WriteBytes(Folder.Path + "Memo/19990410.txt", "memo one\r\nmemo <i>two</i>\r\n");
    WriteBytes(Folder.Path + "Memo/19990411.txt", "");
    WriteBytes(Folder.Path + "Memo/19990413.txt", "single & only");

    TExportRequest request = Request(5, EncodeDate(1999, 4, 10), EncodeDate(1999, 4, 13));
    request.Html.Colors.TimeColor = 0x563412;
    request.Html.Colors.ScheduleColor = 0x0000FF;
    request.Html.Colors.MemoColor = 0xFF0000;
    request.Html.Colors.TimeBkColor = 0x00FF00;
    request.Html.Colors.ScheduleBkColor = 0x7F112233;

    const auto entry = [](const std::string& time, const std::string& text) {
        return std::vector<std::string>{
            "<tr>",
            R"(<td width="10%" valign="top" bgcolor="#00FF00" nowrap align="left"><font color="#123456">)" + time +
                "</font></td>",
            R"(<td width="90%" valign="top" bgcolor="#332211" align="left"><font color="#FF0000">)" + text +
                "</font></td>",
            "</tr>"};
    };
    const auto memo = [](const std::string& text) {
        return R"(<td width="40%" valign="top" align="left" bgcolor="#FFFFFF"><font color="#0000FF">)" + text +
               "</font></td>";
    };
    const std::vector<std::string> expected =
        kHead + std::vector<std::string>{Title("1999/04/10", "1999/04/13", "の予定とメモ")} + kHeadEnd +
        std::vector<std::string>{
            R"(<th width="20%" bgcolor="#EBEBEB">)" + Sjis("日付") + "</th>",
            R"(<th width="40%" bgcolor="#EBEBEB">)" + Sjis("予定") + "</th>",
            R"(<th width="40%" bgcolor="#EBEBEB">)" + Sjis("メモ") + "</th>",
            "</tr>",
            // Saturday: blue; "--:--" entries first, in container order.
            "<tr>", DateCell("#0000FF", "1999/04/10", "土"), kOpen5} +
        entry("--:--", "two<br>lines<br>") + entry("--:--", "line<br>next<br>") + entry("--:--", "") +
        entry("09:00", "a <b>&amp;</b> entry") +
        std::vector<std::string>{"</table>", "</td>", memo("memo one<br>memo <i>two</i><br>"), "</tr>",
                                 // Sunday: red; holiday, special day, day off in that order; zero-byte memo.
                                 "<tr>", DateCell("#FF0000", "1999/04/11", "日", "Zh<br>Ms<br>Ad<br>"), kOpen5,
                                 "</table>", "</td>", memo(""), "</tr>",
                                 // A Monday holiday stays black; no memo file.
                                 "<tr>", DateCell("#000000", "1999/04/12", "月", Sjis("月曜の祝日") + "<br>"),
                                 kOpen5, "</table>", "</td>", memo("<br>"), "</tr>",
                                 "<tr>", DateCell("#000000", "1999/04/13", "火"), kOpen5} +
        entry("23:59", "lf ende") +
        std::vector<std::string>{"</table>", "</td>", memo("single & only"), "</tr>"} + kTail;
    EXPECT_EQ(Export(request), Lines(expected));
}

// Escaped, every text from the data shows as typed: schedule lines, memo lines
// and day names. The program's own markup and the line-end rule stay.
TEST_F(HtmlExportTest, EscapedPageShowsTheDataAsTyped)
{
    Alarms.Add(MakeEntry(akDateAt, 1999, 4, 10, 9, 0, {"a<b c>d & \"q\""}));
    Alarms.Add(MakeEntry(akDate, 1999, 4, 10, 0, 0, {"x<\r\n", "y"}));
    WriteBytes(Folder.Path + "holidays.dat", DayFile({MonthDayItem(4, 10, "R&D <day>")}));
    WriteBytes(Folder.Path + "Memo/19990410.txt", "<!-- hidden\r\nshown &amp;\r\n");
    TExportRequest request = Request(5, EncodeDate(1999, 4, 10), EncodeDate(1999, 4, 10));
    request.Html.EscapeHtml = true;

    const auto entry = [](const std::string& time, const std::string& text) {
        return std::vector<std::string>{
            "<tr>",
            R"(<td width="10%" valign="top" bgcolor="#FFFFFF" nowrap align="left"><font color="#000000">)" + time +
                "</font></td>",
            R"(<td width="90%" valign="top" bgcolor="#FFFFFF" align="left"><font color="#000000">)" + text +
                "</font></td>",
            "</tr>"};
    };
    const std::vector<std::string> expected =
        kHead + std::vector<std::string>{Title("1999/04/10", "1999/04/10", "の予定とメモ")} + kHeadEnd +
        std::vector<std::string>{R"(<th width="20%" bgcolor="#EBEBEB">)" + Sjis("日付") + "</th>",
                                 R"(<th width="40%" bgcolor="#EBEBEB">)" + Sjis("予定") + "</th>",
                                 R"(<th width="40%" bgcolor="#EBEBEB">)" + Sjis("メモ") + "</th>", "</tr>", "<tr>",
                                 DateCell("#0000FF", "1999/04/10", "土", "R&amp;D &lt;day&gt;<br>"), kOpen5} +
        entry("--:--", "x&lt;<br>y<br>") + entry("09:00", "a&lt;b c&gt;d &amp; &quot;q&quot;") +
        std::vector<std::string>{
            "</table>", "</td>",
            R"(<td width="40%" valign="top" align="left" bgcolor="#FFFFFF"><font color="#000000">)"
            "&lt;!-- hidden<br>shown &amp;amp;<br></font></td>",
            "</tr>"} +
        kTail;
    EXPECT_EQ(Export(request), Lines(expected));
}

// UTF-8 on request: the head says so, and the page is converted as it is
// written, the wave dash of the title and the data as U+FF5E.
TEST_F(HtmlExportTest, Utf8PageDeclaresItsEncoding)
{
    WriteBytes(Folder.Path + "Memo/19990410.txt", "\x97\x5C\x92\xE8\x81\x60"); // 予定～
    TExportRequest request = Request(4, EncodeDate(1999, 4, 10), EncodeDate(1999, 4, 10));
    request.Encoding = oeUtf8;
    const std::string tilde = "\xEF\xBD\x9E"; // U+FF5E
    EXPECT_EQ(Export(request),
              Lines({"<html>", "<head>", R"(<meta http-equiv="Content-Type" content="text/html; charset=utf-8">)",
                     "<title>1999/04/10 " + tilde + " 1999/04/10のメモ</title>", "</head>", "<body>", "",
                     R"(<div align="center"><center>)", R"(<table border="1" width="95%">)", "<tr>",
                     R"(<th width="20%" bgcolor="#EBEBEB">日付</th>)", R"(<th width="80%" bgcolor="#EBEBEB">メモ</th>)",
                     "</tr>", "<tr>",
                     R"(<td width="20%" valign="top" bgcolor="#EBEBEB"><font color="#0000FF"><b>1999/04/10(土)<br></b></font></td>)",
                     R"(<td width="80%" valign="top" align="left" bgcolor="#FFFFFF"><font color="#000000">予定)" + tilde +
                         "</font></td>",
                     "</tr>", "</table>", "</center></div>", "</body>", "</html>"}));
}

TEST_F(HtmlExportTest, SchedulesPageLeavesCellOpen)
{
    Alarms.Add(MakeEntry(akDateAt, 1999, 4, 10, 7, 5, {"x"}));
    const std::vector<std::string> expected =
        kHead + std::vector<std::string>{Title("1999/04/10", "1999/04/11", "の予定")} + kHeadEnd +
        std::vector<std::string>{
            R"(<th width="20%" bgcolor="#EBEBEB">)" + Sjis("日付") + "</th>",
            R"(<th width="80%" bgcolor="#EBEBEB">)" + Sjis("予定") + "</th>",
            "</tr>",
            "<tr>",
            DateCell("#0000FF", "1999/04/10", "土"),
            kOpen3,
            "<tr>",
            R"(<td width="10%" valign="top" bgcolor="#FFFFFF" nowrap align="left"><font color="#000000">07:05</font></td>)",
            R"(<td width="90%" valign="top" bgcolor="#FFFFFF" align="left"><font color="#000000">x</font></td>)",
            "</tr>",
            "</table>",
            "</tr>",
            "<tr>",
            DateCell("#FF0000", "1999/04/11", "日"),
            kOpen3,
            "</table>",
            "</tr>"} +
        kTail;
    EXPECT_EQ(Export(Request(3, EncodeDate(1999, 4, 10), EncodeDate(1999, 4, 11))), Lines(expected));
}

TEST_F(HtmlExportTest, MemosPageCells)
{
    WriteBytes(Folder.Path + "Memo/19990410.txt", "");
    WriteBytes(Folder.Path + "Memo/19990411.txt", "first\nsecond");
    WriteBytes(Folder.Path + "Memo/19990412.txt", "\r\n");
    const auto memo = [](const std::string& text) {
        return R"(<td width="80%" valign="top" align="left" bgcolor="#FFFFFF"><font color="#000000">)" + text +
               "</font></td>";
    };
    const std::vector<std::string> expected =
        kHead + std::vector<std::string>{Title("1999/04/09", "1999/04/12", "のメモ")} + kHeadEnd +
        std::vector<std::string>{
            R"(<th width="20%" bgcolor="#EBEBEB">)" + Sjis("日付") + "</th>",
            R"(<th width="80%" bgcolor="#EBEBEB">)" + Sjis("メモ") + "</th>",
            "</tr>",
            "<tr>", DateCell("#000000", "1999/04/09", "金"), memo("<br>"), "</tr>",
            "<tr>", DateCell("#0000FF", "1999/04/10", "土"), memo(""), "</tr>",
            "<tr>", DateCell("#FF0000", "1999/04/11", "日"), memo("first<br>second<br>"), "</tr>",
            "<tr>", DateCell("#000000", "1999/04/12", "月"), memo(""), "</tr>"} +
        kTail;
    EXPECT_EQ(Export(Request(4, EncodeDate(1999, 4, 9), EncodeDate(1999, 4, 12))), Lines(expected));
}

TEST_F(HtmlExportTest, MemoCellsWithoutMemoFolder)
{
    const std::string page = Export(Request(4, EncodeDate(1999, 4, 10), EncodeDate(1999, 4, 12)));
    const std::string cell =
        "<td width=\"80%\" valign=\"top\" align=\"left\" bgcolor=\"#FFFFFF\"><font color=\"#000000\"><br></font></td>\r\n";
    std::size_t count = 0;
    for (auto at = page.find(cell); at != std::string::npos; at = page.find(cell, at + 1)) ++count;
    EXPECT_EQ(count, 3u);
}

TEST_F(HtmlExportTest, SingleDayTitleAndEmptyRange)
{
    const std::string single = Export(Request(5, EncodeDate(1999, 4, 10), EncodeDate(1999, 4, 10)));
    EXPECT_NE(single.find("<title>1999/04/10\x20\x81\x60\x20" "1999/04/10" + Sjis("の予定とメモ") + "</title>\r\n"),
              std::string::npos);
    const std::vector<std::string> empty =
        kHead + std::vector<std::string>{Title("1999/04/12", "1999/04/11", "の予定とメモ")} + kHeadEnd +
        std::vector<std::string>{R"(<th width="20%" bgcolor="#EBEBEB">)" + Sjis("日付") + "</th>",
                                 R"(<th width="40%" bgcolor="#EBEBEB">)" + Sjis("予定") + "</th>",
                                 R"(<th width="40%" bgcolor="#EBEBEB">)" + Sjis("メモ") + "</th>", "</tr>"} +
        kTail;
    EXPECT_EQ(Export(Request(5, EncodeDate(1999, 4, 12), EncodeDate(1999, 4, 11))), Lines(empty));
}

TEST_F(HtmlExportTest, DateCellOfSaturdayWithDefaultColours)
{
    const std::string page = Export(Request(4, EncodeDate(1999, 4, 10), EncodeDate(1999, 4, 10)));
    const std::string line = "<td width=\"20%\" valign=\"top\" bgcolor=\"#EBEBEB\"><font color=\"#0000FF\"><b>1999/04/10(" +
                             std::string("\x93\x79") + ")<br></b></font></td>\r\n";
    EXPECT_NE(page.find(line), std::string::npos);
}

TEST_F(HtmlExportTest, DayListsFromAnEarlierExportDoNotLinger)
{
    WriteBytes(Folder.Path + "holidays.dat", DayFile({MonthDayItem(4, 10, "FirstFolderHoliday")}));
    const std::string first = Export(Request(4, EncodeDate(1999, 4, 10), EncodeDate(1999, 4, 10)));
    EXPECT_NE(first.find("FirstFolderHoliday<br>"), std::string::npos);

    // A second data folder without day files.
    TTempFolder other;
    const TExportRequest request = Request(4, EncodeDate(1999, 4, 10), EncodeDate(1999, 4, 10));
    const std::string second = Export(request, other.Path);
    EXPECT_EQ(second.find("FirstFolderHoliday"), std::string::npos);

    // Loading lists that held items empties them when the files are missing or malformed.
    TKyDayItemList holidays, specialDays, daysOff;
    holidays.Add(std::make_unique<TKyDayItem>(MonthDayItem(4, 10, "Stale")));
    daysOff.Add(std::make_unique<TKyDayItem>(MonthDayItem(4, 10, "Stale")));
    WriteBytes(other.Path + "holidays.dat", "junk");
    LoadDayLists(holidays, specialDays, daysOff, TDataFolder(other.Path).DayFiles());
    EXPECT_EQ(holidays.Count(), 0);
    EXPECT_EQ(daysOff.Count(), 0);
    EXPECT_EQ(Export(request, other.Path).find("Stale"), std::string::npos);
}

TEST_F(HtmlExportTest, EquinoxWithoutHolidayItemShowsNoName)
{
    // 1999-03-21 is the vernal equinox day; nothing in the files describes it.
    WriteBytes(Folder.Path + "holidays.dat", DayFile({MonthDayItem(1, 1, "NewYear")}));
    const std::string page = Export(Request(4, EncodeDate(1999, 3, 21), EncodeDate(1999, 3, 21)));
    EXPECT_NE(page.find("1999/03/21(" + Sjis("日") + ")<br></b>"), std::string::npos);
}

TEST(HtmlColors, ColorToHtml)
{
    struct TCase {
        const char* Name;
        std::int32_t Color;
        const char* Html;
    };
    const TCase cases[] = {
        {"RedGreenBlueOrder", 0x563412, "#123456"},
        {"DefaultDateBackground", 15461355, "#EBEBEB"},
        {"White", 16777215, "#FFFFFF"},
        {"Black", 0, "#000000"},
        {"PureRed", 255, "#FF0000"},
        {"PureBlue", 16711680, "#0000FF"},
        {"TopByteIgnored", static_cast<std::int32_t>(0x80000008u), "#080000"},
        {"NegativeValue", -1, "#FFFFFF"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(ColorToHtml(c.Color), c.Html);
    }
}

} // namespace
} // namespace orvexp
