#include "drag_label.h"

#include "controls.h"
#include "style.h"
#include "twips.h"

#include <QAccessible>
#include <QApplication>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QPainter>

DragLabel::DragLabel(QWidget* parent, const QFont& font) : QLabel(parent) {
    setFont(font);
    controls::setTextColour(this, style::Yellow);
    controls::setBackColour(this, Qt::black);
    setAutoFillBackground(true);
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setWordWrap(true);
    setCursor(Qt::OpenHandCursor);
    setFocusPolicy(Qt::TabFocus);
    static const bool described = [] {
        QAccessible::installFactory(drag_label_accessible::factory);
        return true;
    }();
    Q_UNUSED(described);
}

void DragLabel::setLifted(bool lifted) {
    if (lifted == lifted_)
        return;
    lifted_ = lifted;
    update();
}

void DragLabel::mousePressEvent(QMouseEvent* event) {
    tapping_ = event->button() == Qt::LeftButton;
    pressedAt_ = event->globalPosition();
    Q_EMIT pressed();
}

void DragLabel::mouseMoveEvent(QMouseEvent* event) {
    if (tapping_ && (event->globalPosition() - pressedAt_).manhattanLength() >=
                        QApplication::startDragDistance()) {
        tapping_ = false;
        Q_EMIT dragStarted();
    }
    Q_EMIT moved(event->buttons(), twips::perPixel() * float(event->position().x()),
                 twips::perPixel() * float(event->position().y()));
}

void DragLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool tap = tapping_ && event->button() == Qt::LeftButton;
    tapping_ = false;
    Q_EMIT released();
    if (tap)
        Q_EMIT tapped();
}

void DragLabel::focusInEvent(QFocusEvent* event) {
    keyboardFocus_ = style::cameByKeyboard(event->reason());
    // Past the label's own handling, which lays the text out again for a
    // selection that this control never has.
    QFrame::focusInEvent(event);
    update();
}

void DragLabel::focusOutEvent(QFocusEvent* event) {
    keyboardFocus_ = false;
    QFrame::focusOutEvent(event);
    update();
}

void DragLabel::paintEvent(QPaintEvent*) {
    {
        QPainter painter(this);
        style::paintLabelText(this, painter);
        style::paintThinBorder(this, painter);
    }
    if (lifted_) {
        // A white edge over the black border: the label stands off the boxes.
        QPainter painter(this);
        painter.setPen(QPen(Qt::white, 2));
        painter.drawRect(rect().adjusted(1, 1, -1, -1));
    }
    if (lifted_ || showsFocusRing())
        style::paintFocusRing(this);
}

#include "moc_drag_label.cpp"
