// The real wizard window on the offscreen platform: clicked and typed through
// its four pages, with its boxes and dialogs answered as a person would.

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QColorDialog>
#include <QDateEdit>
#include <QAbstractProxyModel>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFontInfo>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>

#include <utime.h>

#include <deque>
#include <functional>
#include <memory>

#include "app/global.h"
#include "app/wizard/MainForm.h"
#include "app/window/QtJapanese.h"
#include "data/DataFolder.h"
#include "platform/IniFile.h"
#include "platform/MessageSink.h"
#include "tests/app/WizardFixtures.h"
#include "tools/sample/SampleData.h"

namespace orvexp {
namespace {

using test::ReadBytesIfAny;
using test::WriteBytes;

// What a message box showed.
struct TBoxSeen {
    QString Title;
    QString Text;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    QStringList Buttons;
};

// Answers modal boxes and dialogs as they open, in order. A modal that opens
// with no answer queued is recorded and closed, so a test never hangs on it.
class TModalAnswers : public QObject {
public:
    TModalAnswers()
    {
        Timer.setInterval(5);
        connect(&Timer, &QTimer::timeout, this, [this] { Poll(); });
        Timer.start();
    }

    void Then(std::function<void(QWidget*)> answer) { Answers.push_back(std::move(answer)); }
    // Records the next box and presses the button with `caption`.
    void ThenPress(const QString& caption, TBoxSeen* seen)
    {
        Then([caption, seen](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            seen->Title = box->windowTitle();
            seen->Text = box->text();
            seen->Icon = box->icon();
            for (QAbstractButton* button : box->buttons()) seen->Buttons << button->text();
            for (QAbstractButton* button : box->buttons()) {
                if (button->text() == caption) {
                    button->click();
                    return;
                }
            }
            box->reject();
        });
    }

    std::deque<std::function<void(QWidget*)>> Answers;
    QStringList Unexpected;

private:
    void Poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == Last) return;
        Last = modal;
        if (Answers.empty()) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            Unexpected << (box ? box->text() : modal->metaObject()->className());
            QMetaObject::invokeMethod(modal, "reject", Qt::QueuedConnection);
            return;
        }
        auto answer = std::move(Answers.front());
        Answers.pop_front();
        answer(modal);
    }

    QTimer Timer;
    QPointer<QWidget> Last;
};

void TypeText(QWidget* widget, const QString& text)
{
    // Japanese text arrives as the input method's commit, as it does when typed.
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(widget, &event);
}

QString Q(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

class TfrmMainTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::TTempFolder> Temp;
    std::string Data, Out, Program, SettingsPath;
    TGlobal State;
    std::unique_ptr<TfrmMain> Form;
    std::unique_ptr<TModalAnswers> Modals;
    QStringList Launched;

    void Show()
    {
        Form = std::make_unique<TfrmMain>(State);
        Form->Logic().SettingsPath = SettingsPath;
        Form->Logic().DefaultFolder = Program;
        Form->Logic().OnLaunch = [this](const TShellExecute& launch) { Launched << Q(launch.FileName); };
        Form->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form.get()));
    }

    void ClickNext() { QTest::mouseClick(Form->btnNext, Qt::LeftButton); }

    // Page 1 with `row` chosen by keyboard, then on to page 4 with the range.
    void GoToPage4(int row, QDate start, QDate end)
    {
        Form->lbExportTypes->setFocus();
        QTest::keyClick(Form->lbExportTypes, Qt::Key_Home);
        for (int i = 0; i < row; ++i) QTest::keyClick(Form->lbExportTypes, Qt::Key_Down);
        ClickNext();
        QCOMPARE(Form->Notebook1->currentIndex(), 1);
        ClickNext();
        QCOMPARE(Form->Notebook1->currentIndex(), 2);
        Form->DateEdit1->setDate(start);
        Form->DateEdit2->setDate(end);
        ClickNext();
        QCOMPARE(Form->Notebook1->currentIndex(), 3);
    }

