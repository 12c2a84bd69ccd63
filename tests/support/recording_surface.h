#pragma once
// A print surface that keeps every call instead of printing, with simple
// metrics (each character is as wide as a tenth of the font's twip size)
// so layouts can be checked by arithmetic, and an optional failure at the
// k-th drawing step.
#include "print_surface.h"

#include <QList>
#include <QPainter>

struct PrintedLine {
    QString text;
    float x, y;
    double points;
    QColor colour;
    bool newLine;
    bool operator==(const PrintedLine&) const = default;
};

struct DrawnLine {
    float x1, y1, x2, y2;
    int width;
    bool operator==(const DrawnLine&) const = default;
};

class RecordingSurface final : public PrintSurface {
public:
    RecordingSurface(float w = 11000, float h = 16000) : w_(w), h_(h) {}
    ~RecordingSurface() override {
        if (onDone)
            onDone(*this);
    }

    bool begin() override { return startable && step(); }
    float ScaleWidth() const override { return w_; }
    float ScaleHeight() const override { return h_; }
    void setFont(const QString&, double points) override { points_ = points; }
    void setForeColor(const QColor& colour) override { colour_ = colour; }
    void setDrawWidth(int pixels) override { width_ = pixels; }
    bool Print(const QString& text, bool newLine = true) override {
        if (!step())
            return false;
        printed.append({text, CurrentX, CurrentY, points_, colour_, newLine});
        if (newLine) {
            CurrentX = 0;
            CurrentY += TextHeight();
        } else {
            CurrentX += TextWidth(text);
        }
        return true;
    }
    float TextWidth(const QString& text) const override { return float(text.size() * points_ * 2); }
    float TextHeight() const override { return float(points_ * 23); }
    bool Line(float x1, float y1, float x2, float y2) override {
        if (!step())
            return false;
        lines.append({x1, y1, x2, y2, width_});
        return true;
    }
    bool drawPicture(float x, float y, const std::function<void(QPainter&)>& draw) override {
        if (!step())
            return false;
        pictures.append(QPointF(x, y));
        QImage scratch(10, 10, QImage::Format_RGB32);
        QPainter painter(&scratch);
        draw(painter);
        return true;
    }
    bool EndDoc() override {
        ++ended;
        return step();
    }
    void KillDoc() override { ++killed; }

    // Lets a test look at the job after the printing code has let it go.
    std::function<void(const RecordingSurface&)> onDone;
    bool startable = true;
    // The step (0 = begin) at which the printer fails; -1 for never.
    int failAt = -1;
    QList<PrintedLine> printed;
    QList<DrawnLine> lines;
    QList<QPointF> pictures;
    int ended = 0;
    int killed = 0;
    int steps = 0;

private:
    bool step() { return steps++ != failAt; }

    float w_, h_;
    double points_ = 12;
    QColor colour_ = Qt::black;
    int width_ = 1;
};
