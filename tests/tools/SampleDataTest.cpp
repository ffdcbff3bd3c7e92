// The sample data folder: its files load with the program's own readers and
// hold what the README and the other tests rely on.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "calendar/DateEx.h"
#include "calendar/DayMatching.h"
#include "platform/DateTime.h"
#include "platform/AtomicFileWriter.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "schedule/AlarmTimer.h"
#include "tests/support/TempFolder.h"
#include "tools/sample/SampleData.h"

namespace orvexp {
namespace {

using test::ReadBytes;
using test::TTempFolder;

// The sample written once for the whole file; every test reads it.
class SampleFolderTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        Folder = std::make_unique<TTempFolder>();
        WriteSampleDataFolder(Folder->Path);
    }
    static void TearDownTestSuite() { Folder.reset(); }
    static std::string PathOf(const std::string& name) { return Folder->Path + name; }

    static std::unique_ptr<TTempFolder> Folder;
};
std::unique_ptr<TTempFolder> SampleFolderTest::Folder;

std::string DateText(TDateTime date)
{
    return FormatDateText(date);
}

// The UTF-8 texts of the items of `list` that fall on `date`, joined by "/".
std::string MatchingTexts(const TKyDayItemList& list, TDateTime date)
{
    std::string texts;
    for (int i = 0; i < list.Count(); ++i) {
        if (!DayItemMatches(list[i], date)) continue;
        if (!texts.empty()) texts += "/";
        texts += Cp932ToUtf8(list[i].DayText);
    }
    return texts;
}

// True when `text` holds a double-byte Shift_JIS character whose second byte is `trail`.
bool HasTrailByte(const std::string& text, unsigned char trail)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!IsSjisLeadByte(static_cast<unsigned char>(text[i])) || i + 1 == text.size()) continue;
        if (static_cast<unsigned char>(text[i + 1]) == trail) return true;
        ++i;
    }
    return false;
}

TEST_F(SampleFolderTest, ScheduleIsFormat2WithEveryRepeatKindTimedAndAllDay)
{
    TAlarmTimer timer;
    timer.LoadFromFile(PathOf("schedule.dat"));
    EXPECT_EQ(FileVersion, kScheduleFormat2);

    std::set<int> kinds;
    for (const auto& alarm : timer.AlarmList) kinds.insert(alarm->Kind);
    EXPECT_EQ(kinds, (std::set<int>{akEveryDayAt, akWeekdaysAt, akMonthDayAt, akDateAt, akYearDayAt, akEveryDay,
                                    akWeekdays, akMonthDay, akDate, akYearDay, akStartup}));

    // Every byte was read into the model: written back, the loaded list gives the
    // file again, once the start-up entry's LastFired (dropped on reading) is restored.
    TAlarmList made;
    FillSampleSchedule(made);
    ASSERT_EQ(timer.AlarmList.Count(), made.Count());
    for (int i = 0; i < made.Count(); ++i)
        if (made[i].Kind == akStartup) timer.AlarmList[i].LastFired = made[i].LastFired;
    const std::string bytes = ReadBytes(PathOf("schedule.dat"));
    EXPECT_EQ(bytes.substr(0, 4), std::string("\x38\x36\x2D\x01", 4));
    EXPECT_EQ(bytes, WriteScheduleFile(timer.AlarmList, kScheduleFormat2));
}

