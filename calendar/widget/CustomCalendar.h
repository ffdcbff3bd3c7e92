#pragma once
// TKyCustomCalendar: the base of the calendar control. It holds the current
// date and announces its changes, owns the holiday calculator (and with it the
// holiday, special-day and day-off lists) and the font set, and draws into an
// off-screen image that painting copies to the window.

#include <cstdint>
#include <functional>
#include <memory>

#include <QFrame>
#include <QImage>

#include "calendar/DateEx.h"
#include "calendar/widget/CalendarFonts.h"
#include "calendar/widget/WinColors.h"
#include "platform/DateTime.h"

namespace orvexp {

// The local date and time now.
TDateTime LocalNow();

class TKyCustomCalendar : public QFrame {
    Q_OBJECT

public:
    using TDayChangeEvent =
        std::function<void(TKyCustomCalendar& sender, std::uint16_t year, std::uint16_t month, std::uint16_t day)>;
    using TBeforeDayChangeEvent = std::function<void(TKyCustomCalendar& sender)>;
    using TYearMonthChangeEvent = TDayChangeEvent;
    using TMouseEnterEvent = std::function<void(TKyCustomCalendar& sender)>;
    using TMouseLeaveEvent = std::function<void(TKyCustomCalendar& sender)>;

    // 320 x 160 with a sunken edge, a tab stop, the calculator with both
    // automatic rules on, and the current local date and time selected.
    explicit TKyCustomCalendar(QWidget* parent = nullptr);
    ~TKyCustomCalendar() override;

    TDayChangeEvent OnDayChange;
    // Before every attempt to change the date, also one that changes nothing.
    TBeforeDayChangeEvent OnBeforeDayCahnge;
    TYearMonthChangeEvent OnYearMonthChange;
    TMouseEnterEvent OnMouseEnter;
    TMouseLeaveEvent OnMouseLeave;

    // Where "today" comes from; the local clock when not assigned.
    std::function<TDateTime()> Clock;
    TDateTime Now() const;

    TDateTime CurrentDate() const { return FCurrentDate; }
    // The change protocol: before-change event; nothing more when the value is
    // the current one (time of day included) or no date of the years 1..9999;
    // otherwise store it, on a new year or month fire the year/month event and
    // redraw, then fire the day event.
    void SetCurrentDate(TDateTime value);

    std::uint16_t Year() const;
    std::uint16_t Month() const;
    std::uint16_t Day() const;
    // Each builds the date from the new part and the two current ones; a date
    // that does not exist is refused without a word. The time of day is dropped.
    void SetYear(std::uint16_t year);
    void SetMonth(std::uint16_t month);
    void SetDay(std::uint16_t day);
    // 1 = Sunday ... 7 = Saturday.
    std::uint16_t CurrentDayOfWeek() const;

    // Read and written through to the calculator; writing does not redraw.
    bool AutoEquinox() const { return FDateEx->AutoEquinox; }
    void SetAutoEquinox(bool value) { FDateEx->AutoEquinox = value; }
    bool AutoFurikae() const { return FDateEx->AutoFurikae; }
    void SetAutoFurikae(bool value) { FDateEx->AutoFurikae = value; }

    // The calculator's lists; a load that produces items redraws the calendar.
    TKyDayItemList& HolidayList() { return FDateEx->HolidayList(); }
    TKyDayItemList& SpecialDayList() { return FDateEx->SpecialDayList(); }
    TKyDayItemList& CustomDayOffList() { return FDateEx->CustomDayOffList(); }
    const TKyDateEx& DateEx() const { return *FDateEx; }
    TKyDateEx& DateEx() { return *FDateEx; }

    // By one day or seven, keeping the time of day; by a month to the same day,
    // cut back to the month's last day. A move beyond the years 1..9999 does nothing.
    void NextDay();
    void PrevDay();
    void NextWeek();
    void PrevWeek();
    void NextMonth();
    void PrevMonth();

    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    TKyCalendarFonts& Fonts() { return *FFonts; }
    const TKyCalendarFonts& Fonts() const { return *FFonts; }
    // Copies `fonts` (fourteen fonts and three flags) into the calendar's own set.
    void SetFonts(const TKyCalendarFonts& fonts);

    bool MouseInside() const { return FMouseInside; }

    // Draws the whole calendar into the off-screen image and repaints. Input
    // is ignored while it runs. A calendar hidden on purpose (the wizard's,
    // which only holds the day lists and has them reloaded for every exported
    // date) draws once when it is shown instead.
    virtual void Redraw();

    // Weekday; Saturday, else Sunday; Holiday for holidays and substitute
    // holidays; SpecialDay; CustomDayOff - later rules winning.
    TKyFont& GetDayFont(std::uint16_t year, std::uint8_t month, std::uint8_t day);
    // Weekday; HolidayText; SpecialDayText; CustomDayOffText - later rules winning.
    TKyFont& GetDayTextFont(std::uint16_t year, std::uint8_t month, std::uint8_t day);

    // On a form: whether the calendar is the form's focus widget; alone:
    // whether the focus widget is the calendar or lies inside it.
    bool HasFocus() const;

    int ClientWidth() const;
    int ClientHeight() const;
    // The off-screen image as last drawn.
    const QImage& Bitmap() const { return FBitmap; }

protected:
    virtual void DoDayChange(std::uint16_t year, std::uint16_t month, std::uint16_t day);
    virtual void DoBeforeDayChange();
    virtual void DoYearMonthChange(std::uint16_t year, std::uint16_t month, std::uint16_t day);
    // Fills the off-screen image with Color; the schedule calendar draws its cells.
    virtual void DrawCalendar();

    QImage& Canvas();
    TKyDateEx& Calculator() { return *FDateEx; }
    // True while a redraw or an input handler runs (the control counts as disabled).
    bool Busy() const { return FBusy > 0; }
    // Hidden with hide() or setVisible(false): drawing waits for the show.
    bool DrawingDeferred() const;

    // Marks the control disabled for its lifetime, also when what it guards throws.
    class TBusyScope {
    public:
        explicit TBusyScope(TKyCustomCalendar& calendar) : Calendar(calendar) { ++Calendar.FBusy; }
        ~TBusyScope() { --Calendar.FBusy; }
        TBusyScope(const TBusyScope&) = delete;
        TBusyScope& operator=(const TBusyScope&) = delete;

    private:
        TKyCustomCalendar& Calendar;
    };

    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

    // The change protocol for `value`, unless it lies beyond the years 1..9999.
    void MoveTo(TDateTime value);

private:
    QImage FBitmap;
    std::unique_ptr<TKyDateEx> FDateEx;
    std::unique_ptr<TKyCalendarFonts> FFonts;
    TColor FColor = clWindow;
    TDateTime FCurrentDate = 0;
    bool FMouseInside = false;
    bool FRedrawPending = false;
    int FBusy = 0;
};

// `value`'s time of day carried over to the whole day `date`.
TDateTime WithTimeOf(TDateTime date, TDateTime value);

} // namespace orvexp
