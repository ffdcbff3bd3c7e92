#pragma once
// Colours as the calendar's properties hold them: Windows colour values laid
// out 0x00BBGGRR, where a value with the top bit set names a system colour by
// its index (clInfoBk, cl3DDkShadow ...). Qt needs RGB, so system colours are
// looked up in the palette at the moment of drawing. The one table of system
// colours to palette entries: the calendar and the wizard's samples use it.

#include <cstdint>

#include <QColor>
#include <QPalette>

namespace orvexp {

using TColor = std::int32_t;

constexpr TColor SystemColor(unsigned index)
{
    return static_cast<TColor>(0x80000000u | index);
}

// Plain colours.
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;

// System colours, by the Windows colour index.
inline constexpr TColor clScrollBar = SystemColor(0);
inline constexpr TColor clBackground = SystemColor(1);
inline constexpr TColor clActiveCaption = SystemColor(2);
inline constexpr TColor clInactiveCaption = SystemColor(3);
inline constexpr TColor clMenu = SystemColor(4);
inline constexpr TColor clWindow = SystemColor(5);
inline constexpr TColor clWindowFrame = SystemColor(6);
inline constexpr TColor clMenuText = SystemColor(7);
inline constexpr TColor clWindowText = SystemColor(8);
inline constexpr TColor clCaptionText = SystemColor(9);
inline constexpr TColor clActiveBorder = SystemColor(10);
inline constexpr TColor clInactiveBorder = SystemColor(11);
inline constexpr TColor clAppWorkSpace = SystemColor(12);
inline constexpr TColor clHighlight = SystemColor(13);
inline constexpr TColor clHighlightText = SystemColor(14);
inline constexpr TColor clBtnFace = SystemColor(15);
inline constexpr TColor clBtnShadow = SystemColor(16);
inline constexpr TColor clGrayText = SystemColor(17);
inline constexpr TColor clBtnText = SystemColor(18);
inline constexpr TColor clInactiveCaptionText = SystemColor(19);
inline constexpr TColor clBtnHighlight = SystemColor(20);
inline constexpr TColor cl3DDkShadow = SystemColor(21);
inline constexpr TColor cl3DLight = SystemColor(22);
inline constexpr TColor clInfoText = SystemColor(23);
inline constexpr TColor clInfoBk = SystemColor(24);

constexpr bool IsSystemColor(TColor color)
{
    return (static_cast<std::uint32_t>(color) & 0x80000000u) != 0;
}

// The colour's RGB value (0x00BBGGRR); a system colour is resolved through the
// application palette, an unknown system index gives black.
TColor ColorToRgb(TColor color);
// The same through a given palette (a widget's own).
TColor ColorToRgb(TColor color, const QPalette& palette);

QColor ColorToQColor(TColor color);
QColor ColorToQColor(TColor color, const QPalette& palette);
// 0x00BBGGRR of a QColor (alpha dropped).
TColor QColorToColor(const QColor& color);

// The two colours combined bit by bit after resolving system colours: how the
// calendar dims the texts of the neighbouring months' days.
TColor OrColors(TColor a, TColor b);

} // namespace orvexp
