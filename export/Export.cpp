#include "export/Export.h"

#include "export/CsvExport.h"
#include "export/HtmlExport.h"
#include "export/OutputEncoding.h"
#include "platform/FileSystem.h"

namespace orvexp {

namespace {

// The output goes to a temporary file in parts as the writer produces it and is
// renamed over the target at the end: a failed write leaves an earlier file
// intact and no half-written one, and a large export never holds its whole
// output in memory.
template <class Build>
void WriteOutput(const TExportRequest& request, bool csv, Build build)
{
    TAtomicFileWriter file(request.OutputPath);
    file.WriteOrRaise(OutputPreamble(request.Encoding, csv));
    const auto write = [&file, &request](const std::string& output) {
        if (request.Encoding == oeShiftJis) {
            file.WriteOrRaise(output);
        } else {
            file.WriteOrRaise(EncodeOutputPart(output, request.Encoding));
        }
    };
    const std::string rest = build([&write](std::string& output) {
        write(output);
        output.clear();
    });
    write(rest);
    file.CommitOrRaise();
}

} // namespace

void ExportCsv(const TExportRequest& request)
{
    WriteOutput(request, true, [&request](const TOutputDrain& drain) { return BuildCsv(request, drain); });
}

void ExportHtml(const TExportRequest& request)
{
    WriteOutput(request, false, [&request](const TOutputDrain& drain) { return BuildHtml(request, drain); });
}

void RunExport(const TExportRequest& request)
{
    if (IsCsvType(request.ExportType)) {
        ExportCsv(request);
    } else if (IsHtmlType(request.ExportType)) {
        ExportHtml(request);
    }
}

} // namespace orvexp
