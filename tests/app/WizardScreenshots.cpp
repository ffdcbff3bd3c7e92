// Pictures of the wizard for docs/: its four pages (wizard-page1.png ...
// page4.png, page 4 also for a CSV and an HTML type), the date pop-up
// (wizard-date-popup.png), an information box (wizard-information.png) and
// the open-file dialog (wizard-open-dialog.png), with Qt's dialogs in Japanese as the
// program shows them. Run under a display (xvfb-run) with the target folder as
// the argument:
//   xvfb-run -a -s "-screen 0 1024x768x24" wizard_screenshots docs/

#include <QApplication>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>

#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <utility>

#include "app/global.h"
#include "app/wizard/MainForm.h"
#include "app/window/WindowSetup.h"
#include "tests/app/WizardFixtures.h"

int main(int argc, char** argv)
{
    using namespace orvexp;
    QApplication application(argc, argv);
    SetUpWindowApplication(application);
    UseFormFontEverywhere();
    if (argc != 2) {
        std::fprintf(stderr, "usage: wizard_screenshots FOLDER\n");
        return 2;
    }
    const QString target = QString::fromLocal8Bit(argv[1]);

    test::TTempFolder temp;
    const std::string data = temp.Path + "Orvanel/";
    test::WriteSampleDataFolder(data);
    const std::string settings = temp.Path + "orvexp.ini";
    test::WriteBytes(settings, "[OrvanelExportWizard]\r\nDefaultDataFolder=" + data + "\r\nDefaultExportFolder=" +
                                   temp.Path + "\r\n");

    TfrmMain form(Global);
    form.Logic().SettingsPath = settings;
    form.Logic().DefaultFolder = temp.Path;
    form.Logic().OnLaunch = [](const TShellExecute&) {};
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) return 1;

    auto save = [&](int page) {
        QTest::qWait(100);
        const QString file = target + QStringLiteral("/wizard-page%1.png").arg(page);
        if (!form.grab().save(file)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return false;
        }
        return true;
    };

    // The modal window that `open` shows, once it is on screen; closed afterwards.
    auto saveModal = [&](const QString& name, const std::function<void()>& open) {
        bool saved = false;
        int shownFor = 0;
        QTimer poll;
        poll.setInterval(20);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || !modal->windowHandle() || !modal->windowHandle()->isExposed()) return;
            if (++shownFor < 10) return; // let it paint its contents
            poll.stop();
            const QString file = target + QLatin1Char('/') + name;
            saved = modal->grab().save(file);
            if (!saved) std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                box->buttons().first()->click();
            } else {
                QMetaObject::invokeMethod(modal, "reject", Qt::QueuedConnection);
            }
        });
        poll.start();
        open();
        return saved;
    };

    form.lbExportTypes->setCurrentRow(6); // the iCalendar type: page 4 shows its day-event box
    if (!save(1)) return 1;
    form.btnNext->click();
    if (!save(2)) return 1;
    if (!saveModal(QStringLiteral("wizard-open-dialog.png"), [&] { form.Button5->click(); })) return 1;
    const QString dataFile = form.edtDataFilePath->text();
    form.edtDataFilePath->clear();
    if (!saveModal(QStringLiteral("wizard-information.png"), [&] { form.btnNext->click(); })) return 1;
    form.edtDataFilePath->setText(dataFile);
    form.btnNext->click();
    // The date pop-up of December 2026, with the sample's holidays, special days and days off.
    QCalendarWidget* popup = form.DateEdit1->calendarWidget();
    popup->setCurrentPage(2026, 12);
    popup->resize(popup->sizeHint());
    if (!popup->grab().save(target + QStringLiteral("/wizard-date-popup.png"))) return 1;
    form.DateEdit1->setDate(QDate(2024, 4, 1));
    form.DateEdit2->setDate(QDate(2024, 4, 30));
    if (!save(3)) return 1;
    form.btnNext->click();
    if (form.Notebook1->currentIndex() != 3) return 1;
    if (!save(4)) return 1;

    // Page 4 of a CSV type and of an HTML type, each with its own boxes.
    for (const auto& [row, name] : {std::pair{2, "csv"}, std::pair{5, "html"}}) {
        while (form.Notebook1->currentIndex() > 0) form.btnPrevious->click();
        form.lbExportTypes->setCurrentRow(row);
        for (int page = 0; page < 3; ++page) form.btnNext->click();
        QTest::qWait(100);
        const QString file = target + QStringLiteral("/wizard-page4-%1.png").arg(QLatin1String(name));
        if (!form.grab().save(file)) return 1;
    }
    return 0;
}
