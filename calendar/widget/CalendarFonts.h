#pragma once
// TKyCalendarFonts: the calendar's fourteen fonts, read and written by index,
// and the three flags that make a write reach every font.

#include <array>
#include <memory>

#include "calendar/widget/KyFont.h"

namespace orvexp {

class TKyCustomCalendar;

enum TKyCalendarFontIndex : int {
    cfWeekday = 0,
    cfSaturday,
    cfSunday,
    cfDayOfWeek,
    cfHoliday,
    cfSpecialDay,
    cfCustomDayOff,
    cfRokuyo,
    cfHolidayText,
    cfSpecialDayText,
    cfCustomDayOffText,
    cfScheduleSign,
    cfMemoSign,
    cfDayContents,
};

class TKyCalendarFonts {
public:
    static constexpr int kFontCount = 14;

    // Fourteen fonts in index order, each black; a change of any of them asks
    // `calendar` (when given) to redraw.
    explicit TKyCalendarFonts(TKyCustomCalendar* calendar = nullptr);
    TKyCalendarFonts(const TKyCalendarFonts&) = delete;
    TKyCalendarFonts& operator=(const TKyCalendarFonts&) = delete;

    // The font object itself; std::out_of_range outside 0..13.
    TKyFont& GetFont(int index);
    const TKyFont& GetFont(int index) const;
    // Synchronize: every font copies `font`; else SizeSynchronize: every font
    // takes its size; else StyleSynchronize: every font takes its style;
    // else the font at `index` copies it.
    void SetFont(int index, const TKyFont& font);

    // Copies the fourteen fonts and the three flags.
    void Assign(const TKyCalendarFonts& source);

    bool Synchronize() const { return FSynchronize; }
    void SetSynchronize(bool value) { FSynchronize = value; }
    bool SizeSynchronize() const { return FSizeSynchronize; }
    void SetSizeSynchronize(bool value) { FSizeSynchronize = value; }
    bool StyleSynchronize() const { return FStyleSynchronize; }
    void SetStyleSynchronize(bool value) { FStyleSynchronize = value; }

    TKyFont& Weekday() { return GetFont(cfWeekday); }
    TKyFont& Saturday() { return GetFont(cfSaturday); }
    TKyFont& Sunday() { return GetFont(cfSunday); }
    TKyFont& DayOfWeek() { return GetFont(cfDayOfWeek); }
    TKyFont& Holiday() { return GetFont(cfHoliday); }
    TKyFont& SpecialDay() { return GetFont(cfSpecialDay); }
    TKyFont& CustomDayOff() { return GetFont(cfCustomDayOff); }
    TKyFont& Rokuyo() { return GetFont(cfRokuyo); }
    TKyFont& HolidayText() { return GetFont(cfHolidayText); }
    TKyFont& SpecialDayText() { return GetFont(cfSpecialDayText); }
    TKyFont& CustomDayOffText() { return GetFont(cfCustomDayOffText); }
    TKyFont& ScheduleSign() { return GetFont(cfScheduleSign); }
    TKyFont& MemoSign() { return GetFont(cfMemoSign); }
    TKyFont& DayContents() { return GetFont(cfDayContents); }

    void SetWeekday(const TKyFont& font) { SetFont(cfWeekday, font); }
    void SetSaturday(const TKyFont& font) { SetFont(cfSaturday, font); }
    void SetSunday(const TKyFont& font) { SetFont(cfSunday, font); }
    void SetDayOfWeek(const TKyFont& font) { SetFont(cfDayOfWeek, font); }
    void SetHoliday(const TKyFont& font) { SetFont(cfHoliday, font); }
    void SetSpecialDay(const TKyFont& font) { SetFont(cfSpecialDay, font); }
    void SetCustomDayOff(const TKyFont& font) { SetFont(cfCustomDayOff, font); }
    void SetRokuyo(const TKyFont& font) { SetFont(cfRokuyo, font); }
    void SetHolidayText(const TKyFont& font) { SetFont(cfHolidayText, font); }
    void SetSpecialDayText(const TKyFont& font) { SetFont(cfSpecialDayText, font); }
    void SetCustomDayOffText(const TKyFont& font) { SetFont(cfCustomDayOffText, font); }
    void SetScheduleSign(const TKyFont& font) { SetFont(cfScheduleSign, font); }
    void SetMemoSign(const TKyFont& font) { SetFont(cfMemoSign, font); }
    void SetDayContents(const TKyFont& font) { SetFont(cfDayContents, font); }

private:
    void FontChanged(TKyFont& font);

    TKyCustomCalendar* Calendar;
    std::array<std::unique_ptr<TKyFont>, kFontCount> Fonts;
    bool FSynchronize = false;
    bool FSizeSynchronize = false;
    bool FStyleSynchronize = false;
};

} // namespace orvexp
