// Painting of TKyOrvanelCalendar: the grid cells of the month styles and the
// rows of the vertical style, into the off-screen image.

#include <algorithm>
#include <cstdlib>

#include "calendar/widget/OrvanelCalendar.h"
#include "calendar/CalendarTexts.h"
#include "calendar/widget/WidgetTexts.h"

namespace orvexp {

namespace {

constexpr int kSingleLine = Qt::TextSingleLine;

std::string Number(unsigned value)
{
    return std::to_string(value);
}

// The comma text of the day texts with its commas replaced and its quotes removed.
std::string DayTextsJoinedBy(const std::string& commaText, std::string_view separator)
{
    // "," and '"' are below 0x40 and so never the second byte of a Shift_JIS character.
    std::string result;
    for (char c : commaText) {
        if (c == '"') continue;
        if (c == ',') result += separator;
        else result += c;
    }
    return result;
}

// The CR LF-terminated lines of a content text; what follows the last CR LF is no line.
std::vector<std::string> TerminatedLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t begin = 0;
    for (std::size_t end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", begin)) {
        lines.push_back(text.substr(begin, end - begin));
        begin = end + 2;
    }
    return lines;
}

} // namespace

QColor TKyOrvanelCalendar::TextColor(const QColor& color, bool neighbor) const
{
    if (!neighbor) return color;
    return ColorToQColor(OrColors(QColorToColor(color), FNeighborColor));
}

void TKyOrvanelCalendar::DrawSign(QPainter& painter, const TRect& rect, const std::string& sign, TKyFont& font,
                                  bool neighbor)
{
    // Signs are drawn whole even where their band is lower than the font's line.
    painter.save();
    painter.setFont(font.Font());
    painter.setPen(TextColor(font.Color(), neighbor));
    painter.drawText(rect.ToQRect(), Qt::AlignLeft | Qt::AlignTop | kSingleLine | Qt::TextDontClip,
                     SjisToQString(sign));
    painter.restore();
}

void TKyOrvanelCalendar::DrawHeaderCell(QPainter& painter, int column, const TRect& rect)
{
    TKyFont& font = Fonts().DayOfWeek();
    FillRect(painter, rect, ColorToQColor(FDayOfWeekBkColor));
    const char* name = sjis::kWeekdayNames[(FStartDayOfWeek + column) % 7];
    DrawSjisText(painter, rect, Qt::AlignCenter | kSingleLine, name, font, font.Color());
    DrawEdge(painter, rect, ekEtched, esBottom);
}

void TKyOrvanelCalendar::DrawCell(int column, int row, const TRect& rect)
{
    QPainter painter(&Canvas());
    if (row == 0) {
        DrawHeaderCell(painter, column, rect);
        return;
    }
    TDateTime date = 0;
    if (!CellDate(column, row, date)) {
        FillRect(painter, rect, ColorToQColor(FNeighborBkColor));
        return;
    }
    const TDateParts parts = DecodeDate(date);
    const auto year = static_cast<std::uint16_t>(parts.Year);
    const auto month = static_cast<std::uint8_t>(parts.Month);
    const auto day = static_cast<std::uint8_t>(parts.Day);

    bool isHoliday = false;
    bool isDayOff = false;
    bool isSpecialDay = false;
    std::string dayTexts;
    DateEx().GetDayTexts(year, month, day, isHoliday, isDayOff, isSpecialDay, dayTexts);

    const bool today = date == DateOf(Now());
    const bool neighbor = IsNeighbor(parts);
    TColor background = neighbor ? FNeighborBkColor : Color();
    if (today) background = TodayBkColor();
    else if (neighbor && !FShowNeighbor) background = FNeighborBkColor;
    else if (isDayOff) background = FDaysOffBkColor;
    else if (isSpecialDay) background = FSpecialDaysBkColor;
    else if (isHoliday) background = FHolidayBkColor;
    FillRect(painter, rect, ColorToQColor(background));

    if (neighbor && !FShowNeighbor) return;
    if (today && !neighbor && TodaySign() == ttsSquare)
        DrawEdge(painter, {rect.Left + 1, rect.Top + 1, rect.Right, rect.Bottom}, ekEtched, esRect);

    if (!FShowRokuyo) {
        if (FCalendarStyle == csMonthly1)
            DrawMonthly1Contents(painter, column, row, rect, parts, dayTexts, today, neighbor);
        else
            DrawMonthly2Contents(painter, column, row, rect, parts, dayTexts, neighbor);
    }

    // The closing lines of the last column and row fall on the client's last
    // pixels rather than past them, so the grid is closed on every side.
    if (ShowGrid())
        FrameRect(painter,
                  {rect.Left, rect.Top, std::min(rect.Right + 1, ClientWidth()), std::min(rect.Bottom + 1, ClientHeight())},
                  ColorToQColor(GridColor()));

    if (date == DateOf(CurrentDate())) {
        FHasSelectedCell = true;
        FSelectedColumn = column;
        FSelectedRow = row;
        DrawEdge(painter, {rect.Left + 1, rect.Top + 1, rect.Right, rect.Bottom}, ekSunken, esRect);
        if (HasFocus()) DrawFocusRect(painter, {rect.Left + 3, rect.Top + 3, rect.Right - 1, rect.Bottom - 1});
    }
}

