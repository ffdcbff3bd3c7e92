#include "calendar/widget/CalendarCanvas.h"

#include <QFontMetrics>
#include <QPolygon>

#include "calendar/widget/WinColors.h"
#include "platform/Text.h"

namespace orvexp {

void FillRect(QPainter& painter, const TRect& rect, const QColor& color)
{
    if (rect.Empty()) return;
    painter.fillRect(rect.ToQRect(), color);
}

void FrameRect(QPainter& painter, const TRect& rect, const QColor& color)
{
    if (rect.Empty()) return;
    FillRect(painter, {rect.Left, rect.Top, rect.Right, rect.Top + 1}, color);
    FillRect(painter, {rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom}, color);
    FillRect(painter, {rect.Left, rect.Top, rect.Left + 1, rect.Bottom}, color);
    FillRect(painter, {rect.Right - 1, rect.Top, rect.Right, rect.Bottom}, color);
}

void DrawEdge(QPainter& painter, const TRect& rect, TEdgeKind kind, int sides)
{
    // Outer then inner ring; each ring has a top-left and a bottom-right colour.
    const QColor shadow = ColorToQColor(clBtnShadow);
    const QColor highlight = ColorToQColor(clBtnHighlight);
    const QColor outerTopLeft = shadow;
    const QColor outerBottomRight = highlight;
    const QColor innerTopLeft = kind == ekEtched ? highlight : ColorToQColor(cl3DDkShadow);
    const QColor innerBottomRight = kind == ekEtched ? shadow : ColorToQColor(cl3DLight);

    const auto ring = [&](const TRect& r, const QColor& topLeft, const QColor& bottomRight) {
        if (r.Empty()) return;
        if (sides & esBottom) FillRect(painter, {r.Left, r.Bottom - 1, r.Right, r.Bottom}, bottomRight);
        if (sides & esRight) FillRect(painter, {r.Right - 1, r.Top, r.Right, r.Bottom}, bottomRight);
        if (sides & esTop) FillRect(painter, {r.Left, r.Top, r.Right, r.Top + 1}, topLeft);
        if (sides & esLeft) FillRect(painter, {r.Left, r.Top, r.Left + 1, r.Bottom}, topLeft);
    };
    ring(rect, outerTopLeft, outerBottomRight);
    TRect inner = rect;
    if (sides & esLeft) ++inner.Left;
    if (sides & esTop) ++inner.Top;
    if (sides & esRight) --inner.Right;
    if (sides & esBottom) --inner.Bottom;
    ring(inner, innerTopLeft, innerBottomRight);
}

void DrawFocusRect(QPainter& painter, const TRect& rect)
{
    if (rect.Empty()) return;
    QPolygon points;
    for (int x = rect.Left; x < rect.Right; x += 2) {
        points << QPoint(x, rect.Top);
        if (rect.Bottom - 1 > rect.Top) points << QPoint(x, rect.Bottom - 1);
    }
    for (int y = rect.Top + 2; y < rect.Bottom - 1; y += 2) {
        points << QPoint(rect.Left, y);
        if (rect.Right - 1 > rect.Left) points << QPoint(rect.Right - 1, y);
    }
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawPoints(points);
    painter.restore();
}

QString SjisToQString(std::string_view sjis)
{
    return QString::fromStdString(Cp932ToUtf8(sjis));
}

int TextWidth(const QPainter& painter, const TKyFont& font, std::string_view sjis)
{
    const QFontMetrics metrics(font.Font(), painter.device());
    return metrics.horizontalAdvance(SjisToQString(sjis));
}

int TextHeight(const QPainter& painter, const TKyFont& font)
{
    const QFontMetrics metrics(font.Font(), painter.device());
    return metrics.height();
}

TTextMeasure MeasureWith(const QPainter& painter, const TKyFont& font)
{
    auto metrics = std::make_shared<QFontMetrics>(font.Font(), painter.device());
    return [metrics](std::string_view sjis) { return metrics->horizontalAdvance(SjisToQString(sjis)); };
}

void DrawSjisText(QPainter& painter, const TRect& rect, int flags, std::string_view sjis, const TKyFont& font,
                  const QColor& color)
{
    if (rect.Empty() || sjis.empty()) return;
    QString text = SjisToQString(sjis);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    painter.save();
    painter.setFont(font.Font());
    painter.setPen(color);
    painter.setClipRect(rect.ToQRect(), Qt::IntersectClip);
    painter.drawText(rect.ToQRect(), flags, text);
    painter.restore();
}

} // namespace orvexp
