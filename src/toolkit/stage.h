#pragma once
// The one top-level window: a frameless backdrop covering the desktop, on
// which every screen appears as a panel. Nothing can fall behind it, and no
// window manager is needed to keep the screens in order. Only the screen in
// front hears the keyboard, and the later clicks of a quick burst (a double
// or triple click) never act on a screen that its first click opened or
// uncovered.
#include <QPointF>
#include <QPointer>
#include <QWidget>

class QMouseEvent;
class Screen;

class Stage : public QWidget {
    Q_OBJECT
public:
    Stage();

    virtual void Form_Load() {}

    // The desktop as the screens see it, in twips.
    float desktopWidthTwips() const;
    float desktopHeightTwips() const;

    // Shows the backdrop if it is not showing yet, and brings it in front of
    // every open screen; a screen is seen again only when it is next shown.
    void bringToFront();
    bool covers(const QWidget* panel) const;

    // The screen that keys and clicks are for; none while the backdrop
    // covers every open screen.
    Screen* frontScreen() const;
    // After a screen closes, the keyboard goes to the one now in front: to
    // `opener` when that is one of its controls (the entry that opened the
    // screen just closed), else where the screen puts it on showing.
    void focusFrontScreen(QWidget* opener = nullptr, bool byKeyboard = false);

    void setBackColor(const QColor& colour);
    QColor backColor() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Screen* screenOf(QObject* object) const;
    bool filterKey(QObject* watched);
    bool filterMouse(QObject* watched, QEvent* event);

    bool continuesBurst(const QMouseEvent* press) const;

    QWidget* cover_;
    // The screen that took the first press of the latest burst of clicks,
    // and when and where its latest press came.
    QPointer<Screen> pressedOn_;
    quint64 lastPressTime_ = 0;
    QPointF lastPressAt_;
    QPointer<Screen> swallowing_;
    bool swallowingBurst_ = false;
};
