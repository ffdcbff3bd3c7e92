#pragma once
// How every writer's output reaches its file: a temporary file in parts as
// the writer produces them, renamed over the target at the end. A failed write
// leaves an earlier file intact and no half-written one, and a large export
// never holds its whole output in memory.

#include <string>

#include "export/ExportRequest.h"
#include "platform/FileSystem.h"

namespace orvexp {

// `build` gets the drain and returns what is left of the output.
template <class Build>
void WriteOutputFile(const std::string& path, Build build)
{
    TAtomicFileWriter file(path);
    file.WriteOrRaise({});
    const std::string rest = build([&file](std::string& output) {
        file.WriteOrRaise(output);
        output.clear();
    });
    file.WriteOrRaise(rest);
    file.CommitOrRaise();
}

} // namespace orvexp
