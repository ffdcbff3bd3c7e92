// Runs the built orvexp export over a data folder made here, from a copy of
// the program that has its own settings file beside it, and compares the
// written files byte for byte.

#include <gtest/gtest.h>
#include <utime.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "calendar/DayItem.h"
#include "export/ExportFileName.h"
#include "schedule/AlarmTimer.h"
#include "tests/export/ExportTestSupport.h"
#include "tests/support/DayItems.h"
#include "tests/support/FakeOpener.h"
#include "tests/support/RunProgram.h"

namespace orvexp {
namespace {

using test::DayFile;
using test::MakeEntry;
using test::MonthDayItem;
using test::ReadBytes;
using test::Sjis;
using test::TFakeOpener;
using test::TTempFolder;
using test::WriteBytes;

using test::RunProgram;
using test::TRunResult;

class ExportCommandTest : public ::testing::Test {
protected:
    TTempFolder Data;    // the Orvanel data folder, names as copied from FAT media
    TTempFolder Program; // a copy of orvexp with its own orvexp.ini
    TTempFolder Work;    // the current folder of the runs
    TAlarmList Alarms;
    std::string Orvexp;

    void SetUp() override
    {
        Alarms.Add(MakeEntry(akDateAt, 1999, 4, 10, 9, 30, {"meeting <b>room</b>"}));
        Alarms.Add(MakeEntry(akDate, 1999, 4, 10, 0, 0, {"two", "lines"}));
        Alarms.Add(MakeEntry(akStartup, 0, 0, 0, 0, 0, {"startup"}));
        WriteBytes(Data.Path + "schedule.dat", WriteScheduleFile(Alarms));
        WriteBytes(Data.Path + "HOLIDAYS.DAT", DayFile({MonthDayItem(4, 12, Sjis("祝日"))}));
        WriteBytes(Data.Path + "spcldays.dat", DayFile({MonthDayItem(4, 11, "special")}));
        WriteBytes(Data.Path + "MEMO/19990410.TXT", "memo, one\r\nmemo two\r\n");
        WriteBytes(Data.Path + "MEMO/19990411.txt", "");

        Orvexp = Program.Path + "orvexp";
        std::filesystem::copy_file(ORVEXP_BINARY, Orvexp);
    }

    void WriteSettings(const std::string& text) { WriteBytes(Program.Path + "orvexp.ini", text); }

    std::vector<std::string> Args(const std::string& type, std::vector<std::string> more = {})
    {
        std::vector<std::string> args{"export", "--type", type, "--data", Data.Path + "schedule.dat",
                                      "--from", "1999/04/09", "--to", "1999/04/12"};
        args.insert(args.end(), more.begin(), more.end());
        return args;
    }

