// A settings file (orvexp.ini) that cannot be written at the write-back of a
// finish: "%s に書き込めません" with its path, the earlier file keeps its bytes and
// no temporary file is left beside it.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/Settings.h"
#include "platform/AtomicFileWriter.h"
#include "platform/FileSystem.h"
#include "platform/IniFile.h"
#include "tests/app/WizardFixtures.h"
#include "tests/support/WriteFaults.h"

namespace orvexp {
namespace {

namespace fs = std::filesystem;
using test::ReadBytesIfAny;
using test::WriteBytes;

const std::string kEarlier = "[OrvanelExportWizard]\r\nDefaultDataFolder=/data/\r\n";

using test::NamesIn;
using test::TFaultScope;

// The keys of a finish, in the wizard's order, then the flush.
void WriteBack(TIniFile& ini)
{
    ini.WriteString(kWizardSection, kDefaultExportFolderKey, "/out/");
    THtmlColors colors;
    colors.DateBkColor = 16711680;
    WriteHtmlColors(ini, colors);
    ini.WriteBool(kWizardSection, kExportEmptyMemoKey, false);
    ini.UpdateFile();
}

void ExpectWriteError(TIniFile& ini)
{
    try {
        WriteBack(ini);
        ADD_FAILURE() << "UpdateFile did not raise";
    } catch (const EIniWriteError& e) {
        EXPECT_EQ(std::string(e.what()), ini.FileName() + " に書き込めません");
        EXPECT_EQ(e.FileName, ini.FileName());
    }
}

TEST(SettingsFailedWrite, InjectedFailureKeepsTheEarlierFile)
{
    const std::string written = "[OrvanelExportWizard]\r\nDefaultDataFolder=/data/\r\nDefaultExportFolder=/out/\r\n"
                                "ExportEmptyMemo=0\r\n[HTMLColors]\r\nTimeColor=0\r\nScheduleColor=0\r\nMemoColor=0\r\n"
                                "DateBkColor=16711680\r\nTimeBkColor=16777215\r\nScheduleBkColor=16777215\r\n"
                                "MemoBkColor=16777215\r\n";
    const struct {
        const char* Name;
        TWriteFaults Faults;
    } cases[] = {
        {"read-only folder", {.FailCreate = true}},
        {"disk full at once", {.FailWriteAfter = 0}},
        {"disk full after part of the data", {.FailWriteAfter = 40}},
        {"rename refused", {.FailRename = true}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        test::TTempFolder folder;
        const std::string path = folder.Path + kSettingsFileName;
        WriteBytes(path, kEarlier);
        TIniFile ini(path);
        {
            const TFaultScope faults(c.Faults);
            ExpectWriteError(ini);
        }
        EXPECT_EQ(ReadBytesIfAny(path), kEarlier);
        EXPECT_EQ(NamesIn(folder.Path), std::vector<std::string>{kSettingsFileName});

        // The next flush writes what the failed one could not.
        ini.UpdateFile();
        EXPECT_EQ(ReadBytesIfAny(path), written);
        EXPECT_EQ(NamesIn(folder.Path), std::vector<std::string>{kSettingsFileName});
    }
}

// Failures the file system itself produces, also for root.
TEST(SettingsFailedWrite, RealFailureLeavesNothingBehind)
{
    test::TTempFolder folder;

    TIniFile missingFolder(folder.Path + "missing/" + kSettingsFileName);
    ExpectWriteError(missingFolder);
    EXPECT_FALSE(fs::exists(folder.Path + "missing"));

    WriteBytes(folder.Path + "plain", kEarlier);
    TIniFile underAFile(folder.Path + "plain/" + kSettingsFileName);
    ExpectWriteError(underAFile);
    EXPECT_EQ(ReadBytesIfAny(folder.Path + "plain"), kEarlier);

    fs::create_directories(folder.Path + kSettingsFileName);
    TIniFile folderInPlace(folder.Path + kSettingsFileName);
    ExpectWriteError(folderInPlace);
    EXPECT_TRUE(fs::is_empty(folder.Path + kSettingsFileName));

    EXPECT_EQ(NamesIn(folder.Path), (std::vector<std::string>{kSettingsFileName, "plain"}));
}

} // namespace
} // namespace orvexp
