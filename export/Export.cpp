#include "export/Export.h"

#include "export/CsvExport.h"
#include "export/HtmlExport.h"
#include "export/IcsExport.h"
#include "export/OutputFile.h"

namespace orvexp {

void ExportCsv(const TExportRequest& request)
{
    WriteOutputFile(
        request.OutputPath, [&request](const TOutputDrain& drain) { return BuildCsv(request, drain); },
        OutputPreamble(request.Encoding, true), request.Encoding);
}

void ExportHtml(const TExportRequest& request)
{
    WriteOutputFile(
        request.OutputPath, [&request](const TOutputDrain& drain) { return BuildHtml(request, drain); },
        OutputPreamble(request.Encoding, false), request.Encoding);
}

void ExportIcs(const TExportRequest& request)
{
    WriteOutputFile(request.OutputPath, [&request](const TOutputDrain& drain) { return BuildIcs(request, drain); });
}

void RunExport(const TExportRequest& request)
{
    if (IsCsvType(request.ExportType)) {
        ExportCsv(request);
    } else if (IsHtmlType(request.ExportType)) {
        ExportHtml(request);
    } else if (IsIcsType(request.ExportType)) {
        ExportIcs(request);
    }
}

} // namespace orvexp
