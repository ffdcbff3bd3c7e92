#include "export/Export.h"

#include "export/CsvExport.h"
#include "export/HtmlExport.h"
#include "export/OutputFile.h"

namespace orvexp {

void ExportCsv(const TExportRequest& request)
{
    WriteOutputFile(request.OutputPath, [&request](const TOutputDrain& drain) { return BuildCsv(request, drain); });
}

void ExportHtml(const TExportRequest& request)
{
    WriteOutputFile(request.OutputPath, [&request](const TOutputDrain& drain) { return BuildHtml(request, drain); });
}

void RunExport(const TExportRequest& request)
{
    if (request.ExportType <= 2) {
        ExportCsv(request);
    } else if (request.ExportType <= 5) {
        ExportHtml(request);
    }
}

} // namespace orvexp
