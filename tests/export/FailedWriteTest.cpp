// Outputs that cannot be written: every export type, every way a write can
// fail. The user gets "ファイル %s を作成できません。(cause)", an earlier file at
// the target keeps its bytes, and no temporary file is left in the folder.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "ExportTestSupport.h"
#include "calendar/DayItem.h"
#include "export/Export.h"
#include "export/IcsExport.h"
#include "platform/AtomicFileWriter.h"
#include "platform/FileSystem.h"
#include "schedule/Alarm.h"
#include "tests/support/WriteFaults.h"

namespace orvexp {
namespace {

namespace fs = std::filesystem;
using test::MakeEntry;
using test::ReadBytes;
using test::RunExportFrom;
using test::Sjis;
using test::TTempFolder;
using test::WriteBytes;

const std::string kEarlier = "earlier output\r\n";

using test::NamesIn;
using test::TFaultScope;

class FailedWriteTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // One day with an entry, a memo and a holiday, so every type has bytes to write.
        Alarms.Add(MakeEntry(akDateAt, 1999, 4, 10, 9, 30, {Sjis("会議")}));
        WriteBytes(Data.Path + "Memo/19990410.txt", Sjis("メモ") + "\r\n");
        TKyDayItemList holidays;
        TKyDayItem& item = holidays.AddNew();
        item.DayType = dtMonthDay;
        item.Month = 4;
        item.Day = 10;
        item.DayText = Sjis("記念日");
        WriteBytes(Data.Path + "holidays.dat", WriteDayFile(holidays));
        fs::create_directories(Out.Path + "target");
    }

    TExportRequest Request(std::uint8_t type, const std::string& outputPath)
    {
        TExportRequest request;
        request.ExportType = static_cast<TExportType>(type);
        request.StartDate = EncodeDate(1999, 4, 9);
        request.EndDate = EncodeDate(1999, 4, 11);
        request.OutputPath = outputPath;
        return request;
    }

    // What the type writes when nothing fails.
    std::string Reference(std::uint8_t type)
    {
        const std::string path = Out.Path + "reference-" + std::to_string(type);
        RunExportFrom(Request(type, path), Data.Path, Alarms);
        std::string bytes = ReadBytes(path);
        fs::remove(path);
        return bytes;
    }

    // RunExport must raise EFCreateError with the documented message and its cause.
    void ExpectCreateError(const TExportRequest& request, const std::string& cause)
    {
        try {
            RunExportFrom(request, Data.Path, Alarms);
            ADD_FAILURE() << "RunExport did not raise";
        } catch (const EFCreateError& e) {
            EXPECT_EQ(std::string(e.what()), "ファイル " + request.OutputPath + " を作成できません。(" + cause + ")");
            EXPECT_EQ(e.FileName, request.OutputPath);
        }
    }

    TAlarmList Alarms;
    TTempFolder Data;
    TTempFolder Out;
};

// The injected failures stand for a read-only folder (create refused), a disk
// that fills at once or after part of the output, and a refused rename.
TEST_F(FailedWriteTest, InjectedFailureKeepsTheEarlierFileAndLeavesNoTemporaryFile)
{
    for (const TExportType type : kExportTypes) {
        const std::string reference = Reference(type);
        ASSERT_GT(reference.size(), 16u) << "type " << int(type);
        const std::string full = "ディスクがいっぱいです";
        const struct {
            const char* Name;
            TWriteFaults Faults;
            std::string Cause;
        } cases[] = {
            {"read-only folder", {.FailCreate = true}, "アクセスが拒否されました"},
            {"disk full at once", {.FailWriteAfter = 0}, full},
            {"disk full after part of the data", {.FailWriteAfter = static_cast<long long>(reference.size() / 2)}, full},
            {"disk full before the last byte", {.FailWriteAfter = static_cast<long long>(reference.size() - 1)}, full},
            {"rename refused", {.FailRename = true}, "アクセスが拒否されました"},
            {"no unnamed files, disk full", {.FailWriteAfter = 1, .NoUnnamedFiles = true}, full},
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.Name) + ", type " + std::to_string(type));
            const std::string target = Out.Path + "target/out";
            WriteBytes(target, kEarlier);
            {
                const TFaultScope faults(c.Faults);
                ExpectCreateError(Request(type, target), c.Cause);
            }
            EXPECT_EQ(ReadBytes(target), kEarlier);
            EXPECT_EQ(NamesIn(Out.Path + "target"), std::vector<std::string>{"out"});

            // The same export goes through once the fault is gone.
            RunExportFrom(Request(type, target), Data.Path, Alarms);
            EXPECT_EQ(ReadBytes(target), reference);
            EXPECT_EQ(NamesIn(Out.Path + "target"), std::vector<std::string>{"out"});
        }
    }
}

