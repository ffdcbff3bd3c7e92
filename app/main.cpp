// orvexp: without arguments the export wizard, with a subcommand (or --version,
// --help) the command line.

#include "app/cli/CommandLine.h"

#ifdef ORVEXP_HAVE_WIZARD
#include "app/wizard/RunWizard.h"
#endif

int main(int argc, char** argv)
{
#ifdef ORVEXP_HAVE_WIZARD
    if (argc <= 1) return orvexp::RunWizard(argc, argv);
#endif
    // Without the window, no arguments get the command line's usage message.
    return orvexp::RunCommandLine(argc, argv);
}
