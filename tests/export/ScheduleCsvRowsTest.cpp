#include "export/ScheduleCsvRows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "ExportTestSupport.h"
#include "export/CsvExport.h"
#include "schedule/AlarmOccurrence.h"
#include "tests/support/PlainScan.h"

namespace orvexp {
namespace {

using test::MakeEntry;
using test::Sjis;

// A day's weekday rows are copied from a block made once per weekday, with the
// date written over, and the date's own rows put between them: the result
// must be exactly the rows made one by one for a plain scan of every entry.
TEST(ScheduleCsvRows, EqualRowsMadeOneByOneFromAPlainScan)
{
    std::mt19937 random(20261208);
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const std::vector<std::string> texts = {"plain", "  padded  ", "say \"hi\"", "a,b", "", Sjis("予定ソポ"), " \r\n"};
    TAlarmList alarms;
    for (int i = 0; i < 1200; ++i) {
        std::vector<std::string> lines;
        for (int line = pick(0, 3); line > 0; --line) lines.push_back(texts[static_cast<std::size_t>(pick(0, 6))]);
        if (!lines.empty() && pick(0, 1)) lines.front() += std::to_string(i);
        auto entry = MakeEntry(static_cast<TAlarmKind>(pick(0, 12)),
                               static_cast<std::uint16_t>(pick(0, 3) ? pick(2023, 2025) : pick(0, 3000)),
                               static_cast<std::uint16_t>(pick(0, 13)), static_cast<std::uint16_t>(pick(0, 32)),
                               // Some times that are no time of day ("24:00", "07:75") sort as 00:00.
                               static_cast<std::uint16_t>(pick(0, 9) ? pick(0, 23) : pick(24, 120)),
                               static_cast<std::uint16_t>(pick(0, 9) ? pick(0, 2) * 30 : pick(0, 99)), lines);
        entry->DateTime.DaysOfWeek = static_cast<std::uint8_t>(pick(0, 255));
        alarms.Add(std::move(entry));
    }
    const TScheduleDigest digest(alarms);
    TScheduleCsvRows rows(digest);

    std::vector<std::string> timeTexts;
    for (const auto& alarm : alarms) timeTexts.push_back(AlarmTimeText(*alarm));
    for (TDateTime day = EncodeDate(2023, 12, 25); day <= EncodeDate(2025, 3, 5); day += 1) {
        std::string expected = "before|";
        for (const int position : test::PlainScanPositions(alarms, timeTexts, day)) {
            expected += BuildScheduleCsvRow(alarms[position], day) + "\r\n";
        }

        std::string made = "before|"; // the rows are appended
        rows.AppendDay(day, made);
        ASSERT_EQ(made, expected) << FormatDateText(day);
    }
    // A day outside the calendar has no entries, every-day ones included, as
    // the preview list has none for it.
    std::string none;
    rows.AppendDay(EncodeDate(1, 1, 1) - 10, none);
    EXPECT_EQ(none, "");
}

} // namespace
} // namespace orvexp
