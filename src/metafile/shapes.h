#pragma once
// The outlines of GDI's shapes in logical units, ready for the player to
// fill and stroke under the current mapping.
#include "commands.h"

#include <QPainterPath>

namespace metafile::shapes {

QPainterPath rectangle(const Box& box);
QPainterPath roundRect(const Box& box, const QSize& corner);
QPainterPath ellipse(const Box& box);
// An open arc, a pie slice or a chord: from the ray through start round
// anticlockwise to the ray through end, on the ellipse inside box.
QPainterPath arc(const cmd::Arc& arc);
QPainterPath polyline(const QPolygon& points);
QPainterPath polygon(const QPolygon& points, int fillMode);
QPainterPath polyPolygon(const QList<QPolygon>& polygons, int fillMode);

} // namespace metafile::shapes