// Failures the file system itself produces, also for root.
TEST_F(FailedWriteTest, RealFailureLeavesNothingBehind)
{
    for (const std::uint8_t type : {std::uint8_t{0}, std::uint8_t{5}, std::uint8_t{6}}) {
        SCOPED_TRACE("type " + std::to_string(type));

        // The output folder does not exist: it is not created either.
        ExpectCreateError(Request(type, Out.Path + "missing/out.csv"), "フォルダがありません");
        EXPECT_FALSE(fs::exists(Out.Path + "missing"));

        // A regular file stands where the folder should be (ENOTDIR).
        WriteBytes(Out.Path + "target/plain", kEarlier);
        ExpectCreateError(Request(type, Out.Path + "target/plain/out.csv"), "パスの途中にフォルダでないものがあります");
        EXPECT_EQ(ReadBytes(Out.Path + "target/plain"), kEarlier);

        // A folder stands at the target itself.
        fs::create_directories(Out.Path + "target/folder.csv");
        ExpectCreateError(Request(type, Out.Path + "target/folder.csv"), "フォルダです");
        EXPECT_TRUE(fs::is_directory(Out.Path + "target/folder.csv"));
        EXPECT_TRUE(fs::is_empty(Out.Path + "target/folder.csv"));

        EXPECT_EQ(NamesIn(Out.Path + "target"), (std::vector<std::string>{"folder.csv", "plain"}));
        fs::remove_all(Out.Path + "target");
        fs::create_directories(Out.Path + "target");
    }
}

// A zone name the system does not know fails the iCalendar export before the
// output is touched.
TEST_F(FailedWriteTest, UnknownTimeZoneTouchesNothing)
{
    const std::string target = Out.Path + "target/out.ics";
    WriteBytes(target, kEarlier);
    TExportRequest request = Request(etIcs, target);
    request.Ics.TimeZone = "Asia/Nowhere";
    EXPECT_THROW(RunExportFrom(request, Data.Path, Alarms), EIcsTimeZoneError);
    EXPECT_EQ(ReadBytes(target), kEarlier);
    EXPECT_EQ(NamesIn(Out.Path + "target"), std::vector<std::string>{"out.ics"});
}

// Root writes into a read-only folder regardless of its mode, so this runs
// only for other users; the injected create failure covers it for root.
TEST_F(FailedWriteTest, ReadOnlyFolderForAnOrdinaryUser)
{
    if (::geteuid() == 0) GTEST_SKIP() << "root is not stopped by folder modes";
    const std::string folder = Out.Path + "target/";
    WriteBytes(folder + "out.html", kEarlier);
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    ExpectCreateError(Request(5, folder + "out.html"), "アクセスが拒否されました");
    fs::permissions(folder, fs::perms::owner_all);
    EXPECT_EQ(ReadBytes(folder + "out.html"), kEarlier);
    EXPECT_EQ(NamesIn(folder), std::vector<std::string>{"out.html"});
}

} // namespace
} // namespace orvexp
