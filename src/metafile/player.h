#pragma once
// Plays a metafile onto any QPainter: a widget's pixmap, a QImage, a printer
// or a PDF. Text stays text and shapes stay shapes, so a page is as sharp on
// paper as on screen.
#include "metafile.h"

#include <QPainter>
#include <QRectF>

namespace metafile {

// Fits the picture's frame to target (in the painter's current coordinates)
// and draws it there, clipped to target. The painter is left as it was found.
void draw(const Metafile& picture, QPainter& painter, const QRectF& target);

} // namespace metafile
