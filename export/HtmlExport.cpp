#include "export/HtmlExport.h"

#include <cstdio>

#include "calendar/DayItem.h"
#include "calendar/DayMatching.h"
#include "export/ExportDays.h"
#include "calendar/CalendarTexts.h"
#include "export/ExportTexts.h"
#include "export/HtmlEscape.h"
#include "schedule/AlarmOccurrence.h"
#include "schedule/PreviewList.h"

namespace orvexp {

namespace {

constexpr std::string_view kScheduleCellOpen5 =
    R"(<td width="40%" valign="top"><table border="0" cellspacing="3" cellpadding="0" width="100%">)";
constexpr std::string_view kScheduleCellOpen3 =
    R"(<td width="80%" valign="top"><table border="0" cellspacing="3" cellpadding="0" width="100%">)";

const char* TitleSuffix(TExportType exportType)
{
    if (!HasMemos(exportType)) return sjis::kScheduleSuffix;
    if (!HasSchedules(exportType)) return sjis::kMemoSuffix;
    return sjis::kScheduleAndMemoSuffix;
}

} // namespace

std::string ColorToHtml(std::int32_t color)
{
    const auto value = static_cast<std::uint32_t>(color);
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", value & 0xFFu, (value >> 8) & 0xFFu, (value >> 16) & 0xFFu);
    return text;
}

THtmlPageWriter::THtmlPageWriter(std::string& page, TExportType exportType, const THtmlColors& colors,
                                 const TMemoStore& memos, const TKyCustomDateEx& days)
    : Page(page),
      ExportType(exportType),
      DateBk(ColorToHtml(colors.DateBkColor)),
      TimeBk(ColorToHtml(colors.TimeBkColor)),
      TimeFg(ColorToHtml(colors.TimeColor)),
      ScheduleBk(ColorToHtml(colors.ScheduleBkColor)),
      ScheduleFg(ColorToHtml(colors.ScheduleColor)),
      MemoBk(ColorToHtml(colors.MemoBkColor)),
      MemoFg(ColorToHtml(colors.MemoColor)),
      Memos(memos),
      Days(days)
{
}

void THtmlPageWriter::WriteLine(std::string_view line)
{
    Page += line;
    Page += "\r\n";
}

void THtmlPageWriter::WriteHtmlHead(TDateTime start, TDateTime end)
{
    WriteLine("<html>");
    WriteLine("<head>");
    WriteLine(DeclareUtf8 ? R"(<meta http-equiv="Content-Type" content="text/html; charset=utf-8">)"
                          : R"(<meta http-equiv="Content-Type" content="text/html; charset=x-sjis">)");
    Page += "<title>";
    Page += FormatDateText(start);
    Page += ' ';
    Page += sjis::kWaveDash;
    Page += ' ';
    Page += FormatDateText(end);
    Page += TitleSuffix(ExportType);
    WriteLine("</title>");
    WriteLine("</head>");
    WriteLine("<body>");
    WriteLine("");
}

void THtmlPageWriter::WriteTableOpen()
{
    WriteLine(R"(<div align="center"><center>)");
    WriteLine(R"(<table border="1" width="95%">)");
}

void THtmlPageWriter::WriteHeaderRow()
{
    const auto headerCell = [this](std::string_view width, const char* caption) {
        Page += R"(<th width=")";
        Page += width;
        Page += R"(" bgcolor=")";
        Page += DateBk;
        Page += R"(">)";
        Page += caption;
        WriteLine("</th>");
    };
    WriteLine("<tr>");
    headerCell("20%", sjis::kDateCaption);
    const bool schedules = HasSchedules(ExportType);
    const bool memos = HasMemos(ExportType);
    if (schedules && memos) {
        headerCell("40%", sjis::kScheduleCaption);
        headerCell("40%", sjis::kMemoCaption);
    } else if (memos) {
        headerCell("80%", sjis::kMemoCaption);
    } else {
        headerCell("80%", sjis::kScheduleCaption);
    }
    WriteLine("</tr>");
}

void THtmlPageWriter::WriteDateCell(TDateTime day)
{
    const int weekday = DayOfWeek(day);
    Page += R"(<td width="20%" valign="top" bgcolor=")";
    Page += DateBk;
    Page += R"(">)";
    // The colour follows the weekday alone, whatever the day items say.
    Page += weekday == 1 ? R"(<font color="#FF0000">)" : weekday == 7 ? R"(<font color="#0000FF">)" : R"(<font color="#000000">)";
    Page += "<b>";
    Page += FormatDateText(day);
    Page += '(';
    if (weekday >= 1 && weekday <= 7) Page += sjis::kWeekdayNames[weekday - 1];
    Page += ')';
    Page += "<br>";
    Days.DayItemTextsOf(day, DayNames);
    for (const TKyDayText& name : DayNames) {
        AppendHtmlText(Page, *name.Text, EscapeDataText);
        Page += "<br>";
    }
    Page += "</b>";
    Page += "</font>";
    WriteLine("</td>");
}

