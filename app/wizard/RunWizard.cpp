#include "app/wizard/RunWizard.h"

#include <QApplication>

#include "app/global.h"
#include "app/wizard/MainForm.h"

namespace orvexp {

int RunWizard(int argc, char** argv)
{
    QApplication application(argc, argv);
    // The same name however it was started (orvexp or orvexp-window).
    QApplication::setApplicationName("orvexp");
    QApplication::setApplicationDisplayName(QString::fromStdString(Global.ProductName));
    TfrmMain frmMain(Global);
    frmMain.show();
    return QApplication::exec();
}

} // namespace orvexp
