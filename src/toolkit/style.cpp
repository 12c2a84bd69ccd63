#include "style.h"

#include "twips.h"

#include <QPainter>
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
    painter.setPen(Qt::black);
    painter.drawRect(control->rect().adjusted(0, 0, -1, -1));
}

} // namespace style
