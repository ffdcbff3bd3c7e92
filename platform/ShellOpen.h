#pragma once
// The shell's "open" of a document, folder, web address or program, in place of
// the Windows shell call. Failures come back as the shell's error numbers so the
// caller's message table decides what the user reads.

#include <cstdint>
#include <functional>
#include <string>

namespace orvexp {

// Shell error numbers that ShellOpen returns (a success is any value above 32).
constexpr std::uint32_t kShellOpenOk = 42;
constexpr std::uint32_t kShellErrorFileNotFound = 2;
constexpr std::uint32_t kShellErrorPathNotFound = 3;
constexpr std::uint32_t kShellErrorAccessDenied = 5;
constexpr std::uint32_t kShellErrorOutOfMemory = 8;
constexpr std::uint32_t kShellErrorBadFormat = 11;
constexpr std::uint32_t kShellErrorNoAssociation = 31;

// Opens `file` with verb `operation` ("open" or empty; no other verb has a
// handler here, which answers 31). `file` is a UTF-8 path (relative ones are
// looked up in `directory` first, then the current folder), a bare program name
// found on PATH, or an address such as https://... or mailto:...
// - A program (an executable file starting with an ELF or "#!" stamp) is started
//   directly in its own session with `parameters` (split at blanks, "..." keeps
//   blanks) and working folder `directory`; it is not waited for.
// - Anything else is handed to xdg-open, which is waited for about a second
//   at most: long enough for the failures it reports at once, never for the
//   program that shows the file.
// Nothing started is left as a zombie: each is collected when it ends.
// Returns 42 on success; 2 file not found, 3 `directory` not found, 5 not
// readable or not startable, 8 out of memory, 11 not a program the system can
// start, 31 no program can open it (xdg-open missing or failing).
// `showCmd` has no counterpart on Linux and is ignored.
std::uint32_t ShellOpen(const std::string& operation, const std::string& file, const std::string& parameters,
                        const std::string& directory, std::int32_t showCmd);

// True when xdg-open, which opens everything that is no program, is on PATH.
bool XdgOpenInstalled();

// Test seam: while set, ShellOpen returns what `replacement` returns and starts
// nothing. An empty function restores the real shell open.
using TShellOpenFunction = std::function<std::uint32_t(const std::string& operation, const std::string& file,
                                                       const std::string& parameters,
                                                       const std::string& directory, std::int32_t showCmd)>;
// Test hook: only tests call it; the program always opens for real.
void SetShellOpenForTesting(TShellOpenFunction replacement);

} // namespace orvexp
