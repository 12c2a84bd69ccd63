#pragma once
// A label the pupil drags. While a button is held after a press on it, it
// receives the moves and the release even when the pointer has left it.
// Coordinates are reported in twips from its own top-left corner. A press
// and release that barely moves is also a tap, for choosing the label without
// dragging it. Tab reaches it, for carrying it by keyboard.
#include "drag_label_accessible.h"

#include <QLabel>
#include <QPointF>

class DragLabel : public QLabel {
    Q_OBJECT
public:
    DragLabel(QWidget* parent, const QFont& font);

    // Shown raised off the screen, with a ring: carried by keyboard, or
    // chosen by a tap.
    bool isLifted() const { return lifted_; }
    void setLifted(bool lifted);
    bool showsFocusRing() const { return hasFocus() && keyboardFocus_; }

    // Where a screen reader may put the label; none until its activity says.
    void setDestinations(drag_label_accessible::Destinations to) { destinations_ = std::move(to); }
    const drag_label_accessible::Destinations* destinations() const { return &destinations_; }

Q_SIGNALS:
    void pressed();
    void moved(Qt::MouseButtons buttons, float x, float y);
    // Once a press, the pointer having gone too far for a tap.
    void dragStarted();
    void released();
    // After released(), when the left button went down and up in one place.
    void tapped();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool lifted_ = false;
    bool keyboardFocus_ = false;
    bool tapping_ = false;
    QPointF pressedAt_;
    drag_label_accessible::Destinations destinations_;
};
