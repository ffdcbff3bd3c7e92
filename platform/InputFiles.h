#pragma once
// The files a run reads, known by device and inode rather than by name, so
// that an output is recognised as one of them whatever its spelling:
// D//schedule.dat, D/./schedule.dat, D/Memo/../schedule.dat, a link or a hard
// link to it.

#include <sys/types.h>

#include <string>
#include <utility>
#include <vector>

struct stat;

namespace orvexp {

class TInputFiles {
public:
    // A file (or folder) that is read; nothing when it does not exist.
    void AddFile(const std::string& path);
    // A folder whose every entry is read (the memo folder), and the folder itself.
    void AddFolder(const std::string& path);

    // True when `file` (as stat gives it) is one of the inputs. A folder's
    // entries are looked at once, on the first question about a file of its
    // device.
    bool Holds(const struct stat& file) const;

private:
    using TIdentity = std::pair<dev_t, ino_t>;
    std::vector<TIdentity> Files;
    std::vector<std::string> Folders;
    mutable std::vector<TIdentity> FolderEntries; // sorted, once the folders are looked at
    mutable bool FoldersListed = false;
};

} // namespace orvexp
