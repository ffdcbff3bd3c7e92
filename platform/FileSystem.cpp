#include "platform/FileSystem.h"

#include "platform/Text.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvexp {

EFOpenError::EFOpenError(const std::string& fileName, int error)
    : std::runtime_error("ファイル " + fileName + " は開けません"), FileName(fileName), Error(error)
{
}

TInputProblem UnreadableInput(const std::string& path, const std::string& cause, bool folder)
{
    return {path, std::string(folder ? "フォルダ " : "ファイル ") + path + " を読み込めません。(" + cause + ")"};
}

bool FileExists(const std::string& path)
{
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

int FileAbsenceError(const std::string& path)
{
    struct stat info {};
    if (path.empty()) return ENOENT;
    if (::stat(path.c_str(), &info) != 0) return errno;
    return S_ISDIR(info.st_mode) ? EISDIR : 0;
}

bool DirectoryExists(const std::string& path)
{
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string ExtractFilePath(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string ExtractFileName(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string IncludeTrailingDelimiter(const std::string& folder)
{
    if (folder.empty() || folder.back() == '/') return folder;
    return folder + '/';
}

std::string JoinPath(const std::string& folder, const std::string& name)
{
    if (folder.empty()) return name;
    std::string_view rest = name;
    while (!rest.empty() && rest.front() == '/') rest.remove_prefix(1);
    return IncludeTrailingDelimiter(folder) + std::string(rest);
}

namespace {

// Reads an open regular file to its end, after the bytes already in
// `contents`, into room for one byte more than its size, so that one short
// read ends it (a file that grew is read on).
bool ReadOpenFile(int fd, const struct stat& info, std::string& contents)
{
    // Only regular files: a device such as /dev/zero would never end, and a
    // FIFO may not either.
    if (!S_ISREG(info.st_mode)) return false;
    const auto size = static_cast<std::size_t>(info.st_size);
    std::size_t room = size >= contents.size() ? size - contents.size() + 1 : 65536;
    for (;;) {
        const std::size_t used = contents.size();
        contents.resize(used + room);
        const ssize_t got = ::read(fd, contents.data() + used, room);
        if (got < 0) {
            contents.resize(used);
            if (errno == EINTR) continue;
            return false;
        }
        contents.resize(used + static_cast<std::size_t>(got));
        if (got == 0 || static_cast<std::size_t>(got) < room) return true;
        room = 65536;
    }
}

// Opened without waiting: a FIFO under a data file's name must not hang us.
int OpenForReading(const std::string& path, int folderFd = AT_FDCWD)
{
    return ::openat(folderFd, path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
}

// `listedRegular`: the folder's listing called it a regular file. Then one
// read that comes back short, as a memo's does, is all of it, and the file is
// not asked about; an empty or a long file, or one replaced meanwhile by
// something else, is looked at as any other.
TFilePresence ReadFileIfPresentAt(int folderFd, const std::string& path, std::string& contents, bool listedRegular,
                                  std::size_t maxSize, int& error)
{
    contents.clear();
    error = 0;
    const int fd = OpenForReading(path, folderFd);
    if (fd < 0) {
        error = errno;
        const bool missing = errno == ENOENT || errno == ENOTDIR || errno == ELOOP || errno == ENAMETOOLONG;
        return missing ? TFilePresence::Missing : TFilePresence::Unreadable;
    }
    if (listedRegular) {
        // Read on the stack and copied: the contents get their own size, not the buffer's.
        char first[4096];
        const ssize_t got = ::read(fd, first, sizeof first);
        if (got > 0) contents.assign(first, static_cast<std::size_t>(got));
        if (got > 0 && contents.size() < sizeof first) {
            ::close(fd);
            return TFilePresence::Read;
        }
    }
    struct stat info {};
    TFilePresence presence = TFilePresence::Unreadable;
    if (::fstat(fd, &info) != 0) {
        error = errno;
    } else if (S_ISDIR(info.st_mode)) {
        presence = TFilePresence::Missing;
    } else if (S_ISREG(info.st_mode) && static_cast<std::uint64_t>(info.st_size) > maxSize) {
        error = EFBIG; // left unread: its size alone would cost that much memory
    } else if (ReadOpenFile(fd, info, contents)) {
        presence = TFilePresence::Read;
    } else {
        error = S_ISREG(info.st_mode) ? errno : ENXIO;
    }
    ::close(fd);
    if (presence != TFilePresence::Read) contents.clear();
    return presence;
}

} // namespace

std::string ReadFileBytes(const std::string& path)
{
    const int fd = OpenForReading(path);
    if (fd < 0) throw EFOpenError(path, errno);
    struct stat info {};
    std::string contents;
    bool read = false;
    int error = EISDIR;
    if (::fstat(fd, &info) != 0) {
        error = errno;
    } else if (!S_ISDIR(info.st_mode)) {
        read = ReadOpenFile(fd, info, contents);
        error = S_ISREG(info.st_mode) ? errno : ENXIO;
    }
    ::close(fd);
    if (!read) throw EFOpenError(path, error);
    return contents;
}

bool TryReadFile(const std::string& path, std::string& contents)
{
    try {
        contents = ReadFileBytes(path);
        return true;
    } catch (const std::exception&) {
        contents.clear();
        return false;
    }
}

TFolderIndex::TFolderIndex(const std::string& folder) : FolderPath(folder)
{
    FolderFd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (FolderFd < 0) {
        FolderError = errno;
        return;
    }
    const int listFd = ::dup(FolderFd);
    DIR* dir = listFd < 0 ? nullptr : ::fdopendir(listFd);
    if (!dir) {
        FolderError = errno;
        if (listFd >= 0) ::close(listFd);
        ::close(FolderFd);
        FolderFd = -1;
        return;
    }
    std::vector<std::pair<std::string, bool>> listed;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..") continue;
        listed.emplace_back(name, entry->d_type == DT_REG);
    }
    ::closedir(dir);
    std::sort(listed.begin(), listed.end());
    Names.reserve(listed.size());
    ListedRegular.reserve(listed.size());
    for (auto& [name, regular] : listed) {
        Names.push_back(std::move(name));
        ListedRegular.push_back(regular);
    }
    std::vector<std::pair<std::string, std::size_t>> folded;
    folded.reserve(Names.size());
    for (std::size_t i = 0; i < Names.size(); ++i) folded.emplace_back(AsciiLowerText(Names[i]), i);
    std::sort(folded.begin(), folded.end());
    for (auto& [name, index] : folded) {
        FoldedNames.push_back(std::move(name));
        FoldedIndex.push_back(index);
    }
}

TFolderIndex::~TFolderIndex()
{
    if (FolderFd >= 0) ::close(FolderFd);
}

std::string TFolderIndex::FindName(const std::string& name) const
{
    if (std::binary_search(Names.begin(), Names.end(), name)) return name;
    const std::string folded = AsciiLowerText(name);
    const auto range = std::equal_range(FoldedNames.begin(), FoldedNames.end(), folded);
    if (range.second - range.first != 1) return {};
    return Names[FoldedIndex[static_cast<std::size_t>(range.first - FoldedNames.begin())]];
}

std::string TFolderIndex::Find(const std::string& name) const
{
    const std::string found = FindName(name);
    return found.empty() ? std::string() : JoinPath(FolderPath, found);
}

TFilePresence TFolderIndex::ReadFileIfPresent(const std::string& name, std::string& contents, std::size_t maxSize,
                                              int* error) const
{
    int failure = 0;
    TFilePresence presence = TFilePresence::Missing;
    contents.clear();
    if (FolderFd >= 0) {
        const auto found = std::lower_bound(Names.begin(), Names.end(), name);
        const bool listedRegular =
            found != Names.end() && *found == name && ListedRegular[static_cast<std::size_t>(found - Names.begin())];
        presence = ReadFileIfPresentAt(FolderFd, name, contents, listedRegular, maxSize, failure);
    }
    if (error) *error = failure;
    return presence;
}

std::int64_t TFolderIndex::ModifiedSeconds(const std::string& name) const
{
    struct stat info {};
    if (FolderFd < 0 || ::fstatat(FolderFd, name.c_str(), &info, 0) != 0) return 0;
    return static_cast<std::int64_t>(info.st_mtime);
}


} // namespace orvexp
