#include "export/Export.h"

#include "export/CsvExport.h"
#include "export/HtmlExport.h"
#include "export/IcsExport.h"
#include "export/OutputFile.h"

namespace orvexp {

bool ExportCsv(const TExportRequest& request)
{
    return WriteOutputFile(
        request.OutputPath, request.Inputs, [&request](const TOutputDrain& drain) { return BuildCsv(request, drain); },
        OutputPreamble(request.Encoding, true), request.Encoding);
}

bool ExportHtml(const TExportRequest& request)
{
    return WriteOutputFile(
        request.OutputPath, request.Inputs, [&request](const TOutputDrain& drain) { return BuildHtml(request, drain); },
        OutputPreamble(request.Encoding, false), request.Encoding);
}

bool ExportIcs(const TExportRequest& request)
{
    return WriteOutputFile(request.OutputPath, request.Inputs,
                           [&request](const TOutputDrain& drain) { return BuildIcs(request, drain); });
}

bool RunExport(const TExportRequest& request)
{
    if (IsCsvType(request.ExportType)) return ExportCsv(request);
    if (IsHtmlType(request.ExportType)) return ExportHtml(request);
    if (IsIcsType(request.ExportType)) return ExportIcs(request);
    return false;
}

} // namespace orvexp
