#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/AtomicFileWriter.h"
#include "platform/FileSystem.h"
#include "platform/IniFile.h"
#include "tests/support/TempFolder.h"

namespace orvexp {
namespace {

namespace fs = std::filesystem;

class IniFileTest : public ::testing::Test {
protected:
    void TearDown() override { SetWriteFaultsForTesting({}); }

    void WriteIni(const std::string& contents) { std::ofstream(Path, std::ios::binary) << contents; }
    std::string ReadIni() const
    {
        std::string contents;
        EXPECT_TRUE(TryReadFile(Path, contents));
        return contents;
    }
    // The file as it stands after `writes` and UpdateFile.
    template <typename F>
    std::string AfterWrites(const std::string& before, F writes)
    {
        WriteIni(before);
        TIniFile ini(Path);
        writes(ini);
        ini.UpdateFile();
        return ReadIni();
    }

    test::TTempFolder Temp;
    const std::string Folder = Temp.Path;
    const std::string Path = Folder + "orvexp.ini";
};

TEST_F(IniFileTest, MissingFileReadsDefaultsAndFirstWriteCreatesIt)
{
    TIniFile ini(Path);
    EXPECT_EQ(ini.ReadString("OrvanelExportWizard", "DefaultDataFolder", "/opt/orvexp/"), "/opt/orvexp/");
    EXPECT_EQ(ini.ReadInteger("HTMLColors", "DateBkColor", 15461355), 15461355);
    EXPECT_TRUE(ini.ReadBool("OrvanelExportWizard", "ExportEmptyMemo", true));
    EXPECT_FALSE(ini.ReadBool("OrvanelExportWizard", "ExportEmptyMemo", false));

    ini.WriteString("OrvanelExportWizard", "DefaultDataFolder", "/home/user/Orvanel/");
    ini.WriteInteger("HTMLColors", "TimeColor", -2147483640);
    ini.WriteBool("OrvanelExportWizard", "ExportEmptyMemo", false);
    EXPECT_FALSE(fs::exists(Path)) << "writes stay in memory until UpdateFile";
    ini.UpdateFile();
    EXPECT_EQ(ReadIni(), "[OrvanelExportWizard]\r\n"
                         "DefaultDataFolder=/home/user/Orvanel/\r\n"
                         "ExportEmptyMemo=0\r\n"
                         "[HTMLColors]\r\n"
                         "TimeColor=-2147483640\r\n");
}

struct TReadCase {
    const char* Name;
    std::string File;
    const char* Section;
    const char* Key;
    std::string Expected;
};

TEST_F(IniFileTest, ReadsStringsByTheProfileRules)
{
    const std::string def = "(default)";
    const TReadCase cases[] = {
        {"plain", "[S]\r\nKey=value\r\n", "S", "Key", "value"},
        {"section case", "[s]\r\nKey=value\r\n", "S", "Key", "value"},
        {"key case", "[S]\r\nKEY=value\r\n", "s", "key", "value"},
        {"blanks around key, equals and value", "[S]\r\n \t Key \t=\t  a b  \x0B\r\n", "S", "Key", "a b"},
        {"blanks inside the section brackets", "[  S \t]\r\nKey=v\r\n", "S", "Key", "v"},
        {"indented section", "  [S]\r\nKey=v\r\n", "S", "Key", "v"},
        {"double quotes dropped", "[S]\r\nKey=\"  quoted  \"\r\n", "S", "Key", "  quoted  "},
        {"single quotes dropped", "[S]\r\nKey=' x '\r\n", "S", "Key", " x "},
        {"quotes around blanks", "[S]\r\nKey=  \"a\"  \r\n", "S", "Key", "a"},
        {"unmatched quotes kept", "[S]\r\nKey=\"a'\r\n", "S", "Key", "\"a'"},
        {"one quote kept", "[S]\r\nKey=\"\r\n", "S", "Key", "\""},
        {"empty quotes", "[S]\r\nKey=\"\"\r\n", "S", "Key", ""},
        {"inner quotes kept", "[S]\r\nKey=a\"b\"\r\n", "S", "Key", "a\"b\""},
        {"comment line", "[S]\r\n;Key=commented\r\n", "S", "Key", def},
        {"indented comment line", "[S]\r\n  ;Key=commented\r\nKey=real\r\n", "S", "Key", "real"},
        {"semicolon later in the value", "[S]\r\nKey=a ; b\r\n", "S", "Key", "a ; b"},
        {"first duplicate key wins", "[S]\r\nKey=first\r\nkey=second\r\n", "S", "Key", "first"},
        {"first duplicate section wins", "[S]\r\nOther=1\r\n[T]\r\n[s]\r\nKey=second\r\n", "S", "Key", def},
        {"present but empty", "[S]\r\nKey=\r\n", "S", "Key", ""},
        {"present, blanks only", "[S]\r\nKey=   \r\n", "S", "Key", ""},
        {"missing key", "[S]\r\nOther=1\r\n", "S", "Key", def},
        {"missing section", "[T]\r\nKey=1\r\n", "S", "Key", def},
        {"key before any section", "Key=1\r\n[S]\r\n", "S", "Key", def},
        {"line without equals", "[S]\r\nKey\r\n", "S", "Key", def},
        {"section without closing bracket", "[S]\r\n[T\r\nKey=v\r\n", "S", "Key", "v"},
        {"text after the closing bracket", "[S] ignored\r\nKey=v\r\n", "S", "Key", "v"},
        {"equals in the value", "[S]\r\nKey=a=b\r\n", "S", "Key", "a=b"},
        {"lone LF line ends", "[S]\nA=1\nKey=lf\n", "S", "Key", "lf"},
        {"lone CR line ends", "[S]\rA=1\rKey=cr\r", "S", "Key", "cr"},
        {"mixed line ends", "[S]\r\nA=1\rB=2\nKey=mixed", "S", "Key", "mixed"},
        {"last line without line end", "[S]\r\nKey=last", "S", "Key", "last"},
        // 0x83 0x5D is a katakana whose second byte is "]": it does not close the section name.
        {"Shift_JIS section name", "[\x83\x5D]\r\nKey=sjis\r\n", "\x83\x5D", "Key", "sjis"},
        // 0x82 0x60 (Ａ) and 0x82 0x81 (ａ) differ only in the second byte: different names.
        {"double-byte names are not folded", "[S]\r\n\x82\x60=upper\r\n", "S", "\x82\x81", def},
        {"Shift_JIS value kept as bytes", "[S]\r\nKey=\x83\x66\x81\x5B\x83\x5E\r\n", "S", "Key", "\x83\x66\x81\x5B\x83\x5E"},
    };
    for (const TReadCase& c : cases) {
        WriteIni(c.File);
        TIniFile ini(Path);
        EXPECT_EQ(ini.ReadString(c.Section, c.Key, def), c.Expected) << c.Name;
    }
}

TEST_F(IniFileTest, CutsStringValuesAt2047Bytes)
{
    WriteIni("[S]\r\nLong=" + std::string(2047, 'a') + "b\r\nExact=" + std::string(2047, 'c') + "\r\n");
    TIniFile ini(Path);
    EXPECT_EQ(ini.ReadString("S", "Long", ""), std::string(2047, 'a'));
    EXPECT_EQ(ini.ReadString("S", "Exact", ""), std::string(2047, 'c'));
}

TEST_F(IniFileTest, ReadsIntegersAndBooleans)
{
    struct TCase {
        const char* Text;
        std::int32_t Expected; // with the default 77
    };
    const TCase cases[] = {
        {"255", 255},
        {"+12", 12},
        {"-2147483640", -2147483640},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"2147483648", 77},
        {"0x0000FF", 255},
        {"0XfF", 255},
        {"0x", 77},
        {"0xFFFFFFFF", -1},
        {"0x100000000", 77},
        {"$FF", 255},
        {"$80000008", -2147483640},
        {"$", 77},
        {"red", 77},
        {"12a", 77},
        {"1.5", 77},
        {"- 1", 77},
        {"", 77},
        {"\"15\"", 15},
        {"  16  ", 16},
    };
    for (const TCase& c : cases) {
        WriteIni(std::string("[HTMLColors]\r\nTimeColor=") + c.Text + "\r\n");
        TIniFile ini(Path);
        EXPECT_EQ(ini.ReadInteger("HTMLColors", "TimeColor", 77), c.Expected) << c.Text;
    }

