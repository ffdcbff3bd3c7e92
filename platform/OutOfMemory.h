#pragma once
// Running out of memory ends the program with one line naming what it was
// doing, never with a signal. libical, like most C libraries, goes on with a
// null pointer when an allocation fails and crashes a moment later, so in the
// programs an allocation never fails: malloc, calloc and realloc that find no
// memory remove the temporary files, print
// "orvexp: <what was being done>。(メモリが足りません)" and exit with status 1.
// (Sanitizer builds keep their own allocator, which reports instead.)

#include <string>

namespace orvexp {

// What the program is doing while this lives, for that line:
// "ファイル X を作成できません", "ファイル X は開けません". The innermost one counts.
class TMemoryContext {
public:
    explicit TMemoryContext(std::string text);
    ~TMemoryContext();
    TMemoryContext(const TMemoryContext&) = delete;
    TMemoryContext& operator=(const TMemoryContext&) = delete;

private:
    std::string Text;
    const char* Outer;
};

// The end described above; safe where memory has run out.
[[noreturn]] void ExitOutOfMemory() noexcept;

} // namespace orvexp
