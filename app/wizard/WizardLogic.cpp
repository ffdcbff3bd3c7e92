#include "app/wizard/WizardLogic.h"

#include <optional>

#include "app/Settings.h"
#include "app/wizard/WizardTexts.h"
#include "data/DataFolder.h"
#include "export/Export.h"
#include "export/ExportSources.h"
#include "export/ExportFileName.h"
#include "platform/FileSystem.h"
#include "platform/IniFile.h"
#include "platform/Text.h"

namespace orvexp {

namespace {

TWizardControl FirstFocus(TWizardPage page)
{
    switch (page) {
    case wpExportType: return wcExportTypes;
    case wpDataFile: return wcDataFilePath;
    case wpDateRange: return wcStartDate;
    case wpExportFile: return wcExportFile;
    }
    return wcExportTypes;
}

} // namespace

const char* PageTitle(TWizardPage page)
{
    switch (page) {
    case wpExportType: return wiztext::kPage1Title;
    case wpDataFile: return wiztext::kPage2Title;
    case wpDateRange: return wiztext::kPage3Title;
    case wpExportFile: return wiztext::kPage4Title;
    }
    return "";
}

std::string ExplanationText(int selectedIndex)
{
    const std::optional<TExportType> type = ExportTypeOfNumber(selectedIndex);
    if (!type) return {};
    if (IsCsvType(*type)) return wiztext::kCsvExplanation;
    if (IsHtmlType(*type)) return wiztext::kHtmlExplanation;
    if (IsIcsType(*type)) return wiztext::kIcsExplanation;
    return {};
}

TWizardLogic::TWizardLogic(IWizardView& view, TGlobal& global)
    : SettingsPath(SettingsFilePath()), DefaultFolder(DefaultWizardFolder()), Clock(&SystemClock()),
      OnLaunch([](const TShellExecute& launch) { launch.Execute(); }), View(view), State(global)
{
}

void TWizardLogic::FormShow()
{
    const TVersionInfo* version = State.VersionInfo.get();
    View.SetFooter("Ver" + GetVersionText(version), "Build " + GetBuildText(version), IsBeta(version),
                   GetCopyrightText(version));
    View.SetApplicationTitle(GetProductName(version));

    CurrentPage = wpExportType;
    ShowCurrentPage();
    View.SetBackEnabled(false);
    View.SetNextCaption(wiztext::kNextCaption);
    View.SetExportTypeLines({std::begin(wiztext::kExportTypeLines), std::end(wiztext::kExportTypeLines)});
    View.SetExportTypeIndex(0);
    lbExportTypesClick();
    const TDateTime today = DateOf(Clock->Now());
    View.SetStartDate(today);
    View.SetEndDate(today);
    View.FocusControl(wcExportTypes);
}

void TWizardLogic::lbExportTypesClick()
{
    View.SetExplanation(ExplanationText(View.ExportTypeIndex()));
}

void TWizardLogic::btnNextClick()
{
    switch (CurrentPage) {
    case wpExportType:
        LeaveExportTypePage();
        Advance();
        break;
    case wpDataFile:
        if (LeaveDataFilePage()) Advance();
        break;
    case wpDateRange:
        if (LeaveDateRangePage()) Advance();
        break;
    case wpExportFile:
        Finish();
        break;
    }
}

void TWizardLogic::btnPreviousClick()
{
    if (CurrentPage > wpExportType) {
        CurrentPage = static_cast<TWizardPage>(CurrentPage - 1);
        ShowCurrentPage();
    }
    if (CurrentPage == wpExportType) View.SetBackEnabled(false);
    View.SetNextCaption(wiztext::kNextCaption);
}

void TWizardLogic::btnCancelClick()
{
    View.CloseWindow();
}

void TWizardLogic::Button5Click()
{
    TFileDialogSetup setup;
    setup.InitialDir = OpenInitialDir;
    setup.FileName = kScheduleFileName;
    setup.Filter = wiztext::kOpenFilter;
    setup.DefaultExt = wiztext::kOpenDefaultExt;
    std::string chosen;
    if (View.RunOpenDialog(setup, chosen)) View.SetDataFilePath(chosen);
}

void TWizardLogic::Button1Click()
{
    TFileDialogSetup setup;
    setup.InitialDir = SaveInitialDir;
    setup.FileName = DefaultExportFileName(State.ExportType, View.StartDate(), View.EndDate());
    setup.Filter = wiztext::kSaveFilter;
    // The filter of the type's files, by its place in kSaveFilter.
    if (IsHtmlType(State.ExportType)) {
        setup.FilterIndex = 2;
        setup.DefaultExt = wiztext::kHtmlDefaultExt;
    } else if (IsIcsType(State.ExportType)) {
        setup.FilterIndex = 3;
        setup.DefaultExt = wiztext::kIcsDefaultExt;
    } else {
        setup.FilterIndex = 1;
        setup.DefaultExt = wiztext::kCsvDefaultExt;
    }
    std::string chosen;
    if (View.RunSaveDialog(setup, chosen)) View.SetExportFile(chosen);
}

void TWizardLogic::btnHTMLDateColorClick(int tag)
{
    THtmlColors colors = View.SampleColors();
    std::int32_t* color = nullptr;
    switch (tag) {
    case stTime: color = &colors.TimeColor; break;
    case stSchedule: color = &colors.ScheduleColor; break;
    case stMemo: color = &colors.MemoColor; break;
    default: return; // the date's text colour button is never shown
    }
    std::int32_t chosen = *color;
    if (!View.RunColorDialog(chosen)) return;
    *color = chosen;
    View.SetSampleColors(colors);
}

void TWizardLogic::btnHTMLDateBkColorClick(int tag)
{
    THtmlColors colors = View.SampleColors();
    std::int32_t* color = nullptr;
    switch (tag) {
    case stDate: color = &colors.DateBkColor; break;
    case stTime: color = &colors.TimeBkColor; break;
    case stSchedule: color = &colors.ScheduleBkColor; break;
    case stMemo: color = &colors.MemoBkColor; break;
    default: return;
    }
    std::int32_t chosen = *color;
    if (!View.RunColorDialog(chosen)) return;
    *color = chosen;
    View.SetSampleColors(colors);
}

void TWizardLogic::LeaveExportTypePage()
{
    if (const std::optional<TExportType> type = ExportTypeOfNumber(View.ExportTypeIndex())) State.ExportType = *type;

    const TIniFile ini(SettingsPath);
    const std::string folder = ini.ReadString(kWizardSection, kDefaultDataFolderKey, DefaultFolder);
    OpenInitialDir = folder;
    // The name as it is on disk: folders copied from Windows often hold SCHEDULE.DAT.
    const std::string path = TDataFolder(folder).ScheduleFile();
    if (FileExists(path)) View.SetDataFilePath(path);
}

bool TWizardLogic::LeaveDataFilePage()
{
    const std::string path = View.DataFilePath();
    if (!FileExists(path)) {
        View.ShowInformation(wiztext::kNoScheduleFile);
        View.FocusControl(wcDataFilePath);
        return false;
    }
    try {
        ScheduleStamp = ScheduleStampSeconds(path);
        AlarmTimer1.LoadFromFile(path);
        State.DataFolder = TDataFolder::OfScheduleFile(path).Path();
        TIniFile ini(SettingsPath);
        ini.WriteString(kWizardSection, kDefaultDataFolderKey, State.DataFolder);
        UpdateSettingsFile(ini);
    } catch (const std::exception&) {
        // A file that is no schedule file and a settings file that cannot be
        // written end alike: the page stays and says so.
        View.ShowInformation(wiztext::kScheduleFileNotOpened);
        return false;
    }
    return true;
}

bool TWizardLogic::LeaveDateRangePage()
{
    const TDateTime start = DateOf(View.StartDate());
    const TDateTime end = DateOf(View.EndDate());
    if (end < start) {
        View.ShowInformation(wiztext::kEndBeforeStart);
        return false;
    }
    const TIniFile ini(SettingsPath);
    const std::string folder = ini.ReadString(kWizardSection, kDefaultExportFolderKey, DefaultFolder);
    SaveInitialDir = folder;
    View.SetExportEmptyMemo(ini.ReadBool(kWizardSection, kExportEmptyMemoKey, true));
    if (DirectoryExists(folder)) View.SetExportFile(JoinPath(folder, DefaultExportFileName(State.ExportType, start, end)));

    if (IsHtmlType(State.ExportType)) {
        LoadHTMLColors();
        View.SetControlVisible(wcHtmlSettings, true);
        View.SetControlVisible(wcExportEmptyMemo, false);
    } else {
        View.SetControlVisible(wcHtmlSettings, false);
        View.SetControlVisible(wcExportEmptyMemo, IsCsvType(State.ExportType) && HasMemos(State.ExportType));
    }
    return true;
}

void TWizardLogic::LoadHTMLColors()
{
    View.SetSampleColors(ReadHtmlColors(TIniFile(SettingsPath)));
}

void TWizardLogic::Finish()
{
    const std::string output = View.ExportFile();
    if (Trim(output).empty()) {
        View.ShowInformation(wiztext::kNoExportFile);
        View.FocusControl(wcExportFile);
        return;
    }
    if (FileExists(output) && !View.AskConfirmation(output + wiztext::kAlreadyExists)) return;

    TExportRequest request;
    request.ExportType = State.ExportType;
    request.StartDate = DateOf(View.StartDate());
    request.EndDate = DateOf(View.EndDate());
    request.OutputPath = output;
    request.Colors = View.SampleColors();
    request.ExportEmptyMemo = View.ExportEmptyMemo();
    // The export loads day lists of its own: the form's hidden calendar is
    // never shown, so nothing would read the lists it held.
    TExportSources sources(request.ExportType, TDataFolder(State.DataFolder), request.StartDate, request.EndDate);
    sources.UseEntries(AlarmTimer1.AlarmList, ScheduleStamp);
    sources.Apply(request);

    if (IsHtmlType(request.ExportType)) {
        RunExport(request);
        TShellExecute launch;
        launch.FileName = output;
        if (OnLaunch) OnLaunch(launch);
    } else {
        RunExport(request);
        View.ShowInformation(output + wiztext::kSaved);
    }
    WriteSettingsBack(output);
}

void TWizardLogic::WriteSettingsBack(const std::string& outputPath)
{
    TIniFile ini(SettingsPath);
    ini.WriteString(kWizardSection, kDefaultExportFolderKey, ExtractFilePath(outputPath));
    WriteHtmlColors(ini, View.SampleColors());
    ini.WriteBool(kWizardSection, kExportEmptyMemoKey, View.ExportEmptyMemo());
    UpdateSettingsFile(ini);
}

void TWizardLogic::Advance()
{
    if (CurrentPage < wpExportFile) {
        CurrentPage = static_cast<TWizardPage>(CurrentPage + 1);
        ShowCurrentPage();
    }
    View.FocusControl(FirstFocus(CurrentPage)); // a refused focus move is of no concern
    View.SetNextCaption(CurrentPage == wpExportFile ? wiztext::kFinishCaption : wiztext::kNextCaption);
    View.SetBackEnabled(CurrentPage != wpExportType);
}

void TWizardLogic::ShowCurrentPage()
{
    View.ShowPage(CurrentPage, PageTitle(CurrentPage));
}

} // namespace orvexp
