#pragma once
// The memo store: Orvanel's one Shift_JIS text file per day in the Memo
// folder, read (never written) for the export. The folder is listed once when
// the store is made, so a long range costs no lookup per day; the files are
// not written while an export runs.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/DataFolder.h"
#include "platform/DateTime.h"
#include "platform/FileSystem.h"

namespace orvexp {

// The lines of a memo file's bytes: the text ends at the first NUL and breaks
// at CR LF, lone CR and lone LF; a break at the very end adds no empty line.
std::vector<std::string> SplitMemoLines(std::string_view bytes);

// The memo file name of a date: the year without leading zeros, two-digit
// month and day, ".txt" (19990410.txt).
std::string MemoFileName(TDateTime date);

// The largest memo file that is read: Orvanel's memo editor holds a few
// thousand characters, and 16 MiB is years of typing. A larger file is a
// stray one (a disk image, a log) whose size alone would cost that memory.
inline constexpr std::size_t kMaxMemoFileSize = 16 << 20;

class TMemoStore {
public:
    // A store without a memo folder: no memo on any date.
    TMemoStore() = default;
    // The memo folder of `folder` (found as TDataFolder::FindMemoFolder finds
    // it). One that is there but is no folder, or cannot be listed, gives no
    // memos and a problem.
    explicit TMemoStore(const TDataFolder& folder);

    // The memo folder that could not be listed, and every memo file read so
    // far that exists but could not be read (or was larger than
    // kMaxMemoFileSize): each read as present without lines.
    const std::vector<TInputProblem>& Problems() const { return FProblems; }

    // The path of the date's memo file (the existing entry that matches its name
    // without regard to ASCII case, else the composed name); empty when the
    // memo folder does not exist. Does not check that the file exists.
    std::string MemoFilePath(TDateTime date) const;

    // False (and no lines) when the memo folder or the file does not exist. A file
    // that exists but cannot be read is present with no lines, and a problem.
    bool ReadMemoLines(TDateTime date, std::vector<std::string>& lines) const;

    // The lines joined with CR LF, no break after the last; empty when the memo is
    // not present, unreadable, without lines or one empty line.
    std::string MemoText(TDateTime date) const;

    // The earliest date that a memo file's name names (any ASCII case); none
    // without a memo folder or such a name.
    std::optional<TDayNumber> FirstMemoDay() const;
    // The date's memo file's modification time in seconds since 1970-01-01
    // UTC; 0 when there is none.
    std::int64_t MemoModifiedSeconds(TDateTime date) const;

private:
    TFilePresence ReadMemoFile(TDateTime date, std::string& bytes, int& error) const;

    std::optional<TFolderIndex> Index; // the memo folder, listed once; none when it does not exist
    mutable std::string Bytes; // the last file read, its room reused
    mutable std::vector<TInputProblem> FProblems;
};

} // namespace orvexp