void TKyOrvanelCalendar::DrawMonthly1Contents(QPainter& painter, int column, int row, const TRect& rect,
                                              const TDateParts& date, const std::string& dayTexts, bool today,
                                              bool neighbor)
{
    TKyFont& font = GetDayFont(static_cast<std::uint16_t>(date.Year), static_cast<std::uint8_t>(date.Month),
                               static_cast<std::uint8_t>(date.Day));
    const int h = std::abs(font.Height());
    const TRect band{rect.Left, rect.Bottom - h - 3, rect.Right, today ? rect.Bottom - 4 : rect.Bottom - 3};
    DrawSjisText(painter, band, Qt::AlignHCenter | Qt::AlignVCenter | kSingleLine, Number(date.Day), font,
                 TextColor(font.Color(), neighbor));

    if (ShowScheduleSign() || ShowMemoSign()) {
        const TMemoScheduleExists& signs = FMemoScheduleExists[static_cast<std::size_t>((row - 1) * 7 + column)];
        const TRect signBand{band.Left + 3, band.Top, band.Right - 3, band.Bottom};
        const int middle = (signBand.Top + signBand.Bottom) / 2;
        TKyFont& scheduleFont = Fonts().ScheduleSign();
        TKyFont& memoFont = Fonts().MemoSign();
        if (ShowScheduleSign() && signs.ScheduleExists)
            DrawSign(painter, {signBand.Left, middle - std::abs(scheduleFont.Height()), signBand.Right, middle},
                     ScheduleSign(), scheduleFont, neighbor);
        if (ShowMemoSign() && signs.MemoExists)
            DrawSign(painter, {signBand.Left, middle, signBand.Right, middle + std::abs(memoFont.Height())}, MemoSign(),
                     memoFont, neighbor);
    }

    const std::string texts = DayTextsJoinedBy(dayTexts, " ");
    if (!texts.empty()) {
        TKyFont& textFont = GetDayTextFont(static_cast<std::uint16_t>(date.Year), static_cast<std::uint8_t>(date.Month),
                                           static_cast<std::uint8_t>(date.Day));
        const TRect textBand{rect.Left + 3, rect.Top + 3, rect.Right - 3,
                             rect.Top + 3 + std::abs(textFont.Height()) + 2};
        const std::string fitted = FitLine(texts, textBand.Width(), MeasureWith(painter, textFont));
        DrawSjisText(painter, textBand, Qt::AlignLeft | Qt::AlignVCenter | kSingleLine, fitted, textFont,
                     TextColor(textFont.Color(), neighbor));
    }
}

