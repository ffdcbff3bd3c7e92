#include "export/Export.h"

#include "export/CsvExport.h"
#include "export/HtmlExport.h"
#include "export/IcsExport.h"
#include "export/OutputFile.h"

namespace orvexp {

bool ExportCsv(const TExportRequest& request, const TExportSources& sources)
{
    return WriteOutputFile(
        request.OutputPath, sources.Inputs(),
        [&](const TOutputDrain& drain) { return BuildCsv(request, sources, drain); },
        OutputPreamble(request.Encoding, true), request.Encoding == oeUtf8);
}

bool ExportHtml(const TExportRequest& request, const TExportSources& sources)
{
    return WriteOutputFile(
        request.OutputPath, sources.Inputs(),
        [&](const TOutputDrain& drain) { return BuildHtml(request, sources, drain); },
        OutputPreamble(request.Encoding, false), request.Encoding == oeUtf8);
}

bool ExportIcs(const TExportRequest& request, const TExportSources& sources)
{
    return WriteOutputFile(request.OutputPath, sources.Inputs(),
                           [&](const TOutputDrain& drain) { return BuildIcs(request, sources, drain); });
}

bool RunExport(const TExportRequest& request, const TExportSources& sources)
{
    if (IsCsvType(request.ExportType)) return ExportCsv(request, sources);
    if (IsHtmlType(request.ExportType)) return ExportHtml(request, sources);
    return ExportIcs(request, sources);
}

} // namespace orvexp
