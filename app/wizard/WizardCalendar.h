#pragma once
// The schedule calendar as the export wizard's form holds it: KyOrvanelCalendar1,
// never shown, used only for its holiday, special-day and day-off lists.

#include "calendar/widget/OrvanelCalendar.h"

namespace orvexp {

inline constexpr char kWizardCalendarName[] = "KyOrvanelCalendar1";

// Gives `calendar` the form's stored values: every font "ＭＳ Ｐゴシック" in
// the Shift_JIS character set with the form's heights and colours, the three
// font flags off, Color clInfoBk, both automatic rules on, 1999/12/04
// selected, the name KyOrvanelCalendar1, and hidden.
void ApplyWizardCalendarValues(TKyOrvanelCalendar& calendar);

} // namespace orvexp
