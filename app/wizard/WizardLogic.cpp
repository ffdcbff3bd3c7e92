#include "app/wizard/WizardLogic.h"

#include <sys/stat.h>

#include <cerrno>

#include <filesystem>
#include <optional>
#include <tuple>

#include "app/Messages.h"
#include "app/Settings.h"
#include "app/wizard/WizardTexts.h"
#include "calendar/DayFiles.h"
#include "data/DataFolder.h"
#include "export/Export.h"
#include "export/ExportSources.h"
#include "export/ExportFileName.h"
#include "export/IcsExport.h"
#include "export/IcsLayouts.h"
#include "platform/AtomicFileWriter.h"
#include "platform/FileSystem.h"
#include "platform/InputFiles.h"
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

// A name typed relative to the working folder, made whole, so that the
// messages and the settings carry the whole path; an empty one stays empty.
std::string AbsolutePath(const std::string& path)
{
    if (path.empty() || path.front() == '/') return path;
    std::error_code error;
    const std::filesystem::path whole = std::filesystem::absolute(path, error);
    return error ? path : whole.lexically_normal().string();
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
    DayKinds.AutoEquinox = true;
    DayKinds.AutoFurikae = true;
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
    // An installed program leads to its sample from the side bar.
    if (const std::string sample = ShareFolder() + "orvexp/sample/"; DirectoryExists(sample)) setup.Place = sample;
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
    const std::string path = AbsolutePath(View.DataFilePath());
    if (!FileExists(path)) {
        // An empty field, a name that is not there and a folder each say so.
        const int absence = FileAbsenceError(path);
        std::string text = msg::kNoScheduleFile;
        if (!Trim(path).empty() && absence == EISDIR) text = path + wiztext::kIsAFolder + text;
        else if (!Trim(path).empty() && absence == ENOENT) text = path + wiztext::kNotFound + text;
        else if (!Trim(path).empty()) text = msg::ScheduleFileFailureText(path, EFOpenError(path, absence));
        View.ShowInformation(text);
        View.FocusControl(wcDataFilePath);
        return false;
    }
    if (path != View.DataFilePath()) View.SetDataFilePath(path);
    try {
        ScheduleStamp = ScheduleStampSeconds(path);
        AlarmTimer1.LoadFromFile(path);
        State.DataFolder = TDataFolder::OfScheduleFile(path).Path();
        ScheduleFile = path;
        LoadDayLists(DayKinds.HolidayList(), DayKinds.SpecialDayList(), DayKinds.CustomDayOffList(),
                     TDataFolder::OfScheduleFile(path).DayFiles());
        View.SetDayKinds(DayKinds);
    } catch (const std::exception& e) {
        View.ShowInformation(msg::ScheduleFileFailureText(path, e));
        return false;
    }
    StoreSettings([this](TIniFile& ini) { ini.WriteString(kWizardSection, kDefaultDataFolderKey, State.DataFolder); });
    return true;
}

bool TWizardLogic::LeaveDateRangePage()
{
    const TDateTime start = DateOf(View.StartDate());
    const TDateTime end = DateOf(View.EndDate());
    if (end < start) {
        View.ShowInformation(msg::kEndBeforeStart);
        return false;
    }
    const TIniFile ini(SettingsPath);
    const std::string folder = ini.ReadString(kWizardSection, kDefaultExportFolderKey, DefaultFolder);
    SaveInitialDir = folder;
    View.SetChecked(wcExportEmptyMemo, ini.ReadBool(kWizardSection, kExportEmptyMemoKey, true));
    if (DirectoryExists(folder)) View.SetExportFile(JoinPath(folder, DefaultExportFileName(State.ExportType, start, end)));

    View.SetChecked(wcCsvUtf8, ini.ReadBool(kWizardSection, kCsvUtf8Key, false));
    View.SetChecked(wcIcsWithDays, ini.ReadBool(kWizardSection, kIcsWithDaysKey, false));
    View.SetChecked(wcIcsParts, ini.ReadBool(kWizardSection, kIcsPartsKey, false));

    const bool html = IsHtmlType(State.ExportType);
    if (html) LoadHTMLColors();
    View.SetControlVisible(wcHtmlSettings, html);
    View.SetControlVisible(wcExportEmptyMemo, IsCsvType(State.ExportType) && HasMemos(State.ExportType));
    View.SetControlVisible(wcCsvUtf8, IsCsvType(State.ExportType));
    View.SetControlVisible(wcIcsWithDays, IsIcsType(State.ExportType));
    View.SetControlVisible(wcIcsParts, IsIcsType(State.ExportType));
    return true;
}

void TWizardLogic::LoadHTMLColors()
{
    View.SetSampleColors(ReadHtmlColors(TIniFile(SettingsPath)));
}

