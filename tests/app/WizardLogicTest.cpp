#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <cstring>
#include <memory>

#include "app/Settings.h"
#include "app/global.h"
#include "app/wizard/WizardLogic.h"
#include "data/DataFolder.h"
#include "platform/IniFile.h"
#include "tests/app/FakeWizardView.h"
#include "tests/app/WizardFixtures.h"
#include "tests/support/FakeOpener.h"
#include "platform/MessageSink.h"

namespace orvexp {
namespace {

namespace fs = std::filesystem;
using test::ReadBytesIfAny;
using test::WriteBytes;

const std::string kNoScheduleFile = "Orvanelの予定ファイル(schedule.dat)を指定してください。";
const std::string kNotOpened = "Orvanelの予定ファイルが開けませんでした。";
const std::string kEndBeforeStart = "開始日は最終日と同じかそれ以前の日付を指定してください。";
const std::string kNoExportFile = "出力ファイルを指定してください。";
const std::string kNext = "次へ(&F) >";
const std::string kFinish = "完了(&F)";

class WizardLogicTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(Program);
        fs::create_directories(Out);
        fs::create_directories(ExtractFilePath(SettingsPath));
        State.VersionInfo = std::make_unique<TVersionInfo>(ThisProgramVersionResource());
        Logic = std::make_unique<TWizardLogic>(View, State);
        Logic->SettingsPath = SettingsPath;
        Logic->DefaultFolder = Program;
        Logic->Clock = &Clock;
        Logic->OnLaunch = [this](const TShellExecute& launch) { Launched.push_back(launch); };
        Logic->FormShow();
    }

    std::string Settings() const { return ReadBytesIfAny(SettingsPath); }

    // Page 1 with `type` chosen, page 2 with the sample data folder, page 3 with the range.
    void GoToPage4(int type, TDateTime start, TDateTime end, const std::string& dataPath = "")
    {
        test::WriteSampleDataFolder(Data);
        View.Index = type;
        Logic->btnNextClick();
        View.DataPath = dataPath.empty() ? Data + "schedule.dat" : dataPath;
        Logic->btnNextClick();
        View.Start = start;
        View.End = end;
        Logic->btnNextClick();
        ASSERT_EQ(Logic->Page(), wpExportFile);
        View.Log.clear();
    }

    test::TTempFolder Temp;
    const std::string Program = Temp.Path + "program/";
    const std::string Data = Temp.Path + "data/";
    const std::string Out = Temp.Path + "out/";
    const std::string SettingsPath = Temp.Path + "settings/orvexp.ini";
    test::TFakeWizardView View;
    TGlobal State;
    TFixedClock Clock{EncodeDate(2024, 4, 1) + EncodeTime(10, 0)};
    std::unique_ptr<TWizardLogic> Logic;
    std::vector<TShellExecute> Launched;
};

TEST_F(WizardLogicTest, FormShowFillsFooterTitleFirstPageAndToday)
{
    EXPECT_EQ(View.VersionLabel, "Ver 1.00");
    EXPECT_EQ(View.BuildLabel, "Build 0175");
    EXPECT_FALSE(View.Beta);
    EXPECT_EQ(View.Copyright, "Copyright (C) 2026 orvexp developers");
    EXPECT_EQ(View.ApplicationTitle, "Orvanel エクスポートウィザード");
    EXPECT_EQ(View.Page, wpExportType);
    EXPECT_EQ(View.Title, "出力形式の選択");
    EXPECT_FALSE(View.BackEnabled);
    EXPECT_EQ(View.NextCaption, kNext);
    EXPECT_EQ(View.Lines, (std::vector<std::string>{"[CSV ] 予定", "[CSV ] メモ", "[CSV ] 予定とメモ", "[HTML] 予定",
                                                     "[HTML] メモ", "[HTML] 予定とメモ", "[iCalendar] 予定とメモ"}));
    EXPECT_EQ(View.Index, 0);
    EXPECT_EQ(View.Start, EncodeDate(2024, 4, 1)) << "today, as a whole day";
    EXPECT_EQ(View.End, EncodeDate(2024, 4, 1));
    EXPECT_EQ(View.Explanation, "CSV形式で出力します。\r\n\r\nCSV形式のファイルはExcel、\r\nAccess等の表計算、データ\r\n"
                                "ベースソフトで読み込むこと\r\nができます。\r\n");
}

TEST_F(WizardLogicTest, FormShowWithoutVersionResourceUsesTheFallbacks)
{
    TGlobal bare;
    test::TFakeWizardView view;
    TWizardLogic logic(view, bare);
    logic.Clock = &Clock;
    logic.FormShow();
    EXPECT_EQ(view.VersionLabel, "Ver-.-");
    EXPECT_EQ(view.BuildLabel, "Build ????");
    EXPECT_EQ(view.ApplicationTitle, "Orvanel エクスポートウィザード");
}

