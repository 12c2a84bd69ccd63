#pragma once
// The one top-level window: a frameless backdrop covering the desktop, on
// which every screen appears as a panel. Nothing can fall behind it, and no
// window manager is needed to keep the screens in order.
#include <QWidget>

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

    void setBackColor(const QColor& colour);
    QColor backColor() const;

private:
    QWidget* cover_;
};
