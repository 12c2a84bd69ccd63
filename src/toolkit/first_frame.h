#pragma once
// The hook `make bench` times start-up with, in the program and in the floor
// program it is compared with: BENCH_FIRST_FRAME=exit in the environment ends
// the process as soon as the first screen's first frame has been flushed;
// =memory prints the peak memory first. Without the variable it does nothing.
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <unistd.h>

namespace first_frame {

// Peak resident memory of this process so far, in KiB; 0 when unknown.
inline long peakKib() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}

// Ends the process after `widget`'s first flushed frame, when asked to.
class FirstFrameExit : public QObject {
public:
    static void installIfAsked(QWidget* widget) {
        const QByteArray mode = qgetenv("BENCH_FIRST_FRAME");
        if (mode.isEmpty())
            return;
        widget->installEventFilter(new FirstFrameExit(widget, mode == "memory"));
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !armed_) {
            armed_ = true;
            // The flush follows the paint in the same pass of the event loop.
            QTimer::singleShot(0, [memory = memory_] {
                if (memory)
                    std::printf("peak_kib %ld\n", peakKib());
                std::fflush(nullptr);
                _exit(0);
            });
        }
        return false;
    }

private:
    FirstFrameExit(QObject* parent, bool memory) : QObject(parent), memory_(memory) {}
    bool memory_;
    bool armed_ = false;
};

} // namespace first_frame
