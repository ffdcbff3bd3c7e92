#pragma once
// Where the settings file lives and the keys that the wizard and the command
// line share. The file is orvexp.ini beside the program; the wizard's moments
// of reading and writing each key are in app/wizard/WizardLogic.

#include <string>

#include "export/ExportRequest.h"
#include "platform/IniFile.h"

namespace orvexp {

inline constexpr char kWizardSection[] = "OrvanelExportWizard";
inline constexpr char kColorsSection[] = "HTMLColors";

inline constexpr char kDefaultDataFolderKey[] = "DefaultDataFolder";
inline constexpr char kDefaultExportFolderKey[] = "DefaultExportFolder";
inline constexpr char kExportEmptyMemoKey[] = "ExportEmptyMemo";
// The iCalendar type: whether the holidays, special days and days off go with it.
inline constexpr char kIcsWithDaysKey[] = "IcsWithDays";
// The iCalendar type: whether it is written in parts of 1 MB (for Google Calendar).
inline constexpr char kIcsPartsKey[] = "IcsParts";
// The CSV types: whether the file is UTF-8 with a byte-order mark instead of Shift_JIS.
inline constexpr char kCsvUtf8Key[] = "CsvUtf8";

inline constexpr char kTimeColorKey[] = "TimeColor";
inline constexpr char kScheduleColorKey[] = "ScheduleColor";
inline constexpr char kMemoColorKey[] = "MemoColor";
inline constexpr char kDateBkColorKey[] = "DateBkColor";
inline constexpr char kTimeBkColorKey[] = "TimeBkColor";
inline constexpr char kScheduleBkColorKey[] = "ScheduleBkColor";
inline constexpr char kMemoBkColorKey[] = "MemoBkColor";

inline constexpr char kSettingsFileName[] = "orvexp.ini";

// The folder of the running program (/proc/self/exe), with its trailing "/".
std::string ProgramFolder();

// share/ beside the program's folder, with its trailing "/": bin/../share/
// when installed, and the build tree has the same shape for what it builds
// there (the message catalogue).
std::string ShareFolder();

// Whether the program keeps its settings (and proposes its output) beside
// itself: its folder can be written and it is not installed under /usr. An
// installed program keeps them in the user's config folder even when root
// runs it and could write its folder.
bool KeepsSettingsBeside(const std::string& programFolder);

// ProgramFolder() + "orvexp.ini" when KeepsSettingsBeside the program.
// Otherwise $XDG_CONFIG_HOME/orvexp/orvexp.ini, $HOME/.config/orvexp/orvexp.ini
// when XDG_CONFIG_HOME is unset or not absolute. Creates nothing: the folder
// is made by the first write (UpdateSettingsFile).
std::string SettingsFilePath();
// The same decision for a given program folder and environment, for tests.
std::string SettingsFilePathFor(const std::string& programFolder, const char* xdgConfigHome, const char* home);

// Writes the settings file, making its folder first when it is missing (the
// user's config folder on a first run). Raises EIniWriteError as UpdateFile.
void UpdateSettingsFile(TIniFile& ini);

// The folder the wizard proposes for the data file and the output before it
// remembers one, with its trailing "/": the program's own folder when the
// settings live beside it (a build tree, a copied folder); else the user's
// documents folder (XDG_DOCUMENTS_DIR of user-dirs.dirs, as xdg-user-dir
// DOCUMENTS finds it) when it exists, else the home folder.
std::string DefaultWizardFolder();
// The same decision for a given program folder and environment, for tests.
std::string DefaultWizardFolderFor(const std::string& programFolder, const char* xdgConfigHome, const char* home);

// The schedule file of the data folder the wizard remembers (the program's
// folder when it remembers none), found as the wizard finds it: the default of
// the command line's --data.
std::string DefaultScheduleFile();

// The seven "HTMLColors" keys, each with its default.
THtmlColors ReadHtmlColors(const TIniFile& ini);
// Writes the seven "HTMLColors" keys in the order TimeColor, ScheduleColor,
// MemoColor, DateBkColor, TimeBkColor, ScheduleBkColor, MemoBkColor.
void WriteHtmlColors(TIniFile& ini, const THtmlColors& colors);

} // namespace orvexp
