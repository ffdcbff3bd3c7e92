// orvexp-window: the wizard without arguments, else the command line with the
// calendar window. orvexp starts it with its own arguments.

#include "app/Translation.h"
#include "app/cli/CommandLine.h"
#include "app/calendar/CalendarWindow.h"
#include "app/wizard/RunWizard.h"

int main(int argc, char** argv)
{
    orvexp::UseMessageCatalogue();
    if (argc <= 1) return orvexp::RunWizard(argc, argv);
    return orvexp::RunCommandLine(argc, argv, orvexp::RunCalendarWindow);
}
