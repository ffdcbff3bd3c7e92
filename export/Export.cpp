#include "export/Export.h"

#include "export/CsvExport.h"
#include "export/HtmlExport.h"
#include "export/IcsComposer.h"
#include "export/IcsExport.h"
#include "export/OutputFile.h"

namespace orvexp {

bool ExportCsv(const TExportRequest& request)
{
    return WriteOutputFile(
        request.OutputPath, [&request](const TOutputDrain& drain) { return BuildCsv(request, drain); },
        OutputPreamble(request.Encoding, true), request.Encoding);
}

bool ExportHtml(const TExportRequest& request)
{
    return WriteOutputFile(
        request.OutputPath, [&request](const TOutputDrain& drain) { return BuildHtml(request, drain); },
        OutputPreamble(request.Encoding, false), request.Encoding);
}

bool ExportIcs(const TExportRequest& request)
{
    TIcsInput input;
    input.StartDate = request.StartDate;
    input.EndDate = request.EndDate;
    input.Schedule = request.Schedule;
    input.Memos = request.Memos;
    if (request.WithDays) {
        input.Holidays = request.Holidays;
        input.SpecialDays = request.SpecialDays;
        input.DaysOff = request.DaysOff;
    }
    input.Options.TimeZone = request.TimeZone;
    input.Options.WithDays = request.WithDays;
    input.Options.StampSeconds = request.StampSeconds;
    input.OnProgress = request.OnProgress;
    // The zone is looked up before the temporary file is made, so an unknown
    // one leaves nothing behind.
    if (!request.TimeZone.empty() && !IsKnownIcsTimeZone(request.TimeZone)) throw EIcsTimeZoneError(request.TimeZone);
    return WriteOutputFile(request.OutputPath, [&input](const TOutputDrain& drain) { return BuildIcs(input, drain); });
}

bool RunExport(const TExportRequest& request)
{
    if (IsCsvType(request.ExportType)) return ExportCsv(request);
    if (IsHtmlType(request.ExportType)) return ExportHtml(request);
    if (IsIcsType(request.ExportType)) return ExportIcs(request);
    return false;
}

} // namespace orvexp
