#pragma once
// TfrmMain: the wizard window. It builds the controls, forwards their events
// to TWizardLogic and answers the logic's questions (IWizardView); it decides
// nothing itself. Whatever a handler raises ends in the general error display.

#include <functional>
#include <memory>

#include <QDialog>
#include <QSize>

#include "app/wizard/PathEdit.h"
#include "app/wizard/WizardLogic.h"
#include "app/wizard/WizardView.h"
#include "calendar/DateEx.h"

class QCalendarWidget;
class QCheckBox;
class QDateEdit;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QStackedWidget;

namespace orvexp {

class TfrmMain : public QDialog, public IWizardView {
    Q_OBJECT

public:
    // `global` receives the state handed to the writers (the program passes Global).
    explicit TfrmMain(TGlobal& global, QWidget* parent = nullptr);
    ~TfrmMain() override;

    // The page logic, for the settings path and the launch action in tests.
    TWizardLogic& Logic() { return *WizardLogic; }

    // Runs `handler`; an exception it raises is shown in the general error display.
    void Guarded(const std::function<void()>& handler);
    // The general error display: the application title, the error icon, the error's text.
    void ShowError(const std::string& text);

    // IWizardView.
    void SetApplicationTitle(const std::string& title) override;
    void SetFooter(const std::string& versionLabel, const std::string& buildLabel, bool beta,
                   const std::string& copyright) override;
    void ShowPage(TWizardPage page, const std::string& title) override;
    void SetNextCaption(const std::string& caption) override;
    void SetBackEnabled(bool enabled) override;
    void SetControlVisible(TWizardControl control, bool visible) override;
    bool FocusControl(TWizardControl control) override;
    void CloseWindow() override;
    void ShowInformation(const std::string& text) override;
    bool AskConfirmation(const std::string& text) override;
    bool RunOpenDialog(const TFileDialogSetup& setup, std::string& fileName) override;
    bool RunSaveDialog(const TFileDialogSetup& setup, std::string& fileName) override;
    bool RunColorDialog(std::int32_t& color) override;
    void SetExportTypeLines(const std::vector<std::string>& lines) override;
    int ExportTypeIndex() const override;
    void SetExportTypeIndex(int index) override;
    void SetExplanation(const std::string& text) override;
    std::string DataFilePath() const override;
    void SetDataFilePath(const std::string& path) override;
    TDateTime StartDate() const override;
    TDateTime EndDate() const override;
    void SetStartDate(TDateTime date) override;
    void SetEndDate(TDateTime date) override;
    std::string ExportFile() const override;
    void SetExportFile(const std::string& path) override;
    bool Checked(TWizardControl box) const override;
    void SetChecked(TWizardControl box, bool checked) override;
    THtmlColors SampleColors() const override;
    void SetSampleColors(const THtmlColors& colors) override;
    void SetDayKinds(const TKyCustomDateEx& dates) override;

    // The controls, by their form names.
    QLabel* pnlTitle = nullptr;       // the title band's caption
    QLabel* imgTitle = nullptr;       // the title band's picture
    QStackedWidget* Notebook1 = nullptr;
    QListWidget* lbExportTypes = nullptr;
    QGroupBox* grpExplanation = nullptr;
    QLabel* lblExplanation1 = nullptr;
    TPathEdit* edtDataFilePath = nullptr;
    QPushButton* Button5 = nullptr;
    QDateEdit* DateEdit1 = nullptr;
    QDateEdit* DateEdit2 = nullptr;
    TPathEdit* edtExportFile = nullptr;
    QPushButton* Button1 = nullptr;
    QLabel* lblHTMLSettings = nullptr;
    QScrollArea* HTMLScrollBox = nullptr;
    QPlainTextEdit* memHTMLDate = nullptr;
    QPlainTextEdit* memHTMLTime = nullptr;
    QPlainTextEdit* memHTMLSchedule = nullptr;
    QPlainTextEdit* memHTMLMemo = nullptr;
    QPushButton* btnHTMLDateColor = nullptr; // never shown
    QPushButton* btnHTMLDateBkColor = nullptr;
    QPushButton* btnHTMLTimeColor = nullptr;
    QPushButton* btnHTMLTimeBkColor = nullptr;
    QPushButton* btnHTMLScheduleColor = nullptr;
    QPushButton* btnHTMLScheduleBkColor = nullptr;
    QPushButton* btnHTMLMemoColor = nullptr;
    QPushButton* btnHTMLMemoBkColor = nullptr;
    QCheckBox* chkExportEmptyMemo = nullptr;
    QCheckBox* chkCsvUtf8 = nullptr;     // the CSV types in UTF-8 with a byte-order mark
    QCheckBox* chkIcsWithDays = nullptr; // the iCalendar type's day events
    QCheckBox* chkIcsParts = nullptr;    // the iCalendar type in parts of 1 MB
    QLabel* lblVersion = nullptr;
    QLabel* lblBuildNo = nullptr;
    QLabel* lblBeta = nullptr;
    QLabel* lblCopyright = nullptr;
    QPushButton* btnPrevious = nullptr;
    QPushButton* btnNext = nullptr;
    QPushButton* btnCancel = nullptr;

public slots:
    // Esc and the close box end up here, as the Exit button does.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* BuildTitleBand();
    QWidget* BuildPages();
    QWidget* BuildExportTypePage();
    QWidget* BuildDataFilePage();
    QWidget* BuildDateRangePage();
    QWidget* BuildExportFilePage();
    QWidget* BuildColorSamples();
    QWidget* BuildBottomBand();
    // Colours the day numbers of the month the pop-up shows by DayKinds.
    void ColorDayNumbers(QCalendarWidget& popup, int year, int month);
    void PaintSample(QPlainTextEdit* sample, std::int32_t textColor, std::int32_t backColor);
    QWidget* ControlOf(TWizardControl control) const;

    std::unique_ptr<TWizardLogic> WizardLogic;
    // The samples' colours as Windows values (system colours kept as such).
    THtmlColors Colors = InitialSampleColors();
    std::int32_t DateTextColor = kWindowTextColor;
    bool Closing = false;
    // The default size: the smallest at which every page's every control is whole.
    QSize DefaultSize;
    // The day kinds that colour the date pop-ups; weekends only until a data folder is read.
    TKyDateEx NoDayFiles;
    const TKyCustomDateEx* DayKinds = &NoDayFiles;
    // The title of the general error display. Kept here and not as Qt's
    // application display name: on X11 Qt appends that name to every window
    // title, so the boxes titled 情報 and 確認 would not read as they should.
    QString ApplicationTitle;
};

// The font of the form: "ＭＳ Ｐゴシック" at 12 pixels, drawn with IPAPGothic
// where the face itself is not installed.
QFont FormFont();

// Makes FormFont the application's font: the message boxes and Qt's own
// dialogs are windows of their own that do not take the form's font, and the
// locale's default face is a monospaced one under ja_JP.
void UseFormFontEverywhere();

} // namespace orvexp
