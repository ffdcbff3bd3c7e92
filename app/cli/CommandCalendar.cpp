// `orvexp calendar`: its options. Showing the window is left to the runner the
// program passes in, so the command line itself never loads Qt.

#include <memory>

#include "app/Translation.h"
#include "app/cli/Subcommands.h"

namespace orvexp {

void AddCalendarCommand(TCommandLine& commandLine, TCalendarRunner runner)
{
    CLI::App* calendar = commandLine.App.add_subcommand(
        "calendar", Tr("Show the schedule calendar of a data folder: holidays, schedule and memo signs, day contents"));
    auto options = std::make_shared<TCalendarOptions>();
    auto date = std::make_shared<std::string>();
    calendar->add_option("--data", options->DataFile,
                         Tr("The schedule file (schedule.dat); default: the data folder the wizard remembers"));
    calendar->add_option("--style", options->Style, Tr("monthly1, monthly2 (default) or vertical1"));
    calendar->add_option("--date", *date, Tr("The date selected at start, YYYY/MM/DD (default: today)"));
    calendar->callback([&commandLine, options, date, runner = std::move(runner)] {
        commandLine.Run = [options, date, runner]() -> int {
            const std::string& style = options->Style;
            if (style != "monthly1" && style != "monthly2" && style != "vertical1") {
                throw EUsageError("--style: \"" + style + "\" is none of monthly1, monthly2, vertical1");
            }
            if (!date->empty()) options->Date = ParseDateOption("--date", *date);
            return runner(*options);
        };
    });
}

} // namespace orvexp
