#include "app/cli/Subcommands.h"

#include <charconv>
#include <cstdint>
#include <iostream>
#include <string_view>

#include "app/Messages.h"
#include "app/global.h"
#include "platform/FileSystem.h"
#include "platform/MessageSink.h"

namespace orvexp {

TDateTime ParseDateOption(const char* option, const std::string& text)
{
    TDateTime date = 0;
    if (!TryParseDateText(text, date)) {
        throw EUsageError(std::string(option) + ": \"" + text + "\" is not a date of the form YYYY/MM/DD");
    }
    return date;
}

TDateTime ParseRangeDateOption(const char* option, const std::string& text, const IClock& clock)
{
    TDateTime date = 0;
    if (TryParseDateText(text, date)) return date;
    // today, or today followed by a sign and digits only
    const std::string_view rest = text.starts_with("today") ? std::string_view(text).substr(5) : "-";
    const std::string_view digits = rest.empty() ? "0" : rest.substr(1);
    if ((!rest.empty() && rest[0] != '+' && rest[0] != '-') || digits.empty() ||
        digits.find_first_not_of("0123456789") != std::string_view::npos) {
        throw EUsageError(std::string(option) + ": \"" + text +
                          "\" is not a date of the form YYYY/MM/DD, today, today+N or today-N");
    }
    // A count too large for the number is out of range as well.
    std::int64_t days = INT64_MAX;
    std::from_chars(digits.data(), digits.data() + digits.size(), days);
    if (rest.starts_with('-')) days = -days;
    const TDayNumber today = DayNumberOf(clock.Now());
    if (days < kFirstDay - today || days > kLastDay - today) {
        throw EUsageError(std::string(option) + ": " + text + " falls outside the years 1 to 9999");
    }
    return DateTimeOfDay(today + days);
}

int RunCommandLine(int argc, char** argv, const TCalendarRunner& calendar)
{
    TCommandLine commandLine;
    CLI::App& app = commandLine.App;
    app.require_subcommand(1);
    app.set_help_all_flag("--help-all", "Show the help of every subcommand");
    app.set_version_flag("--version", GetVersionLine(), "Show the product name, version and build");
    AddWatchCommand(commandLine);
    AddDaysCommand(commandLine);
    AddExportCommand(commandLine);
    if (calendar) AddCalendarCommand(commandLine, calendar);

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        std::cerr << "orvexp: " << e.what() << "\n";
        return 2;
    }

    // The launch action's messages (--open) are one line each, as every other.
    SetMessageSink([](TMessageKind, const std::string& text) {
        std::cerr << "orvexp: " << text << (text.ends_with('\n') ? "" : "\n") << std::flush;
    });
    try {
        return commandLine.Run ? commandLine.Run() : 0;
    } catch (const EUsageError& e) {
        std::cerr << "orvexp: " << e.what() << "\n";
        return 2;
    } catch (const EFOpenError& e) {
        std::cerr << "orvexp: " << e.what() << (e.Error != 0 ? "。(" + msg::FailureCause(e) + ")" : "") << "\n";
        return 1;
    } catch (const std::exception& e) {
        std::cerr << "orvexp: " << e.what() << "\n";
        return 1;
    }
}

} // namespace orvexp