    // What the wizard writes for the same inputs, through the writer the type names.
    std::string Build(TExportType type, const THtmlColors& colors, bool emptyMemos, bool escapeHtml = false)
    {
        TExportRequest request;
        request.ExportType = type;
        request.StartDate = EncodeDate(1999, 4, 9);
        request.EndDate = EncodeDate(1999, 4, 12);
        request.OutputPath = Work.Path + "expected";
        request.Html.Colors = colors;
        request.Csv.ExportEmptyMemo = emptyMemos;
        request.Html.EscapeHtml = escapeHtml;
        test::RunExportFrom(request, Data.Path, Alarms, false, ScheduleStampSeconds(Data.Path + "schedule.dat"));
        return ReadBytes(request.OutputPath);
    }
};

TEST_F(ExportCommandTest, WritesEveryTypeWithSettingsDefaults)
{
    WriteSettings("[OrvanelExportWizard]\r\nExportEmptyMemo=0\r\n[HTMLColors]\r\nTimeColor=0x563412\r\n"
                  "DateBkColor=$FF\r\nMemoBkColor=red\r\n");
    THtmlColors colors;
    colors.TimeColor = 0x563412;
    colors.DateBkColor = 0xFF;
    for (const TExportType type : kExportTypes) {
        for (const std::string& typeText : {std::string(CommandLineName(type)), std::to_string(type)}) {
            SCOPED_TRACE(typeText);
            const std::string output = Work.Path + DefaultExportFileName(type, EncodeDate(1999, 4, 9), EncodeDate(1999, 4, 12));
            std::filesystem::remove(output);
            const TRunResult run = RunProgram(Orvexp, Args(typeText), Work.Path);
            EXPECT_EQ(run.ExitCode, 0);
            EXPECT_EQ(run.Err, "");
            EXPECT_EQ(run.Out, "");
            EXPECT_EQ(ReadBytes(output), Build(type, colors, false));
        }
    }
    // The bytes themselves, for the CSV of both kinds.
    EXPECT_EQ(ReadBytes(Work.Path + DefaultExportFileName(etCsvBoth, EncodeDate(1999, 4, 9), EncodeDate(1999, 4, 12))),
              "1999/04/09," + Sjis("起動時") + ",startup\r\n"
              "1999/04/10,,\"memo, one\r\nmemo two\"\r\n"
              "1999/04/10,,\"two\r\nlines\"\r\n"
              "1999/04/10," + Sjis("起動時") + ",startup\r\n"
              "1999/04/10,09:30,\"meeting <b>room</b>\"\r\n"
              "1999/04/11," + Sjis("起動時") + ",startup\r\n"
              "1999/04/12," + Sjis("起動時") + ",startup\r\n");
    const std::string html = ReadBytes(Work.Path + DefaultExportFileName(etHtmlBoth, EncodeDate(1999, 4, 9), EncodeDate(1999, 4, 12)));
    EXPECT_NE(html.find("<th width=\"20%\" bgcolor=\"#FF0000\">"), std::string::npos);
    EXPECT_NE(html.find("<font color=\"#123456\">09:30</font>"), std::string::npos);
    EXPECT_NE(html.find("1999/04/12(" + Sjis("月") + ")<br>" + Sjis("祝日") + "<br></b>"), std::string::npos);
    EXPECT_NE(html.find("<td width=\"40%\" valign=\"top\" align=\"left\" bgcolor=\"#FFFFFF\"><font color=\"#000000\">"
                        "memo, one<br>memo two<br></font></td>"),
              std::string::npos);
}

TEST_F(ExportCommandTest, OptionsOverrideSettings)
{
    WriteSettings("[OrvanelExportWizard]\r\nExportEmptyMemo=0\r\n[HTMLColors]\r\nTimeColor=255\r\n");
    const std::string output = Work.Path + "given name.csv";
    TRunResult run = RunProgram(Orvexp, Args("1", {"--empty-memos", "--output", output}), Work.Path);
    EXPECT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(ReadBytes(output), "1999/04/09,,\r\n1999/04/10,,\"memo, one\r\nmemo two\"\r\n1999/04/11,,\r\n1999/04/12,,\r\n");

    THtmlColors colors;
    colors.TimeColor = 0x123456;
    colors.MemoBkColor = -2147483640;
    colors.ScheduleColor = 0xABCDEF;
    run = RunProgram(Orvexp,
              Args("html-both", {"--output", "page.html", "--color", "timecolor=1193046", "--color",
                                 "MemoBkColor=-2147483640", "--color", "ScheduleColor=0xABCDEF"}),
              Work.Path);
    EXPECT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(ReadBytes(Work.Path + "page.html"), Build(etHtmlBoth, colors, true));
}

TEST_F(ExportCommandTest, WithoutSettingsFileUsesDefaults)
{
    const TRunResult run = RunProgram(Orvexp, Args("html-memos", {"--output", "page.html"}), Work.Path);
    EXPECT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(ReadBytes(Work.Path + "page.html"), Build(etHtmlMemos, THtmlColors(), true));
    const TRunResult csv = RunProgram(Orvexp, Args("csv-memos", {"--output", "memos.csv"}), Work.Path);
    EXPECT_EQ(csv.ExitCode, 0) << csv.Err;
    EXPECT_EQ(ReadBytes(Work.Path + "memos.csv"), Build(etCsvMemos, THtmlColors(), true));
    EXPECT_FALSE(std::filesystem::exists(Program.Path + "orvexp.ini")); // read only
}

// Without --data the schedule file of the folder the wizard remembers is used,
// else the one beside the program.
TEST_F(ExportCommandTest, DataDefaultsToTheRememberedFolder)
{
    const std::vector<std::string> args{"export", "--type", "0", "--from", "1999/04/09", "--to", "1999/04/12",
                                        "--output", "out.csv"};
    TRunResult run = RunProgram(Orvexp, args, Work.Path);
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_EQ(run.Err, "orvexp: Orvanelの予定ファイルが開けませんでした。(" + Program.Path +
                           "schedule.dat: ファイルまたはフォルダがありません)\n");
    EXPECT_FALSE(std::filesystem::exists(Work.Path + "out.csv"));

    WriteSettings("[OrvanelExportWizard]\r\nDefaultDataFolder=" + Data.Path + "\r\n");
    run = RunProgram(Orvexp, args, Work.Path);
    EXPECT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(ReadBytes(Work.Path + "out.csv"), Build(etCsvSchedules, THtmlColors(), true));
}

// The opt-in choices for today's tools: UTF-8 (a CSV with a byte-order mark,
// a page declaring UTF-8) and escaped data texts. The defaults are the
// wizard's bytes, checked above.
TEST_F(ExportCommandTest, Utf8AndEscapingOnRequest)
{
    TRunResult run = RunProgram(Orvexp, Args("csv-both", {"--no-empty-memos", "--encoding", "UTF-8", "--output", "u.csv"}),
                                Work.Path);
    EXPECT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(ReadBytes(Work.Path + "u.csv"),
              "\xEF\xBB\xBF"
              "1999/04/09,起動時,startup\r\n"
              "1999/04/10,,\"memo, one\r\nmemo two\"\r\n"
              "1999/04/10,,\"two\r\nlines\"\r\n"
              "1999/04/10,起動時,startup\r\n"
              "1999/04/10,09:30,\"meeting <b>room</b>\"\r\n"
              "1999/04/11,起動時,startup\r\n"
              "1999/04/12,起動時,startup\r\n");

    run = RunProgram(Orvexp, Args("html-both", {"--encoding", "utf-8", "--escape-html", "--output", "u.html"}),
                     Work.Path);
    EXPECT_EQ(run.ExitCode, 0) << run.Err;
    const std::string html = ReadBytes(Work.Path + "u.html");
    EXPECT_EQ(html.rfind("<html>\r\n<head>\r\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\r\n"
                         "<title>1999/04/09 \xEF\xBD\x9E 1999/04/12の予定とメモ</title>\r\n", 0),
              0u);
    EXPECT_NE(html.find(">meeting &lt;b&gt;room&lt;/b&gt;</font></td>"), std::string::npos);
    EXPECT_NE(html.find("1999/04/12(月)<br>祝日<br></b>"), std::string::npos);

    // Escaping alone keeps Shift_JIS; the encoding alone keeps the markup.
    run = RunProgram(Orvexp, Args("html-both", {"--escape-html", "--output", "e.html"}), Work.Path);
    EXPECT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(ReadBytes(Work.Path + "e.html"), Build(etHtmlBoth, THtmlColors(), true, true));
    run = RunProgram(Orvexp, Args("html-both", {"--encoding", "utf-8", "--output", "m.html"}), Work.Path);
    EXPECT_NE(ReadBytes(Work.Path + "m.html").find(">meeting <b>room</b></font></td>"), std::string::npos);
}

// The iCalendar type by name and number, with and without its own options:
// the writer's bytes over the same sources, stamped with the schedule file's
// modification time.
TEST_F(ExportCommandTest, WritesTheIcsTypeStampedWithTheScheduleFile)
{
    const std::string schedule = Data.Path + "schedule.dat";
    const ::utimbuf times{981173106, 981173106}; // 2001-02-03 04:05:06 UTC
    ASSERT_EQ(::utime(schedule.c_str(), &times), 0);
    struct TCase {
        std::vector<std::string> More;
        bool WithDays;
        const char* TimeZone;
    };
    const TCase cases[] = {
        {{}, false, ""},
        {{"--with-days"}, true, ""},
        {{"--timezone", "Asia/Tokyo", "--encoding", "utf-8"}, false, "Asia/Tokyo"},
    };
    for (const TCase& c : cases) {
        for (const std::string type : {"ics", "6"}) {
            SCOPED_TRACE(type + (c.WithDays ? " with days" : "") + c.TimeZone);
            const std::string output = Work.Path + "1999年04月09日～1999年04月12日の予定とメモ.ics";
            std::filesystem::remove(output);
            const TRunResult run = RunProgram(Orvexp, Args(type, c.More), Work.Path);
            EXPECT_EQ(run.ExitCode, 0) << run.Err;
            EXPECT_EQ(run.Err, "");
            TExportRequest request;
            request.ExportType = etIcs;
            request.StartDate = EncodeDate(1999, 4, 9);
            request.EndDate = EncodeDate(1999, 4, 12);
            request.Ics.TimeZone = c.TimeZone;
            request.OutputPath = Work.Path + "expected.ics";
            test::RunExportFrom(request, Data.Path, Alarms, c.WithDays, 981173106);
            const std::string ics = ReadBytes(output);
            EXPECT_EQ(ics, ReadBytes(request.OutputPath));
            EXPECT_NE(ics.find("\r\nDTSTAMP:20010203T040506Z\r\n"), std::string::npos);
            EXPECT_EQ(ics.find("CATEGORIES:祝日\r\n") != std::string::npos, c.WithDays);
            EXPECT_EQ(ics.find("TZID:Asia/Tokyo\r\n") != std::string::npos, *c.TimeZone != 0);
        }
    }
}

// --open hands the page to the opener and returns within about a second
// whatever the opener does; a failure the opener reports at once still gives
// the launch action's message.
TEST_F(ExportCommandTest, OpenDoesNotWaitForTheBrowser)
{
    const std::string page = Work.Path + "page.html";
    struct TCase {
        const char* Name;
        const char* Opener; // null: no xdg-open on PATH
        std::string Output;
        int ExitCode;
        std::string Err;
    };
    const TCase cases[] = {
        {"browser in the foreground", TFakeOpener::kKeepsRunning, page, 0, ""},
        {"no method available", TFakeOpener::kNoMethod, page, 1,
         "xdg-open: no method available for opening '" + page + "'\norvexp: " + page + "の関連付けに不具合があります\n"},
        // Handed over whole, so that xdg-open does not take it for an option.
        {"a name like an option", TFakeOpener::kNoMethod, "-y.html", 1,
         "xdg-open: no method available for opening '" + Work.Path + "-y.html'\norvexp: -y.htmlの関連付けに不具合があります\n"},
        {"no xdg-open", nullptr, page, 1,
         "orvexp: " + page + " を開けません。(xdg-open が見つかりません。パッケージ xdg-utils をインストールしてください)\n"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TFakeOpener opener(c.Opener ? c.Opener : "exit 0");
        const std::string path = std::getenv("PATH");
        if (!c.Opener) ::setenv("PATH", (Work.Path + "nothing-here").c_str(), 1);
        const auto start = std::chrono::steady_clock::now();
        const TRunResult run = RunProgram(Orvexp, Args("html-both", {"--output", c.Output, "--open"}), Work.Path);
        ::setenv("PATH", path.c_str(), 1);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
        EXPECT_EQ(run.ExitCode, c.ExitCode);
        EXPECT_EQ(run.Err, c.Err);
        EXPECT_EQ(ReadBytes(c.Output.front() == '/' ? c.Output : Work.Path + c.Output),
                  Build(etHtmlBoth, THtmlColors(), true));
    }
}

// A holidays.dat cut inside its last record: the page keeps the names of the
// whole records before it, and the command says where the file ends and goes on.
TEST_F(ExportCommandTest, CutDayFileKeepsItsWholeRecordsAndWarns)
{
    TKyDayItemList holidays;
    holidays.Add(std::make_unique<TKyDayItem>(MonthDayItem(4, 12, Sjis("祝日"))));
    holidays.Add(std::make_unique<TKyDayItem>(MonthDayItem(4, 10, "lost")));
    const std::string whole = WriteDayFile(holidays);
    WriteBytes(Data.Path + "HOLIDAYS.DAT", whole.substr(0, whole.size() - 5));

    const TRunResult run = RunProgram(Orvexp, Args("html-both", {"--output", "page.html"}), Work.Path);
    EXPECT_EQ(run.ExitCode, 0);
    EXPECT_EQ(run.Err, "orvexp: warning: 日のファイル " + Data.Path +
                           "HOLIDAYS.DAT: 予約領域の途中でデータが終わっています（129 バイト必要、残り 124 バイト）"
                           "（バイト位置 " + std::to_string(whole.size() - 129) +
                           "）。その前の欠けのない 1 件を使います\n");
    const std::string html = ReadBytes(Work.Path + "page.html");
    EXPECT_NE(html.find("1999/04/12(" + Sjis("月") + ")<br>" + Sjis("祝日") + "<br></b>"), std::string::npos);
    EXPECT_EQ(html.find("lost"), std::string::npos);

    // The CSV types read no day file and say nothing.
    const TRunResult csv = RunProgram(Orvexp, Args("csv-both", {"--output", "out.csv"}), Work.Path);
    EXPECT_EQ(csv.ExitCode, 0);
    EXPECT_EQ(csv.Err, "");
}

// A memo of 15 MiB, which libical turns into far more, under a limit of the
// address space: one line naming the output, exit 1, nothing left beside it.
TEST_F(ExportCommandTest, RunningOutOfMemoryIsOneLine)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's allocator reports instead";
#endif
    const std::string line = Sjis("あいうえお") + std::string(90, 'x') + "\r\n";
    std::string memo;
    while (memo.size() + line.size() < (15u << 20)) memo += line;
    WriteBytes(Data.Path + "MEMO/19990410.TXT", memo);
    std::vector<std::string> args = Args("ics", {"--output", "big.ics"});
    args.insert(args.begin(), {"--as=" + std::to_string(120u << 20), Orvexp});
    const TRunResult run = RunProgram("/usr/bin/prlimit", args, Work.Path);
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_EQ(run.Err, "orvexp: ファイル big.ics を作成できません。(メモリが足りません)\n");
    EXPECT_TRUE(std::filesystem::is_empty(Work.Path));
}

TEST_F(ExportCommandTest, FailuresGiveOneLineAndWriteNothing)
{
    struct TCase {
        const char* Name;
        std::vector<std::string> Args;
        int ExitCode;
        std::string Err; // the whole of standard error; empty: only checked to be one line
    };
    WriteBytes(Work.Path + "bad.dat", "not a schedule file");
    const std::string schedule = Data.Path + "schedule.dat";
    // Cut inside the last entry: the memo types, which use no entry, fail on it as the others do.
    const std::string whole = WriteScheduleFile(Alarms);
    WriteBytes(Work.Path + "cut.dat", whole.substr(0, whole.size() - 40));
    std::string cutFailure;
    try {
        TAlarmTimer timer;
        timer.LoadFromFile(Work.Path + "cut.dat");
    } catch (const std::exception& e) {
        cutFailure = "orvexp: Orvanelの予定ファイルが開けませんでした。(" + Work.Path + "cut.dat: 壊れています: " +
                     e.what() + ")\n";
    }
    ASSERT_NE(cutFailure.find("の途中でデータが終わっています"), std::string::npos) << cutFailure;
    const auto command = [](const std::string& type, const std::string& data, const std::string& from,
                            std::vector<std::string> more) {
        std::vector<std::string> args{"export", "--type", type, "--data", data, "--from", from, "--to", "1999/04/11"};
        args.insert(args.end(), more.begin(), more.end());
        return args;
    };
    std::vector<TCase> cases = {
        {"ToBeforeFrom", command("0", schedule, "1999/04/12", {"--output", "out.csv"}), 2,
         "orvexp: 開始日は最終日と同じかそれ以前の日付を指定してください。\n"},
        {"MissingSchedule", command("0", Work.Path + "missing.dat", "1999/04/10", {"--output", "out.csv"}), 1,
         "orvexp: Orvanelの予定ファイルが開けませんでした。(" + Work.Path + "missing.dat: ファイルまたはフォルダがありません)\n"},
        {"NotAScheduleFile", command("0", Work.Path + "bad.dat", "1999/04/10", {"--output", "out.csv"}), 1,
         "orvexp: Orvanelの予定ファイルが開けませんでした。(" + Work.Path + "bad.dat: Orvanelの予定ファイルではありません (Invalid File Header))\n"},
        {"CutScheduleCsvMemos", command("1", Work.Path + "cut.dat", "1999/04/10", {"--output", "out.csv"}), 1, cutFailure},
        {"CutScheduleHtmlMemos", command("4", Work.Path + "cut.dat", "1999/04/10", {"--output", "out.csv"}), 1, cutFailure},
        {"CutScheduleCsvBoth", command("2", Work.Path + "cut.dat", "1999/04/10", {"--output", "out.csv"}), 1, cutFailure},
        {"OutputCannotBeCreated", command("0", schedule, "1999/04/10", {"--output", Work.Path + "no/out.csv"}), 1,
         "orvexp: ファイル " + Work.Path + "no/out.csv を作成できません。(フォルダがありません)\n"},
        {"BlankOutput", command("0", schedule, "1999/04/10", {"--output", "   "}), 2,
         "orvexp: 出力ファイルを指定してください。\n"},
        {"EmptyOutput", command("0", schedule, "1999/04/10", {"--output", ""}), 2,
         "orvexp: 出力ファイルを指定してください。\n"},
        {"UnknownEncoding", command("0", schedule, "1999/04/10", {"--output", "out.csv", "--encoding", "latin1"}), 2,
         ""},
        {"UnknownType", command("html", schedule, "1999/04/10", {"--output", "out.csv"}), 2, ""},
        {"BadDate", command("0", schedule, "1999/02/30", {"--output", "out.csv"}), 2, ""},
        {"BadColourValue", command("3", schedule, "1999/04/10", {"--output", "out.csv", "--color", "TimeColor=red"}), 2, ""},
        {"UnknownColour", command("3", schedule, "1999/04/10", {"--output", "out.csv", "--color", "DateColor=0"}), 2, ""},
        {"BothMemoOptions",
         command("1", schedule, "1999/04/10", {"--output", "out.csv", "--empty-memos", "--no-empty-memos"}), 2, ""},
        {"CutScheduleIcs", command("ics", Work.Path + "cut.dat", "1999/04/10", {"--output", "out.csv"}), 1, cutFailure},
        {"UnknownTimeZone",
         command("ics", schedule, "1999/04/10", {"--output", "out.csv", "--timezone", "Asia/Nowhere"}), 2,
         "orvexp: --timezone: \"Asia/Nowhere\" is no time zone name this system knows (such as Asia/Tokyo or UTC)\n"},
        {"TimeZoneForHtml", command("3", schedule, "1999/04/10", {"--output", "out.csv", "--timezone", "UTC"}), 2,
         "orvexp: --timezone: only for --type ics\n"},
        {"WithDaysForCsv", command("0", schedule, "1999/04/10", {"--output", "out.csv", "--with-days"}), 2,
         "orvexp: --with-days: only for --type ics\n"},
        {"IcsInShiftJis", command("ics", schedule, "1999/04/10", {"--output", "out.csv", "--encoding", "shift_jis"}),
         2, "orvexp: --encoding: an iCalendar file is always utf-8\n"},
        {"NoType", {"export", "--data", schedule, "--from", "1999/04/10", "--to", "1999/04/11"}, 2, ""},
        {"TodayOutsideTheYears", command("0", schedule, "today-99999999", {"--output", "out.csv"}), 2,
         "orvexp: --from: today-99999999 falls outside the years 1 to 9999\n"},
        {"FirstWithNothingDated", command("1", Work.Path + "undated/schedule.dat", "first", {"--output", "out.csv"}),
         2, "orvexp: --from first: the data folder " + Work.Path + "undated/ has no memo file and no one-date entry\n"},
        // An empty variable in a job must not export the remembered or the bundled folder.
        {"EmptyData", command("0", "", "1999/04/10", {"--output", "out.csv"}), 2,
         "orvexp: Orvanelの予定ファイル(schedule.dat)を指定してください。\n"},
        {"TimeZoneThroughAPath",
         command("ics", schedule, "1999/04/10", {"--output", "out.csv", "--timezone", "Asia/../../../../etc/localtime"}),
         2, ""},
        {"TimeZoneOfAnotherTree", command("ics", schedule, "1999/04/10", {"--output", "out.csv", "--timezone", "right/Asia/Tokyo"}),
         2, ""},
        {"PartsForCsv", command("0", schedule, "1999/04/10", {"--output", "out.csv", "--part-size", "1M"}), 2,
         "orvexp: --part-size: only for --type ics\n"},
        {"PartsTooSmall", command("ics", schedule, "1999/04/10", {"--output", "out.csv", "--part-size", "63999"}), 2,
         ""},
        {"PartsNoSize", command("ics", schedule, "1999/04/10", {"--output", "out.csv", "--part-size", "1G"}), 2, ""},
        {"VdirAndOutput", command("ics", schedule, "1999/04/10", {"--output", "out.csv", "--vdir", "v"}), 2,
         "orvexp: --vdir: instead of --output and --part-size, not with them\n"},
        {"OutputIsADevice", command("0", schedule, "1999/04/10", {"--output", "/dev/null"}), 1,
         "orvexp: ファイル /dev/null を作成できません。(通常のファイルではなく、デバイスです)\n"},
    };
    // Every file the export reads is refused as its output, however it is spelled.
    const std::string settings = Program.Path + "orvexp.ini";
    WriteSettings("[OrvanelExportWizard]\r\nExportEmptyMemo=1\r\n");
    const std::vector<std::string> inputs = {schedule, Data.Path + "MEMO/19990410.TXT", Data.Path + "HOLIDAYS.DAT", settings};
    std::vector<std::string> before;
    for (const std::string& input : inputs) before.push_back(ReadBytes(input));
    for (const std::string& output : {schedule, Data.Path + "/schedule.dat", Data.Path + "./schedule.dat",
                                      Data.Path + "MEMO/../schedule.dat", Data.Path + "MEMO/19990410.TXT",
                                      Data.Path + "HOLIDAYS.DAT", settings}) {
        for (const char* type : {"csv-memos", "html-both", "ics"}) {
            cases.push_back({"InputAsOutput", command(type, schedule, "1999/04/10", {"--output", output}), 1,
                             "orvexp: ファイル " + output + " は読み込むファイルです。書き出し先にはできません。\n"});
        }
    }
    TAlarmList undated; // an entry at start-up and a memo name of no date
    undated.Add(MakeEntry(akStartup, 0, 0, 0, 0, 0, {"startup"}));
    WriteBytes(Work.Path + "undated/schedule.dat", WriteScheduleFile(undated));
    WriteBytes(Work.Path + "undated/Memo/19990230.txt", "no such day");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const TRunResult run = RunProgram(Orvexp, c.Args, Work.Path);
        EXPECT_EQ(run.ExitCode, c.ExitCode);
        if (!c.Err.empty()) {
            EXPECT_EQ(run.Err, c.Err);
        } else {
            EXPECT_EQ(run.Err.rfind("orvexp: ", 0), 0u) << run.Err;
            EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << run.Err;
        }
        EXPECT_FALSE(std::filesystem::exists(Work.Path + "out.csv"));
    }
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(Work.Path)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"bad.dat", "cut.dat", "undated"}));
    for (std::size_t i = 0; i < inputs.size(); ++i) EXPECT_EQ(ReadBytes(inputs[i]), before[i]) << inputs[i];
}

} // namespace
} // namespace orvexp
