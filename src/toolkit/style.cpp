#include "style.h"

#include "twips.h"

#include <QLabel>
#include <QPainter>
#include <QStyle>
#include <QWidget>

namespace style {

QFont tahoma(double points, bool bold) {
    return twips::font(QStringLiteral("Tahoma"), points, bold);
}

QFont tahomaBold(double points) {
    return tahoma(points, true);
}

QFont times(double points, bool bold) {
    return twips::font(QStringLiteral("Times New Roman"), points, bold);
}

QFont arial(double points) {
    return twips::font(QStringLiteral("Arial"), points);
}

void paintThinBorder(QWidget* control) {
    QPainter painter(control);
    paintThinBorder(control, painter);
}

void paintThinBorder(QWidget* control, QPainter& painter) {
    painter.setPen(Qt::black);
    painter.drawRect(control->rect().adjusted(0, 0, -1, -1));
}

} // namespace style

namespace style {

bool cameByKeyboard(Qt::FocusReason reason) {
    return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
           reason == Qt::ShortcutFocusReason;
}

void paintLabelText(QLabel* label, QPainter& painter) {
    const int m = label->margin();
    const QRect area = label->contentsRect().adjusted(m, m, -m, -m);
    int flags = int(QStyle::visualAlignment(label->layoutDirection(), label->alignment()));
    if (label->wordWrap())
        flags |= Qt::TextWordWrap;
    label->style()->drawItemText(&painter, area, flags, label->palette(), label->isEnabled(),
                                 label->text(), label->foregroundRole());
}

void paintFocusRing(QWidget* control) {
    QPainter painter(control);
    const QRect ring = control->rect().adjusted(2, 2, -2, -2);
    QPen pen(Qt::white, 2);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.drawRect(ring.adjusted(1, 1, -1, -1));
    pen.setColor(Qt::black);
    pen.setStyle(Qt::DashLine);
    painter.setPen(pen);
    painter.drawRect(ring.adjusted(1, 1, -1, -1));
}

} // namespace style
