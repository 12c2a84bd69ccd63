#pragma once
// A menu entry: a label with yellow text on its entry colour and a thin
// border. Its background is opaque or transparent; the owning screen switches
// it for the hover highlight. Clicks come from a press and release of the
// left button on it.
#include <QLabel>

class MenuEntry : public QLabel {
    Q_OBJECT
public:
    MenuEntry(QWidget* parent, const QString& caption, const QColor& entryColour,
              const QFont& font);

    bool isOpaque() const { return autoFillBackground(); }
    void setOpaque(bool opaque);

Q_SIGNALS:
    void clicked();
    void mouseMoved();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool pressed_ = false;
};
