#pragma once
// A wizard view without a window: it holds the controls' values, records what
// the logic asked for and answers boxes and dialogs as the test told it.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/wizard/WizardView.h"

namespace orvexp::test {

class TFakeWizardView : public IWizardView {
public:
    // What the logic showed and asked, in order: "info:TEXT", "confirm:TEXT",
    // "focus:N", "page:N", "open-dialog", "save-dialog", "color-dialog", "close".
    std::vector<std::string> Log;

    std::string ApplicationTitle;
    std::string VersionLabel, BuildLabel, Copyright;
    bool Beta = false;
    TWizardPage Page = wpExportType;
    std::string Title;
    std::string NextCaption;
    bool BackEnabled = false;
    std::map<TWizardControl, bool> Visible;
    bool Closed = false;

    bool ConfirmAnswer = true;
    std::optional<std::string> OpenChoice, SaveChoice; // nullopt = cancel
    std::optional<std::int32_t> ColorChoice;
    TFileDialogSetup OpenSetup, SaveSetup;
    std::int32_t ColorPreset = 0;

    std::vector<std::string> Lines;
    int Index = -1;
    std::string Explanation;
    std::string DataPath;
    TDateTime Start = 0, End = 0;
    std::string ExportPath;
    std::map<TWizardControl, bool> Checks; // the check boxes
    THtmlColors Colors = InitialSampleColors();

    // The messages of the information boxes, in order.
    std::vector<std::string> Informations() const { return Entries("info:"); }
    std::vector<std::string> Confirmations() const { return Entries("confirm:"); }

    void SetApplicationTitle(const std::string& title) override { ApplicationTitle = title; }
    void SetFooter(const std::string& versionLabel, const std::string& buildLabel, bool beta,
                   const std::string& copyright) override
    {
        VersionLabel = versionLabel;
        BuildLabel = buildLabel;
        Beta = beta;
        Copyright = copyright;
    }
    void ShowPage(TWizardPage page, const std::string& title) override
    {
        Page = page;
        Title = title;
        Log.push_back("page:" + std::to_string(page));
    }
    void SetNextCaption(const std::string& caption) override { NextCaption = caption; }
    void SetBackEnabled(bool enabled) override { BackEnabled = enabled; }
    void SetControlVisible(TWizardControl control, bool visible) override { Visible[control] = visible; }
    bool FocusControl(TWizardControl control) override
    {
        Log.push_back("focus:" + std::to_string(control));
        return true;
    }
    void CloseWindow() override
    {
        Closed = true;
        Log.push_back("close");
    }
    void ShowInformation(const std::string& text) override { Log.push_back("info:" + text); }
    bool AskConfirmation(const std::string& text) override
    {
        Log.push_back("confirm:" + text);
        return ConfirmAnswer;
    }
    bool RunOpenDialog(const TFileDialogSetup& setup, std::string& fileName) override
    {
        Log.push_back("open-dialog");
        OpenSetup = setup;
        if (!OpenChoice) return false;
        fileName = *OpenChoice;
        return true;
    }
    bool RunSaveDialog(const TFileDialogSetup& setup, std::string& fileName) override
    {
        Log.push_back("save-dialog");
        SaveSetup = setup;
        if (!SaveChoice) return false;
        fileName = *SaveChoice;
        return true;
    }
    bool RunColorDialog(std::int32_t& color) override
    {
        Log.push_back("color-dialog");
        ColorPreset = color;
        if (!ColorChoice) return false;
        color = *ColorChoice;
        return true;
    }
    void SetExportTypeLines(const std::vector<std::string>& lines) override { Lines = lines; }
    int ExportTypeIndex() const override { return Index; }
    void SetExportTypeIndex(int index) override { Index = index; }
    void SetExplanation(const std::string& text) override { Explanation = text; }
    std::string DataFilePath() const override { return DataPath; }
    void SetDataFilePath(const std::string& path) override { DataPath = path; }
    TDateTime StartDate() const override { return Start; }
    TDateTime EndDate() const override { return End; }
    void SetStartDate(TDateTime date) override { Start = date; }
    void SetEndDate(TDateTime date) override { End = date; }
    std::string ExportFile() const override { return ExportPath; }
    void SetExportFile(const std::string& path) override { ExportPath = path; }
    bool Checked(TWizardControl box) const override
    {
        const auto found = Checks.find(box);
        return found != Checks.end() && found->second;
    }
    void SetChecked(TWizardControl box, bool checked) override { Checks[box] = checked; }
    THtmlColors SampleColors() const override { return Colors; }
    void SetSampleColors(const THtmlColors& colors) override { Colors = colors; }
    void SetDayKinds(const TKyCustomDateEx&) override {}

private:
    std::vector<std::string> Entries(const std::string& prefix) const
    {
        std::vector<std::string> found;
        for (const std::string& entry : Log) {
            if (entry.rfind(prefix, 0) == 0) found.push_back(entry.substr(prefix.size()));
        }
        return found;
    }
};

} // namespace orvexp::test
