#pragma once
// Writing an output file so that nothing is ever lost: the bytes go to a
// temporary file beside the target, which replaces the target only when they
// are all written and on disk. A failed or interrupted write leaves an earlier
// file as it was and nothing behind; an output that is one of the run's
// inputs, or that is no regular file, is refused before anything is written.

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/InputFiles.h"
#include "platform/TemporaryFiles.h"

namespace orvexp {

// An output file that cannot be created or written: "ファイル %s を作成できません",
// followed by the cause in parentheses when one is known.
class EFCreateError : public std::runtime_error {
public:
    explicit EFCreateError(const std::string& fileName, const std::string& cause = {});
    const std::string FileName;
};

// An output that is a file the run reads (the schedule file, a memo file, a day
// file, the settings file): "ファイル %s は読み込むファイルです。書き出し先にはできません。"
class EOutputIsInput : public std::runtime_error {
public:
    explicit EOutputIsInput(const std::string& fileName);
    const std::string FileName;
};

// One output file.
//
// - A symbolic link is followed: its target gets the new bytes and the link
//   stays. An existing target that is a folder, a FIFO, a device or a socket
//   is refused, as is one of `inputs` (compared by device and inode).
// - A replaced file keeps its mode; a new one gets 0666 less the umask.
// - While the bytes equal the existing target's, nothing is written; if they
//   all do, the target is left as it was, its time too (Unchanged), which
//   needs no room on the disk.
// - Otherwise the bytes go to a file without a name (O_TMPFILE), which is
//   flushed to disk and named only when complete, so that even a SIGKILL
//   leaves nothing; where the file system has no such files, to a named one
//   that a terminating signal removes and that the next write to the same
//   output removes if the program was killed.
class TAtomicFileWriter {
public:
    // `path` as the user gave it, which the messages name. `sweepLeftovers`:
    // look for the named temporary files of this output that an earlier,
    // killed run left (the folder is listed once).
    explicit TAtomicFileWriter(const std::string& path, const TInputFiles* inputs = nullptr,
                               bool sweepLeftovers = true);
    ~TAtomicFileWriter();
    TAtomicFileWriter(const TAtomicFileWriter&) = delete;
    TAtomicFileWriter& operator=(const TAtomicFileWriter&) = delete;

    // False once anything has failed or been refused; Cause() says why.
    bool Write(std::string_view data);
    // The bytes are complete: they are given their mode and a temporary name
    // beside the target, flushed to disk first when `flush` (false: the caller
    // flushes the file system once for many files, see SyncFileSystem).
    bool Finish(bool flush = true);
    // Finishes when that is not done, renames the temporary file over the
    // target and flushes the folder (unless the caller does it once for many
    // files), so that after a power loss the target holds the old bytes or
    // the new ones.
    bool Commit(bool flushFolder = true);
    // After a successful Finish: the target already held exactly these bytes
    // and is left as it was.
    bool Unchanged() const { return KeptTarget; }
    bool Ok() const { return !Refused && FailureCause.empty(); }
    // Why it failed, in the user's words ("ディスクがいっぱいです").
    const std::string& Cause() const { return FailureCause; }
    // Raises what went wrong: EOutputIsInput, or EFCreateError with the cause.
    [[noreturn]] void Raise() const;
    void WriteOrRaise(std::string_view data);
    void CommitOrRaise();

    // The folder the target lies in, with its trailing "/".
    const std::string& Folder() const { return FolderPath; }

private:
    void Fail(const std::string& cause);
    void FailWith(int error);
    bool EnsureTemporary();
    bool SameAsTarget(std::string_view data);
    bool Put(std::string_view data);
    bool CopyTargetPrefix();
    std::string TemporaryName() const;
    void SweepLeftovers();

    std::string Path;       // as given
    std::string FolderPath; // of the target, links followed, with its trailing "/"
    std::string TargetName; // the target's name in it
    int FolderFd = -1;      // until Finish
    int Fd = -1;            // the temporary file
    int TargetFd = -1;      // the existing target, while the bytes equal its own
    bool Unnamed = false;   // Fd has no name yet
    std::string TempName;   // its name once it has one
    TTemporaryName Registration;
    std::size_t NameMax = 255;
    unsigned Mode = 0;
    std::size_t Written = 0;  // bytes put into the temporary file
    std::size_t Compared = 0; // bytes found equal to the target's
    std::string TargetPart;   // room for a part of the target
    bool Finished = false;
    bool KeptTarget = false;
    bool Refused = false;     // the output is an input
    std::string FailureCause;
};

// The refusals of TAtomicFileWriter alone, before anything is made: raises
// EOutputIsInput or EFCreateError (a folder, a FIFO, a missing folder).
void CheckOutputFile(const std::string& path, const TInputFiles* inputs);

// Flushes a folder to disk, after renames into it.
void FlushFolder(const std::string& folder);
// Flushes the whole file system of a folder to disk: once for many files
// finished without their own flush. False when it cannot.
bool SyncFileSystemOf(const std::string& folder);

// Writes `contents` to `path` through TAtomicFileWriter. False on failure,
// with the cause in `cause`.
bool TryWriteFileAtomically(const std::string& path, std::string_view contents, std::string* cause = nullptr);
// As above, raising EFCreateError on failure.
void WriteFileAtomically(const std::string& path, std::string_view contents);

// Failures injected into the writer, for tests of failed writes.
struct TWriteFaults {
    bool FailCreate = false;       // the temporary file cannot be created
    long long FailWriteAfter = -1; // the disk fills after this many bytes (ENOSPC)
    bool FailRename = false;       // the rename over the target is refused
    bool NoUnnamedFiles = false;   // the file system has no O_TMPFILE
};
// Test hook: only tests call it; the program never injects faults.
void SetWriteFaultsForTesting(const TWriteFaults& faults);

} // namespace orvexp
