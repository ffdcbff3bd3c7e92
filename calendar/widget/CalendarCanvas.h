#pragma once
// Drawing primitives of the calendar's off-screen bitmap, with Windows
// rectangle semantics (Right and Bottom lie just outside) so the cell
// arithmetic reads as the control defines it.

#include <string>
#include <string_view>

#include <QColor>
#include <QPainter>
#include <QRect>

#include "calendar/widget/KyFont.h"
#include "calendar/widget/TextFit.h"

namespace orvexp {

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool Empty() const { return Right <= Left || Bottom <= Top; }
    bool Contains(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
    TRect Inflated(int dx, int dy) const { return {Left - dx, Top - dy, Right + dx, Bottom + dy}; }
    QRect ToQRect() const { return QRect(Left, Top, Width(), Height()); }
    bool operator==(const TRect&) const = default;
};

enum TEdgeKind { ekEtched, ekSunken };

enum TEdgeSide : int { esLeft = 1, esTop = 2, esRight = 4, esBottom = 8, esRect = 15 };

void FillRect(QPainter& painter, const TRect& rect, const QColor& color);
// A one-pixel outline on the rectangle's outermost pixels.
void FrameRect(QPainter& painter, const TRect& rect, const QColor& color);
// A two-pixel 3D edge on the chosen sides, in the palette's shadow and light colours.
void DrawEdge(QPainter& painter, const TRect& rect, TEdgeKind kind, int sides);
// The dotted focus outline, inverting every other pixel, so drawing it twice removes it.
void DrawFocusRect(QPainter& painter, const TRect& rect);

// Shift_JIS bytes as Qt text (converted only here, at the moment of drawing).
QString SjisToQString(std::string_view sjis);

// How wide and how high the font draws.
int TextWidth(const QPainter& painter, const TKyFont& font, std::string_view sjis);
int TextHeight(const QPainter& painter, const TKyFont& font);
TTextMeasure MeasureWith(const QPainter& painter, const TKyFont& font);

// Draws Shift_JIS text clipped to `rect`, transparently, with Qt alignment
// flags; CR LF separates lines.
void DrawSjisText(QPainter& painter, const TRect& rect, int flags, std::string_view sjis, const TKyFont& font,
                  const QColor& color);

} // namespace orvexp
