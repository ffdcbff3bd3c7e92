#pragma once
// File-system services: existence tests, whole-file reading and the
// case-insensitive lookup of the fixed names that Orvanel folders copied from
// Windows or FAT media may carry in another case (SCHEDULE.DAT,
// MEMO/19990410.TXT). Writing is platform/AtomicFileWriter.
// Paths are native UTF-8 bytes with "/" as the folder delimiter.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace orvexp {

// A file that cannot be opened for reading: "ファイル %s は開けません". `Error`
// is the errno of the failure (EISDIR for a folder, ENXIO for a FIFO or a
// device), 0 when none is known.
class EFOpenError : public std::runtime_error {
public:
    explicit EFOpenError(const std::string& fileName, int error = 0);
    const std::string FileName;
    const int Error;
};

bool FileExists(const std::string& path);       // exists and is not a folder
// Why FileExists(path) is false, as an errno: ENOENT, EISDIR, EACCES ...; 0 when it is true.
int FileAbsenceError(const std::string& path);
bool DirectoryExists(const std::string& path);

// The text up to and including the last "/"; empty when there is none.
std::string ExtractFilePath(const std::string& path);
// The text after the last "/".
std::string ExtractFileName(const std::string& path);
// Folder and name joined with exactly one "/" (an empty folder gives the name alone).
std::string JoinPath(const std::string& folder, const std::string& name);
// The folder with exactly one trailing "/" (an empty folder stays empty).
std::string IncludeTrailingDelimiter(const std::string& folder);

// The whole content of a regular file. Raises EFOpenError when the file
// cannot be opened or read, or is no regular file (a folder, a device, a FIFO).
std::string ReadFileBytes(const std::string& path);

// An input that exists but could not be read (or only in part): the export
// goes on without it, and the user is told in one line each.
struct TInputProblem {
    std::string Path;
    std::string Text; // "ファイル X を読み込めません。(cause)" or the like
};
// "ファイル <path> を読み込めません。(<cause>)"; "フォルダ ..." for a folder.
TInputProblem UnreadableInput(const std::string& path, const std::string& cause, bool folder = false);

// Reads a whole file; false when it cannot be opened or read.
bool TryReadFile(const std::string& path, std::string& contents);

// What TFolderIndex::ReadFileIfPresent found. Missing: nothing (or a folder)
// is there, as FileExists would say; Unreadable: something is there that
// cannot be read (no regular file, no permission, a read error, too large).
enum class TFilePresence { Read, Missing, Unreadable };

// The names in one folder, listed once, for repeated lookups by name.
class TFolderIndex {
public:
    // An empty index when the folder cannot be listed; ListError() says why.
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
    // and its path is not walked again. A file larger than `maxSize` is
    // Unreadable without being read; `error` gets the errno of an Unreadable
    // file (EFBIG for one too large).
    TFilePresence ReadFileIfPresent(const std::string& name, std::string& contents,
                                    std::size_t maxSize = SIZE_MAX, int* error = nullptr) const;
    // The modification time of the entry `name` in seconds since 1970-01-01
    // UTC; 0 when it cannot be read.
    std::int64_t ModifiedSeconds(const std::string& name) const;

    const std::string& Folder() const { return FolderPath; }
    // The errno of a folder that could not be opened and listed; 0 when it was.
    int ListError() const { return FolderError; }
    // Every name the folder listed, sorted.
    const std::vector<std::string>& ListedNames() const { return Names; }

private:
    std::string FolderPath;
    int FolderFd = -1;
    int FolderError = 0;
    std::vector<std::string> Names;      // sorted
    std::vector<bool> ListedRegular;     // by Names: the listing called it a regular file
    std::vector<std::string> FoldedNames; // ASCII lower case, sorted, with the index into Names
    std::vector<std::size_t> FoldedIndex;
};


} // namespace orvexp
