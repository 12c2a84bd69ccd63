#pragma once
// What a shape from the file will cost to fill on a raster device. Qt's
// antialiased filler slows to seconds on a few hundred long crossing edges,
// and even its plain one takes time in proportion to the edges it walks, so a
// record of a few kilobytes could otherwise hold the window for minutes.
#include <QList>
#include <QPolygon>
#include <QSizeF>
#include <QTransform>

namespace metafile::raster_cost {

// Beyond this a shape is filled without antialiasing; real outlines (a map,
// a rounded box) stay well below it.
inline constexpr double SmoothEdgePixels = 50'000;
// Beyond this a shape is not drawn at all: about two seconds of work even
// without antialiasing.
inline constexpr double MostEdgePixels = 5'000'000;

// Beyond this length of outline, on the device and off it, a shape is filled
// without antialiasing: against a clip that is not a plain rectangle, Qt's
// antialiased filler walks the parts of the edges far off the device too,
// and one polygon reaching millions of pixels away took seconds.
inline constexpr double SmoothOutlinePixels = 1'000'000;

// The whole length of the outlines, across and down, on the device and off.
double outlinePixels(const QList<QPolygon>& outlines, const QTransform& toDevice);

// The length of edge, across and down, that the filler walks for these
// outlines placed on a device of the given size; edges beyond the device
// count only for their part on it.
double edgePixels(const QList<QPolygon>& outlines, const QTransform& toDevice,
                  const QSizeF& device);

} // namespace metafile::raster_cost
