#include "calendar/widget/CustomCalendar.h"

#include <algorithm>
#include <cmath>

#include <QApplication>
#include <QDateTime>
#include <QEnterEvent>
#include <QPainter>

namespace orvexp {

TDateTime LocalNow()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = now.date();
    const QTime time = now.time();
    return EncodeDate(date.year(), static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day())) +
           EncodeTime(static_cast<unsigned>(time.hour()), static_cast<unsigned>(time.minute()),
                      static_cast<unsigned>(time.second()), static_cast<unsigned>(time.msec()));
}

TDateTime WithTimeOf(TDateTime date, TDateTime value)
{
    // Before 1899-12-30 the whole part is negative and the time still counts forward.
    const double time = std::fabs(value - std::trunc(value));
    return date >= 0 ? date + time : date - time;
}

TKyCustomCalendar::TKyCustomCalendar(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setAttribute(Qt::WA_OpaquePaintEvent); // everything is painted from the image
    setFocusPolicy(Qt::StrongFocus);
    resize(320, 160);
    FBitmap = QImage(contentsRect().size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);

    FDateEx = std::make_unique<TKyDateEx>();
    const auto redrawOnChange = [this](TKyDayItemList&) { Redraw(); };
    FDateEx->HolidayList().OnChange = redrawOnChange;
    FDateEx->SpecialDayList().OnChange = redrawOnChange;
    FDateEx->CustomDayOffList().OnChange = redrawOnChange;

    FFonts = std::make_unique<TKyCalendarFonts>(this);
    TKyCalendarFonts& fonts = *FFonts;
    fonts.Saturday().SetColor(Qt::blue);
    fonts.Sunday().SetColor(Qt::red);
    fonts.DayOfWeek().SetColor(Qt::white);
    fonts.Holiday().SetColor(Qt::red);
    fonts.SpecialDay().SetColor(Qt::red);
    fonts.CustomDayOff().SetColor(Qt::red);
    fonts.Rokuyo().SetSize(10);
    const int textSize = fonts.Weekday().Size() - 1;
    fonts.HolidayText().SetSize(textSize);
    fonts.SpecialDayText().SetSize(textSize);
    fonts.CustomDayOffText().SetSize(textSize);

    FDateEx->AutoFurikae = true;
    FDateEx->AutoEquinox = true;
    FColor = clWindow;
    SetCurrentDate(Now());
}

TKyCustomCalendar::~TKyCustomCalendar()
{
    // The lists and fonts go before the widget: no notification may reach a half-destroyed calendar.
    FFonts.reset();
    FDateEx.reset();
}

TDateTime TKyCustomCalendar::Now() const
{
    return Clock ? Clock() : LocalNow();
}

void TKyCustomCalendar::SetCurrentDate(TDateTime value)
{
    DoBeforeDayChange();
    if (value == FCurrentDate) return;
    const TDateParts parts = DecodeDate(value);
    if (parts.Year == 0) return; // no date the calendar can show
    const TDateParts old = DecodeDate(FCurrentDate);
    FCurrentDate = value;
    const auto year = static_cast<std::uint16_t>(parts.Year);
    const auto month = static_cast<std::uint16_t>(parts.Month);
    const auto day = static_cast<std::uint16_t>(parts.Day);
    if (parts.Year != old.Year || parts.Month != old.Month) {
        DoYearMonthChange(year, month, day);
        Redraw();
    }
    DoDayChange(year, month, day);
}

std::uint16_t TKyCustomCalendar::Year() const
{
    return static_cast<std::uint16_t>(DecodeDate(FCurrentDate).Year);
}

std::uint16_t TKyCustomCalendar::Month() const
{
    return static_cast<std::uint16_t>(DecodeDate(FCurrentDate).Month);
}

std::uint16_t TKyCustomCalendar::Day() const
{
    return static_cast<std::uint16_t>(DecodeDate(FCurrentDate).Day);
}

void TKyCustomCalendar::SetYear(std::uint16_t year)
{
    TDateTime date = 0;
    if (!TryEncodeDate(year, Month(), Day(), date)) return;
    SetCurrentDate(date);
    Redraw();
}

void TKyCustomCalendar::SetMonth(std::uint16_t month)
{
    TDateTime date = 0;
    if (!TryEncodeDate(Year(), month, Day(), date)) return;
    SetCurrentDate(date);
    Redraw();
}

void TKyCustomCalendar::SetDay(std::uint16_t day)
{
    TDateTime date = 0;
    if (!TryEncodeDate(Year(), Month(), day, date)) return;
    SetCurrentDate(date);
    Redraw();
}

std::uint16_t TKyCustomCalendar::CurrentDayOfWeek() const
{
    return static_cast<std::uint16_t>(DayOfWeek(FCurrentDate));
}

void TKyCustomCalendar::MoveTo(TDateTime value)
{
    if (DecodeDate(value).Year == 0) return;
    SetCurrentDate(value);
}

void TKyCustomCalendar::NextDay()
{
    MoveTo(FCurrentDate + 1);
}

void TKyCustomCalendar::PrevDay()
{
    MoveTo(FCurrentDate - 1);
}

void TKyCustomCalendar::NextWeek()
{
    MoveTo(FCurrentDate + 7);
}

void TKyCustomCalendar::PrevWeek()
{
    MoveTo(FCurrentDate - 7);
}

