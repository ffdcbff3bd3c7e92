#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/Settings.h"
#include "platform/FileSystem.h"
#include "tests/support/TempFolder.h"

namespace orvexp {
namespace {

namespace fs = std::filesystem;

class SettingsTest : public ::testing::Test {
protected:
    test::TTempFolder Temp;
    const std::string Folder = Temp.Path;
};

TEST_F(SettingsTest, ProgramFolderIsTheFolderOfTheRunningProgram)
{
    const std::string folder = ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_EQ(fs::path(folder + "app_tests"), fs::read_symlink("/proc/self/exe"));
}

TEST_F(SettingsTest, SettingsFileSitsBesideAWritableProgram)
{
    EXPECT_EQ(SettingsFilePathFor(Folder, "/xdg", "/home/u"), Folder + "orvexp.ini");
    const std::string withoutSlash = Folder.substr(0, Folder.size() - 1);
    EXPECT_EQ(SettingsFilePathFor(withoutSlash, "/xdg", "/home/u"), Folder + "orvexp.ini");
}

TEST_F(SettingsTest, SettingsFileMovesToTheUsersConfigFolderWhenTheProgramFolderCannotBeWritten)
{
    // A folder that does not exist cannot be written, whoever runs the test.
    const std::string readOnly = Folder + "missing/bin/";
    EXPECT_EQ(SettingsFilePathFor(readOnly, "/xdg/config", "/home/u"), "/xdg/config/orvexp/orvexp.ini");
    EXPECT_EQ(SettingsFilePathFor(readOnly, "/xdg/config/", "/home/u"), "/xdg/config/orvexp/orvexp.ini");
    EXPECT_EQ(SettingsFilePathFor(readOnly, nullptr, "/home/u"), "/home/u/.config/orvexp/orvexp.ini");
    EXPECT_EQ(SettingsFilePathFor(readOnly, "", "/home/u/"), "/home/u/.config/orvexp/orvexp.ini");
    EXPECT_EQ(SettingsFilePathFor(readOnly, "relative", "/home/u"), "/home/u/.config/orvexp/orvexp.ini");
}

// Installed under /usr the settings go to the user's config folder even when
// the program's folder can be written (root running /usr/bin/orvexp).
TEST_F(SettingsTest, InstalledProgramKeepsItsSettingsInTheUsersConfigFolder)
{
    for (const char* installed : {"/usr/bin/", "/usr/local/bin/", "/usr/bin"}) {
        SCOPED_TRACE(installed);
        EXPECT_FALSE(KeepsSettingsBeside(installed));
        EXPECT_EQ(SettingsFilePathFor(installed, "/xdg/config", "/home/u"), "/xdg/config/orvexp/orvexp.ini");
    }
    EXPECT_TRUE(KeepsSettingsBeside(Folder));
}

// Where the output and the file dialogs start before the wizard remembers a
// folder: beside a program that keeps its settings there, else the documents
// folder as user-dirs.dirs names it, else home.
TEST_F(SettingsTest, DefaultFolderIsTheDocumentsFolderOfAnInstalledProgram)
{
    const std::string home = Folder + "home/";
    const std::string config = Folder + "config/";
    fs::create_directories(home + "Dokumente");
    fs::create_directories(Folder + "elsewhere/docs");
    struct TCase {
        const char* Name;
        std::string UserDirs; // empty: no user-dirs.dirs
        std::string Expected;
    };
    const TCase cases[] = {
        {"home-relative", "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
                          "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n", home + "Dokumente/"},
        {"absolute", "XDG_DOCUMENTS_DIR=\"" + Folder + "elsewhere/docs\"\n", Folder + "elsewhere/docs/"},
        {"missing folder", "XDG_DOCUMENTS_DIR=\"$HOME/Documents\"\n", home},
        {"documents are home", "XDG_DOCUMENTS_DIR=\"$HOME/\"\n", home},
        {"no entry", "XDG_MUSIC_DIR=\"$HOME/Musik\"\n", home},
        {"no file", "", home},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        fs::remove_all(config);
        if (!c.UserDirs.empty()) {
            fs::create_directories(config);
            std::ofstream(config + "user-dirs.dirs") << c.UserDirs;
        }
        EXPECT_EQ(DefaultWizardFolderFor("/usr/bin/", config.c_str(), home.c_str()), c.Expected);
    }
    EXPECT_EQ(DefaultWizardFolderFor(Folder, config.c_str(), home.c_str()), Folder);
}

// Reading creates nothing; the first write makes the user's config folder.
TEST_F(SettingsTest, OnlyWritingCreatesTheSettingsFolder)
{
    const std::string path = Folder + "config/orvexp/orvexp.ini";
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadString(kWizardSection, kDefaultDataFolderKey, "none"), "none");
    EXPECT_FALSE(fs::exists(Folder + "config"));
    ini.WriteString(kWizardSection, kDefaultDataFolderKey, "/data/");
    UpdateSettingsFile(ini);
    EXPECT_EQ(TIniFile(path).ReadString(kWizardSection, kDefaultDataFolderKey, ""), "/data/");
}

TEST_F(SettingsTest, ReadsTheSevenColoursWithTheirDefaults)
{
    const std::string path = Folder + "orvexp.ini";
    {
        const THtmlColors colors = ReadHtmlColors(TIniFile(path));
        EXPECT_EQ(colors.TimeColor, 0);
        EXPECT_EQ(colors.ScheduleColor, 0);
        EXPECT_EQ(colors.MemoColor, 0);
        EXPECT_EQ(colors.DateBkColor, 15461355);
        EXPECT_EQ(colors.TimeBkColor, 16777215);
        EXPECT_EQ(colors.ScheduleBkColor, 16777215);
        EXPECT_EQ(colors.MemoBkColor, 16777215);
    }
    std::ofstream(path, std::ios::binary) << "[htmlcolors]\r\n"
                                             "TimeColor=0x0000FF\r\n"
                                             "ScheduleColor=red\r\n"
                                             "MemoColor=-2147483640\r\n"
                                             "DateBkColor=16711680\r\n"
                                             "TimeBkColor=$00FF00\r\n"
                                             "ScheduleBkColor=\r\n"
                                             "MemoBkColor=1\r\n";
    const THtmlColors colors = ReadHtmlColors(TIniFile(path));
    EXPECT_EQ(colors.TimeColor, 255);
    EXPECT_EQ(colors.ScheduleColor, 0) << "not a number: the default";
    EXPECT_EQ(colors.MemoColor, -2147483640);
    EXPECT_EQ(colors.DateBkColor, 16711680);
    EXPECT_EQ(colors.TimeBkColor, 0x00FF00);
    EXPECT_EQ(colors.ScheduleBkColor, 16777215) << "empty: the default";
    EXPECT_EQ(colors.MemoBkColor, 1);
}

TEST_F(SettingsTest, WritesTheSevenColoursInTheirOrder)
{
    const std::string path = Folder + "orvexp.ini";
    TIniFile ini(path);
    THtmlColors colors;
    colors.TimeColor = 255;
    colors.MemoColor = -2147483640;
    colors.DateBkColor = 16711680;
    WriteHtmlColors(ini, colors);
    ini.UpdateFile();
    std::string text;
    ASSERT_TRUE(TryReadFile(path, text));
    EXPECT_EQ(text, "[HTMLColors]\r\n"
                    "TimeColor=255\r\n"
                    "ScheduleColor=0\r\n"
                    "MemoColor=-2147483640\r\n"
                    "DateBkColor=16711680\r\n"
                    "TimeBkColor=16777215\r\n"
                    "ScheduleBkColor=16777215\r\n"
                    "MemoBkColor=16777215\r\n");
}

} // namespace
} // namespace orvexp