TEST_F(WizardLogicTest, ExplanationFollowsTheSelectedLine)
{
    const std::string html = "HTML形式で出力します。\r\n\r\nHTML形式のファイルは\r\nInternet Explorer、\r\n"
                             "Netscape Navigator等の\r\nブラウザで読み込むこと\r\nができます。\r\n";
    const std::string ics = "iCalendar形式で出力します。\r\n\r\niCalendar形式のファイルは\r\nThunderbird、Google\r\n"
                            "カレンダー等のカレンダーソフ\r\nトに取り込むことができます。\r\n\r\n"
                            "繰り返しの予定は期間によらず\r\n同じ終わりのない予定になり、\r\n続く期間を順に取り込んでも欠\r\n"
                            "けません。日付指定の予定、メ\r\nモ、祝日等は期間内だけです。\r\n";
    for (int index = -1; index <= 7; ++index) {
        View.Index = index;
        Logic->lbExportTypesClick();
        if (index < 0 || index == 7) EXPECT_EQ(View.Explanation, "");
        else if (index <= 2) EXPECT_EQ(View.Explanation.substr(0, 30), "CSV形式で出力します。") << index;
        else if (index <= 5) EXPECT_EQ(View.Explanation, html) << index;
        else EXPECT_EQ(View.Explanation, ics) << index;
    }
}

TEST_F(WizardLogicTest, LeavingPage1StoresTheTypeAndProposesTheScheduleFile)
{
    struct TCase {
        const char* Name;
        std::string Settings;   // "" = no settings file
        std::string FileName;   // the schedule file in the folder; "" = none
        std::string Folder;     // where it lies
        std::string Expected;   // the data field afterwards
    };
    const std::string earlier = "/earlier/choice.dat";
    const TCase cases[] = {
        {"stored folder with its /", "[OrvanelExportWizard]\r\nDefaultDataFolder=" + Data + "\r\n", "schedule.dat",
         Data, Data + "schedule.dat"},
        {"stored folder without its /",
         "[OrvanelExportWizard]\r\nDefaultDataFolder=" + Data.substr(0, Data.size() - 1) + "\r\n", "schedule.dat",
         Data, Data + "schedule.dat"},
        {"no settings file: the program folder", "", "schedule.dat", Program, Program + "schedule.dat"},
        {"name as it is on disk", "[OrvanelExportWizard]\r\nDefaultDataFolder=" + Data + "\r\n", "SCHEDULE.DAT",
         Data, Data + "SCHEDULE.DAT"},
        {"no schedule file: earlier text stays", "[OrvanelExportWizard]\r\nDefaultDataFolder=" + Data + "\r\n", "",
         Data, earlier},
        {"present but empty: not the program folder", "[OrvanelExportWizard]\r\nDefaultDataFolder=\r\n",
         "schedule.dat", Program, earlier},
    };
    for (const TCase& c : cases) {
        fs::remove_all(Data);
        fs::remove(Program + "schedule.dat");
        fs::remove(SettingsPath);
        if (!c.Settings.empty()) WriteBytes(SettingsPath, c.Settings);
        if (!c.FileName.empty()) WriteBytes(c.Folder + c.FileName, "x");
        Logic->btnPreviousClick();
        View.DataPath = earlier;
        View.Index = 4;
        Logic->btnNextClick();
        EXPECT_EQ(View.DataPath, c.Expected) << c.Name;
        EXPECT_EQ(State.ExportType, 4) << c.Name;
        EXPECT_EQ(Logic->Page(), wpDataFile) << c.Name;
    }
    EXPECT_EQ(Logic->OpenDialogFolder(), "") << "the folder read last";
}

TEST_F(WizardLogicTest, LeavingPage1WithoutSelectionKeepsTheType)
{
    State.ExportType = etCsvBoth;
    View.Index = -1;
    Logic->btnNextClick();
    EXPECT_EQ(State.ExportType, 2);
    EXPECT_EQ(View.Page, wpDataFile);
}