void TKyOrvanelCalendar::DrawMonthly2Contents(QPainter& painter, int column, int row, const TRect& rect,
                                              const TDateParts& date, const std::string& dayTexts, bool neighbor)
{
    TKyFont& font = GetDayFont(static_cast<std::uint16_t>(date.Year), static_cast<std::uint8_t>(date.Month),
                               static_cast<std::uint8_t>(date.Day));
    const int h = std::abs(font.Height());
    const std::string label = date.Day == 1 ? Number(date.Month) + "/1" : Number(date.Day);
    const TRect labelBand{rect.Left + 4, rect.Top + 4, rect.Right, rect.Top + h + 6};
    DrawSjisText(painter, labelBand, Qt::AlignLeft | Qt::AlignTop | kSingleLine, label, font,
                 TextColor(font.Color(), neighbor));

    const TMemoScheduleExists& signs = FMemoScheduleExists[static_cast<std::size_t>((row - 1) * 7 + column)];
    const int x = labelBand.Left + TextWidth(painter, font, label) + 2;
    const int middle = (labelBand.Top + labelBand.Bottom) / 2;
    TKyFont& scheduleFont = Fonts().ScheduleSign();
    TKyFont& memoFont = Fonts().MemoSign();
    if (ShowScheduleSign() && signs.ScheduleExists)
        DrawSign(painter, {x, middle - std::abs(scheduleFont.Height()) + 2, rect.Right, middle + 2}, ScheduleSign(),
                 scheduleFont, neighbor);
    if (ShowMemoSign() && signs.MemoExists)
        DrawSign(painter, {x, middle, rect.Right, middle + std::abs(memoFont.Height()) + 2}, MemoSign(), memoFont,
                 neighbor);

    int top = rect.Top + h + 6;
    if (ShowDayText())
        top += DrawDayTextLines(painter, {rect.Left + 6, top, rect.Right, rect.Bottom}, date, dayTexts, neighbor);
    if (FShowDayContentsOnCalendar)
        DrawDayContents(painter, {rect.Left + 4, top, rect.Right - 1, rect.Bottom - 1}, date, neighbor);
}

int TKyOrvanelCalendar::DrawDayTextLines(QPainter& painter, const TRect& band, const TDateParts& date,
                                         const std::string& dayTexts, bool neighbor)
{
    TKyFont& textFont = GetDayTextFont(static_cast<std::uint16_t>(date.Year), static_cast<std::uint8_t>(date.Month),
                                       static_cast<std::uint8_t>(date.Day));
    const std::string texts = DayTextsJoinedBy(dayTexts, "\r\n");
    const int lineCount = std::max<int>(1, static_cast<int>(SplitLines(texts).size()));
    const int lineHeight = std::max(1, TextHeight(painter, textFont));
    const int height = lineCount * lineHeight;
    const std::string fitted = FitText(texts, band.Width(), MeasureWith(painter, textFont));
    // Whole lines only: the band ends after the last line that fits.
    const int wholeLines = std::min(lineCount, std::max(0, band.Bottom - band.Top) / lineHeight);
    DrawSjisText(painter, {band.Left, band.Top, band.Right, band.Top + wholeLines * lineHeight},
                 Qt::AlignLeft | Qt::AlignTop, fitted, textFont, TextColor(textFont.Color(), neighbor));
    return height;
}

void TKyOrvanelCalendar::DrawDayContents(QPainter& painter, const TRect& area, const TDateParts& date, bool neighbor)
{
    TKyDrawDayTextList list;
    DoDrawDayContents(static_cast<std::uint16_t>(date.Year), static_cast<std::uint16_t>(date.Month),
                      static_cast<std::uint16_t>(date.Day), list);
    if (area.Empty()) return;
    TKyFont& font = Fonts().DayContents();
    const int lineHeight = std::max(1, TextHeight(painter, font));
    const TTextMeasure measure = MeasureWith(painter, font);
    painter.save();
    painter.setClipRect(area.ToQRect(), Qt::IntersectClip);
    int top = area.Top;
    for (int i = 0; i < list.Count() && top < area.Bottom; ++i) {
        const TKyDrawDayTextItem& item = list[i];
        if (item.Text.empty()) continue;
        std::vector<std::string> lines = TerminatedLines(item.Text);
        if (FShowOnlyFirstLineOnCalendar && lines.size() > 1) lines.resize(1);
        const QColor color = TextColor(ColorToQColor(item.Color), neighbor);
        for (std::size_t n = 0; n < lines.size(); ++n) {
            const int lineTop = top + static_cast<int>(n) * lineHeight;
            if (lineTop + lineHeight > area.Bottom) break; // whole lines only, never one cut through
            DrawSjisText(painter, {area.Left, lineTop, area.Right, lineTop + lineHeight},
                         Qt::AlignLeft | Qt::AlignTop | kSingleLine, FitLine(lines[n], area.Width(), measure), font,
                         color);
        }
        top += std::max<int>(1, static_cast<int>(lines.size())) * lineHeight;
    }
    painter.restore();
}