namespace {

// The same day `months` months away, cut back to that month's last day; false beyond the years 1..9999.
bool ShiftMonths(TDateTime value, int months, TDateTime& result)
{
    const TDateParts parts = DecodeDate(value);
    if (parts.Year == 0) return false;
    const int index = parts.Year * 12 + static_cast<int>(parts.Month) - 1 + months;
    const int year = index / 12;
    const unsigned month = static_cast<unsigned>(index % 12) + 1;
    unsigned day = parts.Day;
    TDateTime date = 0;
    while (day > 28 && !TryEncodeDate(year, month, day, date)) --day;
    if (!TryEncodeDate(year, month, day, date)) return false;
    result = WithTimeOf(date, value);
    return true;
}

} // namespace

void TKyCustomCalendar::NextMonth()
{
    TDateTime date = 0;
    if (ShiftMonths(FCurrentDate, 1, date)) SetCurrentDate(date);
}

void TKyCustomCalendar::PrevMonth()
{
    TDateTime date = 0;
    if (ShiftMonths(FCurrentDate, -1, date)) SetCurrentDate(date);
}

void TKyCustomCalendar::SetColor(TColor value)
{
    if (value == FColor) return;
    FColor = value;
    Redraw();
}

void TKyCustomCalendar::SetFonts(const TKyCalendarFonts& fonts)
{
    FFonts->Assign(fonts);
    Redraw();
}

bool TKyCustomCalendar::DrawingDeferred() const
{
    return isHidden() && testAttribute(Qt::WA_WState_ExplicitShowHide);
}

void TKyCustomCalendar::Redraw()
{
    if (DrawingDeferred()) {
        FRedrawPending = true;
        return;
    }
    FRedrawPending = false;
    TBusyScope busy(*this);
    DrawCalendar();
    update();
}

TKyFont& TKyCustomCalendar::GetDayFont(std::uint16_t year, std::uint8_t month, std::uint8_t day)
{
    const TKyDayKinds kinds = FDateEx->GetDayKinds(year, month, day);
    TKyCalendarFonts& fonts = *FFonts;
    TKyFont* font = &fonts.Weekday();
    if (kinds.Contains(dkSaturday)) font = &fonts.Saturday();
    else if (kinds.Contains(dkSunday)) font = &fonts.Sunday();
    if (kinds.Contains(dkHoliday) || kinds.Contains(dkSubstitute)) font = &fonts.Holiday();
    if (kinds.Contains(dkSpecialDay)) font = &fonts.SpecialDay();
    if (kinds.Contains(dkDayOff)) font = &fonts.CustomDayOff();
    return *font;
}

TKyFont& TKyCustomCalendar::GetDayTextFont(std::uint16_t year, std::uint8_t month, std::uint8_t day)
{
    const TKyDayKinds kinds = FDateEx->GetDayKinds(year, month, day);
    TKyCalendarFonts& fonts = *FFonts;
    TKyFont* font = &fonts.Weekday();
    if (kinds.Contains(dkHoliday) || kinds.Contains(dkSubstitute)) font = &fonts.HolidayText();
    if (kinds.Contains(dkSpecialDay)) font = &fonts.SpecialDayText();
    if (kinds.Contains(dkDayOff)) font = &fonts.CustomDayOffText();
    return *font;
}

bool TKyCustomCalendar::HasFocus() const
{
    const QWidget* form = window();
    if (form != this) return form->focusWidget() == this;
    const QWidget* focus = QApplication::focusWidget();
    return focus && (focus == this || isAncestorOf(focus));
}

int TKyCustomCalendar::ClientWidth() const
{
    return contentsRect().width();
}

int TKyCustomCalendar::ClientHeight() const
{
    return contentsRect().height();
}

QImage& TKyCustomCalendar::Canvas()
{
    const QSize size = contentsRect().size().expandedTo(QSize(1, 1));
    if (FBitmap.size() != size) FBitmap = QImage(size, QImage::Format_RGB32);
    return FBitmap;
}

void TKyCustomCalendar::DoDayChange(std::uint16_t year, std::uint16_t month, std::uint16_t day)
{
    if (OnDayChange) OnDayChange(*this, year, month, day);
}

void TKyCustomCalendar::DoBeforeDayChange()
{
    if (OnBeforeDayCahnge) OnBeforeDayCahnge(*this);
}

void TKyCustomCalendar::DoYearMonthChange(std::uint16_t year, std::uint16_t month, std::uint16_t day)
{
    if (OnYearMonthChange) OnYearMonthChange(*this, year, month, day);
}

void TKyCustomCalendar::DrawCalendar()
{
    QImage& canvas = Canvas();
    canvas.fill(ColorToQColor(FColor));
}

void TKyCustomCalendar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(contentsRect().topLeft(), FBitmap, QRect(0, 0, ClientWidth(), ClientHeight()));
    drawFrame(&painter);
}

void TKyCustomCalendar::showEvent(QShowEvent* event)
{
    QFrame::showEvent(event);
    if (FRedrawPending) Redraw();
}

void TKyCustomCalendar::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    Canvas();
    Redraw();
}

void TKyCustomCalendar::enterEvent(QEnterEvent* event)
{
    QFrame::enterEvent(event);
    if (!FMouseInside && isEnabled() && !QWidget::mouseGrabber()) {
        FMouseInside = true;
        update();
    }
    if (OnMouseEnter) OnMouseEnter(*this);
}

void TKyCustomCalendar::leaveEvent(QEvent* event)
{
    QFrame::leaveEvent(event);
    if (FMouseInside && isEnabled()) {
        FMouseInside = false;
        update();
    }
    if (OnMouseLeave) OnMouseLeave(*this);
}

// The focus frame is part of the drawn image, so a focus change draws anew.
void TKyCustomCalendar::focusInEvent(QFocusEvent* event)
{
    QFrame::focusInEvent(event);
    Redraw();
}

void TKyCustomCalendar::focusOutEvent(QFocusEvent* event)
{
    QFrame::focusOutEvent(event);
    Redraw();
}

} // namespace orvexp
