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
    testing::TTempFolder Temp;
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