TEST_F(WizardLogicTest, AdvanceAndBackSetTitlesCaptionsAndFocus)
{
    test::WriteSampleDataFolder(Data);
    View.Log.clear();
    Logic->btnNextClick();
    EXPECT_EQ(View.Title, "Orvanel予定ファイルの指定");
    EXPECT_TRUE(View.BackEnabled);
    EXPECT_EQ(View.NextCaption, kNext);
    EXPECT_EQ(View.Log.back(), "focus:" + std::to_string(wcDataFilePath));

    View.DataPath = Data + "schedule.dat";
    Logic->btnNextClick();
    EXPECT_EQ(View.Title, "出力する期間の指定");
    EXPECT_EQ(View.Log.back(), "focus:" + std::to_string(wcStartDate));

    Logic->btnNextClick();
    EXPECT_EQ(View.Title, "出力先ファイルの指定");
    EXPECT_EQ(View.NextCaption, kFinish);
    EXPECT_EQ(View.Log.back(), "focus:" + std::to_string(wcExportFile));

    View.Log.clear();
    Logic->btnPreviousClick();
    EXPECT_EQ(View.Page, wpDateRange);
    EXPECT_EQ(View.Title, "出力する期間の指定");
    EXPECT_EQ(View.NextCaption, kNext);
    EXPECT_TRUE(View.BackEnabled);
    Logic->btnPreviousClick();
    Logic->btnPreviousClick();
    EXPECT_EQ(View.Page, wpExportType);
    EXPECT_FALSE(View.BackEnabled);
    EXPECT_EQ(View.Log, (std::vector<std::string>{"page:2", "page:1", "page:0"})) << "Back moves no focus";
    Logic->btnPreviousClick();
    EXPECT_EQ(View.Page, wpExportType);
}

TEST_F(WizardLogicTest, Page2ChecksTheFileAndStaysOnFailure)
{
    struct TCase {
        const char* Name;
        std::string Path;
        std::string Message;
        bool Focus;
    };
    WriteBytes(Data + "notes.dat", "not a schedule file at all");
    fs::create_directories(Data + "folder.dat");
    const TCase cases[] = {
        {"empty field", "", kNoScheduleFile, true},
        {"no such file", Data + "missing.dat", Data + "missing.dat\r\nが見つかりません。\r\n\r\n" + kNoScheduleFile, true},
        {"a folder", Data + "folder.dat", Data + "folder.dat\r\nはフォルダです。\r\n\r\n" + kNoScheduleFile, true},
        {"not a schedule file", Data + "notes.dat",
         kNotOpened + "\r\n\r\n" + Data + "notes.dat\r\nOrvanelの予定ファイルではありません (Invalid File Header)", false},
    };
    Logic->btnNextClick();
    for (const TCase& c : cases) {
        View.Log.clear();
        View.DataPath = c.Path;
        Logic->btnNextClick();
        std::vector<std::string> expected = {"info:" + c.Message};
        if (c.Focus) expected.push_back("focus:" + std::to_string(wcDataFilePath));
        EXPECT_EQ(View.Log, expected) << c.Name;
        EXPECT_EQ(Logic->Page(), wpDataFile) << c.Name;
    }
    EXPECT_FALSE(fs::exists(SettingsPath)) << "nothing stored for a failed load";
}

TEST_F(WizardLogicTest, Page2LoadsDerivesThePathsAndStoresTheFolder)
{
    test::WriteSampleDataFolder(Data);
    WriteBytes(Data + "HOLIDAYS.DAT", "");
    WriteBytes(SettingsPath, "; mine\r\n[OrvanelExportWizard]\r\nDefaultDataFolder=/old/\r\n");
    Logic->btnNextClick();
    View.DataPath = Data + "schedule.dat";
    Logic->btnNextClick();
    EXPECT_EQ(Logic->Page(), wpDateRange);
    EXPECT_TRUE(View.Informations().empty());
    EXPECT_EQ(Logic->AlarmTimer1.AlarmList.Count(), 1);
    EXPECT_EQ(State.DataFolder, Data);
    const TDataFolder folder(State.DataFolder);
    EXPECT_EQ(folder.MemoFolder(), Data + "Memo/");
    EXPECT_EQ(folder.DayFiles().Holidays, Data + "HOLIDAYS.DAT");
    EXPECT_EQ(folder.DayFiles().SpecialDays, Data + "spcldays.dat");
    EXPECT_EQ(folder.DayFiles().DaysOff, Data + "daysoff.dat");
    EXPECT_EQ(Settings(), "; mine\r\n[OrvanelExportWizard]\r\nDefaultDataFolder=" + Data + "\r\n");

    // Every pass through page 2 loads again.
    Logic->btnPreviousClick();
    test::TTempFolder other;
    WriteBytes(other.Path + "schedule.dat", WriteScheduleFile(TAlarmList()));
    View.DataPath = other.Path + "schedule.dat";
    Logic->btnNextClick();
    EXPECT_EQ(Logic->AlarmTimer1.AlarmList.Count(), 0);
    EXPECT_EQ(Settings(), "; mine\r\n[OrvanelExportWizard]\r\nDefaultDataFolder=" + other.Path + "\r\n");
}

// A settings folder left to root by a sudo run: said once, and the export happens.
TEST_F(WizardLogicTest, SettingsThatCannotBeWrittenAreSaidOnceAndTheExportHappens)
{
    test::WriteSampleDataFolder(Data);
    fs::create_directories(SettingsPath); // a folder where the file should be
    Logic->btnNextClick();
    View.DataPath = Data + "schedule.dat";
    Logic->btnNextClick();
    Logic->btnNextClick();
    View.ExportPath = Out + "a.csv";
    Logic->btnNextClick();
    EXPECT_EQ(View.Informations(),
              (std::vector<std::string>{SettingsPath + " に書き込めません", Out + "a.csv\r\nに保存しました。"}));
    EXPECT_TRUE(fs::exists(Out + "a.csv"));
}

