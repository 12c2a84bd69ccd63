#include "stage.h"

#include "screen.h"
#include "twips.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QStyleHints>

Stage::Stage() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), cover_(new QWidget(this)) {
    setWindowTitle(QStringLiteral("Ostervale"));
    setAutoFillBackground(true);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(screen->geometry());
    cover_->setAutoFillBackground(true);
    cover_->setGeometry(rect());
    cover_->lower();
    qApp->installEventFilter(this);
}

float Stage::desktopWidthTwips() const {
    return twips::fromPixels(width());
}

float Stage::desktopHeightTwips() const {
    return twips::fromPixels(height());
}

void Stage::bringToFront() {
    if (!isVisible())
        show();
    cover_->setGeometry(rect());
    cover_->show();
    cover_->raise();
    raise();
    activateWindow();
    setFocus(Qt::OtherFocusReason);
}

bool Stage::covers(const QWidget* panel) const {
    const QObjectList& order = children();
    return order.indexOf(cover_) > order.indexOf(const_cast<QWidget*>(panel));
}

Screen* Stage::frontScreen() const {
    const QObjectList& order = children();
    for (auto it = order.crbegin(); it != order.crend(); ++it) {
        auto* widget = qobject_cast<QWidget*>(*it);
        if (!widget || widget->isHidden())
            continue;
        if (widget == cover_)
            return nullptr;
        if (auto* screen = qobject_cast<Screen*>(widget))
            return screen;
    }
    return nullptr;
}

void Stage::focusFrontScreen(QWidget* opener, bool byKeyboard) {
    if (Screen* front = frontScreen())
        front->returnFocusTo(opener && front->isAncestorOf(opener) ? opener : nullptr, byKeyboard);
    else
        setFocus(Qt::OtherFocusReason);
}

void Stage::setBackColor(const QColor& colour) {
    QPalette p = palette();
    p.setColor(QPalette::Window, colour);
    setPalette(p);
    cover_->setPalette(p);
}

QColor Stage::backColor() const {
    return palette().color(QPalette::Window);
}

Screen* Stage::screenOf(QObject* object) const {
    for (QObject* o = object; o; o = o->parent()) {
        if (o->parent() == this)
            return qobject_cast<Screen*>(o);
    }
    return nullptr;
}

bool Stage::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
        return filterKey(watched);
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
        return filterMouse(watched, event);
    default:
        return false;
    }
}

bool Stage::filterKey(QObject* watched) {
    Screen* screen = screenOf(watched);
    return screen && screen != frontScreen();
}

bool Stage::continuesBurst(const QMouseEvent* press) const {
    // Qt's own measure of a double-click, carried on press after press.
    const QStyleHints* hints = QGuiApplication::styleHints();
    const quint64 since = press->timestamp() - lastPressTime_;
    return press->timestamp() >= lastPressTime_ &&
           since <= quint64(hints->mouseDoubleClickInterval()) &&
           (press->globalPosition() - lastPressAt_).manhattanLength() <=
               hints->mouseDoubleClickDistance();
}

bool Stage::filterMouse(QObject* watched, QEvent* event) {
    Screen* screen = screenOf(watched);
    if (!screen)
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (swallowingBurst_) {
        // The rest of a click that was not for this screen.
        if (event->type() == QEvent::MouseButtonRelease && mouse->buttons() == Qt::NoButton)
            swallowingBurst_ = false;
        if (screen == swallowing_ && event->type() != QEvent::MouseButtonPress &&
            event->type() != QEvent::MouseButtonDblClick)
            return true;
        swallowingBurst_ = false;
    }
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonDblClick)
        return false;
    // A double-click is always the second click of a burst; a press is a
    // later one when it comes as quickly after the last.
    const bool later = event->type() == QEvent::MouseButtonDblClick || continuesBurst(mouse);
    lastPressTime_ = mouse->timestamp();
    lastPressAt_ = mouse->globalPosition();
    if (!later) {
        pressedOn_ = screen;
        return false;
    }
    if (screen == pressedOn_)
        return false;
    // The first click opened this screen, or closed the one that lay over
    // it: the rest of the burst is not meant for it, and a triple click on
    // "Exit" closes one screen, not two.
    swallowing_ = screen;
    swallowingBurst_ = true;
    return true;
}

#include "moc_stage.cpp"
