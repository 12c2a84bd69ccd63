#pragma once
// A straight line drawn on a screen, given by its two ends in twips.
#include <QColor>
#include <QWidget>

class LineControl : public QWidget {
public:
    LineControl(QWidget* parent, float x1, float y1, float x2, float y2, const QColor& colour,
                int widthPixels);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLineF line_;
    QColor colour_;
    int width_;
};
