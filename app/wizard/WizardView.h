#pragma once
// IWizardView: what the wizard's page logic asks of its window. The Qt window
// implements it; tests implement it with a fake that records and answers.
// Texts are UTF-8; message texts keep their CR LF line breaks.

#include <cstdint>
#include <string>
#include <vector>

#include "calendar/DateEx.h"
#include "export/ExportRequest.h"
#include "platform/DateTime.h"

namespace orvexp {

// The four pages, by their index in the page book.
enum TWizardPage : int { wpExportType = 0, wpDataFile = 1, wpDateRange = 2, wpExportFile = 3 };

// The controls that the logic focuses, shows or hides.
enum TWizardControl {
    wcExportTypes,     // lbExportTypes
    wcDataFilePath,    // edtDataFilePath
    wcStartDate,       // DateEdit1
    wcExportFile,      // edtExportFile
    wcExportEmptyMemo, // chkExportEmptyMemo
    wcHtmlSettings,    // lblHTMLSettings together with HTMLScrollBox
    wcIcsWithDays,     // chkIcsWithDays: the iCalendar type's day events
    wcIcsParts,        // chkIcsParts: the iCalendar type in parts of 1 MB
    wcCsvUtf8,         // chkCsvUtf8: the CSV types in UTF-8 with a byte-order mark
};

// The colour samples: the tag of their buttons.
enum TSampleTag : int { stDate = 1, stTime = 2, stSchedule = 3, stMemo = 4 };

// How a file dialog is prepared. Filter: "description|pattern|description|pattern".
struct TFileDialogSetup {
    std::string InitialDir;
    std::string FileName;
    std::string Filter;
    int FilterIndex = 1; // 1-based
    std::string DefaultExt;
    std::string Place; // a folder added to the dialog's side bar; empty for none
};

// The window-text system colour (the top bit names a system colour by its index, here 8).
inline constexpr std::int32_t kWindowTextColor = static_cast<std::int32_t>(0x80000008u);

// The samples' colours as the form starts: text in the window-text system
// colour, white backgrounds, the date on light grey.
inline THtmlColors InitialSampleColors()
{
    THtmlColors colors;
    colors.TimeColor = colors.ScheduleColor = colors.MemoColor = kWindowTextColor;
    return colors;
}

class IWizardView {
public:
    virtual ~IWizardView() = default;

    // The application title and then the window caption.
    virtual void SetApplicationTitle(const std::string& title) = 0;
    // The footer labels; the view places lblBuildNo and lblBeta after the texts.
    virtual void SetFooter(const std::string& versionLabel, const std::string& buildLabel, bool beta,
                           const std::string& copyright) = 0;
    // Shows `page` and puts `title` into the title band.
    virtual void ShowPage(TWizardPage page, const std::string& title) = 0;
    virtual void SetNextCaption(const std::string& caption) = 0;
    virtual void SetBackEnabled(bool enabled) = 0;
    virtual void SetControlVisible(TWizardControl control, bool visible) = 0;
    // False when the toolkit refuses the focus.
    virtual bool FocusControl(TWizardControl control) = 0;
    virtual void CloseWindow() = 0;

    // Modal boxes: "情報" with OK; "確認" with Yes and No (true for Yes).
    virtual void ShowInformation(const std::string& text) = 0;
    virtual bool AskConfirmation(const std::string& text) = 0;

    // Modal dialogs; true and the choice on OK, false on cancel.
    virtual bool RunOpenDialog(const TFileDialogSetup& setup, std::string& fileName) = 0;
    virtual bool RunSaveDialog(const TFileDialogSetup& setup, std::string& fileName) = 0;
    virtual bool RunColorDialog(std::int32_t& color) = 0; // Windows colour value in and out

    // Page 1.
    virtual void SetExportTypeLines(const std::vector<std::string>& lines) = 0;
    virtual int ExportTypeIndex() const = 0; // -1 without a selection
    virtual void SetExportTypeIndex(int index) = 0;
    virtual void SetExplanation(const std::string& text) = 0;
    // Page 2.
    virtual std::string DataFilePath() const = 0;
    virtual void SetDataFilePath(const std::string& path) = 0;
    // Page 3: whole days.
    virtual TDateTime StartDate() const = 0;
    virtual TDateTime EndDate() const = 0;
    virtual void SetStartDate(TDateTime date) = 0;
    virtual void SetEndDate(TDateTime date) = 0;
    // Page 4.
    virtual std::string ExportFile() const = 0;
    virtual void SetExportFile(const std::string& path) = 0;
    // The check boxes: wcExportEmptyMemo, wcCsvUtf8, wcIcsWithDays, wcIcsParts.
    virtual bool Checked(TWizardControl box) const = 0;
    virtual void SetChecked(TWizardControl box, bool checked) = 0;
    // The sample memos' colours (Windows colour values); the date sample's text
    // colour is not among them and is never read or written.
    virtual THtmlColors SampleColors() const = 0;
    virtual void SetSampleColors(const THtmlColors& colors) = 0;
    // The day kinds of the data folder, by which the date pop-ups colour their
    // days; they stay valid until the next call.
    virtual void SetDayKinds(const TKyCustomDateEx& dates) = 0;
};

} // namespace orvexp
