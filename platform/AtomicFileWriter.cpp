#include "platform/AtomicFileWriter.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>

#include "platform/ErrorText.h"
#include "platform/FileSystem.h"
#include "platform/Random.h"

namespace orvexp {

namespace {

TWriteFaults InjectedFaults;

constexpr std::string_view kTempSuffix = ".tmp";
constexpr std::size_t kRandomChars = 6;

// The file a path names once its symbolic links are followed; the file itself
// need not exist. False, with errno, for a loop or a path that cannot be looked at.
bool FollowLinks(std::string path, std::string& target, struct stat& info, bool& exists)
{
    for (int hops = 0; hops < 40; ++hops) {
        if (::lstat(path.c_str(), &info) != 0) {
            if (errno != ENOENT) return false;
            exists = false;
            target = path;
            return true;
        }
        if (!S_ISLNK(info.st_mode)) {
            exists = true;
            target = path;
            return true;
        }
        char link[PATH_MAX];
        const ssize_t length = ::readlink(path.c_str(), link, sizeof link);
        if (length < 0) return false;
        if (static_cast<std::size_t>(length) >= sizeof link) {
            errno = ENAMETOOLONG;
            return false;
        }
        const std::string text(link, static_cast<std::size_t>(length));
        path = text.front() == '/' ? text : ExtractFilePath(path) + text;
    }
    errno = ELOOP;
    return false;
}

// What an existing target is when it is no regular file.
std::string NotRegularCause(const struct stat& info)
{
    if (S_ISDIR(info.st_mode)) return ErrorText(EISDIR);
    if (S_ISFIFO(info.st_mode)) return "通常のファイルではなく、FIFO です";
    if (S_ISSOCK(info.st_mode)) return "通常のファイルではなく、ソケットです";
    return "通常のファイルではなく、デバイスです";
}

unsigned NewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// The name cut to `size` bytes without splitting a UTF-8 character.
std::string_view Prefix(std::string_view name, std::size_t size)
{
    if (name.size() <= size) return name;
    while (size > 0 && (static_cast<unsigned char>(name[size]) & 0xC0) == 0x80) --size;
    return name.substr(0, size);
}

// ".<name>." cut so that the whole temporary name fits the file system.
std::string TemporaryStem(std::string_view name, std::size_t nameMax)
{
    const std::size_t fixed = 2 + kRandomChars + kTempSuffix.size();
    return "." + std::string(Prefix(name, nameMax > fixed ? nameMax - fixed : 0)) + ".";
}

bool IsAlphanumeric(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

} // namespace

EFCreateError::EFCreateError(const std::string& fileName, const std::string& cause)
    : std::runtime_error("ファイル " + fileName + " を作成できません" + (cause.empty() ? "" : "。(" + cause + ")")),
      FileName(fileName)
{
}

EOutputIsInput::EOutputIsInput(const std::string& fileName)
    : std::runtime_error("ファイル " + fileName + " は読み込むファイルです。書き出し先にはできません。"),
      FileName(fileName)
{
}

void SetWriteFaultsForTesting(const TWriteFaults& faults)
{
    InjectedFaults = faults;
}

TAtomicFileWriter::TAtomicFileWriter(const std::string& path, const TInputFiles* inputs, bool sweepLeftovers)
    : Path(path)
{
    std::string target;
    struct stat info {};
    bool exists = false;
    if (!FollowLinks(path, target, info, exists)) {
        FailWith(errno);
        return;
    }
    if (exists && !S_ISREG(info.st_mode)) {
        Fail(NotRegularCause(info));
        return;
    }
    if (exists && inputs && inputs->Holds(info)) {
        Refused = true;
        return;
    }
    Mode = exists ? info.st_mode & 07777 : NewFileMode();
    TargetName = ExtractFileName(target);
    FolderPath = ExtractFilePath(target);
    if (FolderPath.empty()) FolderPath = "./";
    FolderFd = ::open(FolderPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (FolderFd < 0) {
        if (errno == ENOENT) Fail("フォルダがありません");
        FailWith(errno);
        return;
    }
    if (TargetName.empty()) { // "folder/": no file name at all
        FailWith(EISDIR);
        return;
    }
    const long nameMax = ::fpathconf(FolderFd, _PC_NAME_MAX);
    if (nameMax > 0) NameMax = static_cast<std::size_t>(nameMax);
    // Not blocking: the target was a regular file a moment ago, but need not be now.
    if (exists) TargetFd = ::openat(FolderFd, TargetName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW);
    if (sweepLeftovers) SweepLeftovers();
}

TAtomicFileWriter::~TAtomicFileWriter()
{
    if (Fd >= 0) ::close(Fd);
    if (TargetFd >= 0) ::close(TargetFd);
    if (FolderFd >= 0) ::close(FolderFd);
    if (!TempName.empty()) ::unlink((FolderPath + TempName).c_str());
    Registration.Release();
}

void TAtomicFileWriter::Fail(const std::string& cause)
{
    if (FailureCause.empty()) FailureCause = cause.empty() ? ErrorText(EIO) : cause;
}

void TAtomicFileWriter::FailWith(int error)
{
    Fail(ErrorText(error));
}

void TAtomicFileWriter::Raise() const
{
    if (Refused) throw EOutputIsInput(Path);
    throw EFCreateError(Path, FailureCause);
}

std::string TAtomicFileWriter::TemporaryName() const
{
    static constexpr char kChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    unsigned char random[kRandomChars] = {};
    TryGetRandomBytes(random, sizeof random);
    std::string name = TemporaryStem(TargetName, NameMax);
    for (const unsigned char byte : random) name += kChars[byte % (sizeof kChars - 1)];
    name += kTempSuffix;
    return name;
}

// A leftover is a regular file named as this output's temporary files are
// that no live writer holds locked.
void TAtomicFileWriter::SweepLeftovers()
{
    const int listFd = ::dup(FolderFd);
    DIR* dir = listFd < 0 ? nullptr : ::fdopendir(listFd);
    if (!dir) {
        if (listFd >= 0) ::close(listFd);
        return;
    }
    const std::string stem = TemporaryStem(TargetName, NameMax);
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name.size() != stem.size() + kRandomChars + kTempSuffix.size() || !name.starts_with(stem) ||
            !name.ends_with(kTempSuffix)) {
            continue;
        }
        bool ours = true;
        for (const char c : name.substr(stem.size(), kRandomChars)) ours = ours && IsAlphanumeric(c);
        const int fd = ours ? ::openat(FolderFd, entry->d_name, O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK) : -1;
        if (fd < 0) continue;
        struct stat info {};
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            ::unlinkat(FolderFd, entry->d_name, 0);
        }
        ::close(fd);
    }
    ::closedir(dir);
}

