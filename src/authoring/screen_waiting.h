#pragma once
// While a screen waits for another copy of the program to let go of the
// worksheet folder's lock: the hourglass shows and the window keeps painting,
// but the teacher's clicks and keys wait until the answer is known.
#include "catalogue_file.h"

#include <QApplication>

class ScreenWaiting {
public:
    ScreenWaiting()
        : scope_([this] {
              if (!hourglass_) {
                  QApplication::setOverrideCursor(Qt::WaitCursor);
                  hourglass_ = true;
              }
              QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
          }) {}
    ~ScreenWaiting() {
        if (hourglass_)
            QApplication::restoreOverrideCursor();
    }
    ScreenWaiting(const ScreenWaiting&) = delete;
    ScreenWaiting& operator=(const ScreenWaiting&) = delete;

private:
    catalogue_file::WaitingScope scope_;
    bool hourglass_ = false;
};
