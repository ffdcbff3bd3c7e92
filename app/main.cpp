// orvexp: without arguments the export wizard, with a subcommand (or --version,
// --help) the command line. The windows are the window program's: this one
// starts it for them and stays free of Qt, so a command starts at once.

#include "app/Translation.h"
#include "app/cli/CommandLine.h"

#ifdef ORVEXP_HAVE_WINDOW_PROGRAM
#include "app/WindowProgram.h"
#endif

int main(int argc, char** argv)
{
    orvexp::UseMessageCatalogue();
#ifdef ORVEXP_HAVE_WINDOW_PROGRAM
    if (argc <= 1) return orvexp::ExecWindowProgram(argv);
    return orvexp::RunCommandLine(argc, argv, [argv](const orvexp::TCalendarOptions&) {
        return orvexp::ExecWindowProgram(argv);
    });
#else
    // Without windows, no arguments get the command line's usage message.
    return orvexp::RunCommandLine(argc, argv);
#endif
}
