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
// A hostile file cannot hold the caller up: drawing stops after
// limits::DrawMilliseconds, and on a raster device an outline too costly to
// fill is left out (one merely costly is filled without antialiasing).
void draw(const Metafile& picture, QPainter& painter, const QRectF& target);

} // namespace metafile