    WriteIni("[W]\r\nZero=0\r\nOne=1\r\nTwo=2\r\nWord=yes\r\nHex=0x0\r\n");
    TIniFile ini(Path);
    EXPECT_FALSE(ini.ReadBool("W", "Zero", true));
    EXPECT_TRUE(ini.ReadBool("W", "One", false));
    EXPECT_TRUE(ini.ReadBool("W", "Two", false));
    EXPECT_TRUE(ini.ReadBool("W", "Word", true)) << "not a number: the default";
    EXPECT_FALSE(ini.ReadBool("W", "Word", false));
    EXPECT_FALSE(ini.ReadBool("W", "Hex", true));
    EXPECT_TRUE(ini.ReadBool("W", "Missing", true));
}

TEST_F(IniFileTest, ReplacesAValueWhereItStandsAndKeepsEverythingElse)
{
    const std::string before = "; orvexp settings\r\n"
                               "\r\n"
                               "[OrvanelExportWizard]\n"
                               "  defaultdatafolder = \"/old/\"  \n"
                               "Unknown=keep me\r\n"
                               "DefaultDataFolder=/second/\r\n"
                               "\r\n"
                               "[Other]\r"
                               "DefaultDataFolder=/other/\r";
    const std::string after = AfterWrites(before, [](TIniFile& ini) {
        ini.WriteString("OrvanelExportWizard", "DefaultDataFolder", "/new/");
    });
    EXPECT_EQ(after, "; orvexp settings\r\n"
                     "\r\n"
                     "[OrvanelExportWizard]\n"
                     "defaultdatafolder=/new/\n"
                     "Unknown=keep me\r\n"
                     "DefaultDataFolder=/second/\r\n"
                     "\r\n"
                     "[Other]\r"
                     "DefaultDataFolder=/other/\r");
    TIniFile reread(Path);
    EXPECT_EQ(reread.ReadString("OrvanelExportWizard", "DefaultDataFolder", ""), "/new/");
    EXPECT_EQ(reread.ReadString("Other", "DefaultDataFolder", ""), "/other/");
}

TEST_F(IniFileTest, AppendsNewKeysAtTheEndOfTheirSectionAndNewSectionsAtTheEnd)
{
    const std::string before = "[OrvanelExportWizard]\r\n"
                               "DefaultDataFolder=/data/\r\n"
                               "; a comment kept\r\n"
                               "\r\n"
                               "\r\n"
                               "[Unrelated]\r\n"
                               "X=1"; // no line end at the end of the file
    const std::string after = AfterWrites(before, [](TIniFile& ini) {
        ini.WriteString("OrvanelExportWizard", "DefaultExportFolder", "/out/");
        ini.WriteInteger("HTMLColors", "TimeColor", 255);
        ini.WriteInteger("HTMLColors", "ScheduleColor", 0);
        ini.WriteBool("orvanelexportwizard", "ExportEmptyMemo", true);
    });
    EXPECT_EQ(after, "[OrvanelExportWizard]\r\n"
                     "DefaultDataFolder=/data/\r\n"
                     "; a comment kept\r\n"
                     "DefaultExportFolder=/out/\r\n"
                     "ExportEmptyMemo=1\r\n"
                     "\r\n"
                     "\r\n"
                     "[Unrelated]\r\n"
                     "X=1\r\n"
                     "[HTMLColors]\r\n"
                     "TimeColor=255\r\n"
                     "ScheduleColor=0\r\n");
}

TEST_F(IniFileTest, WritesIntoTheFirstOfDuplicateSectionsAndKeys)
{
    const std::string before = "[A]\r\nK=1\r\nK=2\r\n[a]\r\nK=3\r\n";
    const std::string after = AfterWrites(before, [](TIniFile& ini) {
        ini.WriteString("A", "k", "9");
        ini.WriteString("A", "New", "n");
    });
    EXPECT_EQ(after, "[A]\r\nK=9\r\nK=2\r\nNew=n\r\n[a]\r\nK=3\r\n");
}

TEST_F(IniFileTest, LastLineWithoutLineEndGetsOneBeforeAnAppendedKey)
{
    const std::string after = AfterWrites("[S]\nA=1", [](TIniFile& ini) { ini.WriteString("S", "B", "2"); });
    EXPECT_EQ(after, "[S]\nA=1\r\nB=2\r\n");
    const std::string replaced = AfterWrites("[S]\nA=1", [](TIniFile& ini) { ini.WriteString("S", "A", "3"); });
    EXPECT_EQ(replaced, "[S]\nA=3");
}

TEST_F(IniFileTest, UpdateWithoutChangesKeepsTheBytes)
{
    const std::string before = "\xEF\xBB\xBF odd\r\n[S]\n\rK = v \r\n;x\r\r\n";
    EXPECT_EQ(AfterWrites(before, [](TIniFile&) {}), before);
}

TEST_F(IniFileTest, FailedWriteRaisesAndLeavesTheFileAlone)
{
    const std::string before = "[S]\r\nK=old\r\n";
    WriteIni(before);
    TIniFile ini(Path);
    ini.WriteString("S", "K", "new");

    const TWriteFaults faults[] = {{.FailCreate = true}, {.FailWriteAfter = 3}, {.FailRename = true}};
    for (const TWriteFaults& fault : faults) {
        SetWriteFaultsForTesting(fault);
        try {
            ini.UpdateFile();
            ADD_FAILURE() << "UpdateFile did not raise";
        } catch (const EIniWriteError& e) {
            EXPECT_EQ(std::string(e.what()), Path + " に書き込めません");
            EXPECT_EQ(e.FileName, Path);
        }
        EXPECT_EQ(ReadIni(), before);
    }
    SetWriteFaultsForTesting({});
    EXPECT_EQ(fs::directory_iterator(Folder)->path().filename(), "orvexp.ini") << "no temporary file left";
    ini.UpdateFile();
    EXPECT_EQ(ReadIni(), "[S]\r\nK=new\r\n");
}

// A folder name may hold CR or LF; written as it is, it would end its line and
// the rest would read as a key of its own.
TEST_F(IniFileTest, TextsWithLineBreaksAreRefusedAndAddNoLine)
{
    WriteIni("[S]\r\nK=old\r\n");
    TIniFile ini(Path);
    const struct {
        const char* Section;
        const char* Key;
        const char* Value;
    } rows[] = {
        {"S", "K", "/data/a\r\nEvil=1/"}, {"S", "K", "a\nEvil=1"}, {"S", "New", "a\rb"},
        {"S", "K\nEvil", "v"},           {"S\r\n[T]", "K", "v"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Value);
        try {
            ini.WriteString(row.Section, row.Key, row.Value);
            ADD_FAILURE() << "WriteString did not raise";
        } catch (const EIniWriteError& e) {
            EXPECT_EQ(std::string(e.what()), Path + " に書き込めません");
        }
        EXPECT_EQ(ini.Text(), "[S]\r\nK=old\r\n");
    }
    ini.UpdateFile();
    EXPECT_EQ(TIniFile(Path).ReadString("S", "Evil", "none"), "none");
    EXPECT_EQ(ReadIni(), "[S]\r\nK=old\r\n");
}

// A folder in place of the file, and a file far larger than any settings file
// (sparse, 1 MiB and a byte): both read as empty and are never written over.
TEST_F(IniFileTest, NoSettingsFileReadsAsEmptyAndIsNotWrittenOver)
{
    const struct {
        const char* Name;
        bool Folder;
        std::string Problem;
    } cases[] = {
        {"a folder", true, ""},
        {"too large", false, "ファイル " + Path + " を読み込めません。(1 MiB を超えています)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        fs::remove_all(Path);
        if (c.Folder) {
            fs::create_directory(Path);
        } else {
            WriteIni("[S]\r\nK=stored\r\n");
            fs::resize_file(Path, kMaxSettingsFileSize + 1);
        }
        TIniFile ini(Path);
        EXPECT_EQ(ini.ReadString("S", "K", "def"), "def");
        EXPECT_EQ(ini.Problem(), c.Problem);
        ini.WriteString("S", "K", "v");
        EXPECT_THROW(ini.UpdateFile(), EIniWriteError);
        if (!c.Folder) {
            EXPECT_EQ(fs::file_size(Path), kMaxSettingsFileSize + 1);
        }
    }
}

} // namespace
} // namespace orvexp
