#pragma once
// How a drag label appears to a screen reader: text with one action for
// each box it can be put in ("Put in Answer box for the picture of ..."),
// so a pupil who cannot see the screen can do the activity without a mouse
// or the keyboard's carry. Where it lies is its description, which changes,
// and is announced, with every placement.
#include <QString>
#include <QStringList>
#include <functional>

class QAccessibleInterface;
class QObject;

namespace drag_label_accessible {

// What the activity tells a label's interface: the boxes in the order the
// keyboard visits them, by name, and how to put the label in the k-th.
struct Destinations {
    std::function<QStringList()> names;
    std::function<void(int)> putIn;
};

// For QAccessible::installFactory.
QAccessibleInterface* factory(const QString& className, QObject* object);

QString actionFor(const QString& boxName);

} // namespace drag_label_accessible
