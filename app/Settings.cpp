#include "app/Settings.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

#include "data/DataFolder.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"

namespace orvexp {

namespace {

// mkdir -p; failures are left for the first write to report.
void CreateFolders(const std::string& folder)
{
    for (std::size_t slash = folder.find('/', 1); slash != std::string::npos; slash = folder.find('/', slash + 1)) {
        ::mkdir(folder.substr(0, slash).c_str(), 0777);
    }
    ::mkdir(folder.c_str(), 0777);
}

// As the XDG base directory rules say: a relative XDG_CONFIG_HOME is ignored.
// Empty when there is neither.
std::string ConfigHome(const char* xdgConfigHome, const char* home)
{
    if (xdgConfigHome && xdgConfigHome[0] == '/') return xdgConfigHome;
    if (home && home[0] != '\0') return JoinPath(home, ".config");
    return {};
}

// XDG_DOCUMENTS_DIR from user-dirs.dirs in `configHome`, with its trailing "/":
// a line XDG_DOCUMENTS_DIR="$HOME/Documents" or ="/absolute/path", as the
// file is written for the shell. Empty when it names none.
std::string DocumentsFolder(const std::string& configHome, const std::string& homeFolder)
{
    std::string text;
    if (configHome.empty() || !TryReadFile(JoinPath(configHome, "user-dirs.dirs"), text)) return {};
    constexpr std::string_view kKey = "XDG_DOCUMENTS_DIR=\"";
    for (const std::string& line : SplitText(text, '\n')) {
        const std::string_view entry = TrimView(line);
        if (!entry.starts_with(kKey) || !entry.ends_with('"')) continue;
        std::string value(entry.substr(kKey.size(), entry.size() - kKey.size() - 1));
        if (value.starts_with("$HOME")) value = homeFolder + value.substr(value.starts_with("$HOME/") ? 6 : 5);
        if (value.empty() || value.front() != '/') return {};
        return IncludeTrailingDelimiter(value);
    }
    return {};
}

} // namespace

std::string ProgramFolder()
{
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0) return {};
    return ExtractFilePath(std::string(buffer, static_cast<std::size_t>(length)));
}

std::string ShareFolder()
{
    return ProgramFolder() + "../share/";
}

bool KeepsSettingsBeside(const std::string& programFolder)
{
    if (programFolder.empty() || programFolder.starts_with("/usr/")) return false;
    return ::access(programFolder.c_str(), W_OK) == 0;
}

std::string SettingsFilePathFor(const std::string& programFolder, const char* xdgConfigHome, const char* home)
{
    if (KeepsSettingsBeside(programFolder)) return JoinPath(programFolder, kSettingsFileName);
    const std::string configHome = ConfigHome(xdgConfigHome, home);
    // Nowhere to go: the program folder, whose write will then report the failure.
    if (configHome.empty()) return JoinPath(programFolder, kSettingsFileName);
    return JoinPath(JoinPath(configHome, "orvexp"), kSettingsFileName);
}

std::string SettingsFilePath()
{
    return SettingsFilePathFor(ProgramFolder(), ::getenv("XDG_CONFIG_HOME"), ::getenv("HOME"));
}

void UpdateSettingsFile(TIniFile& ini)
{
    const std::string folder = ExtractFilePath(ini.FileName());
    if (!folder.empty() && !DirectoryExists(folder)) CreateFolders(folder.substr(0, folder.size() - 1));
    ini.UpdateFile();
}

std::string DefaultWizardFolderFor(const std::string& programFolder, const char* xdgConfigHome, const char* home)
{
    if (KeepsSettingsBeside(programFolder) || home == nullptr || home[0] != '/') return programFolder;
    const std::string homeFolder = IncludeTrailingDelimiter(home);
    const std::string documents = DocumentsFolder(ConfigHome(xdgConfigHome, home), homeFolder);
    return !documents.empty() && DirectoryExists(documents) ? documents : homeFolder;
}

std::string DefaultWizardFolder()
{
    return DefaultWizardFolderFor(ProgramFolder(), ::getenv("XDG_CONFIG_HOME"), ::getenv("HOME"));
}

THtmlColors ReadHtmlColors(const TIniFile& ini)
{
    const THtmlColors defaults;
    THtmlColors colors;
    colors.TimeColor = ini.ReadInteger(kColorsSection, kTimeColorKey, defaults.TimeColor);
    colors.ScheduleColor = ini.ReadInteger(kColorsSection, kScheduleColorKey, defaults.ScheduleColor);
    colors.MemoColor = ini.ReadInteger(kColorsSection, kMemoColorKey, defaults.MemoColor);
    colors.DateBkColor = ini.ReadInteger(kColorsSection, kDateBkColorKey, defaults.DateBkColor);
    colors.TimeBkColor = ini.ReadInteger(kColorsSection, kTimeBkColorKey, defaults.TimeBkColor);
    colors.ScheduleBkColor = ini.ReadInteger(kColorsSection, kScheduleBkColorKey, defaults.ScheduleBkColor);
    colors.MemoBkColor = ini.ReadInteger(kColorsSection, kMemoBkColorKey, defaults.MemoBkColor);
    return colors;
}

void WriteHtmlColors(TIniFile& ini, const THtmlColors& colors)
{
    ini.WriteInteger(kColorsSection, kTimeColorKey, colors.TimeColor);
    ini.WriteInteger(kColorsSection, kScheduleColorKey, colors.ScheduleColor);
    ini.WriteInteger(kColorsSection, kMemoColorKey, colors.MemoColor);
    ini.WriteInteger(kColorsSection, kDateBkColorKey, colors.DateBkColor);
    ini.WriteInteger(kColorsSection, kTimeBkColorKey, colors.TimeBkColor);
    ini.WriteInteger(kColorsSection, kScheduleBkColorKey, colors.ScheduleBkColor);
    ini.WriteInteger(kColorsSection, kMemoBkColorKey, colors.MemoBkColor);
}

std::string DefaultScheduleFile()
{
    const TIniFile ini(SettingsFilePath());
    const std::string folder = ini.ReadString(kWizardSection, kDefaultDataFolderKey, ProgramFolder());
    return TDataFolder(folder).ScheduleFile();
}

} // namespace orvexp