TEST_F(SampleFolderTest, ScheduleCarriesTheTextsThatTroubleWriters)
{
    TAlarmTimer timer;
    timer.LoadFromFile(PathOf("schedule.dat"));
    std::vector<std::string> lines;
    bool multiLine = false, inactive = false, launches = false, notices = false;
    for (const auto& alarm : timer.AlarmList) {
        lines.insert(lines.end(), alarm->Messages.begin(), alarm->Messages.end());
        multiLine = multiLine || alarm->Messages.size() >= 3;
        inactive = inactive || alarm->Active == 0;
        launches = launches || (alarm->Action == aaLaunch && !alarm->ShellExecute.FileName.empty());
        notices = notices || alarm->Alert.Kind != paNone;
    }
    EXPECT_TRUE(multiLine) << "an entry of three lines or more";
    EXPECT_TRUE(inactive) << "an inactive entry";
    EXPECT_TRUE(launches) << "an entry that launches a file";
    EXPECT_TRUE(notices) << "an entry with an advance notice";

    const struct {
        const char* Name;
        bool (*Holds)(const std::string&);
    } cases[] = {
        {"comma", [](const std::string& s) { return s.find(',') != std::string::npos; }},
        {"double quote", [](const std::string& s) { return s.find('"') != std::string::npos; }},
        {"leading blank", [](const std::string& s) { return !s.empty() && s.front() == ' '; }},
        {"trailing blank", [](const std::string& s) { return !s.empty() && s.back() == ' '; }},
        {"less-than", [](const std::string& s) { return s.find('<') != std::string::npos; }},
        {"ampersand", [](const std::string& s) { return s.find('&') != std::string::npos; }},
        {"second byte 0x5C", [](const std::string& s) { return HasTrailByte(s, 0x5C); }},
        {"second byte 0x7C", [](const std::string& s) { return HasTrailByte(s, 0x7C); }},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), c.Holds)) << "no entry line with a " << c.Name;
}

TEST_F(SampleFolderTest, StartupEntryForgetsItsStoredLastFired)
{
    TAlarmList alarms;
    FillSampleSchedule(alarms);
    TAlarmTimer timer;
    timer.LoadFromFile(PathOf("schedule.dat"));
    ASSERT_EQ(timer.AlarmList.Count(), alarms.Count());
    for (int i = 0; i < alarms.Count(); ++i) {
        if (alarms[i].Kind != akStartup) continue;
        EXPECT_NE(alarms[i].LastFired, 0.0) << "the sample stores a LastFired for the reader to drop";
        EXPECT_EQ(timer.AlarmList[i].LastFired, 0.0);
    }
}

// The national holidays of 2025, 2026 and 2027 as the Cabinet Office lists
// them ("国民の祝日について", including the days it calls 休日). With both
// automatic rules on, the calculator must mark exactly these days.
TEST_F(SampleFolderTest, HolidaysGiveJapansHolidaysOf2025To2027)
{
    TKyDateEx calendar;
    calendar.AutoEquinox = true;
    calendar.AutoFurikae = true;
    calendar.HolidayList().LoadFromFile(PathOf("holidays.dat"));
    calendar.SpecialDayList().LoadFromFile(PathOf("spcldays.dat"));
    calendar.CustomDayOffList().LoadFromFile(PathOf("daysoff.dat"));

    const std::set<std::string> expected = {
        "2025/01/01", "2025/01/13", "2025/02/11", "2025/02/23", "2025/02/24", "2025/03/20", "2025/04/29",
        "2025/05/03", "2025/05/04", "2025/05/05", "2025/05/06", "2025/07/21", "2025/08/11", "2025/09/15",
        "2025/09/23", "2025/10/13", "2025/11/03", "2025/11/23", "2025/11/24",
        "2026/01/01", "2026/01/12", "2026/02/11", "2026/02/23", "2026/03/20", "2026/04/29", "2026/05/03",
        "2026/05/04", "2026/05/05", "2026/05/06", "2026/07/20", "2026/08/11", "2026/09/21", "2026/09/22",
        "2026/09/23", "2026/10/12", "2026/11/03", "2026/11/23",
        "2027/01/01", "2027/01/11", "2027/02/11", "2027/02/23", "2027/03/21", "2027/03/22", "2027/04/29",
        "2027/05/03", "2027/05/04", "2027/05/05", "2027/07/19", "2027/08/11", "2027/09/20", "2027/09/23",
        "2027/10/11", "2027/11/03", "2027/11/23",
    };
    std::set<std::string> marked;
    for (TDateTime date = EncodeDate(2025, 1, 1); date <= EncodeDate(2027, 12, 31); date += 1) {
        const TKyDayKinds kinds = calendar.GetDayKindsOfDate(date);
        if (kinds.Contains(dkHoliday) || kinds.Contains(dkSubstitute)) marked.insert(DateText(date));
    }
    EXPECT_EQ(marked, expected);
}