TEST_F(WizardLogicTest, Page3ChecksTheRange)
{
    test::WriteSampleDataFolder(Data);
    Logic->btnNextClick();
    View.DataPath = Data + "schedule.dat";
    Logic->btnNextClick();

    View.Start = EncodeDate(2024, 4, 2);
    View.End = EncodeDate(2024, 4, 1);
    Logic->btnNextClick();
    EXPECT_EQ(View.Informations(), std::vector<std::string>{kEndBeforeStart});
    EXPECT_EQ(Logic->Page(), wpDateRange);

    View.End = EncodeDate(2024, 4, 2);
    Logic->btnNextClick();
    EXPECT_EQ(Logic->Page(), wpExportFile) << "equal dates pass";
}

TEST_F(WizardLogicTest, Page3ProposesTheOutputAndShowsTheControlsOfTheType)
{
    struct TCase {
        int Type;
        const char* Name;
        bool Check;
        bool Html;
        bool Days = false;
    };
    const TCase cases[] = {
        {0, "2024年12月25日～2025年01月05日の予定.csv", false, false},
        {1, "2024年12月25日～2025年01月05日のメモ.csv", true, false},
        {2, "2024年12月25日～2025年01月05日の予定とメモ.csv", true, false},
        {3, "2024年12月25日～2025年01月05日の予定.html", false, true},
        {4, "2024年12月25日～2025年01月05日のメモ.html", false, true},
        {5, "2024年12月25日～2025年01月05日の予定とメモ.html", false, true},
        {6, "2024年12月25日～2025年01月05日の予定とメモ.ics", false, false, true},
    };
    test::WriteSampleDataFolder(Data);
    WriteBytes(SettingsPath, "[OrvanelExportWizard]\r\nDefaultExportFolder=" + Out + "\r\n");
    for (const TCase& c : cases) {
        while (Logic->Page() != wpExportType) Logic->btnPreviousClick();
        View.Index = c.Type;
        Logic->btnNextClick();
        View.DataPath = Data + "schedule.dat";
        Logic->btnNextClick();
        View.Start = EncodeDate(2024, 12, 25);
        View.End = EncodeDate(2025, 1, 5);
        Logic->btnNextClick();
        EXPECT_EQ(View.ExportPath, Out + c.Name) << c.Type;
        EXPECT_EQ(View.Visible[wcExportEmptyMemo], c.Check) << c.Type;
        EXPECT_EQ(View.Visible[wcHtmlSettings], c.Html) << c.Type;
        EXPECT_EQ(View.Visible[wcIcsWithDays], c.Days) << c.Type;
        EXPECT_EQ(View.Visible[wcIcsParts], c.Days) << c.Type;
        EXPECT_EQ(View.Visible[wcCsvUtf8], c.Type <= 2) << c.Type;
        EXPECT_EQ(Logic->SaveDialogFolder(), Out);
    }
}

TEST_F(WizardLogicTest, Page3ReadsTheStoredFolderOptionAndColours)
{
    test::WriteSampleDataFolder(Data);
    // No settings file: the program folder, the box checked, the default colours.
    View.Checks[wcExportEmptyMemo] = false;
    View.Colors.TimeColor = 0x123456;
    GoToPage4(3, EncodeDate(2024, 4, 1), EncodeDate(2024, 4, 30));
    EXPECT_EQ(View.ExportPath, Program + "2024年04月01日～2024年04月30日の予定.html");
    EXPECT_TRUE(View.Checks[wcExportEmptyMemo]);
    const THtmlColors defaults;
    EXPECT_EQ(View.Colors.TimeColor, 0);
    EXPECT_EQ(View.Colors.DateBkColor, defaults.DateBkColor);
    EXPECT_EQ(View.Colors.MemoBkColor, defaults.MemoBkColor);

    // Stored values replace the field, the box and colours chosen but not saved.
    fs::remove_all(Program);
    WriteBytes(SettingsPath, "[OrvanelExportWizard]\r\nExportEmptyMemo=0\r\nIcsWithDays=1\r\nCsvUtf8=1\r\n"
                             "[HTMLColors]\r\nTimeColor=0x0000FF\r\nScheduleColor=red\r\nDateBkColor=16711680\r\n");
    View.ExportPath = "typed by hand";
    View.Colors.MemoColor = 0x00FF00;
    Logic->btnPreviousClick();
    Logic->btnNextClick();
    EXPECT_EQ(View.ExportPath, "typed by hand") << "stored folder missing: the field stays";
    EXPECT_FALSE(View.Checks[wcExportEmptyMemo]);
    EXPECT_TRUE(View.Checks[wcIcsWithDays]);
    EXPECT_TRUE(View.Checks[wcCsvUtf8]);
    EXPECT_EQ(View.Colors.TimeColor, 255);
    EXPECT_EQ(View.Colors.ScheduleColor, 0);
    EXPECT_EQ(View.Colors.MemoColor, 0);
    EXPECT_EQ(View.Colors.DateBkColor, 16711680);
}

