#pragma once
// Temporary files that must not outlive the program. While a name is
// registered here, a terminating signal (SIGINT, SIGTERM, SIGHUP, SIGQUIT,
// SIGPIPE) removes it before the program ends by that signal as it would have,
// and running out of memory removes it before the program ends with its
// message. A signal that the program was started to ignore stays ignored.

#include <cstddef>
#include <string>

namespace orvexp {

// The registration of one file's path (relative to the working folder, which
// the program never changes). Removing the file itself is its owner's business.
class TTemporaryName {
public:
    TTemporaryName() = default;
    explicit TTemporaryName(const std::string& path);
    ~TTemporaryName() { Release(); }
    TTemporaryName(TTemporaryName&& other) noexcept : Slot(other.Slot) { other.Slot = kNone; }
    TTemporaryName& operator=(TTemporaryName&& other) noexcept;

    // Forgets the name (after it was renamed or removed).
    void Release();

private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    std::size_t Slot = kNone;
};

// Removes every registered file. Safe in a signal handler and when memory has
// run out: it allocates nothing and calls only unlink.
void RemoveTemporaryFiles() noexcept;

} // namespace orvexp
