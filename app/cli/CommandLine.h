#pragma once
// The command line: `orvexp SUBCOMMAND ...` runs without a window. The
// parser's own types are the subcommands' (Subcommands.h), so the programs
// that only start it do not compile the parser library.

#include <functional>
#include <stdexcept>
#include <string>

#include "platform/Clock.h"
#include "platform/DateTime.h"

namespace orvexp {

// A usage error (bad option value, dates out of order): exit code 2.
class EUsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Standard output refused what a command printed (a full disk, a closed
// pipe): its lines are lost, so the command fails (exit code 1).
class EStandardOutputError : public std::runtime_error {
public:
    EStandardOutputError() : std::runtime_error("standard output could not be written") {}
};

// The options of `orvexp calendar`, checked by the command line.
struct TCalendarOptions {
    std::string DataFile;
    std::string Style = "monthly2"; // monthly1, monthly2 or vertical1
    TDateTime Date = 0;             // the date selected at start; 0: today
};

// Carries out `orvexp calendar`: the window program shows the window itself,
// the command line starts the window program.
using TCalendarRunner = std::function<int(const TCalendarOptions& options)>;

// The date of a YYYY/MM/DD option value; a usage error naming the option otherwise.
TDateTime ParseDateOption(const char* option, const std::string& text);
// A --from or --to value: YYYY/MM/DD, or a day that moves with the clock's
// date for batch use: `today`, `today+N`, `today-N` (N days). A usage error
// naming the option otherwise, also for a day outside the years 1..9999.
TDateTime ParseRangeDateOption(const char* option, const std::string& text, const IClock& clock = SystemClock());

// Parses and runs a command line that names a subcommand; returns the exit code:
// 0 done, 1 a data or file error, 2 a usage error. Errors go to standard error
// as one line. Without a calendar runner (a build without windows) there is no
// `calendar` subcommand.
int RunCommandLine(int argc, char** argv, const TCalendarRunner& calendar = {});

} // namespace orvexp
