#pragma once
// What the benchmark programs share: how they report a figure, read their own
// peak memory, wait for a frame to reach the screen, and end on the first one.
// Header-only and Qt-only, so the floor program stays a bare Qt program.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <functional>

#include "first_frame.h"

namespace bench {

using first_frame::peakKib;

// One figure per line: "name value", read by bench_run.
inline void report(const char* name, double value) {
    std::printf("%s %.6f\n", name, value);
    std::fflush(stdout);
}

// Counts paint events anywhere in the program, and notes when a given widget
// was painted. A widget is painted and the window's backing store flushed in
// one pass of the event loop, so once the pass in which the widget was painted
// returns, its frame has been flushed.
class PaintWatch : public QObject {
public:
    PaintWatch() { QCoreApplication::instance()->installEventFilter(this); }
    int paints = 0;
    bool targetPainted = false;

    // Waits for this widget's next paint; with none, for any widget's (a
    // widget that only moves may be copied on screen, not painted, and what
    // is painted then is what it uncovered).
    void arm(const QObject* widget) {
        armFor([widget] { return widget; });
        anyPaint_ = widget == nullptr;
    }
    // For a widget that does not exist yet: looked up at each paint.
    void armFor(std::function<const QObject*()> target) {
        target_ = std::move(target);
        anyPaint_ = false;
        targetPainted = false;
        paints = 0;
    }

    // Runs the event loop until the armed widget has been painted (and so
    // flushed); false if that did not happen within two seconds.
    bool waitForFrame() {
        QElapsedTimer limit;
        limit.start();
        while (!targetPainted) {
            if (limit.elapsed() > 2000)
                return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        }
        return true;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
            if (anyPaint_ || (target_ && watched == target_()))
                targetPainted = true;
        }
        return false;
    }

private:
    std::function<const QObject*()> target_;
    bool anyPaint_ = false;
};

} // namespace bench
