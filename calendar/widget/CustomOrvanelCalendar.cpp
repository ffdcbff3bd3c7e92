#include "calendar/widget/CustomOrvanelCalendar.h"

#include "calendar/widget/WidgetTexts.h"

namespace orvexp {

TKyDrawDayTextItem& TKyDrawDayTextList::Add(std::string text, TColor color)
{
    Items.push_back(std::make_unique<TKyDrawDayTextItem>(TKyDrawDayTextItem{std::move(text), color}));
    return *Items.back();
}

TKyCustomOrvanelCalendar::TKyCustomOrvanelCalendar(QWidget* parent)
    : TKyCustomCalendar(parent), FScheduleSign(sjis::kScheduleSign), FMemoSign(sjis::kMemoSign)
{
    TKyCalendarFonts& fonts = Fonts();
    for (TKyFont* font : {&fonts.HolidayText(), &fonts.SpecialDayText(), &fonts.CustomDayOffText()}) {
        font->SetSize(7);
        font->SetColor(Qt::red);
    }
    fonts.ScheduleSign().SetSize(5);
    fonts.ScheduleSign().SetColor(ColorToQColor(clGreen));
    fonts.MemoSign().SetSize(5);
    fonts.MemoSign().SetColor(ColorToQColor(clBlue));
}

void TKyCustomOrvanelCalendar::SetShowDayText(bool value)
{
    Store(FShowDayText, value);
}

void TKyCustomOrvanelCalendar::SetShowGrid(bool value)
{
    Store(FShowGrid, value);
}

void TKyCustomOrvanelCalendar::SetGridColor(TColor value)
{
    Store(FGridColor, value);
}

void TKyCustomOrvanelCalendar::SetScheduleSign(const std::string& value)
{
    Store(FScheduleSign, value);
}

void TKyCustomOrvanelCalendar::SetMemoSign(const std::string& value)
{
    Store(FMemoSign, value);
}

void TKyCustomOrvanelCalendar::SetShowScheduleSign(bool value)
{
    Store(FShowScheduleSign, value);
}

void TKyCustomOrvanelCalendar::SetShowMemoSign(bool value)
{
    Store(FShowMemoSign, value);
}

void TKyCustomOrvanelCalendar::SetTodayBkColor(TColor value)
{
    Store(FTodayBkColor, value);
}

void TKyCustomOrvanelCalendar::SetTodaySign(TKyTodaySign value)
{
    Store(FTodaySign, value);
}

void TKyCustomOrvanelCalendar::UpdateScheduleSigns()
{
    DoSetupScheduleSign(FMemoScheduleExists);
    Redraw();
}

void TKyCustomOrvanelCalendar::DoDrawDayContents(std::uint16_t year, std::uint16_t month, std::uint16_t day,
                                                 TKyDrawDayTextList& dayTextList)
{
    if (OnDrawDayContents) OnDrawDayContents(*this, year, month, day, dayTextList);
}

void TKyCustomOrvanelCalendar::DoDrawScheduleSign(std::uint16_t year, std::uint16_t month, std::uint16_t day,
                                                  bool& scheduleExists, bool& memoExists)
{
    if (OnDrawScheduleSign) OnDrawScheduleSign(*this, year, month, day, scheduleExists, memoExists);
}

void TKyCustomOrvanelCalendar::DoSetupScheduleSign(TMemoScheduleExistsArray& memoScheduleExists)
{
    if (OnSetupScheduleSign) OnSetupScheduleSign(*this, memoScheduleExists);
}

void TKyCustomOrvanelCalendar::DoYearMonthChange(std::uint16_t year, std::uint16_t month, std::uint16_t day)
{
    TKyCustomCalendar::DoYearMonthChange(year, month, day);
    DoSetupScheduleSign(FMemoScheduleExists);
}

} // namespace orvexp