void TWizardLogic::Finish()
{
    const std::string typed = View.ExportFile();
    if (Trim(typed).empty()) {
        View.ShowInformation(msg::kNoExportFile);
        View.FocusControl(wcExportFile);
        return;
    }
    const std::string output = AbsolutePath(typed);
    if (output != typed) View.SetExportFile(output);
    TExportRequest request;
    request.ExportType = State.ExportType;
    request.StartDate = DateOf(View.StartDate());
    request.EndDate = DateOf(View.EndDate());
    request.ScheduleFile = ScheduleFile;
    request.SettingsFile = SettingsPath;
    request.OutputPath = output;
    request.Html.Colors = View.SampleColors();
    request.Csv.ExportEmptyMemo = View.Checked(wcExportEmptyMemo);
    request.Ics.WithDays = View.Checked(wcIcsWithDays);
    if (IsCsvType(State.ExportType) && View.Checked(wcCsvUtf8)) request.Encoding = oeUtf8;

    // In parts, the question is about the first of them.
    const bool ics = IsIcsType(State.ExportType);
    const bool parts = ics && View.Checked(wcIcsParts);
    const std::string first = parts ? IcsPartPath(output, 1) : output;
    // No output may be one of the files the export reads; that is said
    // before the overwrite question, which it would make look harmless.
    const TInputFiles inputs = InputsOf(request);
    try {
        CheckOutputFile(first, &inputs);
    } catch (const EOutputIsInput& e) {
        View.ShowInformation(e.what());
        View.FocusControl(wcExportFile);
        return;
    }
    if (FileExists(first) && !View.AskConfirmation(first + wiztext::kAlreadyExists)) return;

    // The entries loaded on page 2; the memos and day lists from the data folder.
    const TExportSources sources(request, TScheduleDigest(AlarmTimer1.AlarmList), ScheduleStamp);

    if (IsHtmlType(request.ExportType)) {
        RunExport(request, sources);
        ShowProblems(sources);
        TShellExecute launch;
        launch.FileName = output;
        if (OnLaunch) OnLaunch(launch);
    } else {
        std::string saved;
        try {
            if (parts) {
                const TIcsPartsResult result = ExportIcsParts(request, sources, kGoogleCalendarPartSize);
                saved = wiztext::FormatSavedParts(result.Parts.front(), result.Parts.back(), result.Parts.size());
                if (!result.LeftAlone.empty()) saved += wiztext::kPartsLeftAlone;
                for (const std::string& left : result.LeftAlone) saved += "\r\n" + left;
            } else {
                RunExport(request, sources);
                saved = output + wiztext::kSaved;
                struct stat written {};
                if (ics && ::stat(output.c_str(), &written) == 0 &&
                    static_cast<std::uint64_t>(written.st_size) > kGoogleCalendarPartSize) {
                    saved += wiztext::kGoogleCalendarHint;
                }
            }
        } catch (const ENothingToExport& e) {
            // No file was written: nothing to report as saved, nothing to store.
            View.ShowInformation(e.what());
            return;
        }
        ShowProblems(sources);
        View.ShowInformation(saved);
    }
    WriteSettingsBack(output);
}

void TWizardLogic::ShowProblems(const TExportSources& sources)
{
    std::vector<TInputProblem> problems = sources.Problems();
    const TIniFile settings(SettingsPath);
    if (!settings.Problem().empty()) problems.insert(problems.begin(), {SettingsPath, settings.Problem()});
    if (problems.empty()) return;
    constexpr std::size_t kShown = 5;
    std::string text = wiztext::kInputsNotRead;
    for (std::size_t i = 0; i < problems.size() && i < kShown; ++i) text += "\r\n" + problems[i].Text;
    if (problems.size() > kShown) text += "\r\n" + wiztext::FormatMoreInputs(problems.size() - kShown);
    View.ShowInformation(text);
}

void TWizardLogic::WriteSettingsBack(const std::string& outputPath)
{
    StoreSettings([&](TIniFile& ini) {
        ini.WriteString(kWizardSection, kDefaultExportFolderKey, ExtractFilePath(outputPath));
        // The colours and the added boxes are shown for their own types only;
        // the other types write the stored values back as they are.
        WriteHtmlColors(ini, IsHtmlType(State.ExportType) ? View.SampleColors() : ReadHtmlColors(ini));
        ini.WriteBool(kWizardSection, kExportEmptyMemoKey, View.Checked(wcExportEmptyMemo));
        const bool csv = IsCsvType(State.ExportType);
        const bool ics = IsIcsType(State.ExportType);
        for (const auto& [box, key, shown] : {std::tuple{wcCsvUtf8, kCsvUtf8Key, csv},
                                              std::tuple{wcIcsWithDays, kIcsWithDaysKey, ics},
                                              std::tuple{wcIcsParts, kIcsPartsKey, ics}}) {
            ini.WriteBool(kWizardSection, key, shown ? View.Checked(box) : ini.ReadBool(kWizardSection, key, false));
        }
    });
}

void TWizardLogic::StoreSettings(const std::function<void(TIniFile& ini)>& write)
{
    TIniFile ini(SettingsPath);
    try {
        write(ini);
        UpdateSettingsFile(ini);
    } catch (const EIniWriteError& e) {
        // Said once: a folder that cannot be written stays so for the whole run.
        if (!SettingsUnwritable) View.ShowInformation(e.what());
        SettingsUnwritable = true;
    }
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
