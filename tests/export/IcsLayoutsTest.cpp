// The iCalendar parts and the vdir around the events (which the round trip
// holds to the single file): what each leaves alone, removes and refuses.

#include "export/IcsLayouts.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ExportTestSupport.h"
#include "export/IcsCalendar.h"
#include "tests/support/WriteFaults.h"

namespace orvexp {
namespace {

namespace fs = std::filesystem;
using test::MakeEntry;
using test::NamesIn;
using test::ReadBytes;
using test::WriteBytes;

const std::string kOurs = std::string(kIcsCalendarStart) + "END:VCALENDAR\r\n";

std::int64_t ModifiedAt(const std::string& path)
{
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mtim.tv_sec * 1000000000LL + info.st_mtim.tv_nsec;
}

class IcsLayoutsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Thirty days of memos of 4 KB: three parts of 64 KB.
        for (int day = 1; day <= 30; ++day) {
            std::string memo = "memo " + std::to_string(day) + "\r\n";
            while (memo.size() < 4000) memo += std::string(60, 'm') + "\r\n";
            WriteBytes(Data.Path + "Memo/202604" + (day < 10 ? "0" : "") + std::to_string(day) + ".txt", memo);
        }
        Alarms.Add(MakeEntry(akDateAt, 2026, 4, 10, 9, 30, {"meeting"}));
        Request.ExportType = etIcs;
        Request.StartDate = EncodeDate(2026, 4, 1);
        Request.EndDate = EncodeDate(2026, 4, 30);
        Request.OutputPath = Out.Path + "cal.ics";
    }

    TIcsPartsResult Parts(std::size_t size)
    {
        const auto sources = test::ResolveSources(Request, Data.Path, Alarms);
        return ExportIcsParts(Request, *sources, size);
    }
    TIcsVdirResult Vdir()
    {
        const auto sources = test::ResolveSources(Request, Data.Path, Alarms);
        return ExportIcsVdir(Request, *sources, Out.Path + "vdir");
    }

    test::TTempFolder Data, Out;
    TAlarmList Alarms;
    TExportRequest Request;
};

TEST_F(IcsLayoutsTest, PartsReplaceTheirOwnAndLeaveOthers)
{
    EXPECT_EQ(IcsPartPath("/x/orvanel.ics", 2), "/x/orvanel-2.ics");
    EXPECT_EQ(IcsPartPath("noext", 1), "noext-1");
    // An earlier export left more parts; one of the names is another's file.
    WriteBytes(Out.Path + "cal-4.ics", kOurs);
    WriteBytes(Out.Path + "cal-11.ics", kOurs);
    WriteBytes(Out.Path + "cal-5.ics", "someone else's");
    TIcsPartsResult parts = Parts(64000);
    ASSERT_EQ(parts.Parts.size(), 3u);
    EXPECT_EQ(parts.Removed, (std::vector<std::string>{Out.Path + "cal-4.ics", Out.Path + "cal-11.ics"}));
    EXPECT_EQ(parts.LeftAlone, std::vector<std::string>{Out.Path + "cal-5.ics"});
    EXPECT_EQ(NamesIn(Out.Path), (std::vector<std::string>{"cal-1.ics", "cal-2.ics", "cal-3.ics", "cal-5.ics"}));

    // The same again: the parts keep their files and times.
    const std::int64_t before = ModifiedAt(Out.Path + "cal-1.ics");
    parts = Parts(64000);
    EXPECT_EQ(parts.Unchanged, 3u);
    EXPECT_EQ(ModifiedAt(Out.Path + "cal-1.ics"), before);

    // A memo larger than a part is refused before anything is renamed.
    WriteBytes(Data.Path + "Memo/20260420.txt", std::string(70000, 'x'));
    try {
        Parts(64000);
        ADD_FAILURE() << "no refusal";
    } catch (const EIcsEventTooLarge& e) {
        EXPECT_TRUE(std::string(e.what()).starts_with("2026/04/20 のメモ (1")) << e.what();
        EXPECT_NE(std::string(e.what()).find("バイト) は 1 つのファイルの上限 64000 バイトに収まりません。"), std::string::npos);
    }
    EXPECT_EQ(ModifiedAt(Out.Path + "cal-1.ics"), before);
    EXPECT_EQ(NamesIn(Out.Path), (std::vector<std::string>{"cal-1.ics", "cal-2.ics", "cal-3.ics", "cal-5.ics"}));
}

TEST_F(IcsLayoutsTest, VdirKeepsInStepAndRefusesWhatIsNotOurs)
{
    TIcsVdirResult vdir = Vdir();
    EXPECT_EQ(vdir.Events, 31u);
    EXPECT_EQ(vdir.Added, 31u);
    EXPECT_EQ(ReadBytes(Out.Path + "vdir/displayname"), "Orvanel");
    const std::string memo = Out.Path + "vdir/memo-20260401@orvexp.ics";
    const std::int64_t before = ModifiedAt(memo);

    // A memo edited, one deleted, a leftover of a killed run: only those change.
    WriteBytes(Data.Path + "Memo/20260402.txt", "edited");
    fs::remove(Data.Path + "Memo/20260403.txt");
    WriteBytes(Out.Path + "vdir/.memo-20260405@orvexp.ics.AbC123.tmp", "left by a killed run");
    vdir = Vdir();
    EXPECT_EQ(vdir.Events, 30u);
    EXPECT_EQ(vdir.Added + vdir.Updated + vdir.Deleted, 2u);
    EXPECT_EQ(vdir.Updated, 1u);
    EXPECT_FALSE(fs::exists(Out.Path + "vdir/memo-20260403@orvexp.ics"));
    EXPECT_FALSE(fs::exists(Out.Path + "vdir/.memo-20260405@orvexp.ics.AbC123.tmp"));
    EXPECT_EQ(ModifiedAt(memo), before);
    EXPECT_EQ(NamesIn(Out.Path + "vdir").size(), 31u); // 30 events and displayname

    // Anything not ours stops it before anything is changed.
    const struct {
        const char* Name;
        std::string Bytes;
    } foreign[] = {
        {"notes.txt", "a note"},
        {"party@example.com.ics", kOurs},
        {"memo-20260409@orvexp.ics.bak", kOurs},
        {"x@orvexp.ics", "BEGIN:VCALENDAR\r\nPRODID:-//other//EN\r\nEND:VCALENDAR\r\n"},
    };
    WriteBytes(Data.Path + "Memo/20260404.txt", "edited too");
    for (const auto& c : foreign) {
        SCOPED_TRACE(c.Name);
        WriteBytes(Out.Path + "vdir/" + c.Name, c.Bytes);
        try {
            Vdir();
            ADD_FAILURE() << "no refusal";
        } catch (const EVdirNotOurs& e) {
            EXPECT_EQ(std::string(e.what()), "フォルダ " + Out.Path + "vdir/ の " + c.Name +
                                                 " は orvexp が書いたものではありません。フォルダには何も書き込みませんでした。");
        }
        EXPECT_NE(ReadBytes(Out.Path + "vdir/memo-20260404@orvexp.ics").find("memo 4"), std::string::npos);
        fs::remove(Out.Path + "vdir/" + c.Name);
    }
    fs::create_directory(Out.Path + "vdir/sub");
    EXPECT_THROW(Vdir(), EVdirNotOurs);
}

} // namespace
} // namespace orvexp
