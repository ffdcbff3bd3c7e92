#include "app/Settings.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

#include "data/DataFolder.h"
#include "platform/FileSystem.h"

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

} // namespace

std::string ProgramFolder()
{
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0) return {};
    return ExtractFilePath(std::string(buffer, static_cast<std::size_t>(length)));
}

std::string SettingsFilePathFor(const std::string& programFolder, const char* xdgConfigHome, const char* home)
{
    if (!programFolder.empty() && ::access(programFolder.c_str(), W_OK) == 0) {
        return JoinPath(programFolder, kSettingsFileName);
    }
    // As the XDG base directory rules say: a relative XDG_CONFIG_HOME is ignored.
    std::string configHome;
    if (xdgConfigHome && xdgConfigHome[0] == '/') {
        configHome = xdgConfigHome;
    } else if (home && home[0] != '\0') {
        configHome = JoinPath(home, ".config");
    } else {
        // Nowhere to go: the program folder, whose write will then report the failure.
        return JoinPath(programFolder, kSettingsFileName);
    }
    return JoinPath(JoinPath(configHome, "orvexp"), kSettingsFileName);
}

std::string SettingsFilePath()
{
    const std::string path = SettingsFilePathFor(ProgramFolder(), ::getenv("XDG_CONFIG_HOME"), ::getenv("HOME"));
    const std::string folder = ExtractFilePath(path);
    if (!folder.empty() && !DirectoryExists(folder)) CreateFolders(folder.substr(0, folder.size() - 1));
    return path;
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
