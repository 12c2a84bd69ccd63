#pragma once
// Text as GDI places it: the font sized in logical units, the reference
// point aligned left, right or centre and top, baseline or bottom, each
// character at its advance when the file gives them. Glyphs stay upright
// whichever way the window runs, since GDI draws them on the device.
#include "commands.h"

#include <QColor>
#include <QList>
#include <QPainter>
#include <QPointF>
#include <QString>
#include <QTransform>

namespace metafile {

struct TextRun {
    QPointF origin; // the reference point, in frame units
    QString text;
    QList<double> advances; // frame units; characters past its end use the font's own
    Font font;
    double fontHeight = 0; // |height| in frame units; zero for the default size
    double fontWidth = 0;  // average character width in frame units; zero for the font's own
    double defaultHeight = 0;
    int align = 0;
    bool opaque = false;
    QColor textColour;
    QColor bkColour;
};

// Draws the run; frameToDevice places frame units on the painter's device.
// Returns the run's width in frame units, for TA_UPDATECP.
double paintText(QPainter& painter, const QTransform& frameToDevice, const TextRun& run);

} // namespace metafile
