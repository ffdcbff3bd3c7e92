#include "app/wizard/PathEdit.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

namespace orvexp {

namespace {

// The room for text inside the frame, as QLineEdit itself computes it.
QRect TextRect(const QLineEdit& edit, const QStyleOptionFrame& option)
{
    constexpr int kHorizontalMargin = 2; // QLineEdit's own
    QRect rect = edit.style()->subElementRect(QStyle::SE_LineEditContents, &option, &edit);
    rect = rect.marginsRemoved(edit.textMargins());
    return rect.adjusted(kHorizontalMargin, 0, -kHorizontalMargin, 0);
}

} // namespace

TPathEdit::TPathEdit(QWidget* parent) : QLineEdit(parent)
{
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) { setToolTip(text); });
}

QString TPathEdit::ShownText() const
{
    if (hasFocus()) return text();
    QStyleOptionFrame option;
    initStyleOption(&option);
    return fontMetrics().elidedText(text(), Qt::ElideMiddle, TextRect(*this, option).width());
}

void TPathEdit::paintEvent(QPaintEvent* event)
{
    const QString shown = ShownText();
    if (shown == text()) {
        QLineEdit::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QStyleOptionFrame option;
    initStyleOption(&option);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    painter.drawText(TextRect(*this, option), Qt::AlignLeft | Qt::AlignVCenter, shown);
}

} // namespace orvexp
