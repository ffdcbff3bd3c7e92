#include "app/wizard/RunWizard.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

#include "app/Translation.h"
#include "app/WindowProgram.h"
#include "app/global.h"
#include "app/wizard/MainForm.h"
#include "app/window/WindowSetup.h"

namespace orvexp {

namespace {

// While the application starts, Qt ends the process with a core dump and a
// page of its own text when the named display cannot be opened; the user gets
// the one line instead. Qt's warnings of that moment go with it.
void StartupMessages(QtMsgType type, const QMessageLogContext&, const QString&)
{
    if (type != QtFatalMsg) return;
    const char* display = std::getenv("DISPLAY");
    std::fprintf(stderr,
                 Tr("orvexp: the display %s cannot be opened; to export without a window, use the command line: "
                    "orvexp export --help\n"),
                 display && *display ? display : Tr("(none named)"));
    std::_Exit(1);
}

} // namespace

int RunWizard(int argc, char** argv)
{
    if (!HaveDisplay()) {
        std::fprintf(stderr, "%s\n", Tr(kNoDisplayLine));
        return 1;
    }
    const QtMessageHandler previous = qInstallMessageHandler(StartupMessages);
    QApplication application(argc, argv);
    qInstallMessageHandler(previous);
    SetUpWindowApplication(application);
    UseFormFontEverywhere();
    TfrmMain frmMain(Global);
    frmMain.show();
    return QApplication::exec();
}

} // namespace orvexp
