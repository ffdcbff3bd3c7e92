#pragma once
// TKyOrvanelCalendar: the schedule calendar in three styles - two month grids
// (csMonthly1: day numbers with signs; csMonthly2: labels, day texts and the
// owner's day contents) and a vertical list of days (csVertical1) - with its
// geometry, painting and keyboard and mouse navigation.

#include <cstdint>
#include <string>

#include "calendar/widget/CalendarCanvas.h"
#include "calendar/widget/CustomOrvanelCalendar.h"

class QKeyEvent;
class QMouseEvent;

namespace orvexp {

enum TKyOrvanelCalendarStyle : std::uint8_t { csMonthly1, csMonthly2, csVertical1 };

class TKyOrvanelCalendar : public TKyCustomOrvanelCalendar {
    Q_OBJECT

public:
    explicit TKyOrvanelCalendar(QWidget* parent = nullptr);

    TKyOrvanelCalendarStyle CalendarStyle() const { return FCalendarStyle; }
    void SetCalendarStyle(TKyOrvanelCalendarStyle value);
    TKyDayOfWeek StartDayOfWeek() const { return FStartDayOfWeek; }
    // Also recomputes FirstDate, LastDate and the signs for the new grid.
    void SetStartDayOfWeek(TKyDayOfWeek value);
    bool FirstRowFirstDay() const { return FFirstRowFirstDay; }
    // Moves every date of the grid by a week in some months, so it also
    // recomputes FirstDate, LastDate and the signs.
    void SetFirstRowFirstDay(bool value);
    bool LastRowLastDay() const { return FLastRowLastDay; }
    void SetLastRowLastDay(bool value);
    bool ShowNeighbor() const { return FShowNeighbor; }
    void SetShowNeighbor(bool value);
    TColor NeighborColor() const { return FNeighborColor; }
    void SetNeighborColor(TColor value);
    TColor NeighborBkColor() const { return FNeighborBkColor; }
    void SetNeighborBkColor(TColor value);
    bool NeighborJump() const { return FNeighborJump; }
    void SetNeighborJump(bool value) { FNeighborJump = value; }
    TColor DayOfWeekBkColor() const { return FDayOfWeekBkColor; }
    void SetDayOfWeekBkColor(TColor value);
    TColor HolidayBkColor() const { return FHolidayBkColor; }
    void SetHolidayBkColor(TColor value);
    TColor DaysOffBkColor() const { return FDaysOffBkColor; }
    void SetDaysOffBkColor(TColor value);
    TColor SpecialDaysBkColor() const { return FSpecialDaysBkColor; }
    void SetSpecialDaysBkColor(TColor value);
    bool ShowRokuyo() const { return FShowRokuyo; }
    void SetShowRokuyo(bool value);
    bool ShowDayContentsOnCalendar() const { return FShowDayContentsOnCalendar; }
    void SetShowDayContentsOnCalendar(bool value);
    bool ShowOnlyFirstLineOnCalendar() const { return FShowOnlyFirstLineOnCalendar; }
    void SetShowOnlyFirstLineOnCalendar(bool value);
    TColor DayContentsBkColor() const { return FDayContentsBkColor; }
    void SetDayContentsBkColor(TColor value);
    TDateTime StartDate() const { return FStartDate; }
    void SetStartDate(TDateTime value);
    int DaysToShow() const { return FDaysToShow; }
    // Values <= 0 are refused.
    void SetDaysToShow(int value);
    TDateTime FirstDate() const { return FFirstDate; }
    void SetFirstDate(TDateTime value) { FFirstDate = value; }
    TDateTime LastDate() const { return FLastDate; }
    void SetLastDate(TDateTime value) { FLastDate = value; }
    bool AutoResize() const { return FAutoResize; }
    void SetAutoResize(bool value);

    // Month-grid geometry: 7 columns, row 0 the weekday header, rows 1-6 the days.
    // |height of the DayOfWeek font| + 2.
    int HeaderHeight() const;
    // The date of a day cell (row 1-6, column 0-6); false for row 0 and
    // outside the grid.
    bool CellDate(int column, int row, TDateTime& date) const;
    TRect CellRect(int column, int row) const;
    // The cell under a client point; false beside or below the grid. A point
    // right of the last full column counts to column 6.
    bool CellAtPoint(int x, int y, int& column, int& row) const;
    // Row `index` of csVertical1.
    TRect DayRowRect(int index) const;
    // The cell drawn selected last; false when none is.
    bool SelectedCell(int& column, int& row) const;

    // Paint one grid cell or one vertical-style row into the off-screen image.
    void DrawCell(int column, int row, const TRect& rect);
    void DrawDayRow(int index, const TRect& rect);

protected:
    void DrawCalendar() override;
    // Fills FirstDate and LastDate from the new grid before the event and the signs.
    void DoYearMonthChange(std::uint16_t year, std::uint16_t month, std::uint16_t day) override;
    // After the event, redraws the cells of the old and new date (month
    // styles) or everything (csVertical1).
    void DoDayChange(std::uint16_t year, std::uint16_t month, std::uint16_t day) override;

    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    template <typename T> void Store(T& field, const T& value)
    {
        if (field == value) return;
        field = value;
        Redraw();
    }
    void MonthChanged();
    bool KeepCurrentDateVisible();
    bool IsNeighbor(const TDateParts& parts) const;
    QColor TextColor(const QColor& color, bool neighbor) const;

    void DrawHeaderCell(QPainter& painter, int column, const TRect& rect);
    void DrawMonthly1Contents(QPainter& painter, int column, int row, const TRect& rect, const TDateParts& date,
                              const std::string& dayTexts, bool today, bool neighbor);
    void DrawMonthly2Contents(QPainter& painter, int column, int row, const TRect& rect, const TDateParts& date,
                              const std::string& dayTexts, bool neighbor);
    // The day texts as lines from `top` down; returns the height used (at least one line).
    int DrawDayTextLines(QPainter& painter, const TRect& band, const TDateParts& date, const std::string& dayTexts,
                         bool neighbor);
    void DrawDayContents(QPainter& painter, const TRect& area, const TDateParts& date, bool neighbor);
    void DrawSign(QPainter& painter, const TRect& rect, const std::string& sign, TKyFont& font, bool neighbor);

    TKyOrvanelCalendarStyle FCalendarStyle = csMonthly2;
    TKyDayOfWeek FStartDayOfWeek = kydwSunday;
    bool FFirstRowFirstDay = false;
    bool FLastRowLastDay = false;
    bool FShowNeighbor = true;
    TColor FNeighborColor = clGray;
    TColor FNeighborBkColor = clSilver;
    bool FNeighborJump = true;
    TColor FDayOfWeekBkColor = clBlack;
    TColor FHolidayBkColor = 15790335;
    TColor FDaysOffBkColor = 15790335;
    TColor FSpecialDaysBkColor = 15790335;
    bool FShowRokuyo = false;
    bool FShowDayContentsOnCalendar = true;
    bool FShowOnlyFirstLineOnCalendar = false;
    TColor FDayContentsBkColor = clInfoBk;
    TDateTime FStartDate = 0;
    int FDaysToShow = 7;
    TDateTime FFirstDate = 0;
    TDateTime FLastDate = 0;
    bool FAutoResize = true;

    bool FRowsRedrawn = false; // a row moved StartDate and had everything drawn anew
    bool FHasSelectedCell = false;
    int FSelectedColumn = 0;
    int FSelectedRow = 0;
};

} // namespace orvexp