TEST_F(WizardLogicTest, BackAndNextReplaceATypedOutputName)
{
    GoToPage4(0, EncodeDate(2024, 4, 1), EncodeDate(2024, 4, 1));
    View.ExportPath = Out + "mine.csv";
    Logic->btnPreviousClick();
    Logic->btnNextClick();
    EXPECT_EQ(View.ExportPath, Program + "2024年04月01日～2024年04月01日の予定.csv");
}

// A first run with the settings in the user's config folder: nothing is
// created while settings are only read; the first write makes the folder.
TEST_F(WizardLogicTest, FirstRunCreatesTheSettingsFolderOnlyWhenItWrites)
{
    const std::string config = Temp.Path + "config/";
    Logic->SettingsPath = config + "orvexp/orvexp.ini";
    test::WriteSampleDataFolder(Data);
    Logic->btnNextClick();
    EXPECT_FALSE(fs::exists(config));
    View.DataPath = Data + "schedule.dat";
    Logic->btnNextClick();
    EXPECT_EQ(Logic->Page(), wpDateRange);
    EXPECT_EQ(TIniFile(Logic->SettingsPath).ReadString("OrvanelExportWizard", "DefaultDataFolder", ""), Data);
}

TEST_F(WizardLogicTest, FinishWithABlankNameAsksForOne)
{
    GoToPage4(0, EncodeDate(2024, 4, 1), EncodeDate(2024, 4, 1));
    for (const std::string blank : {"", "   ", " \t "}) {
        View.Log.clear();
        View.ExportPath = blank;
        Logic->btnNextClick();
        EXPECT_EQ(View.Log, (std::vector<std::string>{"info:" + kNoExportFile, "focus:" + std::to_string(wcExportFile)}));
        EXPECT_EQ(Logic->Page(), wpExportFile);
    }
    EXPECT_EQ(Settings(), "[OrvanelExportWizard]\r\nDefaultDataFolder=" + Data + "\r\n") << "no write-back";
}

// The colours and the iCalendar choices are not shown for a CSV type: their
// stored values go back unchanged. Names typed relative end as whole paths.
TEST_F(WizardLogicTest, FinishCsvWritesTheFileSaysSoAndStoresTheSettings)
{
    WriteBytes(SettingsPath,
               "[OrvanelExportWizard]\r\nIcsWithDays=1\r\nIcsParts=1\r\n[HTMLColors]\r\nDateBkColor=16769216\r\n");
    const fs::path before = fs::current_path();
    fs::current_path(Temp.Path);
    GoToPage4(2, EncodeDate(2024, 4, 1), EncodeDate(2024, 4, 2), "./data/schedule.dat");
    View.ExportPath = "out/both.csv";
    Logic->btnNextClick();
    fs::current_path(before);
    EXPECT_EQ(ReadBytesIfAny(Out + "both.csv"), std::string("2024/04/01,,\r\n") + "2024/04/01,09:30," + test::kMeetingSjis +
                                               "\r\n2024/04/02,,abc\r\n");
    EXPECT_EQ(View.Log, std::vector<std::string>{"info:" + Out + "both.csv\r\nに保存しました。"});
    EXPECT_TRUE(Launched.empty());
    EXPECT_EQ(Logic->Page(), wpExportFile);
    EXPECT_EQ(Settings(), "[OrvanelExportWizard]\r\n"
                          "IcsWithDays=1\r\n"
                          "IcsParts=1\r\n"
                          "DefaultDataFolder=" + Data + "\r\n"
                          "DefaultExportFolder=" + Out + "\r\n"
                          "ExportEmptyMemo=1\r\n"
                          "CsvUtf8=0\r\n"
                          "[HTMLColors]\r\n"
                          "DateBkColor=16769216\r\n"
                          "TimeColor=0\r\n"
                          "ScheduleColor=0\r\n"
                          "MemoColor=0\r\n"
                          "TimeBkColor=16777215\r\n"
                          "ScheduleBkColor=16777215\r\n"
                          "MemoBkColor=16777215\r\n");
}

TEST_F(WizardLogicTest, FinishIcsWithNothingInTheRangeSaysSoAndStays)
{
    GoToPage4(6, EncodeDate(2024, 5, 1), EncodeDate(2024, 5, 31));
    const std::string settingsBefore = Settings();
    View.ExportPath = Out + "may.ics";
    Logic->btnNextClick();
    EXPECT_EQ(View.Log, std::vector<std::string>{"info:この期間に書き出す予定とメモはありません。"});
    EXPECT_FALSE(fs::exists(Out + "may.ics"));
    EXPECT_EQ(Settings(), settingsBefore) << "nothing stored";
}

