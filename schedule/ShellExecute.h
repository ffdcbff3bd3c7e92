#pragma once
// TShellExecute: a program-launch action. Each schedule entry owns one (run when
// the entry's Action is aaLaunch); the wizard uses one to open an exported page.

#include <cstdint>
#include <string>

#include "platform/ByteStream.h"

namespace orvexp {

class TShellExecute {
public:
    std::uint32_t Handle = 0; // the desktop window; there is none to name on Linux
    std::string Operation = "open";
    std::string FileName;
    std::string Parameters;
    std::string Directory;
    std::int32_t ShowCmd = 5; // SW_SHOW

    // Opens FileName through the shell once. True when no message was shown;
    // false after an error message (through ShowMessage, mkError) naming the
    // cause. Nothing is raised.
    bool Execute() const;

    void LoadFromStream(TByteReader& stream);
    void SaveToStream(TByteWriter& stream) const;

    bool operator==(const TShellExecute&) const = default;
};

} // namespace orvexp
