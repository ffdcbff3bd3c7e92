#include "calendar/widget/CalendarFonts.h"

#include <stdexcept>

#include "calendar/widget/CustomCalendar.h"

namespace orvexp {

TKyCalendarFonts::TKyCalendarFonts(TKyCustomCalendar* calendar) : Calendar(calendar)
{
    for (auto& font : Fonts) {
        font = std::make_unique<TKyFont>();
        font->SetColor(Qt::black);
        font->OnChange = [this](TKyFont& changed) { FontChanged(changed); };
    }
}

TKyFont& TKyCalendarFonts::GetFont(int index)
{
    if (index < 0 || index >= kFontCount) throw std::out_of_range("calendar font index out of range");
    return *Fonts[static_cast<std::size_t>(index)];
}

const TKyFont& TKyCalendarFonts::GetFont(int index) const
{
    if (index < 0 || index >= kFontCount) throw std::out_of_range("calendar font index out of range");
    return *Fonts[static_cast<std::size_t>(index)];
}

void TKyCalendarFonts::SetFont(int index, const TKyFont& font)
{
    TKyFont& target = GetFont(index);
    // `font` may be one of ours: work from a copy so the loops below read a stable value.
    const TKyFont source(font);
    if (FSynchronize) {
        for (auto& each : Fonts) each->Assign(source);
    } else if (FSizeSynchronize) {
        for (auto& each : Fonts) each->SetSize(source.Size());
    } else if (FStyleSynchronize) {
        for (auto& each : Fonts) each->SetStyle(source.Style());
    } else {
        target.Assign(source);
    }
}

void TKyCalendarFonts::Assign(const TKyCalendarFonts& source)
{
    if (&source == this) return;
    for (int i = 0; i < kFontCount; ++i) GetFont(i).Assign(source.GetFont(i));
    FSynchronize = source.FSynchronize;
    FSizeSynchronize = source.FSizeSynchronize;
    FStyleSynchronize = source.FStyleSynchronize;
}

void TKyCalendarFonts::FontChanged(TKyFont&)
{
    if (Calendar) Calendar->Redraw();
}

} // namespace orvexp
