#pragma once
// How a writer's single output file reaches the disk: through TAtomicFileWriter
// in parts as the writer produces them, so that a large export never holds its
// whole output in memory, a failed write leaves an earlier file intact and no
// input is ever written.

#include <string>
#include <string_view>

#include "export/ExportRequest.h"
#include "platform/AtomicFileWriter.h"
#include "platform/OutOfMemory.h"
#include "platform/Text.h"

namespace orvexp {

// `build` gets the drain and returns what is left of the output; `preamble`
// starts the file. `toUtf8`: the writer makes Shift_JIS, which goes out as
// UTF-8 (the CSV and HTML types' choice); otherwise the bytes go out as made.
// An output that is one of `inputs` or no regular file is refused before
// anything is made. False when the file already held these bytes and was
// left as it was (TAtomicFileWriter::Unchanged).
template <class Build>
bool WriteOutputFile(const std::string& path, const TInputFiles& inputs, Build build, std::string_view preamble = {},
                     bool toUtf8 = false)
{
    const TMemoryContext writing("ファイル " + path + " を作成できません");
    TAtomicFileWriter file(path, &inputs);
    if (!file.Ok()) file.Raise();
    file.WriteOrRaise(preamble);
    const auto write = [&file, toUtf8](const std::string& output) {
        file.WriteOrRaise(toUtf8 ? Cp932ToUtf8(output) : output);
    };
    const std::string rest = build([&write](std::string& output) {
        write(output);
        output.clear();
    });
    write(rest);
    file.CommitOrRaise();
    return !file.Unchanged();
}

} // namespace orvexp