// Days where the law changed, each named by its date; "" = no holiday item.
TEST_F(SampleFolderTest, HolidayItemsFollowTheChangesOfTheLaw)
{
    TKyDayItemList holidays;
    holidays.LoadFromFile(PathOf("holidays.dat"));
    const std::map<std::string, std::string> cases = {
        {"1999/01/15", "成人の日"},   {"2000/01/15", ""},
        {"2000/01/10", "成人の日"},   {"2002/09/15", "敬老の日"},
        {"2004/09/15", ""},           {"2004/09/20", "敬老の日"},
        {"2006/04/29", "みどりの日"}, {"2006/05/04", "国民の休日"},
        {"2007/04/29", "昭和の日"},   {"2007/05/04", "みどりの日"},
        {"2015/08/11", ""},           {"2016/08/11", "山の日"},
        {"2015/09/22", "国民の休日"}, {"2018/12/23", "天皇誕生日"},
        {"2019/12/23", ""},           {"2019/02/23", ""},
        {"2019/05/01", "即位の日"},   {"2019/10/22", "即位礼正殿の儀の行われる日"},
        {"2019/07/15", "海の日"},     {"2019/10/14", "体育の日"},
        {"2020/02/23", "天皇誕生日"}, {"2020/07/20", ""},
        {"2020/07/23", "海の日"},     {"2020/07/24", "スポーツの日"},
        {"2020/08/10", "山の日"},     {"2020/08/11", ""},
        {"2020/10/12", ""},           {"2021/07/19", ""},
        {"2021/07/22", "海の日"},     {"2021/07/23", "スポーツの日"},
        {"2021/08/08", "山の日"},     {"2022/07/18", "海の日"},
        {"2022/08/11", "山の日"},     {"2022/10/10", "スポーツの日"},
    };
    for (const auto& [dateText, names] : cases) {
        TDateTime date = 0;
        ASSERT_TRUE(TryParseDateText(dateText, date)) << dateText;
        EXPECT_EQ(MatchingTexts(holidays, date), names) << dateText;
    }
}

TEST_F(SampleFolderTest, SpecialDaysAndDaysOffUseEveryRuleKind)
{
    TKyDayItemList special, daysOff;
    special.LoadFromFile(PathOf("spcldays.dat"));
    daysOff.LoadFromFile(PathOf("daysoff.dat"));
    const struct {
        const char* Date;
        const char* Special;
        const char* DayOff;
    } cases[] = {
        {"2026/02/03", "節分", ""},
        {"2026/03/31", "年度末", ""},                      // day 0: the month's last day
        {"2026/05/10", "母の日", ""},                      // second Sunday
        {"2026/06/21", "父の日", ""},                      // third Sunday
        {"2026/06/10", "結婚記念日/ノー残業デー", ""},     // from 2015 on; every Wednesday
        {"2014/06/10", "", ""},                            // before the first year (a Tuesday)
        {"2026/09/25", "十五夜", ""},                      // this year only
        {"2027/09/25", "", ""},
        {"2026/12/13", "すす払い \"正月事始め\"", ""},
        {"2026/06/01", "", "創立記念日(本社,支社)"},
        {"2026/08/13", "", "夏季休暇"},
        {"2026/11/13", "", "リフレッシュ休暇"},           // second Friday, from 2026 on
        {"2025/11/14", "", ""},
        {"2025/12/26", "", "旧社屋の休館日"},             // last Friday, up to 2025
        {"2026/12/25", "クリスマス", ""},
        {"2026/12/31", "大晦日", "年末年始休暇"},
    };
    for (const auto& c : cases) {
        TDateTime date = 0;
        ASSERT_TRUE(TryParseDateText(c.Date, date)) << c.Date;
        EXPECT_EQ(MatchingTexts(special, date), c.Special) << c.Date;
        EXPECT_EQ(MatchingTexts(daysOff, date), c.DayOff) << c.Date;
    }
}

