// orvexp: without arguments the export wizard, with a subcommand the command line.

#include "app/cli/CommandLine.h"

int main(int argc, char** argv)
{
    return orvexp::RunCommandLine(argc, argv);
}
