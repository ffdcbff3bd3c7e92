#include "platform/FileSystem.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvexp {

namespace {

TWriteFaults InjectedFaults;

std::string FoldAscii(std::string_view text)
{
    std::string folded(text);
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return folded;
}

// write(2) until everything is out, honouring an injected full disk.
bool WriteAll(int fd, std::string_view contents, std::string& cause)
{
    std::size_t done = 0;
    while (done < contents.size()) {
        std::size_t chunk = contents.size() - done;
        if (InjectedFaults.FailWriteAfter >= 0) {
            const auto limit = static_cast<std::size_t>(InjectedFaults.FailWriteAfter);
            if (done >= limit) {
                cause = std::strerror(ENOSPC);
                return false;
            }
            chunk = std::min(chunk, limit - done);
        }
        const ssize_t written = ::write(fd, contents.data() + done, chunk);
        if (written < 0) {
            if (errno == EINTR) continue;
            cause = std::strerror(errno);
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

} // namespace

EFOpenError::EFOpenError(const std::string& fileName)
    : std::runtime_error("ファイル " + fileName + " は開けません"), FileName(fileName)
{
}

EFCreateError::EFCreateError(const std::string& fileName)
    : std::runtime_error("ファイル " + fileName + " を作成できません"), FileName(fileName)
{
}

bool FileExists(const std::string& path)
{
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
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

TFileBytes::TFileBytes(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw EFOpenError(path);
    struct stat info {};
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        ::close(fd);
        throw EFOpenError(path);
    }
    if (S_ISREG(info.st_mode)) {
        Size = static_cast<std::size_t>(info.st_size);
        if (Size > 0) {
            void* map = ::mmap(nullptr, Size, PROT_READ, MAP_PRIVATE, fd, 0);
            if (map != MAP_FAILED) {
                Data = static_cast<const char*>(map);
                Mapped = true;
                ::close(fd);
                return;
            }
        }
        Size = 0;
    }
    // Not mappable: read it the plain way.
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            throw EFOpenError(path);
        }
        if (got == 0) break;
        Copy.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    Data = Copy.data();
    Size = Copy.size();
}

TFileBytes::~TFileBytes()
{
    if (Mapped) ::munmap(const_cast<char*>(Data), Size);
}

bool TryReadFile(const std::string& path, std::string& contents)
{
    try {
        TFileBytes bytes(path);
        contents.assign(bytes.View());
        return true;
    } catch (const std::exception&) {
        contents.clear();
        return false;
    }
}

TFolderIndex::TFolderIndex(const std::string& folder) : FolderPath(folder)
{
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..") continue;
        Names.emplace_back(name);
    }
    ::closedir(dir);
    std::sort(Names.begin(), Names.end());
    std::vector<std::pair<std::string, std::size_t>> folded;
    folded.reserve(Names.size());
    for (std::size_t i = 0; i < Names.size(); ++i) folded.emplace_back(FoldAscii(Names[i]), i);
    std::sort(folded.begin(), folded.end());
    for (auto& [name, index] : folded) {
        FoldedNames.push_back(std::move(name));
        FoldedIndex.push_back(index);
    }
}

std::string TFolderIndex::Find(const std::string& name) const
{
    if (std::binary_search(Names.begin(), Names.end(), name)) return JoinPath(FolderPath, name);
    const std::string folded = FoldAscii(name);
    const auto range = std::equal_range(FoldedNames.begin(), FoldedNames.end(), folded);
    if (range.second - range.first != 1) return {};
    return JoinPath(FolderPath, Names[FoldedIndex[static_cast<std::size_t>(range.first - FoldedNames.begin())]]);
}

std::string FindPathIgnoringCase(const std::string& folder, const std::string& name)
{
    const std::string exact = JoinPath(folder, name);
    struct stat info {};
    if (::lstat(exact.c_str(), &info) == 0) return exact;
    return TFolderIndex(folder).Find(name);
}

void SetWriteFaultsForTesting(const TWriteFaults& faults)
{
    InjectedFaults = faults;
}

bool TryWriteFileAtomically(const std::string& path, std::string_view contents, std::string* cause)
{
    std::string reason;
    auto fail = [&](std::string text) {
        if (cause) *cause = std::move(text);
        return false;
    };

    // The new file gets the mode of the file it replaces, or the usual 0666 less umask.
    mode_t mode = 0;
    struct stat existing {};
    const bool replacing = ::stat(path.c_str(), &existing) == 0;
    if (replacing && S_ISDIR(existing.st_mode)) return fail(std::strerror(EISDIR));
    if (replacing) {
        mode = existing.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }

    std::string temp = ExtractFilePath(path) + "." + ExtractFileName(path) + ".XXXXXX";
    if (InjectedFaults.FailCreate) return fail(std::strerror(EACCES));
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return fail(std::strerror(errno));

    bool ok = WriteAll(fd, contents, reason);
    if (ok && ::fchmod(fd, mode) != 0) {
        ok = false;
        reason = std::strerror(errno);
    }
    if (::close(fd) != 0 && ok) {
        ok = false;
        reason = std::strerror(errno);
    }
    if (ok && InjectedFaults.FailRename) {
        ok = false;
        reason = std::strerror(EACCES);
    }
    if (ok && ::rename(temp.c_str(), path.c_str()) != 0) {
        ok = false;
        reason = std::strerror(errno);
    }
    if (!ok) {
        ::unlink(temp.c_str());
        return fail(reason);
    }
    return true;
}

void WriteFileAtomically(const std::string& path, std::string_view contents)
{
    if (!TryWriteFileAtomically(path, contents)) throw EFCreateError(path);
}

} // namespace orvexp
