#include "calendar/widget/OrvanelCalendar.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include <QKeyEvent>
#include <QMouseEvent>

#include "calendar/DayMatching.h"

namespace orvexp {

TKyOrvanelCalendar::TKyOrvanelCalendar(QWidget* parent) : TKyCustomOrvanelCalendar(parent)
{
    SetColor(clInfoBk);
    SetGridColor(cl3DDkShadow);
    SetShowDayText(true);
    SetShowGrid(true);
    TKyFont& dayOfWeek = Fonts().DayOfWeek();
    dayOfWeek.SetStyle({fsBold});
    dayOfWeek.SetColor(Qt::white);

    SetCurrentDate(Now());
    FStartDate = Now();
    DoYearMonthChange(Year(), Month(), Day());
    DoSetupScheduleSign(FMemoScheduleExists);
    Redraw();
}

void TKyOrvanelCalendar::SetCalendarStyle(TKyOrvanelCalendarStyle value)
{
    Store(FCalendarStyle, value);
}

void TKyOrvanelCalendar::MonthChanged()
{
    DoYearMonthChange(Year(), Month(), Day());
    Redraw();
}

void TKyOrvanelCalendar::SetStartDayOfWeek(TKyDayOfWeek value)
{
    if (value == FStartDayOfWeek) return;
    FStartDayOfWeek = value;
    MonthChanged();
}

void TKyOrvanelCalendar::SetFirstRowFirstDay(bool value)
{
    if (value == FFirstRowFirstDay) return;
    FFirstRowFirstDay = value;
    MonthChanged();
}

void TKyOrvanelCalendar::SetLastRowLastDay(bool value)
{
    Store(FLastRowLastDay, value);
}

void TKyOrvanelCalendar::SetShowNeighbor(bool value)
{
    Store(FShowNeighbor, value);
}

void TKyOrvanelCalendar::SetNeighborColor(TColor value)
{
    Store(FNeighborColor, value);
}

void TKyOrvanelCalendar::SetNeighborBkColor(TColor value)
{
    Store(FNeighborBkColor, value);
}

void TKyOrvanelCalendar::SetDayOfWeekBkColor(TColor value)
{
    Store(FDayOfWeekBkColor, value);
}

void TKyOrvanelCalendar::SetHolidayBkColor(TColor value)
{
    Store(FHolidayBkColor, value);
}

void TKyOrvanelCalendar::SetDaysOffBkColor(TColor value)
{
    Store(FDaysOffBkColor, value);
}

void TKyOrvanelCalendar::SetSpecialDaysBkColor(TColor value)
{
    Store(FSpecialDaysBkColor, value);
}

void TKyOrvanelCalendar::SetShowRokuyo(bool value)
{
    Store(FShowRokuyo, value);
}

void TKyOrvanelCalendar::SetShowDayContentsOnCalendar(bool value)
{
    Store(FShowDayContentsOnCalendar, value);
}

void TKyOrvanelCalendar::SetShowOnlyFirstLineOnCalendar(bool value)
{
    Store(FShowOnlyFirstLineOnCalendar, value);
}

void TKyOrvanelCalendar::SetDayContentsBkColor(TColor value)
{
    Store(FDayContentsBkColor, value);
}

void TKyOrvanelCalendar::SetStartDate(TDateTime value)
{
    Store(FStartDate, value);
}

void TKyOrvanelCalendar::SetDaysToShow(int value)
{
    if (value <= 0) return;
    Store(FDaysToShow, value);
}

void TKyOrvanelCalendar::SetAutoResize(bool value)
{
    FAutoResize = value;
    update();
}

int TKyOrvanelCalendar::HeaderHeight() const
{
    return std::abs(Fonts().GetFont(cfDayOfWeek).Height()) + 2;
}

TRect TKyOrvanelCalendar::CellRect(int column, int row) const
{
    const double width = ClientWidth();
    const double height = ClientHeight();
    const int h0 = HeaderHeight();
    TRect rect;
    rect.Left = static_cast<int>(std::trunc(width * column / 7));
    rect.Right = static_cast<int>(std::trunc(width * (column + 1) / 7));
    if (row == 0) {
        rect.Top = 0;
        rect.Bottom = h0;
    } else {
        rect.Top = static_cast<int>(std::trunc(h0 + (height - h0) * (row - 1) / 6));
        rect.Bottom = static_cast<int>(std::trunc(h0 + (height - h0) * row / 6));
    }
    return rect;
}

bool TKyOrvanelCalendar::CellAtPoint(int x, int y, int& column, int& row) const
{
    const int columnWidth = ClientWidth() / 7;
    if (columnWidth <= 0 || x < 0 || y < 0) return false;
    // The columns' integer width leaves a few pixels at the right edge: they belong to the last column.
    column = std::min(x / columnWidth, 6);
    const int h0 = HeaderHeight();
    if (y <= h0) {
        row = 0;
        return true;
    }
    const int rowHeight = (ClientHeight() - h0) / 6;
    if (rowHeight <= 0) return false;
    const int k = (y - h0) / rowHeight + 1;
    if (k > 6) return false;
    row = k;
    return true;
}

bool TKyOrvanelCalendar::CellDate(int column, int row, TDateTime& date) const
{
    if (row < 1 || row > 6 || column < 0 || column > 6) return false;
    const TKyDateEx& calculator = DateEx();
    const TDateTime current = CurrentDate();
    const int w1 = calculator.FirstWeekdayOfMonthOf(current);
    if (w1 < 0) return false;
    const int s = FStartDayOfWeek;
    int n = w1 < s ? s - w1 - 7 : s - w1;
    n = n + column + 7 * row - 6;
    if (w1 == s && !FFirstRowFirstDay) n -= 7;

    const int year = Year();
    const int month = Month();
    const int length = calculator.DaysInMonthOf(current);
    if (n >= 1 && n <= length) return TryEncodeDate(year, static_cast<unsigned>(month), static_cast<unsigned>(n), date);
    if (n > length) {
        const int nextYear = month == 12 ? year + 1 : year;
        const int nextMonth = month == 12 ? 1 : month + 1;
        return TryEncodeDate(nextYear, static_cast<unsigned>(nextMonth), static_cast<unsigned>(n - length), date);
    }
    const int prevYear = month == 1 ? year - 1 : year;
    const int prevMonth = month == 1 ? 12 : month - 1;
    const int prevLength = DaysInMonth(prevYear, prevMonth);
    return TryEncodeDate(prevYear, static_cast<unsigned>(prevMonth), static_cast<unsigned>(n + prevLength), date);
}

TRect TKyOrvanelCalendar::DayRowRect(int index) const
{
    const double height = ClientHeight();
    return {0, static_cast<int>(std::trunc(index * height / FDaysToShow)), ClientWidth(),
            static_cast<int>(std::trunc((index + 1) * height / FDaysToShow))};
}

bool TKyOrvanelCalendar::SelectedCell(int& column, int& row) const
{
    if (!FHasSelectedCell) return false;
    column = FSelectedColumn;
    row = FSelectedRow;
    return true;
}

bool TKyOrvanelCalendar::IsNeighbor(const TDateParts& parts) const
{
    return parts.Year != Year() || parts.Month != Month();
}

bool TKyOrvanelCalendar::KeepCurrentDateVisible()
{
    const TDateTime current = CurrentDate();
    if (DateOf(FStartDate + FDaysToShow - 1) < DateOf(current)) {
        FStartDate = current - FDaysToShow + 1;
        return true;
    }
    if (DateOf(current) < DateOf(FStartDate)) {
        FStartDate = current;
        return true;
    }
    return false;
}

void TKyOrvanelCalendar::DrawCalendar()
{
    Canvas();
    FHasSelectedCell = false;
    if (FCalendarStyle == csVertical1) {
        FRowsRedrawn = false;
        for (int index = 0; index < FDaysToShow && !FRowsRedrawn; ++index) DrawDayRow(index, DayRowRect(index));
        FRowsRedrawn = false;
        return;
    }
    for (int row = 0; row <= 6; ++row) {
        for (int column = 0; column <= 6; ++column) DrawCell(column, row, CellRect(column, row));
    }
}

void TKyOrvanelCalendar::DoYearMonthChange(std::uint16_t year, std::uint16_t month, std::uint16_t day)
{
    TDateTime date = 0;
    if (CellDate(0, 1, date)) FFirstDate = date;
    if (CellDate(6, 6, date)) FLastDate = date;
    TKyCustomOrvanelCalendar::DoYearMonthChange(year, month, day);
}

void TKyOrvanelCalendar::DoDayChange(std::uint16_t year, std::uint16_t month, std::uint16_t day)
{
    TKyCustomOrvanelCalendar::DoDayChange(year, month, day);
    if (FCalendarStyle == csVertical1 || DrawingDeferred()) {
        Redraw();
        return;
    }
    TBusyScope busy(*this);
    int column = 0;
    int row = 0;
    if (SelectedCell(column, row)) {
        FHasSelectedCell = false;
        DrawCell(column, row, CellRect(column, row));
    }
    const TDateTime current = DateOf(CurrentDate());
    for (row = 1; row <= 6; ++row) {
        for (column = 0; column <= 6; ++column) {
            TDateTime date = 0;
            if (CellDate(column, row, date) && date == current) {
                DrawCell(column, row, CellRect(column, row));
                update();
                return;
            }
        }
    }
    update();
}

void TKyOrvanelCalendar::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    if (Busy()) return;
    {
        TBusyScope busy(*this);
        const QPoint point = event->position().toPoint() - contentsRect().topLeft();
        if (FCalendarStyle == csVertical1) {
            const int height = ClientHeight();
            if (height > 0) {
                // A press on the frame below the last row still means the last row.
                const int index = std::clamp(
                    static_cast<int>(std::trunc(static_cast<double>(point.y()) * FDaysToShow / height)), 0,
                    FDaysToShow - 1);
                MoveTo(FStartDate + index);
            }
        } else {
            int column = 0;
            int row = 0;
            TDateTime date = 0;
            if (CellAtPoint(point.x(), point.y(), column, row) && row >= 1 && CellDate(column, row, date) &&
                (FNeighborJump || !IsNeighbor(DecodeDate(date))))
                SetCurrentDate(date);
        }
    }
    if (focusPolicy() & Qt::ClickFocus) setFocus(Qt::MouseFocusReason);
    update();
}

void TKyOrvanelCalendar::keyPressEvent(QKeyEvent* event)
{
    if (Busy()) return;
    bool handled = true;
    if (FCalendarStyle == csVertical1) {
        switch (event->key()) {
        case Qt::Key_Up: PrevDay(); break;
        case Qt::Key_Down: NextDay(); break;
        case Qt::Key_PageUp: PrevWeek(); break;
        case Qt::Key_PageDown: NextWeek(); break;
        default: handled = false; break;
        }
    } else {
        switch (event->key()) {
        case Qt::Key_Right: NextDay(); break;
        case Qt::Key_Left: PrevDay(); break;
        case Qt::Key_Up: MoveTo(CurrentDate() - 7); break;
        case Qt::Key_Down: MoveTo(CurrentDate() + 7); break;
        case Qt::Key_PageUp: PrevMonth(); break;
        case Qt::Key_PageDown: NextMonth(); break;
        default: handled = false; break;
        }
    }
    if (handled) event->accept();
    else TKyCustomOrvanelCalendar::keyPressEvent(event);
    if (focusPolicy() & Qt::TabFocus) setFocus(Qt::OtherFocusReason);
}

} // namespace orvexp