TEST_F(SampleFolderTest, MemosCoverTheYearWithCrLfAndTheEmptyCases)
{
    std::set<unsigned> months;
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(PathOf("Memo")))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    ASSERT_GE(names.size(), 100u);

    bool zeroBytes = false, onlyBreak = false, multiLine = false, noFinalBreak = false;
    for (const std::string& name : names) {
        ASSERT_EQ(name.size(), 12u) << name;
        ASSERT_EQ(name.substr(8), ".txt") << name;
        TDateTime date = 0;
        ASSERT_TRUE(TryParseDateText(name.substr(0, 4) + "/" + name.substr(4, 2) + "/" + name.substr(6, 2), date))
            << name;
        const TDateParts parts = DecodeDate(date);
        EXPECT_EQ(parts.Year, kSampleYear) << name;
        months.insert(parts.Month);

        const std::string bytes = ReadBytes(PathOf("Memo/" + name));
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (bytes[i] == '\r') {
                EXPECT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << name << " lone CR";
            }
            if (bytes[i] == '\n') {
                EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << name << " lone LF";
            }
        }
        zeroBytes = zeroBytes || bytes.empty();
        onlyBreak = onlyBreak || bytes == "\r\n";
        multiLine = multiLine || std::count(bytes.begin(), bytes.end(), '\n') >= 3;
        noFinalBreak = noFinalBreak || (!bytes.empty() && bytes.back() != '\n');
    }
    EXPECT_EQ(months.size(), 12u);
    EXPECT_TRUE(zeroBytes) << "a zero-byte memo";
    EXPECT_TRUE(onlyBreak) << "a memo holding only a line break";
    EXPECT_TRUE(multiLine) << "a memo of three lines or more";
    EXPECT_TRUE(noFinalBreak) << "a memo whose last line has no break";

    EXPECT_EQ(ReadBytes(PathOf("Memo/20261208.txt")),
              Utf8ToCp932("設計レビューの準備\r\n機能一覧表とソースを確認, 明日までに修正\r\n"
                          "\"重要\" <必読> & 共有\r\n  先頭と末尾に空白  \r\n"));
}

TEST(SampleData, IsTheSameOnEveryRunAndReplacesEarlierFiles)
{
    TTempFolder first, second;
    WriteSampleDataFolder(first.Path);
    // An earlier, different schedule.dat and a file of the user's stay in their places.
    std::filesystem::create_directories(second.Path + "Memo");
    WriteFileAtomically(second.Path + "schedule.dat", "old");
    WriteFileAtomically(second.Path + "notes.txt", "mine");
    WriteSampleDataFolder(second.Path);

    const std::vector<TSampleFile> files = SampleDataFiles();
    ASSERT_FALSE(files.empty());
    for (const TSampleFile& file : files) {
        EXPECT_EQ(ReadBytes(first.Path + file.RelativePath), file.Bytes) << file.RelativePath;
        EXPECT_EQ(ReadBytes(second.Path + file.RelativePath), file.Bytes) << file.RelativePath;
    }
    EXPECT_EQ(ReadBytes(second.Path + "notes.txt"), "mine");
}

TEST(SampleData, FolderThatCannotBeMadeIsReportedByName)
{
    TTempFolder folder;
    WriteFileAtomically(folder.Path + "file", "x");
    try {
        WriteSampleDataFolder(folder.Path + "file/sample");
        FAIL() << "no error";
    } catch (const EFCreateError& e) {
        EXPECT_NE(std::string(e.what()).find(folder.Path + "file/sample"), std::string::npos) << e.what();
    }
}

} // namespace
} // namespace orvexp