void TKyOrvanelCalendar::DrawDayRow(int index, const TRect& rect)
{
    if (KeepCurrentDateVisible()) {
        Redraw();
        FRowsRedrawn = true; // the rows after this one are drawn already
        return;
    }
    QPainter painter(&Canvas());
    const TDateTime date = FStartDate + index;
    const TDateParts parts = DecodeDate(date);
    FillRect(painter, rect, ColorToQColor(FDayContentsBkColor));
    if (parts.Year == 0) return;
    const auto year = static_cast<std::uint16_t>(parts.Year);
    const auto month = static_cast<std::uint8_t>(parts.Month);
    const auto day = static_cast<std::uint8_t>(parts.Day);

    bool isHoliday = false;
    bool isDayOff = false;
    bool isSpecialDay = false;
    std::string dayTexts;
    DateEx().GetDayTexts(year, month, day, isHoliday, isDayOff, isSpecialDay, dayTexts);
    const bool today = DateOf(date) == DateOf(Now());
    const bool selected = DateOf(date) == DateOf(CurrentDate());

    const int columnRight = ClientWidth() / 4;
    const TRect dateColumn{rect.Left, rect.Top + 1, columnRight, rect.Bottom};
    TColor background = Color();
    if (isDayOff) background = FDaysOffBkColor;
    else if (isSpecialDay) background = FSpecialDaysBkColor;
    else if (isHoliday) background = FHolidayBkColor;
    if (today) background = TodayBkColor();
    FillRect(painter, dateColumn, ColorToQColor(background));

    TKyFont& font = GetDayFont(year, month, day);
    const int weekday = DayOfWeek(date) - 1;
    const std::string label = Number(parts.Month) + "/" + Number(parts.Day) + "(" +
                              sjis::kWeekdayNames[std::clamp(weekday, 0, 6)] + ")";
    const int inset = selected ? 4 : 2;
    const TRect labelBand{dateColumn.Left + inset, dateColumn.Top + inset, dateColumn.Right,
                          dateColumn.Top + inset + TextHeight(painter, font)};
    DrawSjisText(painter, labelBand, Qt::AlignLeft | Qt::AlignTop | kSingleLine, label, font, font.Color());

    bool scheduleExists = false;
    bool memoExists = false;
    DoDrawScheduleSign(year, month, day, scheduleExists, memoExists);
    const int x = rect.Left + TextWidth(painter, font, label) + 5;
    TKyFont& scheduleFont = Fonts().ScheduleSign();
    const int scheduleHeight = TextHeight(painter, scheduleFont);
    if (ShowScheduleSign() && scheduleExists)
        DrawSign(painter, {x, labelBand.Top, dateColumn.Right, labelBand.Top + scheduleHeight}, ScheduleSign(),
                 scheduleFont, false);
    if (ShowMemoSign() && memoExists)
        DrawSign(painter, {x, labelBand.Top + scheduleHeight, dateColumn.Right, labelBand.Bottom + scheduleHeight},
                 MemoSign(), Fonts().MemoSign(), false);

    DrawDayTextLines(painter, {labelBand.Left, labelBand.Bottom, dateColumn.Right, dateColumn.Bottom}, parts,
                     dayTexts, false);

    const TRect contentsArea{columnRight, rect.Top, rect.Right, rect.Bottom};
    DrawDayContents(painter, selected ? contentsArea.Inflated(-4, -4) : contentsArea.Inflated(-2, -1), parts, false);

    if (today && TodaySign() == ttsSquare) DrawEdge(painter, rect, ekEtched, esRect);
    if (ShowGrid()) {
        const QColor grid = ColorToQColor(GridColor());
        FillRect(painter, {rect.Left, rect.Bottom - 1, columnRight, rect.Bottom}, grid);
        FillRect(painter, {columnRight - 1, rect.Top, columnRight, rect.Bottom}, grid);
        FillRect(painter, {columnRight, rect.Bottom - 1, rect.Right, rect.Bottom}, grid);
        DrawEdge(painter, dateColumn, ekEtched, esRect);
    }
    if (selected) {
        DrawEdge(painter, dateColumn, ekSunken, esRect);
        DrawEdge(painter, contentsArea, ekSunken, esRect);
        if (HasFocus()) DrawFocusRect(painter, contentsArea.Inflated(-2, -2));
    }
}

} // namespace orvexp
