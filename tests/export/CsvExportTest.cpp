#include "export/CsvExport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "ExportTestSupport.h"
#include "export/Export.h"
#include "platform/AtomicFileWriter.h"
#include "platform/FileSystem.h"

namespace orvexp {
namespace {

using test::MakeEntry;
using test::ReadBytes;
using test::RunExportFrom;
using test::Sjis;
using test::TTempFolder;
using test::WriteBytes;

const std::string kStartup = Sjis("起動時");
const std::string kEveryDay = Sjis("毎日");
// 予定ソポ: second bytes 0x5C, 0x5C, 0x7C.
const std::string kSjisText = "\x97\x5C\x92\xE8\x83\x5C\x83\x7C";

class CsvExportTest : public ::testing::Test {
protected:
    TTempFolder Folder;
    TAlarmList Alarms;

    TExportRequest Request(std::uint8_t type, TDateTime start, TDateTime end, bool emptyMemos = true)
    {
        TExportRequest request;
        request.ExportType = static_cast<TExportType>(type);
        request.StartDate = start;
        request.EndDate = end;
        request.OutputPath = Folder.Path + "out.csv";
        request.Csv.ExportEmptyMemo = emptyMemos;
        return request;
    }

    std::string Export(const TExportRequest& request)
    {
        RunExportFrom(request, Folder.Path, Alarms);
        return ReadBytes(request.OutputPath);
    }
};

TEST_F(CsvExportTest, SchedulesAndMemosOverThreeDays)
{
    Alarms.Add(MakeEntry(akDateAt, 1999, 4, 10, 9, 30, {"meeting"}));
    Alarms.Add(MakeEntry(akDate, 1999, 4, 10, 0, 0, {"  padded  "}));
    Alarms.Add(MakeEntry(akDateAt, 1999, 4, 10, 8, 0, {"line one", "line two"}));
    Alarms.Add(MakeEntry(akStartup, 0, 0, 0, 0, 0, {"startup"}));
    Alarms.Add(MakeEntry(akEveryDay, 0, 0, 0, 0, 0, {}));
    Alarms.Add(MakeEntry(akYearDay, 0, 4, 11, 0, 0, {"say \"hi\""}));
    Alarms.Add(MakeEntry(akMonthDayAt, 0, 0, 11, 12, 0, {kSjisText}));
    WriteBytes(Folder.Path + "Memo/19990410.txt", "memo line 1\r\nmemo line 2\r\n");
    WriteBytes(Folder.Path + "Memo/19990411.txt", "ends_with_tab\t");

    const std::string expectedType2 =
        "1999/04/09,,\r\n"
        "1999/04/09," + kStartup + ",startup\r\n"
        "1999/04/09," + kEveryDay + ",\r\n"
        "1999/04/10,,\"memo line 1\r\nmemo line 2\"\r\n"
        "1999/04/10,,padded\r\n"
        "1999/04/10," + kStartup + ",startup\r\n"
        "1999/04/10," + kEveryDay + ",\r\n"
        "1999/04/10,08:00,\"line one\r\nline two\"\r\n"
        "1999/04/10,09:30,meeting\r\n"
        "1999/04/11,,ends_with_tab\r\n"
        "1999/04/11,,\"say \"\"hi\"\"\"\r\n"
        "1999/04/11," + kStartup + ",startup\r\n"
        "1999/04/11," + kEveryDay + ",\r\n"
        "1999/04/11,12:00," + kSjisText + "\r\n";
    EXPECT_EQ(Export(Request(2, EncodeDate(1999, 4, 9), EncodeDate(1999, 4, 11))), expectedType2);

    const std::string expectedType0 =
        "1999/04/10,,padded\r\n"
        "1999/04/10," + kStartup + ",startup\r\n"
        "1999/04/10," + kEveryDay + ",\r\n"
        "1999/04/10,08:00,\"line one\r\nline two\"\r\n"
        "1999/04/10,09:30,meeting\r\n";
    EXPECT_EQ(Export(Request(0, EncodeDate(1999, 4, 10), EncodeDate(1999, 4, 10))), expectedType0);

    const std::string expectedType1 =
        "1999/04/09,,\r\n"
        "1999/04/10,,\"memo line 1\r\nmemo line 2\"\r\n"
        "1999/04/11,,ends_with_tab\r\n";
    EXPECT_EQ(Export(Request(1, EncodeDate(1999, 4, 9), EncodeDate(1999, 4, 11))), expectedType1);

    // Without empty memos the day without a memo file has no memo row.
    EXPECT_EQ(Export(Request(1, EncodeDate(1999, 4, 9), EncodeDate(1999, 4, 11), false)),
              "1999/04/10,,\"memo line 1\r\nmemo line 2\"\r\n"
              "1999/04/11,,ends_with_tab\r\n");
}

TEST_F(CsvExportTest, ScheduleRowFields)
{
    struct TCase {
        const char* Name;
        std::unique_ptr<TAlarm2> Entry;
        std::string Row; // as written to the file, CR LF included
    };
    std::vector<TCase> cases;
    cases.push_back({"NoTimeGivesEmptyField", MakeEntry(akDate, 1999, 4, 10, 7, 7, {"x"}), "1999/04/10,,x\r\n"});
    cases.push_back({"HourAndMinuteZeroFilled", MakeEntry(akDateAt, 1999, 4, 10, 7, 5, {"x"}), "1999/04/10,07:05,x\r\n"});
    cases.push_back({"SpacesTrimmedThenBare", MakeEntry(akDate, 1999, 4, 10, 0, 0, {"  x  "}), "1999/04/10,,x\r\n"});
    cases.push_back({"InnerSpaceKeepsQuotes", MakeEntry(akDate, 1999, 4, 10, 0, 0, {" a b "}), "1999/04/10,,\"a b\"\r\n"});
    cases.push_back({"BlankLastLineTrimmed", MakeEntry(akDate, 1999, 4, 10, 0, 0, {"x", "  "}), "1999/04/10,,x\r\n"});
    cases.push_back({"NoLinesEmptyField", MakeEntry(akDate, 1999, 4, 10, 0, 0, {}), "1999/04/10,,\r\n"});
    cases.push_back({"TabOnlyTrimmedAway", MakeEntry(akDate, 1999, 4, 10, 0, 0, {"\t"}), "1999/04/10,,\r\n"});
    cases.push_back({"InnerTabBare", MakeEntry(akDate, 1999, 4, 10, 0, 0, {"a\tb"}), "1999/04/10,,a\tb\r\n"});
    cases.push_back({"CommaQuoted", MakeEntry(akDate, 1999, 4, 10, 0, 0, {"a,b"}), "1999/04/10,,\"a,b\"\r\n"});
    cases.push_back({"LoneQuote", MakeEntry(akDate, 1999, 4, 10, 0, 0, {"\""}), "1999/04/10,,\"\"\"\"\r\n"});
    cases.push_back({"ThreeLines", MakeEntry(akDate, 1999, 4, 10, 0, 0, {"a", "", "c"}), "1999/04/10,,\"a\r\n\r\nc\"\r\n"});
    cases.push_back({"SjisUnquoted", MakeEntry(akDate, 1999, 4, 10, 0, 0, {kSjisText}), "1999/04/10,," + kSjisText + "\r\n"});
    cases.push_back({"EveryDayText", MakeEntry(akEveryDay, 0, 0, 0, 0, 0, {"x"}), "1999/04/10," + kEveryDay + ",x\r\n"});
    cases.push_back({"LongText", MakeEntry(akDate, 1999, 4, 10, 0, 0, {std::string(5000, 'z')}),
                     "1999/04/10,," + std::string(5000, 'z') + "\r\n"});
    for (auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Alarms.Clear();
        Alarms.Add(std::move(c.Entry));
        EXPECT_EQ(Export(Request(0, EncodeDate(1999, 4, 10), EncodeDate(1999, 4, 10))), c.Row);
        EXPECT_EQ(BuildScheduleCsvRow(Alarms[0], EncodeDate(1999, 4, 10)) + "\r\n", c.Row);
    }
}

TEST_F(CsvExportTest, MemoRows)
{
    struct TCase {
        const char* Name;
        std::string Bytes;
        std::string WithEmpty;    // file with the empty-memo option on
        std::string WithoutEmpty; // and off
    };
    const std::string longMemo(4100, 'm');
    const std::vector<TCase> cases = {
        {"MultiLineQuoted", "a\r\nb", "1999/04/10,,\"a\r\nb\"\r\n", "1999/04/10,,\"a\r\nb\"\r\n"},
        {"LeadingSpaceKept", " lead", "1999/04/10,,\" lead\"\r\n", "1999/04/10,,\" lead\"\r\n"},
        {"TrailingTabRemovedFromRow", "tab\t", "1999/04/10,,tab\r\n", "1999/04/10,,tab\r\n"},
        {"TabOnlyMemoIsNotEmpty", "\t", "1999/04/10,,\r\n", "1999/04/10,,\r\n"},
        {"LoneQuote", "\"", "1999/04/10,,\"\"\"\"\r\n", "1999/04/10,,\"\"\"\"\r\n"},
        {"ZeroBytesIsEmpty", "", "1999/04/10,,\r\n", ""},
        {"OneLineBreakIsEmpty", "\r\n", "1999/04/10,,\r\n", ""},
        {"TwoLineBreaksAreNotEmpty", "\r\n\r\n", "1999/04/10,,\"\r\n\"\r\n", "1999/04/10,,\"\r\n\"\r\n"},
        {"LoneLfJoinedWithCrLf", "a\nb\n", "1999/04/10,,\"a\r\nb\"\r\n", "1999/04/10,,\"a\r\nb\"\r\n"},
        {"NulEndsText", std::string("x\0 y", 4), "1999/04/10,,x\r\n", "1999/04/10,,x\r\n"},
        {"SjisUnquoted", kSjisText, "1999/04/10,," + kSjisText + "\r\n", "1999/04/10,," + kSjisText + "\r\n"},
        {"LongerThanBuffer", longMemo + "\r\n" + longMemo, "1999/04/10,,\"" + longMemo + "\r\n" + longMemo + "\"\r\n",
         "1999/04/10,,\"" + longMemo + "\r\n" + longMemo + "\"\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        WriteBytes(Folder.Path + "Memo/19990410.txt", c.Bytes);
        EXPECT_EQ(Export(Request(1, EncodeDate(1999, 4, 10), EncodeDate(1999, 4, 10), true)), c.WithEmpty);
        EXPECT_EQ(Export(Request(1, EncodeDate(1999, 4, 10), EncodeDate(1999, 4, 10), false)), c.WithoutEmpty);
    }
}

// UTF-8 on request, for today's spreadsheets: a byte-order mark, then the rows
// converted, the wave dash as U+FF5E. An export large enough to be written in
// several parts converts as the whole would.
TEST_F(CsvExportTest, Utf8OutputStartsWithAByteOrderMark)
{
    Alarms.Add(MakeEntry(akEveryDay, 0, 0, 0, 0, 0, {"\x97\x5C\x92\xE8\x81\x60"})); // 予定～
    WriteBytes(Folder.Path + "Memo/19990410.txt", kSjisText);
    const TDateTime first = EncodeDate(1999, 4, 10);
    const int days = 20000;
    TExportRequest request = Request(2, first, first + days - 1, false);
    request.Encoding = oeUtf8;
    std::string expected = "\xEF\xBB\xBF" "1999/04/10,,予定ソポ\r\n";
    for (int d = 0; d < days; ++d) expected += FormatDateText(first + d) + ",毎日,予定\xEF\xBD\x9E\r\n";
    ASSERT_GT(expected.size(), 2 * kOutputDrainSize);
    EXPECT_EQ(Export(request), expected);
}

TEST_F(CsvExportTest, FilesWithoutRows)
{
    Alarms.Add(MakeEntry(akDate, 1999, 4, 11, 0, 0, {"elsewhere"}));
    // One day without entries, type 0.
    EXPECT_EQ(Export(Request(0, EncodeDate(1999, 4, 10), EncodeDate(1999, 4, 10))), "");
    // No memos and the empty-memo option off.
    EXPECT_EQ(Export(Request(1, EncodeDate(1999, 4, 1), EncodeDate(1999, 4, 30), false)), "");
    // Start after end.
    EXPECT_EQ(Export(Request(2, EncodeDate(1999, 4, 12), EncodeDate(1999, 4, 11))), "");
    // No memo folder, option on: the date and two commas, three times.
    EXPECT_EQ(Export(Request(1, EncodeDate(1999, 4, 10), EncodeDate(1999, 4, 12))),
              "1999/04/10,,\r\n1999/04/11,,\r\n1999/04/12,,\r\n");
}

TEST_F(CsvExportTest, BuildMemoCsvRowIsEmptyOnlyForSkippedEmptyMemo)
{
    WriteBytes(Folder.Path + "Memo/19990410.txt", "x\t");
    const TMemoStore store(TDataFolder(Folder.Path));
    EXPECT_EQ(BuildMemoCsvRow(store, EncodeDate(1999, 4, 10), false), "1999/04/10,,x\t");
    EXPECT_EQ(BuildMemoCsvRow(store, EncodeDate(1999, 4, 11), false), "");
    EXPECT_EQ(BuildMemoCsvRow(store, EncodeDate(1999, 4, 11), true), "1999/04/11,,");
}

TEST_F(CsvExportTest, ProgressCountsDays)
{
    TExportRequest request = Request(1, EncodeDate(1999, 4, 10), EncodeDate(1999, 4, 12));
    std::vector<std::pair<int, int>> reports;
    request.OnProgress = [&](int done, int total) { reports.emplace_back(done, total); };
    RunExportFrom(request, Folder.Path, Alarms);
    EXPECT_EQ(reports, (std::vector<std::pair<int, int>>{{1, 3}, {2, 3}, {3, 3}}));
}

TEST_F(CsvExportTest, OutputThatCannotBeCreated)
{
    TExportRequest request = Request(1, EncodeDate(1999, 4, 10), EncodeDate(1999, 4, 10));
    request.OutputPath = Folder.Path + "missing/out.csv";
    try {
        RunExportFrom(request, Folder.Path, Alarms);
        FAIL() << "no error";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(std::string(e.what()), "ファイル " + request.OutputPath + " を作成できません。(フォルダがありません)");
    }
    EXPECT_FALSE(std::filesystem::exists(Folder.Path + "missing"));
}

TEST_F(CsvExportTest, FailedWriteKeepsEarlierFileAndLeavesNoTemporaryFile)
{
    TExportRequest request = Request(1, EncodeDate(1999, 4, 10), EncodeDate(1999, 4, 20));
    WriteBytes(request.OutputPath, "earlier");
    TWriteFaults faults;
    faults.FailWriteAfter = 20;
    SetWriteFaultsForTesting(faults);
    EXPECT_THROW(RunExportFrom(request, Folder.Path, Alarms), EFCreateError);
    SetWriteFaultsForTesting({});
    EXPECT_EQ(ReadBytes(request.OutputPath), "earlier");
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(Folder.Path)) names.push_back(entry.path().filename());
    EXPECT_EQ(names, std::vector<std::string>{"out.csv"});
}

} // namespace
} // namespace orvexp
