#pragma once
// How logical units reach the picture's frame: the window and viewport and
// the map mode, as a device context holds them. The frame stands in for the
// device, so a viewport the file sets is read in frame units; until it sets
// one, window and viewport are both the frame, which is how a viewer's own
// device context meets a placeable picture.
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QTransform>

namespace metafile {

struct Mapping {
    int mode = 0;
    QPointF windowOrg;
    QSizeF windowExt;
    QPointF viewportOrg;
    QSizeF viewportExt;
    double unitsPerInch = 1440;

    static Mapping forFrame(const QRectF& frame, double unitsPerInch);

    // Each ignores what GDI would refuse: an unknown mode, a zero extent.
    void setMode(int m);
    void setWindowExt(const QSize& size);
    void setViewportExt(const QSize& size);

    QTransform logicalToFrame() const;
};

} // namespace metafile