bool TAtomicFileWriter::EnsureTemporary()
{
    if (!Ok()) return false;
    if (Fd >= 0) return true;
    if (InjectedFaults.FailCreate) {
        FailWith(EACCES);
        return false;
    }
    int error = EOPNOTSUPP;
    if (!InjectedFaults.NoUnnamedFiles) {
        Fd = ::openat(FolderFd, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
        error = errno;
    }
    Unnamed = Fd >= 0;
    if (Fd < 0 && (error == EOPNOTSUPP || error == EISDIR || error == EINVAL)) {
        for (int attempt = 0; attempt < 100 && Fd < 0; ++attempt) {
            std::string name = TemporaryName();
            Fd = ::openat(FolderFd, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
            error = errno;
            if (Fd < 0 && error != EEXIST) break;
            if (Fd < 0) continue;
            // Locked while alive, so that no sweep takes it for a leftover;
            // one that a signal leaves between these lines, the next sweep takes.
            ::flock(Fd, LOCK_EX);
            Registration = TTemporaryName(FolderPath + name);
            TempName = std::move(name);
        }
    }
    if (Fd < 0) {
        FailWith(error);
        return false;
    }
    return CopyTargetPrefix();
}

// The bytes found equal to the target's so far were not written: they come
// from the target itself once the output turns out to differ.
bool TAtomicFileWriter::CopyTargetPrefix()
{
    std::size_t done = 0;
    char buffer[1 << 16];
    while (done < Compared) {
        const ssize_t got = ::pread(TargetFd, buffer, std::min(sizeof buffer, Compared - done), static_cast<off_t>(done));
        if (got <= 0) {
            if (got < 0 && errno == EINTR) continue;
            FailWith(got < 0 ? errno : EIO);
            return false;
        }
        if (!Put({buffer, static_cast<std::size_t>(got)})) return false;
        done += static_cast<std::size_t>(got);
    }
    Compared = 0;
    return true;
}

bool TAtomicFileWriter::SameAsTarget(std::string_view data)
{
    TargetPart.resize(data.size());
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t got = ::pread(TargetFd, TargetPart.data() + done, data.size() - done,
                                    static_cast<off_t>(Compared + done));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        done += static_cast<std::size_t>(got);
    }
    return std::memcmp(TargetPart.data(), data.data(), data.size()) == 0;
}

bool TAtomicFileWriter::Put(std::string_view data)
{
    while (Ok() && !data.empty()) {
        std::size_t chunk = data.size();
        if (InjectedFaults.FailWriteAfter >= 0) {
            const auto limit = static_cast<std::size_t>(InjectedFaults.FailWriteAfter);
            if (Written >= limit) {
                FailWith(ENOSPC);
                break;
            }
            chunk = std::min(chunk, limit - Written);
        }
        const ssize_t put = ::write(Fd, data.data(), chunk);
        if (put < 0) {
            if (errno == EINTR) continue;
            FailWith(errno);
            break;
        }
        Written += static_cast<std::size_t>(put);
        data.remove_prefix(static_cast<std::size_t>(put));
    }
    return Ok();
}

bool TAtomicFileWriter::Write(std::string_view data)
{
    if (!Ok() || Finished) return false;
    if (data.empty()) return true;
    if (TargetFd >= 0 && Fd < 0) {
        if (SameAsTarget(data)) {
            Compared += data.size();
            return true;
        }
    }
    return EnsureTemporary() && Put(data);
}

bool TAtomicFileWriter::Finish(bool flush)
{
    if (Finished) return Ok();
    Finished = true;
    if (!Ok()) return false;
    if (TargetFd >= 0 && Fd < 0) {
        struct stat info {};
        if (::fstat(TargetFd, &info) == 0 && S_ISREG(info.st_mode) &&
            static_cast<std::size_t>(info.st_size) == Compared) {
            KeptTarget = true;
            return true;
        }
    }
    if (!EnsureTemporary()) return false;
    std::string().swap(TargetPart);
    if (TargetFd >= 0) ::close(TargetFd);
    TargetFd = -1;
    if (::fchmod(Fd, Mode) != 0 || (flush && ::fsync(Fd) != 0)) {
        FailWith(errno);
        return false;
    }
    if (Unnamed) {
        // Named only now: until here nothing could be left behind.
        const std::string self = "/proc/self/fd/" + std::to_string(Fd);
        for (int attempt = 0; attempt < 100 && TempName.empty(); ++attempt) {
            std::string name = TemporaryName();
            if (::linkat(AT_FDCWD, self.c_str(), FolderFd, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
                Registration = TTemporaryName(FolderPath + name);
                TempName = std::move(name);
            } else if (errno != EEXIST) {
                FailWith(errno);
                return false;
            }
        }
    }
    // Closed now, so that the many files of one export hold no descriptors
    // until they are renamed.
    const int fd = Fd;
    Fd = -1;
    if (::close(fd) != 0) FailWith(errno);
    ::close(FolderFd);
    FolderFd = -1;
    return Ok();
}

bool TAtomicFileWriter::Commit(bool flushFolder)
{
    if (!Finish()) return false;
    if (KeptTarget) return true;
    if (InjectedFaults.FailRename) {
        FailWith(EACCES);
        return false;
    }
    if (::rename((FolderPath + TempName).c_str(), (FolderPath + TargetName).c_str()) != 0) {
        FailWith(errno);
        return false;
    }
    TempName.clear();
    Registration.Release();
    if (flushFolder) FlushFolder(FolderPath);
    return true;
}

void CheckOutputFile(const std::string& path, const TInputFiles* inputs)
{
    const TAtomicFileWriter file(path, inputs, false);
    if (!file.Ok()) file.Raise();
}

void FlushFolder(const std::string& folder)
{
    // Some file systems cannot flush a folder; a rename stands all the same.
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

bool SyncFileSystemOf(const std::string& folder)
{
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const bool synced = fd >= 0 && ::syncfs(fd) == 0;
    if (fd >= 0) ::close(fd);
    return synced;
}

void TAtomicFileWriter::WriteOrRaise(std::string_view data)
{
    if (!Write(data)) Raise();
}

void TAtomicFileWriter::CommitOrRaise()
{
    if (!Commit()) Raise();
}

bool TryWriteFileAtomically(const std::string& path, std::string_view contents, std::string* cause)
{
    TAtomicFileWriter file(path);
    const bool ok = file.Write(contents) && file.Commit();
    if (!ok && cause) *cause = file.Cause();
    return ok;
}

void WriteFileAtomically(const std::string& path, std::string_view contents)
{
    TAtomicFileWriter file(path);
    file.WriteOrRaise(contents);
    file.CommitOrRaise();
}

} // namespace orvexp
