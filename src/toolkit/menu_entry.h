#pragma once
// A menu entry: a label with yellow text on its entry colour and a thin
// border. Its background is opaque or transparent; the owning screen switches
// it for the hover highlight. Clicks come from a press and release of the
// left button on it, or from Enter, Return or Space while it has the
// keyboard. Tab reaches it; a click never gives it the keyboard, so the
// pointer leaves the focus where it was.
#include <QLabel>

class MenuEntry : public QLabel {
    Q_OBJECT
public:
    MenuEntry(QWidget* parent, const QString& caption, const QColor& entryColour,
              const QFont& font);

    bool isOpaque() const { return autoFillBackground(); }
    void setOpaque(bool opaque);
    // True while it has the keyboard and the keyboard brought it there: only
    // then is its focus ring drawn.
    bool showsFocusRing() const { return hasFocus() && keyboardFocus_; }

Q_SIGNALS:
    void clicked();
    void mouseMoved();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool pressed_ = false;
    bool keyboardFocus_ = false;
};
