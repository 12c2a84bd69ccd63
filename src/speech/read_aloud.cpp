#include "read_aloud.h"

#include "program.h"
#include "screen.h"
#include "spoken_text.h"
#include "stage.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWindow>

namespace {
QWidget* widgetOf(QWindow* window) {
    const QWidgetList tops = QApplication::topLevelWidgets();
    for (QWidget* top : tops) {
        if (top->windowHandle() == window)
            return top;
    }
    return nullptr;
}

// The window an event is for, whether it came to the window itself, as the
// system delivers it, or to one of its controls.
QWidget* topOf(QObject* watched) {
    if (auto* window = qobject_cast<QWindow*>(watched))
        return widgetOf(window);
    if (auto* control = qobject_cast<QWidget*>(watched))
        return control->window();
    return nullptr;
}

// A finger on a touch screen, whose presses Qt turns into the mouse's.
bool fromTouch(const QMouseEvent* event) {
    return event->source() == Qt::MouseEventSynthesizedBySystem ||
           event->source() == Qt::MouseEventSynthesizedByQt ||
           event->pointingDevice()->type() == QInputDevice::DeviceType::TouchScreen;
}

bool isMouse(QEvent::Type type) {
    return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
           type == QEvent::MouseButtonDblClick || type == QEvent::MouseMove;
}
} // namespace

ReadAloud::ReadAloud(Program& program, std::unique_ptr<Speaker> speaker)
    : program_(program), speaker_(std::move(speaker)) {
    holdTimer_.setSingleShot(true);
    holdTimer_.setInterval(HoldMilliseconds);
    connect(&holdTimer_, &QTimer::timeout, this, [this] {
        if (!heldPress_)
            return;
        const std::unique_ptr<QMouseEvent> press = std::move(heldPress_);
        swallowingTouch_ = heldWindow_;
        if (QWidget* top = heldWindow_ ? widgetOf(heldWindow_) : nullptr)
            runGuarded([&] { speakAt(top, press->position().toPoint()); });
    });
    qApp->installEventFilter(this);
}

ReadAloud::~ReadAloud() {
    qApp->removeEventFilter(this);
    stop();
}

bool ReadAloud::soundOn() const {
    return program_.shell.SoundOn == 1;
}

bool ReadAloud::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    // The sound was switched off while something was being read.
    if ((type == QEvent::MouseButtonRelease || type == QEvent::KeyRelease) && speaking() &&
        !soundOn())
        stop();
    if (isMouse(type))
        return mouse(watched, static_cast<QMouseEvent*>(event));
    switch (type) {
    case QEvent::ContextMenu:
        // What a right-click would open (a text box's menu) is the request.
        return static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Mouse;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return key(watched, static_cast<QKeyEvent*>(event));
    case QEvent::Hide:
        if (about_ && watched == about_)
            stop();
        return false;
    case QEvent::Show:
        // Another screen or a message over the one being read.
        if (about_ && watched != about_ && speaking() &&
            (qobject_cast<Screen*>(watched) || qobject_cast<QDialog*>(watched)))
            stop();
        return false;
    default:
        return false;
    }
}

bool ReadAloud::mouse(QObject* watched, QMouseEvent* event) {
    if (replaying_)
        return false;
    auto* window = qobject_cast<QWindow*>(watched);
    if (window && swallowingTouch_ == window) {
        if (event->type() == QEvent::MouseButtonRelease && event->buttons() == Qt::NoButton)
            swallowingTouch_ = nullptr;
        return true;
    }
    if (window && touchHold(window, event))
        return true;
    if (event->button() != Qt::RightButton)
        return false;
    if (event->type() == QEvent::MouseButtonPress) {
        if (QWidget* top = topOf(watched)) {
            const QPoint at =
                window ? event->position().toPoint()
                       : static_cast<QWidget*>(watched)->mapTo(top, event->position().toPoint());
            runGuarded([&] { speakAt(top, at); });
        }
    }
    return true;
}

bool ReadAloud::touchHold(QWindow* window, QMouseEvent* event) {
    if (heldPress_) {
        // A finger that moves is dragging, and one lifted was a tap: either
        // way the control gets the touch as it began.
        const bool still =
            window == heldWindow_ && event->type() == QEvent::MouseMove &&
            (event->globalPosition() - heldPress_->globalPosition()).manhattanLength() <
                QApplication::startDragDistance();
        if (still)
            return true;
        replayHeldPress();
        return false;
    }
    if (event->type() != QEvent::MouseButtonPress || event->button() != Qt::LeftButton ||
        !fromTouch(event))
        return false;
    heldPress_.reset(static_cast<QMouseEvent*>(event->clone()));
    heldWindow_ = window;
    holdTimer_.start();
    return true;
}

void ReadAloud::replayHeldPress() {
    holdTimer_.stop();
    const std::unique_ptr<QMouseEvent> press = std::move(heldPress_);
    const QPointer<QWindow> window = heldWindow_;
    heldWindow_ = nullptr;
    if (!press || !window)
        return;
    replaying_ = true;
    QCoreApplication::sendEvent(window, press.get());
    replaying_ = false;
}

bool ReadAloud::key(QObject* watched, QKeyEvent* event) {
    const bool press = event->type() == QEvent::KeyPress;
    if (event->key() == Qt::Key_Escape) {
        if (press && !swallowingEscape_ && speaking()) {
            stop();
            swallowingEscape_ = true;
            return true;
        }
        const bool swallowed = swallowingEscape_;
        if (!press && !event->isAutoRepeat())
            swallowingEscape_ = false;
        return swallowed;
    }
    const bool plain =
        event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier;
    if (!plain || (event->key() != Qt::Key_F5 && event->key() != Qt::Key_F6))
        return false;
    if (press && !event->isAutoRepeat()) {
        if (QWidget* top = topOf(watched)) {
            runGuarded([&] {
                if (event->key() == Qt::Key_F5)
                    speakFocus(top);
                else
                    speakWhole(top);
            });
        }
    }
    return true;
}

QWidget* ReadAloud::areaOf(QWidget* top) const {
    // On the stage, only the screen in front is there for the pupil.
    if (auto* stage = qobject_cast<Stage*>(top))
        return stage->frontScreen();
    return top;
}

void ReadAloud::speakAt(QWidget* top, QPoint at) {
    QWidget* area = areaOf(top);
    if (!area || !area->rect().contains(area->mapFrom(top, at)))
        return stop();
    const QPoint within = area->mapFrom(top, at);
    QWidget* control = spoken_text::controlAt(area, within);
    speak(spoken_text::at(control, control->mapFrom(area, within)), area);
}

void ReadAloud::speakFocus(QWidget* top) {
    QWidget* area = areaOf(top);
    QWidget* focus = QApplication::focusWidget();
    if (!area || !focus || (focus != area && !area->isAncestorOf(focus)))
        return stop();
    QString words = spoken_text::of(focus);
    if (words.isEmpty() && focus == area)
        words = area->accessibleName();
    speak(words, area);
}

void ReadAloud::speakWhole(QWidget* top) {
    QWidget* area = areaOf(top);
    if (!area)
        return stop();
    const auto* screen = qobject_cast<Screen*>(area);
    speak(spoken_text::joined(screen ? screen->readingOrder() : spoken_text::inReadingOrder(area)),
          area);
}

void ReadAloud::speak(const QString& text, QWidget* about) {
    // A new request ends the one before, whatever it asks for.
    stop();
    if (!soundOn() || text.isEmpty())
        return;
    about_ = about;
    speaker_->say(text);
}

void ReadAloud::stop() {
    about_ = nullptr;
    if (speaking())
        speaker_->stop();
}
