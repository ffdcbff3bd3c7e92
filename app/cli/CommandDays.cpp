// `orvexp days`: the day kinds and day texts of a date range, as the calendar
// sees them with the day files beside a schedule file.

#include <iostream>
#include <memory>
#include <string>

#include "app/Translation.h"
#include "app/cli/Subcommands.h"
#include "app/cli/InputWarnings.h"
#include "calendar/DateEx.h"
#include "calendar/DayFiles.h"
#include "data/DataFolder.h"
#include "platform/DateTime.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"

namespace orvexp {

namespace {

// The kinds present, comma-joined in the fixed order of the kinds.
std::string KindsText(const TKyDayKinds& kinds)
{
    static const char* const names[] = {"sunday",  "saturday", "holiday", "substitute",
                                        "special", "monthend", "dayoff"};
    std::string text;
    for (int kind = dkSunday; kind <= dkDayOff; ++kind) {
        if (!kinds.Contains(static_cast<TKyDayKind>(kind))) continue;
        if (!text.empty()) text += ',';
        text += names[kind];
    }
    return text;
}

int RunDays(const std::string& dataFile, const std::string& fromText, const std::string& toText)
{
    const TDateTime from = ParseRangeDateOption("--from", fromText);
    const TDateTime to = ParseRangeDateOption("--to", toText);
    if (to < from) throw EUsageError("--to " + toText + " is before --from " + fromText);
    // The day kinds need only the day files; the schedule file only locates them.
    if (!FileExists(dataFile)) throw EFOpenError(dataFile, FileAbsenceError(dataFile));

    TKyDateEx dates;
    dates.AutoEquinox = true;
    dates.AutoFurikae = true;
    // A file cut short gives its whole records, one that cannot be read none,
    // each with one warning line.
    PrintInputProblems(LoadDayLists(dates.HolidayList(), dates.SpecialDayList(), dates.CustomDayOffList(),
                                    TDataFolder::OfScheduleFile(dataFile).DayFiles()));

    std::string line;
    for (TDateTime date = from; date <= to; date += 1) {
        const TDateParts parts = DecodeDate(date);
        const auto year = static_cast<std::uint16_t>(parts.Year);
        const auto month = static_cast<std::uint16_t>(parts.Month);
        const auto day = static_cast<std::uint16_t>(parts.Day);
        bool isHoliday = false, isDayOff = false, isSpecialDay = false;
        std::string texts;
        dates.GetDayTexts(year, month, day, isHoliday, isDayOff, isSpecialDay, texts);
        line = FormatDateText(parts);
        line += '\t';
        line += KindsText(dates.GetDayKinds(year, month, day));
        line += '\t';
        line += Cp932ToUtf8(texts);
        line += '\n';
        std::cout << line;
    }
    if (!std::cout.flush()) throw EStandardOutputError();
    return 0;
}

} // namespace

void AddDaysCommand(TCommandLine& commandLine)
{
    CLI::App* days = commandLine.App.add_subcommand(
        "days", Tr("Print the day kinds and day texts of each date of a range, from the day files beside a schedule file"));
    auto dataFile = std::make_shared<std::string>();
    auto from = std::make_shared<std::string>();
    auto to = std::make_shared<std::string>();
    days->add_option("--data", *dataFile, Tr("The schedule file (schedule.dat); the day files are read from its folder"))
        ->required();
    days->add_option("--from", *from, Tr("The first date: YYYY/MM/DD, today, today+N or today-N (N days)"))->required();
    days->add_option("--to", *to, Tr("The last date (included): YYYY/MM/DD, today, today+N or today-N"))->required();
    days->callback([&commandLine, dataFile, from, to] {
        commandLine.Run = [dataFile, from, to]() -> int { return RunDays(*dataFile, *from, *to); };
    });
}

} // namespace orvexp
