#include "export/IcsLayouts.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <memory>
#include <set>
#include <string_view>
#include <unordered_set>

#include "export/IcsCalendar.h"
#include "export/IcsExport.h"
#include "platform/AtomicFileWriter.h"
#include "platform/ErrorText.h"
#include "platform/FileSystem.h"
#include "platform/OutOfMemory.h"

namespace orvexp {

namespace {

// Whether the file begins as every calendar of this program does.
bool WrittenByUs(int folderFd, const std::string& name)
{
    const int fd = ::openat(folderFd, name.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0) return false;
    char start[kIcsCalendarStart.size()];
    std::size_t got = 0;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        while (got < sizeof start) {
            const ssize_t part = ::read(fd, start + got, sizeof start - got);
            if (part <= 0) break;
            got += static_cast<std::size_t>(part);
        }
    }
    ::close(fd);
    return std::string_view(start, got) == kIcsCalendarStart;
}

int OpenFolder(const std::string& folder)
{
    return ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

// The names of a folder; empty when it cannot be listed.
std::vector<std::string> NamesIn(int folderFd)
{
    std::vector<std::string> names;
    const int listFd = ::dup(folderFd);
    DIR* dir = listFd < 0 ? nullptr : ::fdopendir(listFd);
    if (!dir) {
        if (listFd >= 0) ::close(listFd);
        return names;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..") names.emplace_back(name);
    }
    ::closedir(dir);
    return names;
}

// Output in parts of the writer's own size, so that a file is written in few calls.
class TBufferedFile {
public:
    TBufferedFile(const std::string& path, const TInputFiles* inputs, bool sweepLeftovers)
        : File(std::make_unique<TAtomicFileWriter>(path, inputs, sweepLeftovers))
    {
        if (!File->Ok()) File->Raise();
    }
    void Write(std::string_view text)
    {
        Buffer += text;
        if (Buffer.size() >= kOutputDrainSize) Flush();
    }
    // Complete on disk but for the flush the caller makes once for all.
    void Finish()
    {
        Flush();
        std::string().swap(Buffer);
        if (!File->Finish(false)) File->Raise();
    }
    TAtomicFileWriter& Writer() { return *File; }

private:
    void Flush()
    {
        File->WriteOrRaise(Buffer);
        Buffer.clear();
    }
    std::unique_ptr<TAtomicFileWriter> File;
    std::string Buffer;
};

// Renames every finished file over its target, after one flush of each file
// system and before one of each folder, so that after a power loss each
// holds its old bytes or its new ones. Returns how many were unchanged.
std::size_t CommitAll(std::vector<TBufferedFile>& files)
{
    std::set<std::string> folders;
    for (TBufferedFile& file : files) {
        if (!file.Writer().Unchanged()) folders.insert(file.Writer().Folder());
    }
    for (const std::string& folder : folders) SyncFileSystemOf(folder);
    std::size_t unchanged = 0;
    for (TBufferedFile& file : files) {
        if (!file.Writer().Commit(false)) file.Writer().Raise();
        unchanged += file.Writer().Unchanged();
    }
    for (const std::string& folder : folders) FlushFolder(folder);
    return unchanged;
}

class TPartsSink : public IIcsSink {
public:
    TPartsSink(const TExportRequest& request, const TExportSources& sources, std::size_t partSize)
        : Request(request), Inputs(sources.Inputs()), PartSize(partSize)
    {
    }

    void Begin(std::string_view head, std::string_view tail) override
    {
        Head = head;
        Tail = tail;
    }
    void Event(const TIcsEvent& event) override
    {
        const std::size_t alone = Head.size() + event.Text.size() + Tail.size();
        if (alone > PartSize) throw EIcsEventTooLarge(event.Date, event.What, alone, PartSize);
        if (Open && Size + event.Text.size() + Tail.size() > PartSize) FinishPart();
        if (!Open) {
            Parts.emplace_back(IcsPartPath(Request.OutputPath, Parts.size() + 1), &Inputs, true);
            Parts.back().Write(Head);
            Size = Head.size();
            Open = true;
        }
        Parts.back().Write(event.Text);
        Size += event.Text.size();
    }
    void End() override { FinishPart(); }

    TIcsPartsResult Commit()
    {
        TIcsPartsResult result;
        for (std::size_t i = 1; i <= Parts.size(); ++i) result.Parts.push_back(IcsPartPath(Request.OutputPath, i));
        result.Unchanged = CommitAll(Parts);
        RemoveEarlierParts(result);
        return result;
    }

private:
    void FinishPart()
    {
        if (!Open) return;
        Parts.back().Write(Tail);
        Parts.back().Finish();
        Open = false;
    }

    // The parts beyond this export's last that an earlier one left: removed
    // when this program wrote them, named otherwise.
    void RemoveEarlierParts(TIcsPartsResult& result) const
    {
        const std::string folder = ExtractFilePath(Request.OutputPath);
        const int folderFd = OpenFolder(folder);
        if (folderFd < 0) return;
        const std::string first = ExtractFileName(IcsPartPath(Request.OutputPath, 1));
        const std::size_t number = first.rfind("-1");
        const std::string stem = first.substr(0, number + 1), extension = first.substr(number + 2);
        std::vector<std::pair<std::size_t, std::string>> found;
        for (const std::string& name : NamesIn(folderFd)) {
            if (name.size() <= stem.size() + extension.size() || !name.starts_with(stem) || !name.ends_with(extension)) {
                continue;
            }
            const std::string digits = name.substr(stem.size(), name.size() - stem.size() - extension.size());
            if (digits.empty() || digits.front() == '0' || digits.size() > 9 ||
                digits.find_first_not_of("0123456789") != std::string::npos) {
                continue;
            }
            const std::size_t part = std::stoul(digits);
            if (part > Parts.size()) found.emplace_back(part, name);
        }
        std::sort(found.begin(), found.end());
        for (const auto& [part, name] : found) {
            if (WrittenByUs(folderFd, name) && ::unlinkat(folderFd, name.c_str(), 0) == 0) {
                result.Removed.push_back(folder + name);
            } else {
                result.LeftAlone.push_back(folder + name);
            }
        }
        if (!result.Removed.empty()) ::fsync(folderFd);
        ::close(folderFd);
    }

    const TExportRequest& Request;
    const TInputFiles& Inputs;
    const std::size_t PartSize;
    std::string Head, Tail;
    std::vector<TBufferedFile> Parts;
    std::size_t Size = 0; // of the open part so far
    bool Open = false;
};

constexpr std::string_view kVdirExtension = ".ics";
constexpr std::string_view kUidEnd = "@orvexp";
constexpr char kDisplayNameFile[] = "displayname";
constexpr char kDisplayName[] = "Orvanel";

bool IsAlphanumeric(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// ".<uid>.ics.XXXXXX.tmp": the temporary name TAtomicFileWriter gives one of our files.
bool IsOurTemporaryName(std::string_view name)
{
    constexpr std::string_view kSuffix = ".tmp";
    const std::string ours = std::string(kUidEnd) + std::string(kVdirExtension) + ".";
    if (name.size() < 1 + ours.size() + 6 + kSuffix.size() || name.front() != '.' || !name.ends_with(kSuffix)) {
        return false;
    }
    const std::string_view random = name.substr(name.size() - kSuffix.size() - 6, 6);
    for (const char c : random) {
        if (!IsAlphanumeric(c)) return false;
    }
    return name.substr(0, name.size() - kSuffix.size() - 6).ends_with(ours);
}

// The folder held for one export at a time.
class TVdirLock {
public:
    TVdirLock(const std::string& folder, const std::function<void()>& onWait)
    {
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        Fd = OpenFolder(folder);
        if (Fd < 0) throw EFCreateError(folder, ErrorText(errno));
        if (::flock(Fd, LOCK_EX | LOCK_NB) == 0) return;
        if (onWait) onWait();
        if (::flock(Fd, LOCK_EX) != 0) throw EFCreateError(folder, ErrorText(errno));
    }
    ~TVdirLock() { ::close(Fd); } // the lock goes with it
    TVdirLock(const TVdirLock&) = delete;
    TVdirLock& operator=(const TVdirLock&) = delete;
    int Folder() const { return Fd; }

private:
    int Fd = -1;
};

class TVdirSink : public IIcsSink {
public:
    TVdirSink(const TExportSources& sources, const std::string& folder, int folderFd)
        : Inputs(sources.Inputs()), Folder(IncludeTrailingDelimiter(folder)), FolderFd(folderFd)
    {
        // Everything here must be ours before anything is changed.
        for (const std::string& name : NamesIn(folderFd)) {
            struct stat info {};
            const bool regular = ::fstatat(folderFd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 &&
                                 S_ISREG(info.st_mode);
            if (regular && (name == kDisplayNameFile || name == "color")) continue;
            if (regular && IsOurTemporaryName(name)) {
                Leftovers.push_back(name);
                continue;
            }
            const bool ours = regular && name.ends_with(std::string(kUidEnd) + std::string(kVdirExtension)) &&
                              WrittenByUs(folderFd, name);
            if (!ours) throw EVdirNotOurs(Folder, name);
            Existing.insert(name);
        }
    }

    void Begin(std::string_view head, std::string_view tail) override
    {
        Head = head;
        Tail = tail;
        for (const std::string& name : Leftovers) {
            const int fd = ::openat(FolderFd, name.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
            if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0) ::unlinkat(FolderFd, name.c_str(), 0);
            if (fd >= 0) ::close(fd);
        }
    }
    void Event(const TIcsEvent& event) override
    {
        const std::string name = std::string(event.Uid) + std::string(kVdirExtension);
        ++Result.Events;
        Written.insert(name);
        TBufferedFile file(Folder + name, &Inputs, false);
        file.Write(Head);
        file.Write(event.Text);
        file.Write(Tail);
        file.Finish();
        if (file.Writer().Unchanged()) return;
        ++(Existing.count(name) ? Result.Updated : Result.Added);
        Changed.push_back(std::move(file));
    }
    void End() override {}

    TIcsVdirResult Commit()
    {
        TBufferedFile meta(Folder + kDisplayNameFile, &Inputs, false);
        meta.Write(kDisplayName);
        meta.Finish();
        Changed.push_back(std::move(meta));
        CommitAll(Changed);
        for (const std::string& name : Existing) {
            if (!Written.count(name) && ::unlinkat(FolderFd, name.c_str(), 0) == 0) ++Result.Deleted;
        }
        ::fsync(FolderFd);
        return Result;
    }

private:
    const TInputFiles& Inputs;
    const std::string Folder;
    const int FolderFd;
    std::string Head, Tail;
    std::vector<std::string> Leftovers;
    std::unordered_set<std::string> Existing, Written;
    std::vector<TBufferedFile> Changed;
    TIcsVdirResult Result;
};

} // namespace

EIcsEventTooLarge::EIcsEventTooLarge(const TDateParts& date, std::string_view what, std::size_t size,
                                     std::size_t limit)
    : std::runtime_error(FormatDateText(date) + " の" + std::string(what) + " (" + std::to_string(size) +
                         " バイト) は 1 つのファイルの上限 " + std::to_string(limit) + " バイトに収まりません。")
{
}

std::string IcsPartPath(const std::string& output, std::size_t number)
{
    const std::string name = ExtractFileName(output);
    const std::size_t dot = name.rfind('.');
    const std::size_t stem = dot == std::string::npos || dot == 0 ? name.size() : dot;
    return ExtractFilePath(output) + name.substr(0, stem) + "-" + std::to_string(number) + name.substr(stem);
}

TIcsPartsResult ExportIcsParts(const TExportRequest& request, const TExportSources& sources, std::size_t partSize)
{
    const TMemoryContext writing("ファイル " + IcsPartPath(request.OutputPath, 1) + " を作成できません");
    TPartsSink sink(request, sources, partSize);
    WriteIcsCalendar(request, sources, sink);
    return sink.Commit();
}

EVdirNotOurs::EVdirNotOurs(const std::string& folder, const std::string& name)
    : std::runtime_error("フォルダ " + folder + " の " + name +
                         " は orvexp が書いたものではありません。フォルダには何も書き込みませんでした。")
{
}

TIcsVdirResult ExportIcsVdir(const TExportRequest& request, const TExportSources& sources, const std::string& folder,
                             const std::function<void()>& onWait)
{
    const TMemoryContext writing("フォルダ " + folder + " に書き込めません");
    const TVdirLock lock(folder, onWait);
    struct stat info {};
    if (::fstat(lock.Folder(), &info) == 0 && sources.Inputs().Holds(info)) {
        throw EOutputIsInput(folder); // the memo folder itself
    }
    TVdirSink sink(sources, folder, lock.Folder());
    WriteIcsCalendar(request, sources, sink);
    return sink.Commit();
}

} // namespace orvexp