// Two memos of 600 KB are more than 1 MB: in parts, the message names the
// first and the last; as one file, it says how to split it.
TEST_F(WizardLogicTest, FinishIcsInPartsOfOneMegabyte)
{
    GoToPage4(6, EncodeDate(2024, 4, 1), EncodeDate(2024, 4, 3));
    std::string memo;
    while (memo.size() < 600000) memo += std::string(68, 'm') + "\r\n";
    WriteBytes(Data + "Memo/20240401.txt", memo);
    WriteBytes(Data + "Memo/20240403.txt", memo);
    View.ExportPath = Out + "cal.ics";
    View.Checks[wcIcsParts] = true;
    Logic->btnNextClick();
    EXPECT_EQ(View.Informations(), std::vector<std::string>{Out + "cal-1.ics\r\n～\r\n" + Out +
                                                            "cal-2.ics\r\nの 2 個のファイルに保存しました。"});
    EXPECT_LE(fs::file_size(Out + "cal-1.ics"), 1000000u);
    EXPECT_EQ(TIniFile(SettingsPath).ReadString("OrvanelExportWizard", "IcsParts", ""), "1");

    View.Log.clear();
    View.Checks[wcIcsParts] = false;
    Logic->btnNextClick();
    EXPECT_GT(fs::file_size(Out + "cal.ics"), 1000000u);
    EXPECT_EQ(View.Informations(),
              std::vector<std::string>{Out + "cal.ics\r\nに保存しました。\r\n\r\nGoogle カレンダーが取り込めるのは 1 MB "
                                             "までのファイルです。最後のページの「1 MB ずつのファイルに分ける」で分けて書き出せます。"});
}

TEST_F(WizardLogicTest, FinishUsesTheNameUntrimmedAndTheCheckBox)
{
    GoToPage4(1, EncodeDate(2024, 4, 1), EncodeDate(2024, 4, 3));
    View.Checks[wcExportEmptyMemo] = false;
    View.ExportPath = Out + "memo.csv ";
    Logic->btnNextClick();
    EXPECT_TRUE(fs::exists(Out + "memo.csv "));
    EXPECT_FALSE(fs::exists(Out + "memo.csv"));
    EXPECT_EQ(ReadBytesIfAny(Out + "memo.csv "), "2024/04/02,,abc\r\n");
    EXPECT_EQ(TIniFile(SettingsPath).ReadString("OrvanelExportWizard", "ExportEmptyMemo", ""), "0");
}

TEST_F(WizardLogicTest, OverwriteQuestion)
{
    GoToPage4(0, EncodeDate(2024, 4, 1), EncodeDate(2024, 4, 1));
    const std::string output = Out + "exists.csv";
    WriteBytes(output, "old");
    const std::string settingsBefore = Settings();
    const std::string question = output + "\r\nはすでに存在します。\r\n\r\n上書きしますか？";

    View.ExportPath = output;
    View.ConfirmAnswer = false;
    Logic->btnNextClick();
    EXPECT_EQ(View.Log, std::vector<std::string>{"confirm:" + question});
    EXPECT_EQ(ReadBytesIfAny(output), "old");
    EXPECT_EQ(Settings(), settingsBefore);

    View.Log.clear();
    View.ConfirmAnswer = true;
    Logic->btnNextClick();
    EXPECT_EQ(ReadBytesIfAny(output), std::string("2024/04/01,09:30,") + test::kMeetingSjis + "\r\n");
    EXPECT_EQ(View.Confirmations(), std::vector<std::string>{question});

    View.Log.clear();
    Logic->btnNextClick();
    EXPECT_EQ(View.Confirmations(), std::vector<std::string>{question}) << "the second finish asks again";
    EXPECT_EQ(View.Informations().size(), 1u);
}

