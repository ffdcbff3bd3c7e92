#include "platform/InputFiles.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <string_view>

namespace orvexp {

void TInputFiles::AddFile(const std::string& path)
{
    struct stat info {};
    if (!path.empty() && ::stat(path.c_str(), &info) == 0) Files.emplace_back(info.st_dev, info.st_ino);
}

void TInputFiles::AddFolder(const std::string& path)
{
    AddFile(path);
    if (!path.empty()) Folders.push_back(path);
}

bool TInputFiles::Holds(const struct stat& file) const
{
    const TIdentity identity(file.st_dev, file.st_ino);
    if (std::find(Files.begin(), Files.end(), identity) != Files.end()) return true;
    if (!FoldersListed) {
        FoldersListed = true;
        for (const std::string& folder : Folders) {
            const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            DIR* dir = fd < 0 ? nullptr : ::fdopendir(fd);
            if (!dir) {
                if (fd >= 0) ::close(fd);
                continue;
            }
            while (const dirent* entry = ::readdir(dir)) {
                const std::string_view name = entry->d_name;
                struct stat info {};
                if (name == "." || name == ".." || ::fstatat(fd, entry->d_name, &info, 0) != 0) continue;
                FolderEntries.emplace_back(info.st_dev, info.st_ino);
            }
            ::closedir(dir);
        }
        std::sort(FolderEntries.begin(), FolderEntries.end());
    }
    return std::binary_search(FolderEntries.begin(), FolderEntries.end(), identity);
}

} // namespace orvexp
