#include "app/cli/CommandLine.h"

#include <iostream>

#include "app/global.h"

namespace orvexp {

TDateTime ParseDateOption(const char* option, const std::string& text)
{
    TDateTime date = 0;
    if (!TryParseDateText(text, date)) {
        throw EUsageError(std::string(option) + ": \"" + text + "\" is not a date of the form YYYY/MM/DD");
    }
    return date;
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

    try {
        return commandLine.Run ? commandLine.Run() : 0;
    } catch (const EUsageError& e) {
        std::cerr << "orvexp: " << e.what() << "\n";
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "orvexp: " << e.what() << "\n";
        return 1;
    }
}

} // namespace orvexp
