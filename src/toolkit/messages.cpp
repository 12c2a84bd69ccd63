#include "messages.h"

#include "style.h"
#include "twips.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <cmath>

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

constexpr double kMessagePoints = 8.25;

// On a whiteboard a box in the desk's size is unreadable from the back of
// the class. Qt keeps a button's margins and least width in pixels, so each
// button is given its size at the desk's font grown by the scale, and the
// words are set in the program's message font at the scale. At scale 1 the
// box is left exactly as Qt makes it.
void growWithTheScale(QMessageBox& box) {
    const float scale = twips::scale();
    if (scale == 1.0f)
        return;
    QFont desk = style::tahoma(kMessagePoints);
    desk.setPixelSize(twips::fontPixels(kMessagePoints, 1.0f));
    box.setFont(desk);
    QList<QSize> deskSizes;
    for (QAbstractButton* button : box.buttons())
        deskSizes << button->sizeHint();
    box.setFont(style::tahoma(kMessagePoints));
    for (qsizetype k = 0; k < deskSizes.size(); ++k)
        box.buttons().at(k)->setMinimumSize(int(std::lround(deskSizes[k].width() * scale)),
                                            int(std::lround(deskSizes[k].height() * scale)));
}

QMessageBox::StandardButton ask(QMessageBox::Icon icon, const QString& caption, const QString& text,
                                QMessageBox::StandardButtons buttons,
                                QMessageBox::StandardButton byDefault) {
    const KeyboardComesBack back;
    QMessageBox box(icon, caption, text, buttons, back.window());
    box.setDefaultButton(byDefault);
    growWithTheScale(box);
    box.exec();
    return box.standardButton(box.clickedButton());
}
} // namespace

void QtMessageBoxes::tell(const QString& text) {
    ask(QMessageBox::Information, kCaption, text, QMessageBox::Ok, QMessageBox::Ok);
}

bool QtMessageBoxes::confirm(const QString& text, const QString& caption) {
    // Every question asks before something is thrown away, so Enter, or
    // Enter pressed once too often, keeps it.
    return ask(QMessageBox::Question, caption, text, QMessageBox::Ok | QMessageBox::Cancel,
               QMessageBox::Cancel) == QMessageBox::Ok;
}
