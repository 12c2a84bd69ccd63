#pragma once
// The program's look in one place: its three typefaces, the colours its
// screens share, and the standard screen.
#include <QColor>
#include <QFont>

class QLabel;
class QPainter;
class QWidget;

namespace style {

inline const QColor Yellow{255, 255, 0};
inline const QColor Green{0, 255, 0};
inline const QColor Black{0, 0, 0};
inline const QColor White{255, 255, 255};
inline const QColor Navy{0, 0, 128};
inline const QColor ScreenBack{39, 63, 137};
inline const QColor PictureBack{49, 135, 214};
inline const QColor BackdropBack{48, 133, 214};
inline const QColor TitleGrey{192, 192, 192};
// Behind the wizard's tick boxes and the catalogue's mode boxes.
inline const QColor BoxBack{0, 78, 152};

inline constexpr float ScreenWidth = 12000;
inline constexpr float ScreenHeight = 9000;

QFont tahoma(double points, bool bold = false);
QFont tahomaBold(double points);
QFont times(double points, bool bold = false);
QFont arial(double points);

// Puts the program's own style in front of the platform's, once: it draws
// the marks of check boxes and option buttons at the run-time scale, which
// the platform's style keeps at a dozen pixels however large the screens
// are. At scale 1 it changes nothing.
void useScaledMarks();

// The single thin border of entries, boxes and labels, drawn over whatever
// the control has painted.
void paintThinBorder(QWidget* control, QPainter& painter);

// Paints a label's plain text as a label that never takes the keyboard does.
// A label that Tab can reach is drawn by Qt through a whole text document,
// several times slower to lay out and to paint, for the same text.
void paintLabelText(QLabel* label, QPainter& painter);

// Whether the keyboard moved the focus (Tab, Shift+Tab, an arrow key): only
// then is a focus ring drawn, so a click or a screen opening shows none.
bool cameByKeyboard(Qt::FocusReason reason);
// The keyboard's mark: a solid white band two pixels wide along the
// control's edge, outside its text, and a solid black band two pixels wide
// inside it. White stands out from the blue screens and the black and navy
// entries, black from yellow; neither is broken into dots. A control too
// small to spare the inner band (a tick box) has the white band alone, on
// the blue it always stands on.
void paintFocusRing(QWidget* control, bool innerBand = true);

} // namespace style
