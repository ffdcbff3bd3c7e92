// The README's run command without a display: tools/export-sample.sh exports
// the sample that the build placed beside orvexp, with the real program.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <utime.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>

#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "tests/support/TempFolder.h"

namespace orvexp {
namespace {

using test::ReadBytes;
using test::TTempFolder;

const std::string kScript = std::string(ORVEXP_SOURCE_DIR) + "/tools/export-sample.sh";

// Runs a shell command; its exit status, or -1 when it did not exit normally.
int RunShell(const std::string& command)
{
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::size_t CountOf(const std::string& text, const std::string& part)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++count;
    return count;
}

TEST(ExportSampleScript, WritesTheCsvTheHtmlAndTheIcsOfTheSample)
{
    TTempFolder out;
    const std::string log = out.Path + "log.txt";
    ASSERT_EQ(RunShell("bash '" + kScript + "' '" + ORVEXP_BINARY_DIR + "' '" + out.Path + "files' > '" + log + "' 2>&1"), 0)
        << ReadBytes(log);
    EXPECT_EQ(ReadBytes(log), "CSV  (Shift_JIS): " + out.Path + "files/sample-2026.csv\n" +
                                  "HTML (Shift_JIS): " + out.Path + "files/sample-2026-12.html\n" +
                                  "ICS  (UTF-8):     " + out.Path + "files/sample-2026.ics\n");
    EXPECT_EQ(ReadBytes(out.Path + "files/sample-2026.ics").substr(0, 17), "BEGIN:VCALENDAR\r\n");

    // The first day of the year and the day of the design review, row for row:
    // memo row first, then the entries in time order ("--:--", then 毎日 and
    // 起動時 as 00:00, then by time).
    const std::string csv = ReadBytes(out.Path + "files/sample-2026.csv");
    const std::string firstDay = Utf8ToCp932(
        "2026/01/01,,\"元日。今年の目標:\r\n1. 毎日の運動\r\n2. 資格試験 (情報処理)\r\n3. 本を 24 冊読む\"\r\n"
        "2026/01/01,,\"\"\"資源ごみ\"\" (缶・ビン)\"\r\n"
        "2026/01/01,,\"家計簿の締め\r\n先月分の領収書を整理\"\r\n"
        "2026/01/01,,初詣\r\n"
        "2026/01/01,毎日,日記を書く\r\n"
        "2026/01/01,起動時,予定表を確認する\r\n"
        "2026/01/01,07:00,朝のストレッチ\r\n"
        "2026/01/01,09:30,\"朝会\r\n進捗表を更新しておく\"\r\n"
        "2026/01/02,");
    EXPECT_EQ(csv.substr(0, firstDay.size()), firstDay);
    const std::string reviewDay = Utf8ToCp932(
        "\r\n2026/12/08,,\"設計レビューの準備\r\n機能一覧表とソースを確認, 明日までに修正\r\n"
        "\"\"重要\"\" <必読> & 共有\r\n  先頭と末尾に空白  \"\r\n"
        "2026/12/08,,燃えるゴミの日\r\n"
        "2026/12/08,毎日,日記を書く\r\n"
        "2026/12/08,起動時,予定表を確認する\r\n"
        "2026/12/08,07:00,朝のストレッチ\r\n"
        "2026/12/08,09:00,歯医者\r\n"
        "2026/12/08,09:30,\"朝会\r\n進捗表を更新しておく\"\r\n"
        "2026/12/08,14:00,\"ソフトウェア設計レビュー\r\n会議室: 3F 第2会議室\r\n資料: 機能一覧表 v2\"\r\n"
        "2026/12/09,毎日,"); // the zero-byte memo of 12/09 gives no row
    EXPECT_NE(csv.find(reviewDay), std::string::npos);
    // The last day, to the end of the file: a memo without a final line break,
    // three all-day entries in file order, then the timed ones.
    const std::string lastDay = Utf8ToCp932(
        "\r\n2026/12/31,,大晦日。今年もお疲れさま\r\n"
        "2026/12/31,,\"\"\"資源ごみ\"\" (缶・ビン)\"\r\n"
        "2026/12/31,,\"経費精算の締め (31日の月のみ)\"\r\n"
        "2026/12/31,,\"大掃除\r\n換気扇, 窓, ベランダ\"\r\n"
        "2026/12/31,毎日,日記を書く\r\n"
        "2026/12/31,起動時,予定表を確認する\r\n"
        "2026/12/31,07:00,朝のストレッチ\r\n"
        "2026/12/31,09:30,\"朝会\r\n進捗表を更新しておく\"\r\n");
    ASSERT_GE(csv.size(), lastDay.size());
    EXPECT_EQ(csv.substr(csv.size() - lastDay.size()), lastDay);

    const std::string html = ReadBytes(out.Path + "files/sample-2026-12.html");
    EXPECT_EQ(html.substr(0, 16), "<html>\r\n<head>\r\n");
    EXPECT_NE(html.find("charset=x-sjis"), std::string::npos);
    EXPECT_EQ(CountOf(html, "<b>2026/12/"), 31u);
    EXPECT_EQ(CountOf(html, "<b>2026/11/"), 0u);
    EXPECT_NE(html.find(Utf8ToCp932("ソフトウェア設計レビュー<br>会議室: 3F 第2会議室<br>資料: 機能一覧表 v2<br>")),
              std::string::npos);
    EXPECT_NE(html.find(Utf8ToCp932("<b>2026/12/25(金)<br>クリスマス<br></b>")), std::string::npos);
}

// Every type's bytes over December and the new year of the sample, against
// tests/reference (ORVEXP_WRITE_REFERENCE=1 writes them anew after a change
// that is meant). The files are dated 2026/12/01 for the iCalendar stamps,
// and a copy of the program without settings keeps every default.
TEST(ExportSampleScript, EveryTypeWritesTheReferenceBytes)
{
    const std::string sample = std::string(ORVEXP_BINARY_DIR) + "/app/";
    const std::string reference = std::string(ORVEXP_SOURCE_DIR) + "/tests/reference/";
    TTempFolder data, out;
    std::filesystem::copy(sample + "Memo", data.Path + "Memo");
    for (const char* name : {"schedule.dat", "holidays.dat", "spcldays.dat", "daysoff.dat"})
        std::filesystem::copy_file(sample + name, data.Path + name);
    std::filesystem::copy_file(sample + "orvexp", out.Path + "orvexp");
    const utimbuf stamp{1796083200, 1796083200};
    for (const auto& file : std::filesystem::recursive_directory_iterator(data.Path)) ::utime(file.path().c_str(), &stamp);
    const bool write = std::getenv("ORVEXP_WRITE_REFERENCE") != nullptr;
    const std::pair<const char*, const char*> cases[] = {
        {"csv-schedules.csv", "--type 0"}, {"csv-memos.csv", "--type 1 --empty-memos"},
        {"csv-both.csv", "--type 2 --no-empty-memos"}, {"csv-both-utf8.csv", "--type 2 --encoding utf-8"},
        {"html-schedules.html", "--type 3"}, {"html-memos.html", "--type 4"}, {"html-both.html", "--type 5"},
        {"html-both-escaped-utf8.html",
         "--type 5 --escape-html --encoding utf-8 --color TimeColor=0x563412 --color 'DateBkColor=$FF'"},
        {"calendar.ics", "--type 6"}, {"calendar-days-tokyo.ics", "--type 6 --with-days --timezone Asia/Tokyo"}};
    for (const auto& [file, options] : cases) {
        const std::string output = (write ? reference : out.Path) + file;
        EXPECT_EQ(RunShell("'" + out.Path + "orvexp' export --data '" + data.Path + "schedule.dat' --from 2026/12/01 "
                           "--to 2027/01/10 --output '" + output + "' " + options), 0) << file;
        EXPECT_TRUE(ReadBytes(output) == ReadBytes(reference + file)) << file << " differs from tests/reference";
    }
}

TEST(ExportSampleScript, RefusesWrongArgumentsAndAMissingBuild)
{
    TTempFolder out;
    EXPECT_EQ(RunShell("bash '" + kScript + "' > /dev/null 2>&1"), 2);
    EXPECT_EQ(RunShell("bash '" + kScript + "' '" + out.Path + "no-build' '" + out.Path + "files' > /dev/null 2>&1"), 1);
    EXPECT_FALSE(DirectoryExists(out.Path + "files"));
}

} // namespace
} // namespace orvexp
