#include "export/Export.h"

#include "export/CsvExport.h"
#include "export/HtmlExport.h"
#include "platform/FileSystem.h"

namespace orvexp {

// The output is assembled in memory and written once, through a temporary
// file renamed over the target: a failed write leaves an earlier file intact.

void ExportCsv(const TExportRequest& request)
{
    WriteFileAtomically(request.OutputPath, BuildCsv(request));
}

void ExportHtml(const TExportRequest& request)
{
    WriteFileAtomically(request.OutputPath, BuildHtml(request));
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
