// Every export type's bytes over the sample data folder, against the files
// under tests/reference that this program wrote when they were made: a change
// of any byte of any output fails here. After a change of the outputs that is
// meant, ORVEXP_WRITE_REFERENCE=1 writes the files anew, for the diff to show.

#include <gtest/gtest.h>

#include <utime.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/RunProgram.h"
#include "tests/support/TempFolder.h"

namespace orvexp {
namespace {

using test::ReadBytes;
using test::TTempFolder;

const std::string kReference = std::string(ORVEXP_SOURCE_DIR) + "/tests/reference/";
const std::string kSample = std::string(ORVEXP_BINARY_DIR) + "/app/";

struct TReferenceCase {
    const char* File;
    std::vector<std::string> Options;
};

// December and the new year: the sample's busiest month, the year's change,
// the new year's holidays and a substitute holiday the calendar computes.
const TReferenceCase kCases[] = {
    {"csv-schedules.csv", {"--type", "csv-schedules"}},
    {"csv-memos.csv", {"--type", "csv-memos", "--empty-memos"}},
    {"csv-both.csv", {"--type", "csv-both", "--no-empty-memos"}},
    {"csv-both-utf8.csv", {"--type", "csv-both", "--encoding", "utf-8"}},
    {"html-schedules.html", {"--type", "html-schedules"}},
    {"html-memos.html", {"--type", "html-memos"}},
    {"html-both.html", {"--type", "html-both"}},
    {"html-both-escaped-utf8.html",
     {"--type", "html-both", "--escape-html", "--encoding", "utf-8", "--color", "TimeColor=0x563412", "--color", "DateBkColor=$FF"}},
    {"calendar.ics", {"--type", "ics"}},
    {"calendar-days-tokyo.ics", {"--type", "ics", "--with-days", "--timezone", "Asia/Tokyo"}},
};

TEST(SampleReference, EveryTypeWritesTheBytesItWroteBefore)
{
    // The sample copied, every file dated 2026/12/01 00:00 UTC: an iCalendar
    // file's stamps are the files' dates, not the build's.
    TTempFolder data, program, work;
    for (const char* name : {"schedule.dat", "holidays.dat", "spcldays.dat", "daysoff.dat"})
        std::filesystem::copy_file(kSample + name, data.Path + name);
    std::filesystem::copy(kSample + "Memo", data.Path + "Memo");
    const utimbuf stamp{1796083200, 1796083200};
    for (const auto& file : std::filesystem::recursive_directory_iterator(data.Path))
        ASSERT_EQ(::utime(file.path().c_str(), &stamp), 0) << file.path();
    // A copy of the program with no settings of its own: every default holds.
    const std::string orvexp = program.Path + "orvexp";
    std::filesystem::copy_file(ORVEXP_BINARY, orvexp);
    const bool write = std::getenv("ORVEXP_WRITE_REFERENCE") != nullptr;

    for (const TReferenceCase& c : kCases) {
        SCOPED_TRACE(c.File);
        const std::string output = (write ? kReference : work.Path) + c.File;
        std::vector<std::string> args{"export",   "--data", data.Path + "schedule.dat", "--from", "2026/12/01", "--to",
                                      "2027/01/10", "--output", output};
        args.insert(args.end(), c.Options.begin(), c.Options.end());
        const test::TRunResult run = test::RunProgram(orvexp, args, work.Path);
        ASSERT_EQ(run.ExitCode, 0) << run.Err;
        EXPECT_EQ(run.Err, "");
        const std::string got = ReadBytes(output), expected = ReadBytes(kReference + c.File);
        const auto parting = static_cast<std::size_t>(
            std::mismatch(got.begin(), got.end(), expected.begin(), expected.end()).first - got.begin());
        EXPECT_TRUE(got == expected) << "from byte " << parting << ": " << got.substr(parting, 60);
    }
}

} // namespace
} // namespace orvexp
