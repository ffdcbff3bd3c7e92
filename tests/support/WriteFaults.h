#pragma once
// For the tests of failed writes: injected faults that are cleared however the
// test ends, and the names a folder holds afterwards.

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/AtomicFileWriter.h"
#include "platform/FileSystem.h"

namespace orvexp::test {

class TFaultScope {
public:
    explicit TFaultScope(const TWriteFaults& faults) { SetWriteFaultsForTesting(faults); }
    ~TFaultScope() { SetWriteFaultsForTesting({}); }
    TFaultScope(const TFaultScope&) = delete;
    TFaultScope& operator=(const TFaultScope&) = delete;
};

// The entries' names, sorted.
inline std::vector<std::string> NamesIn(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace orvexp::test
