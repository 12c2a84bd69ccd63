#pragma once
// Which texts of a screen do not fit their controls at the program's own
// fonts: a wrapped label must have the height its lines need, a one-line
// label or a button the width and height of its text.
#include <QAbstractButton>
#include <QLabel>
#include <QStringList>

namespace fits {

inline QStringList misfits(QWidget* screen) {
    QStringList found;
    for (QLabel* label : screen->findChildren<QLabel*>()) {
        if (label->text().isEmpty() || !label->isVisibleTo(screen))
            continue;
        const bool fits = label->wordWrap()
                              ? label->heightForWidth(label->width()) <= label->height()
                              : label->sizeHint().width() <= label->width() &&
                                    label->fontMetrics().height() <= label->height();
        if (!fits)
            found << label->text();
    }
    for (QAbstractButton* button : screen->findChildren<QAbstractButton*>()) {
        if (button->text().isEmpty() || !button->isVisibleTo(screen))
            continue;
        if (button->sizeHint().width() > button->width() ||
            button->fontMetrics().height() > button->height())
            found << button->text();
    }
    return found;
}

} // namespace fits
