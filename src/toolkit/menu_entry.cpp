#include "menu_entry.h"

#include "style.h"

#include <QMouseEvent>

namespace {
const QColor kDisabledText(128, 128, 128);
} // namespace

MenuEntry::MenuEntry(QWidget* parent, const QString& caption, const QColor& entryColour,
                     const QFont& font)
    : QLabel(caption, parent) {
    QPalette p = palette();
    p.setColor(QPalette::Window, entryColour);
    p.setColor(QPalette::WindowText, style::Yellow);
    p.setColor(QPalette::Disabled, QPalette::WindowText, kDisabledText);
    setPalette(p);
    setFont(font);
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setWordWrap(true);
    setMouseTracking(true);
    setOpaque(true);
}

void MenuEntry::setOpaque(bool opaque) {
    if (opaque == autoFillBackground())
        return;
    setAutoFillBackground(opaque);
    update();
}

void MenuEntry::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
}

void MenuEntry::mouseDoubleClickEvent(QMouseEvent*) {
    // The second click of a double-click is not a click of its own: one
    // double-click on "Next Question >>" moves on by one question.
    pressed_ = false;
}

void MenuEntry::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click)
        Q_EMIT clicked();
}

void MenuEntry::mouseMoveEvent(QMouseEvent*) {
    Q_EMIT mouseMoved();
}

void MenuEntry::changeEvent(QEvent* event) {
    // A greyed entry is not there for the mouse: its moves reach the screen
    // beneath, which clears the highlight, and it can never be clicked.
    if (event->type() == QEvent::EnabledChange)
        setAttribute(Qt::WA_TransparentForMouseEvents, !isEnabled());
    QLabel::changeEvent(event);
}

void MenuEntry::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    style::paintThinBorder(this);
}
