#pragma once
// Driving screens as a pupil would: clicks, double-clicks and keys.
#include <QGuiApplication>
#include <QMouseEvent>
#include <QStyleHints>
#include <QTest>
#include <QWidget>
#include <QWindow>

namespace gui {

// A left click a few pixels inside a control, where its caption is.
inline void click(QWidget* w, QPoint at = QPoint(6, 6)) {
    QTest::mouseClick(w, Qt::LeftButton, {}, at);
}

// What the window system delivers for a quick double-click: press,
// release, then a double-click and a release where the pointer is. The
// second half goes to whatever lies under the pointer by then.
inline void doubleClickAt(QWidget* window, QPoint at) {
    QWidget* first = window->childAt(at);
    QTest::mousePress(first, Qt::LeftButton, {}, first->mapFrom(window, at));
    QTest::mouseRelease(first, Qt::LeftButton, {}, first->mapFrom(window, at));
    QWidget* second = window->childAt(at);
    QTest::mouseDClick(second, Qt::LeftButton, {}, second->mapFrom(window, at));
    QTest::mouseRelease(second, Qt::LeftButton, {}, second->mapFrom(window, at));
}

// Presses on a control, moves the pointer in two steps to `to` (a point of
// `surface`) and lets go. The events go to the window, as the pointer's
// would, so the control keeps them only through the press's implicit grab.
inline void drag(QWidget* control, QWidget* surface, QPoint to, QPoint grip = QPoint(5, 5)) {
    QWidget* top = control->window();
    QWindow* window = top->windowHandle();
    const QPoint from = control->mapTo(top, grip);
    const QPoint end = surface->mapTo(top, to);
    QTest::mousePress(window, Qt::LeftButton, {}, from);
    QTest::mouseMove(window, (from + end) / 2);
    QTest::mouseMove(window, end);
    QTest::mouseRelease(window, Qt::LeftButton, {}, end);
}

} // namespace gui
