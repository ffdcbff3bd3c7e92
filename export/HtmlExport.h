#pragma once
// The HTML writer (the HTML export types): one centred table with a header
// row and a row for every day of the range. Text from the data is written as
// it is, unescaped, unless the request asks for escaping. Every line is
// followed by CR LF.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "export/ExportRequest.h"
#include "export/ExportSources.h"
#include "data/MemoStore.h"
#include "schedule/Alarm.h"

namespace orvexp {

// "#RRGGBB" in upper case from a 0x00BBGGRR colour value; the top byte is ignored.
std::string ColorToHtml(std::int32_t color);

// The line builders, each appending whole lines to the page.
class THtmlPageWriter {
public:
    // The day lists are read, not loaded, by WriteDateCell; they must outlive the writer.
    THtmlPageWriter(std::string& page, TExportType exportType, const THtmlColors& colors, const TMemoStore& memos,
                    const TKyCustomDateEx& days);

    void WriteHtmlHead(TDateTime start, TDateTime end);
    void WriteTableOpen();
    void WriteHeaderRow();
    // The date cell: bold date and weekday, the names of the items matching the
    // day (holidays, then special days, then days off), coloured by weekday alone.
    void WriteDateCell(TDateTime day);
    // One schedule entry as a row of the day's inner table (its time, its text
    // lines), appended to `out`: the rows are made apart from the page.
    void WriteScheduleEntryRow(std::string& out, std::string_view timeText, std::span<const std::string_view> lines) const;
    // The memo cell: "<br>" when the memo is not present, empty when the file has no lines.
    void WriteMemoCell(TDateTime day);
    void WriteTableClose();
    void WriteHtmlTail();

    // Lines written by the day loop itself.
    void WriteLine(std::string_view line);

    // The request's choices; both off give the wizard's bytes.
    bool EscapeDataText = false; // the data's texts with &, <, >, " as references
    bool DeclareUtf8 = false;    // the head declares UTF-8 (the page is converted as it is written)

private:
    std::string& Page;
    TExportType ExportType;
    std::string DateBk, TimeBk, TimeFg, ScheduleBk, ScheduleFg, MemoBk, MemoFg;
    const TMemoStore& Memos;
    const TKyCustomDateEx& Days;
    std::vector<std::string> MemoLines; // reused from day to day
    std::vector<TKyDayText> DayNames;   // likewise
};

// The whole page's bytes for the request's HTML type, range and colours.
// Another type gives the empty string. With a drain,
// the output is handed to it day by day once it has grown large; the rest is returned.
std::string BuildHtml(const TExportRequest& request, const TExportSources& sources, const TOutputDrain& drain = {});

} // namespace orvexp
