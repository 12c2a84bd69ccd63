#include "drag_label.h"

#include "controls.h"
#include "style.h"
#include "twips.h"

#include <QMouseEvent>

DragLabel::DragLabel(QWidget* parent, const QFont& font) : QLabel(parent) {
    setFont(font);
    controls::setTextColour(this, style::Yellow);
    controls::setBackColour(this, Qt::black);
    setAutoFillBackground(true);
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setWordWrap(true);
    setCursor(Qt::OpenHandCursor);
}

void DragLabel::mousePressEvent(QMouseEvent*) {
    Q_EMIT pressed();
}

void DragLabel::mouseMoveEvent(QMouseEvent* event) {
    Q_EMIT moved(event->buttons(), twips::perPixel() * float(event->position().x()),
                 twips::perPixel() * float(event->position().y()));
}

void DragLabel::mouseReleaseEvent(QMouseEvent*) {
    Q_EMIT released();
}

void DragLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    style::paintThinBorder(this);
}
