#pragma once
// What the subcommands share: the parser they add themselves to.

#include <functional>

#include <CLI/CLI.hpp>

#include "app/cli/CommandLine.h"

namespace orvexp {

// The parsed command line: each subcommand's callback stores the work to run.
struct TCommandLine {
    CLI::App App{"", "orvexp"};
    std::function<int()> Run;
};

// Each subcommand adds itself to the parser.
// (one Add...Command per subcommand file in app/cli/)
void AddWatchCommand(TCommandLine& commandLine);
void AddDaysCommand(TCommandLine& commandLine);
void AddExportCommand(TCommandLine& commandLine);
void AddCalendarCommand(TCommandLine& commandLine, TCalendarRunner runner);

} // namespace orvexp