private slots:
    void init()
    {
        Temp = std::make_unique<test::TTempFolder>();
        Data = Temp->Path + "data/";
        Out = Temp->Path + "out/";
        Program = Temp->Path + "program/";
        SettingsPath = Temp->Path + "orvexp.ini";
        test::WriteSampleDataFolder(Data);
        WriteBytes(Out + ".keep", "");
        WriteBytes(Program + ".keep", "");
        WriteBytes(SettingsPath, "[OrvanelExportWizard]\r\nDefaultDataFolder=" + Data +
                                     "\r\nDefaultExportFolder=" + Out + "\r\n");
        State = TGlobal();
        State.VersionInfo = std::make_unique<TVersionInfo>(ThisProgramVersionResource());
        Launched.clear();
        Modals = std::make_unique<TModalAnswers>();
    }

    void cleanup()
    {
        QVERIFY2(Modals->Unexpected.isEmpty(), qPrintable(Modals->Unexpected.join(QLatin1String(" | "))));
        QVERIFY(Modals->Answers.empty());
        Form.reset();
        Modals.reset();
        Temp.reset();
    }

    void formAndFirstPage()
    {
        Show();
        // At least the original's size, and no smaller than that.
        QVERIFY(Form->width() >= 402 && Form->height() >= 329);
        QCOMPARE(Form->minimumSize(), Form->size());
        QCOMPARE(Form->windowTitle(), QStringLiteral("Orvanel エクスポートウィザード"));
        QCOMPARE(Form->font().family(), QStringLiteral("ＭＳ Ｐゴシック"));
        QCOMPARE(Form->font().pixelSize(), 12);
        const QString drawnWith = QFontInfo(Form->font()).family();
        QVERIFY2(drawnWith == QStringLiteral("ＭＳ Ｐゴシック") || drawnWith == QStringLiteral("IPAPGothic"),
                 qPrintable(drawnWith));

        QCOMPARE(Form->pnlTitle->text(), QStringLiteral("出力形式の選択"));
        QVERIFY(Form->pnlTitle->font().bold());
        QCOMPARE(Form->pnlTitle->font().pixelSize(), 16);
        QVERIFY(!Form->imgTitle->pixmap().isNull());
        QCOMPARE(Form->imgTitle->pixmap().size(), QSize(32, 32));

        QCOMPARE(Form->lblVersion->text(), QStringLiteral("Ver 1.00"));
        QCOMPARE(Form->lblVersion->pos(), QPoint(5, 11));
        QCOMPARE(Form->lblBuildNo->text(), QStringLiteral("Build 0175"));
        QCOMPARE(Form->lblBuildNo->pos(), QPoint(5 + Form->lblVersion->width() + 5, 11));
        QVERIFY(Form->lblBeta->isHidden());
        QCOMPARE(Form->lblCopyright->text(), QStringLiteral("Copyright (C) 2026 orvexp developers"));
        QCOMPARE(Form->lblCopyright->pos(), QPoint(5, 26));

        QCOMPARE(Form->btnPrevious->text(), QStringLiteral("< 戻る(&B)"));
        QCOMPARE(Form->btnNext->text(), QStringLiteral("次へ(&F) >"));
        QCOMPARE(Form->btnCancel->text(), QStringLiteral("終了(&X)"));
        QVERIFY(!Form->btnPrevious->isEnabled());
        QVERIFY(Form->btnNext->isDefault());

        QCOMPARE(Form->lbExportTypes->count(), 7);
        QCOMPARE(Form->lbExportTypes->item(5)->text(), QStringLiteral("[HTML] 予定とメモ"));
        QCOMPARE(Form->lbExportTypes->item(6)->text(), QStringLiteral("[iCalendar] 予定とメモ"));
        // Every line shows whole in the list, without a scroll bar.
        for (int row = 0; row < Form->lbExportTypes->count(); ++row) {
            const QRect line = Form->lbExportTypes->visualItemRect(Form->lbExportTypes->item(row));
            QVERIFY(Form->lbExportTypes->viewport()->rect().contains(line));
            QVERIFY(Form->lbExportTypes->fontMetrics().horizontalAdvance(Form->lbExportTypes->item(row)->text()) <
                    line.width());
        }
        QVERIFY(!Form->lbExportTypes->verticalScrollBar()->isVisible());
        QVERIFY(!Form->lbExportTypes->horizontalScrollBar()->isVisible());
        QCOMPARE(Form->lbExportTypes->currentRow(), 0);
        QVERIFY(Form->lblExplanation1->text().startsWith(QStringLiteral("CSV形式で出力します。\n\nCSV形式のファイルはExcel、\n")));
        QCOMPARE(Form->grpExplanation->title(), QStringLiteral("説明"));
        QCOMPARE(Form->focusWidget(), Form->lbExportTypes);
        QCOMPARE(Form->DateEdit1->date(), QDate::currentDate());
        QCOMPARE(Form->DateEdit2->date(), QDate::currentDate());
        QCOMPARE(Form->DateEdit1->displayFormat(), QStringLiteral("yyyy/MM/dd"));
        QVERIFY(Form->DateEdit1->calendarPopup());

        QTest::keyClick(Form->lbExportTypes, Qt::Key_End);
        QVERIFY(Form->lblExplanation1->text().startsWith(QStringLiteral("iCalendar形式で出力します。\n")));
        QVERIFY(Form->lblExplanation1->sizeHint().height() <= Form->lblExplanation1->height()); // shown whole
        QTest::keyClick(Form->lbExportTypes, Qt::Key_Up);
        QVERIFY(Form->lblExplanation1->text().startsWith(QStringLiteral("HTML形式で出力します。\n")));
    }

    void betaMarkStandsRightOfTheBuild()
    {
        Show();
        Form->SetFooter("Ver 2.10.03", "Build 0007", true, "c");
        QVERIFY(Form->lblBeta->isVisible());
        QCOMPARE(Form->lblBeta->text(), QStringLiteral("β版"));
        QCOMPARE(Form->lblBeta->pos(), QPoint(Form->lblBuildNo->x() + Form->lblBuildNo->width() + 10, 10));
    }

    void csvExportThroughAllPages()
    {
        Show();
        Form->lbExportTypes->setFocus();
        QTest::keyClick(Form->lbExportTypes, Qt::Key_Down);
        QTest::keyClick(Form->lbExportTypes, Qt::Key_Down);
        ClickNext();
        QCOMPARE(Form->Notebook1->currentIndex(), 1);
        QCOMPARE(Form->pnlTitle->text(), QStringLiteral("Orvanel予定ファイルの指定"));
        QCOMPARE(Form->edtDataFilePath->text(), Q(Data + "schedule.dat"));
        QCOMPARE(Form->focusWidget(), Form->edtDataFilePath);
        QVERIFY(Form->btnPrevious->isEnabled());

        QTest::keyClick(Form->edtDataFilePath, Qt::Key_Return); // Enter presses Next
        QCOMPARE(Form->Notebook1->currentIndex(), 2);
        QCOMPARE(Form->pnlTitle->text(), QStringLiteral("出力する期間の指定"));
        QCOMPARE(Form->focusWidget(), Form->DateEdit1);
        QCOMPARE(Q(TDataFolder(State.DataFolder).MemoFolder()), Q(Data + "Memo/"));

        Form->DateEdit1->setDate(QDate(2024, 4, 1));
        Form->DateEdit2->setDate(QDate(2024, 4, 2));
        ClickNext();
        QCOMPARE(Form->Notebook1->currentIndex(), 3);
        QCOMPARE(Form->pnlTitle->text(), QStringLiteral("出力先ファイルの指定"));
        QCOMPARE(Form->btnNext->text(), QStringLiteral("完了(&F)"));
        QCOMPARE(Form->edtExportFile->text(), Q(Out + "2024年04月01日～2024年04月02日の予定とメモ.csv"));
        QCOMPARE(Form->focusWidget(), Form->edtExportFile);
        QVERIFY(Form->chkExportEmptyMemo->isVisible());
        QVERIFY(Form->chkExportEmptyMemo->isChecked());
        QVERIFY(!Form->HTMLScrollBox->isVisible());
        QVERIFY(!Form->lblHTMLSettings->isVisible());

        Form->edtExportFile->clear();
        QTest::keyClicks(Form->edtExportFile, Q(Out));
        TypeText(Form->edtExportFile, QStringLiteral("予定表.csv"));
        const std::string output = Out + "予定表.csv";
        QCOMPARE(Form->edtExportFile->text(), Q(output));

        TBoxSeen saved;
        Modals->ThenPress(QStringLiteral("OK"), &saved);
        ClickNext();
        QCOMPARE(saved.Title, QStringLiteral("情報"));
        QCOMPARE(saved.Icon, QMessageBox::Information);
        QCOMPARE(saved.Text, Q(output + "\nに保存しました。"));
        QCOMPARE(saved.Buttons, QStringList{QStringLiteral("OK")});
        QCOMPARE(Q(ReadBytesIfAny(output)), Q(std::string("2024/04/01,,\r\n2024/04/01,09:30,") + test::kMeetingSjis +
                                         "\r\n2024/04/02,,abc\r\n"));
        QCOMPARE(Form->Notebook1->currentIndex(), 3);
        const TIniFile ini(SettingsPath);
        QCOMPARE(Q(ini.ReadString("OrvanelExportWizard", "DefaultExportFolder", "")), Q(Out));
        QCOMPARE(Q(ini.ReadString("OrvanelExportWizard", "ExportEmptyMemo", "")), QStringLiteral("1"));
        QCOMPARE(Q(ini.ReadString("HTMLColors", "TimeColor", "")), QStringLiteral("0")); // as stored
        QVERIFY(Launched.isEmpty());

        // In UTF-8, the bytes of the command line's --encoding utf-8.
        QVERIFY(Form->chkCsvUtf8->isVisible() && !Form->chkCsvUtf8->isChecked());
        QTest::mouseClick(Form->chkCsvUtf8, Qt::LeftButton);
        Modals->ThenPress(QStringLiteral("はい(&Y)"), &saved);
        Modals->ThenPress(QStringLiteral("OK"), &saved);
        ClickNext();
        QCOMPARE(Q(TIniFile(SettingsPath).ReadString("OrvanelExportWizard", "CsvUtf8", "")), QStringLiteral("1"));
        const std::string cli = Out + "cli.csv";
        QProcess orvexp;
        orvexp.start(QStringLiteral(ORVEXP_BINARY),
                     {QStringLiteral("export"), QStringLiteral("--type"), QStringLiteral("csv-both"),
                      QStringLiteral("--data"), Q(Data + "schedule.dat"), QStringLiteral("--from"),
                      QStringLiteral("2024/04/01"), QStringLiteral("--to"), QStringLiteral("2024/04/02"),
                      QStringLiteral("--encoding"), QStringLiteral("utf-8"), QStringLiteral("--output"), Q(cli)});
        QVERIFY(orvexp.waitForFinished(60000));
        QCOMPARE(orvexp.exitCode(), 0);
        QVERIFY(ReadBytesIfAny(output).starts_with("\xEF\xBB\xBF" "2024/04/01,,\r\n"));
        QCOMPARE(QByteArray::fromStdString(ReadBytesIfAny(output)), QByteArray::fromStdString(ReadBytesIfAny(cli)));
    }

    // Every control of every page whole, inside the window and apart from the
    // others at the default size, for each type's page 4; and the window grows.
    void controlsFitAtTheDefaultSize_data()
    {
        QTest::addColumn<int>("type");
        for (int type = 0; type <= 6; ++type) QTest::newRow(qPrintable(QString::number(type))) << type;
    }
    void controlsFitAtTheDefaultSize()
    {
        QFETCH(int, type);
        Show();
        const QSize defaultSize = Form->size();
        const auto checkPage = [this] {
            QApplication::processEvents(); // the layout of a page just shown
            QList<QWidget*> controls;
            const std::function<void(QWidget*)> collect = [&](QWidget* parent) {
                for (QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                    if (!child->isVisible()) continue;
                    if (auto* scroll = qobject_cast<QScrollArea*>(child)) collect(scroll->widget());
                    else if (child->metaObject() == &QWidget::staticMetaObject || qobject_cast<QGroupBox*>(child) ||
                             qobject_cast<QStackedWidget*>(child))
                        collect(child);
                    else controls << child;
                }
            };
            collect(Form.get());
            QVERIFY(controls.size() > 10);
            for (QWidget* control : controls) {
                const QString name = control->objectName() + QLatin1Char(' ') + control->metaObject()->className() +
                                     QLatin1Char(' ') + control->property("text").toString();
                // Inside every widget that holds it, up to the window: nothing cut or scrolled away.
                for (QWidget* holder = control->parentWidget(); holder; holder = holder->parentWidget()) {
                    const QRect inHolder(control->mapTo(holder, QPoint(0, 0)), control->size());
                    QVERIFY2(holder->rect().contains(inHolder), qPrintable(name));
                    if (holder == Form.get()) break;
                }
                if (auto* area = qobject_cast<QAbstractScrollArea*>(control)) {
                    // A list or a memo: its whole content in view.
                    QVERIFY2(area->verticalScrollBar()->maximum() == 0 && area->horizontalScrollBar()->maximum() == 0,
                             qPrintable(name));
                } else {
                    QVERIFY2(control->width() >= control->minimumSizeHint().width() &&
                                 control->height() >= control->minimumSizeHint().height(),
                             qPrintable(name));
                }
                if (qobject_cast<QLabel*>(control) || qobject_cast<QCheckBox*>(control))
                    QVERIFY2(control->width() >= control->sizeHint().width(), qPrintable(name));
                const QRect mine(control->mapTo(Form.get(), QPoint(0, 0)), control->size());
                for (QWidget* other : controls) {
                    if (other == control) continue;
                    const QRect theirs(other->mapTo(Form.get(), QPoint(0, 0)), other->size());
                    QVERIFY2(!mine.intersects(theirs), qPrintable(name + QLatin1String(" / ") + other->objectName()));
                }
            }
        };
        checkPage();
        if (QTest::currentTestFailed()) return;
        GoToPage4(type, QDate(2024, 4, 1), QDate(2024, 4, 2));
        for (int page = 3; page >= 1; --page) {
            checkPage();
            if (QTest::currentTestFailed()) return;
            QTest::mouseClick(Form->btnPrevious, Qt::LeftButton);
        }
        QCOMPARE(Form->size(), defaultSize);

        // The window grows, and the fields with it.
        GoToPage4(type, QDate(2024, 4, 1), QDate(2024, 4, 2));
        const int fieldWidth = Form->edtExportFile->width();
        Form->resize(defaultSize + QSize(300, 200));
        QApplication::processEvents();
        QCOMPARE(Form->size(), defaultSize + QSize(300, 200));
        QCOMPARE(Form->edtExportFile->width(), fieldWidth + 300);
        checkPage();
    }

    void htmlExportWithAChosenColour()
    {
        Show();
        // A double click on a line acts as Next.
        const QRect line = Form->lbExportTypes->visualItemRect(Form->lbExportTypes->item(4));
        QTest::mouseClick(Form->lbExportTypes->viewport(), Qt::LeftButton, {}, line.center());
        QTest::mouseDClick(Form->lbExportTypes->viewport(), Qt::LeftButton, {}, line.center());
        QCOMPARE(Form->Notebook1->currentIndex(), 1);
        QCOMPARE(int(State.ExportType), 4);
        ClickNext();
        Form->DateEdit1->setDate(QDate(2024, 12, 25));
        Form->DateEdit2->setDate(QDate(2025, 1, 5));
        ClickNext();
        QCOMPARE(Form->edtExportFile->text(), Q(Out + "2024年12月25日～2025年01月05日のメモ.html"));
        QVERIFY(Form->HTMLScrollBox->isVisible());
        QVERIFY(Form->lblHTMLSettings->isVisible());
        QVERIFY(!Form->chkExportEmptyMemo->isVisible());
        QVERIFY(!Form->btnHTMLDateColor->isVisible());
        QVERIFY(Form->btnHTMLTimeColor->isVisibleTo(Form.get()));
        QCOMPARE(Form->memHTMLDate->palette().color(QPalette::Base), QColor(0xEB, 0xEB, 0xEB));
        QCOMPARE(Form->memHTMLTime->palette().color(QPalette::Text), QColor(Qt::black));
        QVERIFY(Form->memHTMLDate->font().bold());

        QColor preset;
        Modals->Then([&preset](QWidget* modal) {
            auto* dialog = qobject_cast<QColorDialog*>(modal);
            QVERIFY(dialog);
            preset = dialog->currentColor();
            dialog->setCurrentColor(QColor(0, 0, 255));
            dialog->accept();
        });
        Form->HTMLScrollBox->ensureWidgetVisible(Form->btnHTMLDateBkColor);
        QTest::mouseClick(Form->btnHTMLDateBkColor, Qt::LeftButton);
        QCOMPARE(preset, QColor(0xEB, 0xEB, 0xEB));
        QCOMPARE(Form->memHTMLDate->palette().color(QPalette::Base), QColor(0, 0, 255));

        ClickNext();
        const std::string output = Out + "2024年12月25日～2025年01月05日のメモ.html";
        QCOMPARE(Launched, QStringList{Q(output)});
        const std::string page = ReadBytesIfAny(output);
        QVERIFY(page.find("#0000FF") != std::string::npos);
        QCOMPARE(Q(TIniFile(SettingsPath).ReadString("HTMLColors", "DateBkColor", "")), QStringLiteral("16711680"));
    }

    // The seventh line through all pages over the sample folder: neither box
    // of page 4, the calendar files' filter in the save dialog, the saved
    // message and nothing opened; the bytes are those of `orvexp export --type
    // ics` for the same folder and range, then with the day-event box and --with-days.
    void icsExportMatchesTheCommandLine()
    {
        WriteSampleDataFolder(Data);
        const std::string schedule = Data + "schedule.dat";
        const ::utimbuf times{981173106, 981173106}; // 2001-02-03 04:05:06 UTC, the events' DTSTAMP
        QCOMPARE(::utime(schedule.c_str(), &times), 0);
        Show();
        GoToPage4(6, QDate(kSampleYear, 2, 20), QDate(kSampleYear, 3, 10));
        QCOMPARE(int(State.ExportType), 6);
        const std::string output = Out + std::to_string(kSampleYear) + "年02月20日～" + std::to_string(kSampleYear) +
                                   "年03月10日の予定とメモ.ics";
        QCOMPARE(Form->edtExportFile->text(), Q(output));
        QVERIFY(!Form->chkExportEmptyMemo->isVisible());
        QVERIFY(!Form->HTMLScrollBox->isVisible());
        QVERIFY(!Form->lblHTMLSettings->isVisible());
        QVERIFY(Form->chkIcsWithDays->isVisible() && !Form->chkIcsWithDays->isChecked());

        QString filter;
        QStringList filters;
        Modals->Then([&filter, &filters](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            QVERIFY(dialog);
            filter = dialog->selectedNameFilter();
            filters = dialog->nameFilters();
            dialog->reject();
        });
        QTest::mouseClick(Form->Button1, Qt::LeftButton);
        QCOMPARE(filters.size(), 3);
        QCOMPARE(filter, QStringLiteral("iCalendarファイル(*.ics)"));

        TBoxSeen saved;
        Modals->ThenPress(QStringLiteral("OK"), &saved);
        ClickNext();
        QCOMPARE(saved.Text, Q(output + "\nに保存しました。"));
        QVERIFY(Launched.isEmpty());
        const std::string wizard = ReadBytesIfAny(output);
        QVERIFY(wizard.starts_with("BEGIN:VCALENDAR\r\n"));
        QVERIFY(wizard.find("\r\nDTSTAMP:20010203T040506Z\r\n") != std::string::npos);
        QVERIFY(wizard.find("\r\nRRULE:") != std::string::npos);
        QVERIFY(wizard.find("\r\nCATEGORIES:メモ\r\n") != std::string::npos);

        const std::string cli = Out + "cli.ics";
        QProcess orvexp;
        orvexp.start(QStringLiteral(ORVEXP_BINARY),
                     {QStringLiteral("export"), QStringLiteral("--type"), QStringLiteral("ics"), QStringLiteral("--data"),
                      Q(schedule), QStringLiteral("--from"), QStringLiteral("%1/02/20").arg(kSampleYear),
                      QStringLiteral("--to"), QStringLiteral("%1/03/10").arg(kSampleYear), QStringLiteral("--output"),
                      Q(cli)});
        QVERIFY(orvexp.waitForFinished(60000));
        QCOMPARE(orvexp.exitCode(), 0);
        QCOMPARE(orvexp.readAllStandardError(), QByteArray());
        QCOMPARE(QByteArray::fromStdString(ReadBytesIfAny(cli)), QByteArray::fromStdString(wizard));

        QTest::mouseClick(Form->chkIcsWithDays, Qt::LeftButton);
        Modals->ThenPress(QStringLiteral("はい(&Y)"), &saved);
        Modals->ThenPress(QStringLiteral("OK"), &saved);
        ClickNext();
        const std::string withDays = ReadBytesIfAny(output);
        QVERIFY(withDays.find("\r\nCATEGORIES:祝日\r\n") != std::string::npos);
        QCOMPARE(Q(TIniFile(SettingsPath).ReadString("OrvanelExportWizard", "IcsWithDays", "")), QStringLiteral("1"));
        orvexp.start(QStringLiteral(ORVEXP_BINARY), orvexp.arguments() << QStringLiteral("--with-days"));
        QVERIFY(orvexp.waitForFinished(60000));
        QCOMPARE(QByteArray::fromStdString(ReadBytesIfAny(cli)), QByteArray::fromStdString(withDays));
    }

    void messagesOfTheChecks()
    {
        Show();
        ClickNext();
        WriteBytes(Data + "notes.dat", "no schedule");
        struct TCase {
            std::string Path;
            QString Message;
            bool FocusOnField;
        };
        const TCase cases[] = {
            {"", QStringLiteral("Orvanelの予定ファイル(schedule.dat)を指定してください。"), true},
            {Data + "notes.dat",
             QStringLiteral("Orvanelの予定ファイルが開けませんでした。\n\n") + Q(Data) +
                 QStringLiteral("notes.dat\nOrvanelの予定ファイルではありません (Invalid File Header)"),
             false},
        };
        for (const TCase& c : cases) {
            Form->edtDataFilePath->setText(Q(c.Path));
            TBoxSeen seen;
            Modals->ThenPress(QStringLiteral("OK"), &seen);
            ClickNext();
            QCOMPARE(seen.Text, c.Message);
            QCOMPARE(seen.Title, QStringLiteral("情報"));
            QCOMPARE(seen.Icon, QMessageBox::Information);
            QCOMPARE(Form->Notebook1->currentIndex(), 1);
            // The click gave the focus to the button; only the first message moves it back.
            QCOMPARE(Form->focusWidget() == Form->edtDataFilePath, c.FocusOnField);
        }

        Form->edtDataFilePath->setText(Q(Data + "schedule.dat"));
        ClickNext();
        Form->DateEdit1->setDate(QDate(2024, 4, 2));
        Form->DateEdit2->setDate(QDate(2024, 4, 1));
        TBoxSeen range;
        Modals->ThenPress(QStringLiteral("OK"), &range);
        ClickNext();
        QCOMPARE(range.Text, QStringLiteral("開始日は最終日と同じかそれ以前の日付を指定してください。"));
        QCOMPARE(Form->Notebook1->currentIndex(), 2);

        Form->DateEdit2->setDate(QDate(2024, 4, 2));
        ClickNext();
        Form->edtExportFile->setText(QStringLiteral("   "));
        TBoxSeen blank;
        Modals->ThenPress(QStringLiteral("OK"), &blank);
        ClickNext();
        QCOMPARE(blank.Text, QStringLiteral("出力ファイルを指定してください。"));
        QCOMPARE(Form->focusWidget(), Form->edtExportFile);
    }

    void overwriteQuestionAndGeneralError()
    {
        Show();
        GoToPage4(0, QDate(2024, 4, 1), QDate(2024, 4, 1));
        const std::string existing = Out + "exists.csv";
        WriteBytes(existing, "old");
        Form->edtExportFile->setText(Q(existing));
        TBoxSeen question;
        Modals->ThenPress(QStringLiteral("いいえ(&N)"), &question);
        ClickNext();
        QCOMPARE(question.Title, QStringLiteral("確認"));
        QCOMPARE(question.Icon, QMessageBox::Question);
        QCOMPARE(question.Text, Q(existing + "\nはすでに存在します。\n\n上書きしますか？"));
        QCOMPARE(question.Buttons, (QStringList{QStringLiteral("はい(&Y)"), QStringLiteral("いいえ(&N)")}));
        QCOMPARE(Q(ReadBytesIfAny(existing)), QStringLiteral("old"));

        const std::string unwritable = Temp->Path + "missing/out.csv";
        Form->edtExportFile->setText(Q(unwritable));
        TBoxSeen error;
        Modals->ThenPress(QStringLiteral("OK"), &error);
        ClickNext();
        QCOMPARE(error.Title, QStringLiteral("Orvanel エクスポートウィザード"));
        QCOMPARE(error.Icon, QMessageBox::Critical);
        QCOMPARE(error.Text, Q("ファイル " + unwritable + " を作成できません。(フォルダがありません)"));
        QCOMPARE(Form->Notebook1->currentIndex(), 3);
    }

    void backAndEscape()
    {
        Show();
        ClickNext();
        QTest::mouseClick(Form->btnPrevious, Qt::LeftButton);
        QCOMPARE(Form->Notebook1->currentIndex(), 0);
        QCOMPARE(Form->pnlTitle->text(), QStringLiteral("出力形式の選択"));
        QVERIFY(!Form->btnPrevious->isEnabled());
        QTest::keyClick(Form.get(), Qt::Key_Escape);
        QVERIFY(!Form->isVisible());
    }

    void closeBoxAndExitButtonClose()
    {
        Show();
        QVERIFY(Form->close());
        QVERIFY(!Form->isVisible());
        Form->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form.get()));
        QTest::mouseClick(Form->btnCancel, Qt::LeftButton);
        QVERIFY(!Form->isVisible());
    }

    void messagesOfTheCoreAppearInABox()
    {
        Show();
        TBoxSeen seen;
        Modals->ThenPress(QStringLiteral("OK"), &seen);
        ShowMessage(mkError, "/x/page.htmlが見つかりません");
        QCOMPARE(seen.Icon, QMessageBox::Critical);
        QCOMPARE(seen.Title, QStringLiteral("Orvanel エクスポートウィザード"));
        QCOMPARE(seen.Text, QStringLiteral("/x/page.htmlが見つかりません"));
    }

    // Qt's own dialogs speak the wizard's language whatever the user's locale:
    // the open dialog's texts come from Qt's Japanese translations, and the
    // date drop-down names months and weekdays in Japanese. Last, as the
    // translations stay installed for the rest of the run.
    void qtDialogsSpeakJapanese()
    {
        QVERIFY(UseJapaneseForQt(*QCoreApplication::instance()));
        UseFormFontEverywhere();
        Show();
        ClickNext();
        QStringList texts;
        Modals->Then([&texts, this](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            QVERIFY(dialog);
            for (const QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) texts << button->text();
            for (const QLabel* label : dialog->findChildren<QLabel*>()) texts << label->text();
            // The wizard's font, and the file list's dates the Japanese way whatever the system locale.
            texts << dialog->font().family();
            const auto* proxy = qobject_cast<const QAbstractProxyModel*>(dialog->proxyModel());
            const QModelIndex date = proxy->mapFromSource(
                qobject_cast<const QFileSystemModel*>(proxy->sourceModel())->index(Q(Data + "schedule.dat"), 3));
            QTRY_VERIFY(!date.data().toString().isEmpty());
            texts << date.data().toString();
            dialog->reject();
        });
        QTest::mouseClick(Form->Button5, Qt::LeftButton);
        for (const QString& text : {QStringLiteral("開く(&O)"), QStringLiteral("キャンセル"), QStringLiteral("ファイル名(&N):")})
            QVERIFY2(texts.contains(text), qPrintable(texts.join(QLatin1Char('|'))));
        QCOMPARE(texts[texts.size() - 2], Form->font().family());
        QVERIFY(QRegularExpression(QStringLiteral("^\\d{4}/\\d\\d/\\d\\d \\d?\\d:\\d\\d$")).match(texts.last()).hasMatch());

        ClickNext();
        const QCalendarWidget* dropDown = Form->DateEdit1->calendarWidget();
        QVERIFY(dropDown);
        QCOMPARE(dropDown->locale().language(), QLocale::Japanese);
        QCOMPARE(dropDown->locale().standaloneMonthName(4), QStringLiteral("4月"));
        QCOMPARE(dropDown->locale().dayName(3, QLocale::ShortFormat), QStringLiteral("水"));
    }
};

} // namespace
} // namespace orvexp

QTEST_MAIN(orvexp::TfrmMainTest)
#include "MainFormTest.moc"
