#include "calendar/widget/WinColors.h"

#include <QGuiApplication>

namespace orvexp {

namespace {

struct TSystemColorRole {
    QPalette::ColorGroup Group;
    QPalette::ColorRole Role;
};

// Which palette entry stands in for each Windows system colour index. Qt has
// no desktop or caption colours: the desktop takes a dark tone, not the face
// of a window; what belongs to an inactive window (its caption, its caption
// text) is taken from the Inactive group, beside the active caption's
// Highlight and HighlightedText; grey text is the text of a disabled control.
bool PaletteRoleOf(unsigned index, TSystemColorRole& result)
{
    using P = QPalette;
    static const TSystemColorRole roles[] = {
        {P::Active, P::Button},           // 0 scroll bar
        {P::Active, P::Dark},             // 1 desktop
        {P::Active, P::Highlight},        // 2 active caption
        {P::Inactive, P::Mid},            // 3 inactive caption
        {P::Active, P::Window},           // 4 menu
        {P::Active, P::Base},             // 5 window
        {P::Active, P::Shadow},           // 6 window frame
        {P::Active, P::WindowText},       // 7 menu text
        {P::Active, P::Text},             // 8 window text
        {P::Active, P::HighlightedText},  // 9 caption text
        {P::Active, P::Button},           // 10 active border
        {P::Inactive, P::Button},         // 11 inactive border
        {P::Active, P::Mid},              // 12 application workspace
        {P::Active, P::Highlight},        // 13 highlight
        {P::Active, P::HighlightedText},  // 14 highlight text
        {P::Active, P::Button},           // 15 button face
        {P::Active, P::Dark},             // 16 button shadow
        {P::Disabled, P::Text},           // 17 grey text
        {P::Active, P::ButtonText},       // 18 button text
        {P::Inactive, P::HighlightedText}, // 19 inactive caption text
        {P::Active, P::Light},            // 20 button highlight
        {P::Active, P::Shadow},           // 21 3D dark shadow
        {P::Active, P::Midlight},         // 22 3D light
        {P::Active, P::ToolTipText},      // 23 info text
        {P::Active, P::ToolTipBase},      // 24 info background
        {P::Active, P::Button},           // 25 (unused index)
        {P::Active, P::Link},             // 26 hot light
        {P::Active, P::Highlight},        // 27 gradient active caption
        {P::Inactive, P::Mid},            // 28 gradient inactive caption
        {P::Active, P::Highlight},        // 29 menu highlight
        {P::Active, P::Window},           // 30 menu bar
    };
    if (index >= std::size(roles)) return false;
    result = roles[index];
    return true;
}

QColor RgbToQColor(TColor rgb)
{
    const auto value = static_cast<std::uint32_t>(rgb);
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

} // namespace

TColor QColorToColor(const QColor& color)
{
    return static_cast<TColor>(static_cast<std::uint32_t>(color.red()) |
                               (static_cast<std::uint32_t>(color.green()) << 8) |
                               (static_cast<std::uint32_t>(color.blue()) << 16));
}

TColor ColorToRgb(TColor color, const QPalette& palette)
{
    if (!IsSystemColor(color)) return color & 0x00FFFFFF;
    TSystemColorRole role{};
    if (!PaletteRoleOf(static_cast<std::uint32_t>(color) & 0xFFu, role)) return clBlack;
    return QColorToColor(palette.color(role.Group, role.Role));
}

TColor ColorToRgb(TColor color)
{
    if (!IsSystemColor(color)) return color & 0x00FFFFFF;
    return ColorToRgb(color, QGuiApplication::palette());
}

QColor ColorToQColor(TColor color, const QPalette& palette)
{
    return RgbToQColor(ColorToRgb(color, palette));
}

QColor ColorToQColor(TColor color)
{
    return RgbToQColor(ColorToRgb(color));
}

TColor OrColors(TColor a, TColor b)
{
    return ColorToRgb(a) | ColorToRgb(b);
}

} // namespace orvexp
