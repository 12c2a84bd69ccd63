#pragma once
// A label the pupil drags. While a button is held after a press on it, it
// receives the moves and the release even when the pointer has left it.
// Coordinates are reported in twips from its own top-left corner.
#include <QLabel>

class DragLabel : public QLabel {
    Q_OBJECT
public:
    DragLabel(QWidget* parent, const QFont& font);

Q_SIGNALS:
    void pressed();
    void moved(Qt::MouseButtons buttons, float x, float y);
    void released();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};
