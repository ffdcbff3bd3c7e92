#pragma once
// File-system services: existence tests, whole-file reading, the atomic
// replacement of an output file, and the case-insensitive lookup of the fixed
// names that Orvanel folders copied from Windows or FAT media may carry in
// another case (SCHEDULE.DAT, MEMO/19990410.TXT).
// Paths are native UTF-8 bytes with "/" as the folder delimiter.

#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace orvexp {

// A file that cannot be opened for reading: "ファイル %s は開けません".
class EFOpenError : public std::runtime_error {
public:
    explicit EFOpenError(const std::string& fileName);
    const std::string FileName;
};

// An output file that cannot be created or written: "ファイル %s を作成できません".
class EFCreateError : public std::runtime_error {
public:
    explicit EFCreateError(const std::string& fileName);
    const std::string FileName;
};

bool FileExists(const std::string& path);       // exists and is not a folder
bool DirectoryExists(const std::string& path);

// The text up to and including the last "/"; empty when there is none.
std::string ExtractFilePath(const std::string& path);
// The text after the last "/".
std::string ExtractFileName(const std::string& path);
// Folder and name joined with exactly one "/" (an empty folder gives the name alone).
std::string JoinPath(const std::string& folder, const std::string& name);
// The folder with exactly one trailing "/" (an empty folder stays empty).
std::string IncludeTrailingDelimiter(const std::string& folder);

// The whole content of a file, mapped read-only (no copy, no allocation of its size).
class TFileBytes {
public:
    // Raises EFOpenError when the file cannot be opened or read, or is no
    // regular file (a device, a FIFO, a socket).
    explicit TFileBytes(const std::string& path);
    ~TFileBytes();
    TFileBytes(const TFileBytes&) = delete;
    TFileBytes& operator=(const TFileBytes&) = delete;

    std::string_view View() const { return {Data, Size}; }

private:
    const char* Data = nullptr;
    std::size_t Size = 0;
    bool Mapped = false;      // a file too large to read whole
    std::size_t BulkSize = 0; // of the bulk block holding a large file
    std::string Copy;         // a small file
};

// Reads a whole file; false when it cannot be opened or read.
bool TryReadFile(const std::string& path, std::string& contents);

// What TFolderIndex::ReadFileIfPresent found. Missing: nothing (or a folder)
// is there, as FileExists would say; Unreadable: something is there that
// cannot be read (no regular file, no permission, a read error).
enum class TFilePresence { Read, Missing, Unreadable };

// The names in one folder, listed once, for repeated lookups by name.
class TFolderIndex {
public:
    // An empty index when the folder cannot be listed.
    explicit TFolderIndex(const std::string& folder);
    ~TFolderIndex();
    TFolderIndex(const TFolderIndex&) = delete;
    TFolderIndex& operator=(const TFolderIndex&) = delete;

    // The path of the entry `name`: the exact name when it exists, otherwise the
    // single entry whose name equals it without regard to ASCII case; empty when
    // there is none (or several that differ only in case).
    std::string Find(const std::string& name) const;
    // The same entry's name alone.
    std::string FindName(const std::string& name) const;
    // Reads a small file of the folder whole, in one go; contents are empty
    // unless Read. The folder stays open, so the file is opened relative to it
    // and its path is not walked again.
    TFilePresence ReadFileIfPresent(const std::string& name, std::string& contents) const;
    // The modification time of the entry `name` in seconds since 1970-01-01
    // UTC; 0 when it cannot be read.
    std::int64_t ModifiedSeconds(const std::string& name) const;

    const std::string& Folder() const { return FolderPath; }
    // Every name the folder listed, sorted.
    const std::vector<std::string>& ListedNames() const { return Names; }

private:
    std::string FolderPath;
    int FolderFd = -1;
    std::vector<std::string> Names;      // sorted
    std::vector<bool> ListedRegular;     // by Names: the listing called it a regular file
    std::vector<std::string> FoldedNames; // ASCII lower case, sorted, with the index into Names
    std::vector<std::size_t> FoldedIndex;
};

// One lookup with TFolderIndex semantics: an exact path first, then the case-insensitive one.
std::string FindPathIgnoringCase(const std::string& folder, const std::string& name);

// An output file written through a temporary file in the same folder that is
// renamed over the target on Commit, so an earlier file stays intact and no
// half-written file remains when anything fails: a writer destroyed without a
// successful Commit removes its temporary file. Output can be written in parts
// as it is produced, which keeps a large export's memory small.
class TAtomicFileWriter {
public:
    explicit TAtomicFileWriter(const std::string& path);
    ~TAtomicFileWriter();
    TAtomicFileWriter(const TAtomicFileWriter&) = delete;
    TAtomicFileWriter& operator=(const TAtomicFileWriter&) = delete;

    // False once anything has failed (creating, writing); Cause() says why.
    bool Write(std::string_view data);
    bool Commit();
    // After a successful Commit: the target already held exactly the written
    // bytes and was left as it was (its time too), so that a tool that
    // follows the file sees no change.
    bool Unchanged() const { return KeptTarget; }
    bool Ok() const { return FailureCause.empty(); }
    const std::string& Cause() const { return FailureCause; }
    // As Write and Commit, raising EFCreateError ("ファイル %s を作成できません").
    void WriteOrRaise(std::string_view data);
    void CommitOrRaise();

private:
    void Fail(std::string cause);

    std::string Path;
    std::string TempPath;
    int Fd = -1;
    unsigned Mode = 0;
    std::size_t Written = 0;
    bool KeptTarget = false;
    std::string FailureCause;
};

// Writes `contents` to `path` through a temporary file in the same folder that is
// renamed over the target, so an earlier file stays intact and no half-written
// file remains when anything fails. False on failure, with the cause in `cause`.
bool TryWriteFileAtomically(const std::string& path, std::string_view contents, std::string* cause = nullptr);
// As above, raising EFCreateError on failure.
void WriteFileAtomically(const std::string& path, std::string_view contents);

// Failures injected into TryWriteFileAtomically, for tests of failed writes.
struct TWriteFaults {
    bool FailCreate = false;       // the temporary file cannot be created
    long long FailWriteAfter = -1; // the disk fills after this many bytes (ENOSPC)
    bool FailRename = false;       // the rename over the target is refused
};
// Test hook: only tests call it; the program never injects faults.
void SetWriteFaultsForTesting(const TWriteFaults& faults);

} // namespace orvexp