void THtmlPageWriter::WriteScheduleEntryRow(std::string& out, std::string_view timeText,
                                            std::span<const std::string_view> lines) const
{
    out += "<tr>\r\n";
    out += R"(<td width="10%" valign="top" bgcolor=")";
    out += TimeBk;
    out += R"(" nowrap align="left"><font color=")";
    out += TimeFg;
    out += R"(">)";
    out += timeText;
    out += "</font></td>\r\n";
    out += R"(<td width="90%" valign="top" bgcolor=")";
    out += ScheduleBk;
    out += R"(" align="left"><font color=")";
    out += ScheduleFg;
    out += R"(">)";
    // Each line in turn; a text that then ends with LF loses its last two
    // bytes (the line break stored with it), and lines of a several-line
    // entry are each followed by <br>.
    const std::size_t textStart = out.size();
    const bool severalLines = lines.size() > 1;
    for (const std::string_view line : lines) {
        // Escaped, the line break is taken off before the text is, so that the
        // two bytes cut are the line break and not part of a reference.
        const bool cutFirst = EscapeDataText && line.size() >= 2 && line.back() == '\n';
        AppendHtmlText(out, cutFirst ? line.substr(0, line.size() - 2) : line, EscapeDataText);
        if (out.size() > textStart && out.back() == '\n') {
            const std::size_t textLength = out.size() - textStart;
            out.resize(textStart + (textLength >= 2 ? textLength - 2 : 0));
        }
        if (severalLines) out += "<br>";
    }
    out += "</font></td>\r\n";
    out += "</tr>\r\n";
}

void THtmlPageWriter::WriteMemoCell(TDateTime day)
{
    Page += HasSchedules(ExportType) ? R"(<td width="40%" valign="top" align="left" bgcolor=")"
                            : R"(<td width="80%" valign="top" align="left" bgcolor=")";
    Page += MemoBk;
    Page += R"("><font color=")";
    Page += MemoFg;
    Page += R"(">)";
    if (!Memos.ReadMemoLines(day, MemoLines)) {
        Page += "<br>";
    } else {
        const bool severalLines = MemoLines.size() > 1;
        for (const std::string& line : MemoLines) {
            AppendHtmlText(Page, line, EscapeDataText);
            if (severalLines) Page += "<br>";
        }
    }
    WriteLine("</font></td>");
}

void THtmlPageWriter::WriteTableClose()
{
    WriteLine("</table>");
    WriteLine("</center></div>");
}

void THtmlPageWriter::WriteHtmlTail()
{
    WriteLine("</body>");
    WriteLine("</html>");
}

std::string BuildHtml(const TExportRequest& request, const TExportSources& sources, const TOutputDrain& drain)
{
    std::string page;
    const TExportType type = request.ExportType;
    if (!IsHtmlType(type)) return page;
    const bool schedules = HasSchedules(type);
    const bool memos = HasMemos(type);
    if (drain) page.reserve(2 * kOutputDrainSize);

    const TScheduleDigest& schedule = sources.Schedule();
    THtmlPageWriter writer(page, type, request.Html.Colors, sources.Memos(), sources.Days());
    writer.EscapeDataText = request.Html.EscapeHtml;
    writer.DeclareUtf8 = request.Encoding == oeUtf8;
    writer.WriteHtmlHead(request.StartDate, request.EndDate);
    writer.WriteTableOpen();
    writer.WriteHeaderRow();

    const TExportDays days(request.StartDate, request.EndDate);
    TPreviewList preview(schedule);
    const int total = days.Count();
    for (TDayNumber d = days.First; d <= days.Last; ++d) {
        const TDateTime day = DateTimeOfDay(d);
        writer.WriteLine("<tr>");
        writer.WriteDateCell(day);
        if (schedules) {
            writer.WriteLine(memos ? kScheduleCellOpen5 : kScheduleCellOpen3);
            for (const int position : preview.FillPositions(day)) {
                const TEntryDigest& entry = schedule[position];
                writer.WriteScheduleEntryRow(page, AlarmTimeText(entry.Kind, entry.Hour, entry.Minute),
                                             schedule.Lines(entry));
            }
            writer.WriteLine("</table>");
            // Without memos the schedule cell stays open: the row's </tr> ends it.
            if (memos) writer.WriteLine("</td>");
        }
        if (memos) writer.WriteMemoCell(day);
        writer.WriteLine("</tr>");
        if (drain && page.size() >= kOutputDrainSize) drain(page);
        if (request.OnProgress) request.OnProgress(static_cast<int>(d - days.First + 1), total);
    }

    writer.WriteTableClose();
    writer.WriteHtmlTail();
    return page;
}

} // namespace orvexp
