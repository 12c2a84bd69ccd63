#pragma once
// Reading aloud on request, and only then: a right-click (or, on a touch
// screen, a finger held still) on any text speaks that text, F5 speaks the
// control the keyboard is on and F6 the whole screen in its reading order.
// Escape, or a new request, stops the speaking, and so does the screen it
// was about closing or going behind another. Nothing is said while the
// sound is switched off.
//
// A right-click never does what a left click does: the press never reaches
// the control, so no entry is pressed, no answer chosen, no label lifted,
// and the keyboard stays where it was. A touch held still is kept from the
// control until it is known not to be a request: let go or moved sooner, it
// reaches the control as it would have.
#include "speaker.h"

#include <QEvent>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QTimer>
#include <memory>

class Program;
class QKeyEvent;
class QMouseEvent;
class QWidget;
class QWindow;

class ReadAloud final : public QObject {
public:
    // How long a finger stays still on a text to have it read.
    static constexpr int HoldMilliseconds = 600;

    // Watches every window of the application from now on.
    ReadAloud(Program& program, std::unique_ptr<Speaker> speaker);
    ~ReadAloud() override;

    Speaker& speaker() { return *speaker_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool mouse(QObject* watched, QMouseEvent* event);
    bool touchHold(QWindow* window, QMouseEvent* event);
    bool key(QObject* watched, QKeyEvent* event);
    // Where the pupil is in a window: the screen in front on the stage, or
    // the window itself (a message).
    QWidget* areaOf(QWidget* top) const;
    // Speaks what lies at a point of a window (its own coordinates), the
    // control the keyboard is on, or the whole screen.
    void speakAt(QWidget* top, QPoint at);
    void speakFocus(QWidget* top);
    void speakWhole(QWidget* top);
    void speak(const QString& text, QWidget* about);
    void stop();
    bool soundOn() const;
    bool speaking() const { return speaker_->state() == Speaker::State::Speaking; }
    void replayHeldPress();

    Program& program_;
    std::unique_ptr<Speaker> speaker_;
    // The screen (or other window) whose words are being spoken.
    QPointer<QWidget> about_;
    // Escape stopped the speaking: its repeats and release go nowhere.
    bool swallowingEscape_ = false;

    // A touch on its way to becoming a request, held back from its window.
    std::unique_ptr<QMouseEvent> heldPress_;
    QPointer<QWindow> heldWindow_;
    QTimer holdTimer_;
    // The touch was a request: the rest of it goes nowhere.
    QPointer<QWindow> swallowingTouch_;
    bool replaying_ = false;
};
