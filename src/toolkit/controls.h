#pragma once
// Small builders for the controls that every screen uses, so each screen's
// layout reads as its design: text, colour, font, place.
#include <QColor>
#include <QFont>
#include <QLabel>

class MenuEntry;

namespace controls {

inline const QColor Yellow{255, 255, 0};

// A transparent label with coloured text.
QLabel* label(QWidget* parent, const QString& text, const QColor& colour, const QFont& font,
              Qt::Alignment alignment = Qt::AlignHCenter | Qt::AlignTop);

// The usual entry: yellow Tahoma bold 15.75 pt on black, with a thin border.
MenuEntry* entry(QWidget* parent, const QString& caption);

void setTextColour(QWidget* control, const QColor& colour);
void setBackColour(QWidget* control, const QColor& colour);

} // namespace controls
