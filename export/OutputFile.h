#pragma once
// How every writer's output reaches its file: a temporary file in parts as
// the writer produces them, renamed over the target at the end. A failed write
// leaves an earlier file intact and no half-written one, and a large export
// never holds its whole output in memory.

#include <string>
#include <string_view>

#include "export/ExportRequest.h"
#include "export/OutputEncoding.h"
#include "platform/AtomicFileWriter.h"
#include "platform/OutOfMemory.h"

namespace orvexp {

// `build` gets the drain and returns what is left of the output. An output
// that is one of `inputs` or no regular file is refused first. `preamble`
// starts the file. The CSV and HTML writers make Shift_JIS, which goes out
// in `encoding`; the iCalendar writer makes UTF-8 itself and keeps the
// default, which writes the bytes as they are. False when the file already
// held these bytes and was left as it was (TAtomicFileWriter::Unchanged).
template <class Build>
bool WriteOutputFile(const std::string& path, const TInputFiles* inputs, Build build, std::string_view preamble = {},
                     TOutputEncoding encoding = oeShiftJis)
{
    const TMemoryContext writing("ファイル " + path + " を作成できません");
    TAtomicFileWriter file(path, inputs);
    if (!file.Ok()) file.Raise(); // refused before anything is made
    file.WriteOrRaise(preamble);
    const auto write = [&file, encoding](const std::string& output) {
        if (encoding == oeShiftJis) {
            file.WriteOrRaise(output);
        } else {
            file.WriteOrRaise(EncodeOutputPart(output, encoding));
        }
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
