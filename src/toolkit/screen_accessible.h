#pragma once
// How a screen appears to a screen reader: as a dialog named as the screen,
// holding its controls; and, while another screen or the backdrop lies over
// it, as nothing at all, so a blind pupil can neither find nor press what a
// sighted pupil cannot see or reach.
class QObject;
class QString;
class QAccessibleInterface;

namespace screen_accessible {

// For QAccessible::installFactory: the interface of any screen.
QAccessibleInterface* factory(const QString& className, QObject* object);

} // namespace screen_accessible
