#include "line_control.h"

#include "twips.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

LineControl::LineControl(QWidget* parent, float x1, float y1, float x2, float y2,
                         const QColor& colour, int widthPixels)
    : QWidget(parent), colour_(colour),
      width_(std::max(1, int(std::lround(widthPixels * twips::scale())))) {
    const QPoint a(twips::toPixels(x1), twips::toPixels(y1));
    const QPoint b(twips::toPixels(x2), twips::toPixels(y2));
    const int pad = width_;
    const QRect bounds = QRect(a, b).normalized().adjusted(-pad, -pad, pad, pad);
    setGeometry(bounds);
    line_ = QLineF(a - bounds.topLeft(), b - bounds.topLeft());
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LineControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QPen(colour_, width_, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(line_);
}
