#pragma once
// Windows colour values (0x00BBGGRR; the top bit set names a system colour by
// its index) shown in Qt. A system colour is shown as the matching palette
// colour; the value itself is kept as it is.

#include <cstdint>

#include <QColor>
#include <QPalette>

namespace orvexp {

// The colour to draw for a value; an unknown system colour index draws black.
QColor WinColorToQColor(std::int32_t color, const QPalette& palette);
// The 0x00BBGGRR value of a colour (alpha dropped).
std::int32_t QColorToWinColor(const QColor& color);

} // namespace orvexp
