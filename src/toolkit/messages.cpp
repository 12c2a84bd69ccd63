#include "messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

namespace {
const QString kCaption = QStringLiteral("Ostervale");

// When a box closes, some platforms (offscreen, and window managers that
// activate nothing by themselves) leave no window with the keyboard, and the
// pupil's next key is lost until a click. The window the box came from is
// made active again, with the keyboard on the control that had it.
class KeyboardComesBack {
public:
    KeyboardComesBack()
        : window_(QApplication::activeWindow()),
          focus_(window_ ? window_->focusWidget() : nullptr) {}
    KeyboardComesBack(const KeyboardComesBack&) = delete;
    KeyboardComesBack& operator=(const KeyboardComesBack&) = delete;
    ~KeyboardComesBack() {
        if (!window_ || !window_->isVisible())
            return;
        window_->activateWindow();
        if (focus_ && window_->focusWidget() != focus_)
            focus_->setFocus(Qt::ActiveWindowFocusReason);
    }

    QWidget* window() const { return window_; }

private:
    QPointer<QWidget> window_;
    QPointer<QWidget> focus_;
};
} // namespace

void QtMessageBoxes::tell(const QString& text) {
    const KeyboardComesBack back;
    QMessageBox::information(back.window(), kCaption, text, QMessageBox::Ok);
}

bool QtMessageBoxes::confirm(const QString& text, const QString& caption) {
    const KeyboardComesBack back;
    // Every question asks before something is thrown away, so Enter, or
    // Enter pressed once too often, keeps it.
    return QMessageBox::question(back.window(), caption, text,
                                 QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::Cancel) == QMessageBox::Ok;
}
