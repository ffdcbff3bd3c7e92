#include "app/wizard/WizardCalendar.h"

namespace orvexp {

namespace {

struct TStoredFont {
    int Index;
    int Height;
    TColor Color;
    bool Bold;
};

constexpr TStoredFont kStoredFonts[] = {
    {cfWeekday, -12, clBlack, false},       {cfSaturday, -12, clBlue, false},
    {cfSunday, -12, clRed, false},          {cfDayOfWeek, -12, clWhite, true},
    {cfHoliday, -12, clRed, false},         {cfSpecialDay, -12, clRed, false},
    {cfCustomDayOff, -12, clRed, false},    {cfRokuyo, -13, clBlack, false},
    {cfHolidayText, -9, clRed, false},      {cfSpecialDayText, -9, clRed, false},
    {cfCustomDayOffText, -9, clRed, false}, {cfScheduleSign, -7, clGreen, false},
    {cfMemoSign, -7, clBlue, false},        {cfDayContents, -12, clBlack, false},
};

} // namespace

void ApplyWizardCalendarValues(TKyOrvanelCalendar& calendar)
{
    calendar.setObjectName(QString::fromLatin1(kWizardCalendarName));
    calendar.setVisible(false);

    TKyCalendarFonts fonts;
    for (const TStoredFont& stored : kStoredFonts) {
        TKyFont& font = fonts.GetFont(stored.Index);
        font.SetName(kJapaneseUiFontName);
        font.SetCharset(SHIFTJIS_CHARSET);
        font.SetHeight(stored.Height);
        font.SetColor(ColorToQColor(stored.Color));
        font.SetStyle(stored.Bold ? TFontStyles{fsBold} : TFontStyles{});
    }
    calendar.SetFonts(fonts);

    calendar.SetColor(clInfoBk);
    calendar.SetAutoEquinox(true);
    calendar.SetAutoFurikae(true);
    calendar.SetShowDayText(true);
    calendar.SetShowGrid(true);
    calendar.SetGridColor(cl3DDkShadow);
    calendar.SetCalendarStyle(csMonthly2);
    calendar.SetStartDayOfWeek(kydwSunday);
    calendar.SetNeighborColor(clGray);
    calendar.SetNeighborBkColor(clSilver);
    calendar.SetDayOfWeekBkColor(clBlack);
    calendar.SetDayContentsBkColor(clInfoBk);
    // The form stores Year 1999, Month 12, Day 4. Set as one date: written part
    // by part, a 29 February today would refuse the year and leave the wrong one.
    calendar.SetCurrentDate(EncodeDate(1999, 12, 4));
}

} // namespace orvexp
