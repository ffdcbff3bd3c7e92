#include "export/Export.h"

#include "export/CsvExport.h"
#include "export/HtmlExport.h"
#include "platform/FileSystem.h"

namespace orvexp {

namespace {

// The output goes to a temporary file in parts as the writer produces it and is
// renamed over the target at the end: a failed write leaves an earlier file
// intact and no half-written one, and a large export never holds its whole
// output in memory.
template <class Build>
void WriteOutput(const std::string& path, Build build)
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

} // namespace

void ExportCsv(const TExportRequest& request)
{
    WriteOutput(request.OutputPath, [&request](const TOutputDrain& drain) { return BuildCsv(request, drain); });
}

void ExportHtml(const TExportRequest& request)
{
    WriteOutput(request.OutputPath, [&request](const TOutputDrain& drain) { return BuildHtml(request, drain); });
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