// A file the export reads is refused as its output before the overwrite
// question; inputs that cannot be read are named in one box after the export.
TEST_F(WizardLogicTest, FinishRefusesAnInputAndNamesWhatItCouldNotRead)
{
    GoToPage4(1, EncodeDate(2024, 4, 1), EncodeDate(2024, 4, 9));
    const std::string schedule = ReadBytesIfAny(Data + "schedule.dat");
    const std::string settingsBefore = Settings();
    for (const std::string& output : {Data + "schedule.dat", Data + "Memo/../schedule.dat", SettingsPath}) {
        View.Log.clear();
        View.ExportPath = output;
        Logic->btnNextClick();
        EXPECT_EQ(View.Log, (std::vector<std::string>{
                                "info:ファイル " + output + " は読み込むファイルです。書き出し先にはできません。",
                                "focus:" + std::to_string(wcExportFile)}));
        EXPECT_EQ(ReadBytesIfAny(Data + "schedule.dat"), schedule);
        EXPECT_EQ(Settings(), settingsBefore);
    }

    std::string named;
    for (int day = 3; day <= 9; ++day) {
        const std::string memo = Data + "Memo/2024040" + std::to_string(day) + ".txt";
        fs::remove(memo);
        fs::create_symlink("/proc/self/mem", memo); // opens, then cannot be read
        if (day <= 7) named += "\r\nファイル " + memo + " を読み込めません。(入出力エラーです)";
    }
    View.Log.clear();
    View.ExportPath = Out + "memos.csv";
    Logic->btnNextClick();
    EXPECT_EQ(View.Informations(),
              (std::vector<std::string>{"次のものは読み込めませんでした。読み込めた分だけを書き出しました。\r\n" + named +
                                            "\r\nほか 2 件",
                                        Out + "memos.csv\r\nに保存しました。"}));
}

TEST_F(WizardLogicTest, FinishHtmlOpensThePageAndStoresTheColours)
{
    GoToPage4(5, EncodeDate(2024, 4, 1), EncodeDate(2024, 4, 2));
    View.Colors.DateBkColor = 16711680; // pure blue
    View.ExportPath = Out + "page.html";
    Logic->btnNextClick();
    const std::string page = ReadBytesIfAny(Out + "page.html");
    EXPECT_NE(page.find(test::kMeetingSjis), std::string::npos);
    EXPECT_NE(page.find("#0000FF"), std::string::npos) << "the date background of the sample";
    EXPECT_TRUE(View.Informations().empty()) << "no message of the wizard's own";
    ASSERT_EQ(Launched.size(), 1u);
    EXPECT_EQ(Launched[0].FileName, Out + "page.html");
    EXPECT_EQ(Launched[0].Operation, "open");
    const TIniFile ini(SettingsPath);
    EXPECT_EQ(ini.ReadString("HTMLColors", "DateBkColor", ""), "16711680");
    EXPECT_EQ(ini.ReadString("HTMLColors", "TimeColor", ""), "0");
    EXPECT_EQ(ini.ReadString("OrvanelExportWizard", "DefaultExportFolder", ""), Out);
}

