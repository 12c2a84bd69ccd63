#pragma once
// How a screen appears to a screen reader: as a dialog named as the screen,
// holding its controls; and, while another screen or the backdrop lies over
// it, as nothing at all, so a blind pupil can neither find nor press what a
// sighted pupil cannot see or reach.
class QObject;
class QString;
class QAccessibleInterface;

namespace screen_accessible {

// For QAccessible::installFactory: the interface of any screen, of its
// client area, which leaves out the controls marked unseen, and of those
// controls, which say they are invisible.
QAccessibleInterface* factory(const QString& className, QObject* object);

// A control with this property set to true lies hidden under another (the
// quiz's no-answer button under its picture): a screen reader is not told
// of it at all.
inline constexpr char Unseen[] = "ostervaleUnseen";

} // namespace screen_accessible
