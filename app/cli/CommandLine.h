#pragma once
// The command line: `orvexp SUBCOMMAND ...` runs without a window.

#include <functional>
#include <stdexcept>
#include <string>

#include <CLI/CLI.hpp>

namespace orvexp {

// A usage error (bad option value, dates out of order): exit code 2.
class EUsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The parsed command line: each subcommand's callback stores the work to run.
struct TCommandLine {
    CLI::App App{"orvexp - export Orvanel schedule data as CSV or HTML", "orvexp"};
    std::function<int()> Run;
};

// Each subcommand adds itself to the parser.
// (one Add...Command per subcommand file in app/cli/)
void AddWatchCommand(TCommandLine& commandLine);
void AddDaysCommand(TCommandLine& commandLine);
void AddExportCommand(TCommandLine& commandLine);
void AddCalendarCommand(TCommandLine& commandLine); // with the Qt window only

// Parses and runs a command line that names a subcommand; returns the exit code:
// 0 done, 1 a data or file error, 2 a usage error. Errors go to standard error
// as one line.
int RunCommandLine(int argc, char** argv);

} // namespace orvexp