// The real launch: the finish returns within about a second whatever the
// opener does (without a desktop environment it runs the browser in the
// foreground), and the settings are written right after it.
TEST_F(WizardLogicTest, FinishHtmlDoesNotWaitForTheBrowser)
{
    Logic->OnLaunch = TWizardLogic(View, State).OnLaunch;
    GoToPage4(3, EncodeDate(2024, 4, 1), EncodeDate(2024, 4, 2));
    std::vector<std::string> messages;
    SetMessageSink([&](TMessageKind, const std::string& text) { messages.push_back(text); });
    struct TCase {
        const char* Name;
        const char* Opener;
        std::vector<std::string> Messages;
    };
    const TCase cases[] = {
        {"browser in the foreground", test::TFakeOpener::kKeepsRunning, {}},
        {"no method available", test::TFakeOpener::kNoMethod, {Out + "page.html" + "の関連付けに不具合があります"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        fs::remove(SettingsPath);
        fs::remove(Out + "page.html");
        messages.clear();
        test::TFakeOpener opener(c.Opener);
        View.ExportPath = Out + "page.html";
        const auto start = std::chrono::steady_clock::now();
        Logic->btnNextClick();
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
        EXPECT_EQ(messages, c.Messages);
        EXPECT_EQ(TIniFile(SettingsPath).ReadString("OrvanelExportWizard", "DefaultExportFolder", ""), Out);
    }
    SetMessageSink(nullptr);
}

TEST_F(WizardLogicTest, FailedExportRaisesAndSkipsTheRest)
{
    for (const int type : {0, 3, 6}) {
        fs::remove(SettingsPath);
        Launched.clear();
        while (Logic->Page() != wpExportType) Logic->btnPreviousClick();
        GoToPage4(type, EncodeDate(2024, 4, 1), EncodeDate(2024, 4, 1));
        const std::string settingsBefore = Settings();
        const std::string output = Temp.Path + "no-such-folder/out.txt";
        View.ExportPath = output;
        try {
            Logic->btnNextClick();
            ADD_FAILURE() << "no error for type " << type;
        } catch (const std::exception& e) {
            EXPECT_EQ(std::string(e.what()), "ファイル " + output + " を作成できません。(フォルダがありません)");
        }
        EXPECT_TRUE(View.Informations().empty()) << type;
        EXPECT_TRUE(Launched.empty()) << type;
        EXPECT_EQ(Settings(), settingsBefore) << type;
        EXPECT_EQ(Logic->Page(), wpExportFile);
    }
}

TEST_F(WizardLogicTest, BrowseDialogs)
{
    WriteBytes(SettingsPath, "[OrvanelExportWizard]\r\nDefaultDataFolder=" + Data +
                                 "\r\nDefaultExportFolder=" + Out + "\r\n");
    test::WriteSampleDataFolder(Data);
    View.Index = 4;
    Logic->btnNextClick();

    View.DataPath = "kept";
    Logic->Button5Click();
    EXPECT_EQ(View.OpenSetup.InitialDir, Data);
    EXPECT_EQ(View.OpenSetup.FileName, "schedule.dat");
    EXPECT_EQ(View.OpenSetup.Filter, "Orvanel予定データ(*.dat)|*.dat|すべてのファイル (*)|*");
    EXPECT_EQ(View.OpenSetup.DefaultExt, "*.dat");
    EXPECT_EQ(View.DataPath, "kept") << "cancel changes nothing";
    View.OpenChoice = Data + "schedule.dat";
    Logic->Button5Click();
    EXPECT_EQ(View.DataPath, Data + "schedule.dat");

    Logic->btnNextClick();
    View.Start = EncodeDate(2024, 12, 25);
    View.End = EncodeDate(2025, 1, 5);
    Logic->btnNextClick();
    View.ExportPath = "kept";
    Logic->Button1Click();
    EXPECT_EQ(View.SaveSetup.InitialDir, Out);
    EXPECT_EQ(View.SaveSetup.FileName, "2024年12月25日～2025年01月05日のメモ.html");
    EXPECT_EQ(View.SaveSetup.Filter,
              "CSVファイル(*.csv)|*.csv|HTMLファイル(*.html)|*.html|iCalendarファイル(*.ics)|*.ics");
    EXPECT_EQ(View.SaveSetup.FilterIndex, 2);
    EXPECT_EQ(View.SaveSetup.DefaultExt, "*.html");
    EXPECT_EQ(View.ExportPath, "kept");
    View.SaveChoice = "/chosen/by/user";
    Logic->Button1Click();
    EXPECT_EQ(View.ExportPath, "/chosen/by/user") << "no extension added";

    State.ExportType = etCsvMemos;
    Logic->Button1Click();
    EXPECT_EQ(View.SaveSetup.FilterIndex, 1);
    EXPECT_EQ(View.SaveSetup.DefaultExt, "*.csv");
    EXPECT_EQ(View.SaveSetup.FileName, "2024年12月25日～2025年01月05日のメモ.csv");

    State.ExportType = etIcs;
    Logic->Button1Click();
    EXPECT_EQ(View.SaveSetup.FilterIndex, 3);
    EXPECT_EQ(View.SaveSetup.DefaultExt, "*.ics");
    EXPECT_EQ(View.SaveSetup.FileName, "2024年12月25日～2025年01月05日の予定とメモ.ics");
}

TEST_F(WizardLogicTest, ColourButtonsChangeOneSampleColour)
{
    struct TCase {
        int Tag;
        bool Background;
        std::int32_t THtmlColors::*Field;
    };
    const TCase cases[] = {
        {2, false, &THtmlColors::TimeColor},     {3, false, &THtmlColors::ScheduleColor},
        {4, false, &THtmlColors::MemoColor},     {1, true, &THtmlColors::DateBkColor},
        {2, true, &THtmlColors::TimeBkColor},    {3, true, &THtmlColors::ScheduleBkColor},
        {4, true, &THtmlColors::MemoBkColor},
    };
    for (const TCase& c : cases) {
        View.Colors = InitialSampleColors();
        const THtmlColors before = View.Colors;
        View.ColorChoice.reset();
        c.Background ? Logic->btnHTMLDateBkColorClick(c.Tag) : Logic->btnHTMLDateColorClick(c.Tag);
        EXPECT_EQ(View.ColorPreset, before.*c.Field) << c.Tag << c.Background;
        EXPECT_EQ(View.Colors.*c.Field, before.*c.Field) << "cancel changes nothing";

        View.ColorChoice = 0x00FF00;
        c.Background ? Logic->btnHTMLDateBkColorClick(c.Tag) : Logic->btnHTMLDateColorClick(c.Tag);
        THtmlColors expected = before;
        expected.*c.Field = 0x00FF00;
        EXPECT_EQ(std::memcmp(&View.Colors, &expected, sizeof expected), 0) << c.Tag << c.Background;
    }
    View.Log.clear();
    Logic->btnHTMLDateColorClick(1);
    EXPECT_TRUE(View.Log.empty()) << "the date's text colour is not offered";
}

TEST_F(WizardLogicTest, ExitClosesTheWindowWithoutAQuestion)
{
    View.Log.clear();
    Logic->btnCancelClick();
    EXPECT_EQ(View.Log, std::vector<std::string>{"close"});
}

} // namespace
} // namespace orvexp
