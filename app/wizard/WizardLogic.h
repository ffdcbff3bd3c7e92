#pragma once
// TWizardLogic: the wizard's page logic without any window: what Next, Back,
// Exit and the browse and colour buttons do, every check and message, the
// paths derived from the schedule file, the settings moments and the export
// at the finish. The window forwards its events here and answers the
// questions of IWizardView.
//
// Handlers may raise: a writer or the launch step of a finish report their
// failure by an exception that the window's general error display shows; the
// steps after the failing one do not run. A settings file that cannot be
// written stops nothing: the wizard says so once and goes on without storing.

#include <cstdint>
#include <functional>
#include <string>

#include "app/global.h"
#include "app/wizard/WizardView.h"
#include "calendar/DateEx.h"
#include "platform/IniFile.h"
#include "platform/Clock.h"
#include "schedule/AlarmTimer.h"
#include "schedule/ShellExecute.h"

namespace orvexp {

class TExportSources;

class TWizardLogic {
public:
    // `global` receives the state handed to the writers (the program passes Global).
    TWizardLogic(IWizardView& view, TGlobal& global);

    // The settings file (default SettingsFilePath()); tests point it elsewhere.
    std::string SettingsPath;
    // The default data and export folder (default DefaultWizardFolder()), with its trailing "/".
    std::string DefaultFolder;
    // Today's date for the date fields.
    const IClock* Clock;
    // Opens the exported page; by default TShellExecute::Execute. Tests replace it.
    std::function<void(const TShellExecute&)> OnLaunch;

    // The schedule container: every pass through page 2 loads the file into it.
    TAlarmTimer AlarmTimer1;
    // The day lists of the data folder, for the colours of the date pop-ups
    // (read again by the export, which names a file it cannot read).
    TKyDateEx DayKinds;

    TWizardPage Page() const { return CurrentPage; }
    // Start folders of the open and save dialogs, as set when pages 1 and 3 were left.
    const std::string& OpenDialogFolder() const { return OpenInitialDir; }
    const std::string& SaveDialogFolder() const { return SaveInitialDir; }

    // The window's events.
    void FormShow();
    void lbExportTypesClick();
    void btnNextClick();     // also the double click in the export-type list
    void btnPreviousClick();
    void btnCancelClick();
    void Button5Click();     // browse for the schedule file
    void Button1Click();     // browse for the output file
    void btnHTMLDateColorClick(int tag);   // a "文字色" button
    void btnHTMLDateBkColorClick(int tag); // a "背景色" button

private:
    IWizardView& View;
    TGlobal& State;
    TWizardPage CurrentPage = wpExportType;
    std::string OpenInitialDir;
    std::string SaveInitialDir;
    std::string ScheduleFile;       // the file AlarmTimer1 was loaded from
    std::int64_t ScheduleStamp = 0; // ScheduleStampSeconds of it
    bool SettingsUnwritable = false; // the settings file could not be written, and the user was told

    void LeaveExportTypePage();
    bool LeaveDataFilePage();
    bool LeaveDateRangePage();
    void Finish();
    void Advance();
    void ShowCurrentPage();
    void LoadHTMLColors();
    // One box naming the inputs an export could not read (the first few).
    void ShowProblems(const TExportSources& sources);
    void WriteSettingsBack(const std::string& outputPath);
    void StoreSettings(const std::function<void(TIniFile& ini)>& write);
};

// The title of a page, as the title band shows it.
const char* PageTitle(TWizardPage page);
// The explanation of page 1 for a selected line (-1: none).
std::string ExplanationText(int selectedIndex);

} // namespace orvexp
