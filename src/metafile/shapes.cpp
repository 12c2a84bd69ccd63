#include "shapes.h"

#include <QtMath>
#include <cmath>

namespace metafile::shapes {
namespace {

QRectF boxRect(const Box& box) {
    return QRectF(QPointF(box.left, box.top), QPointF(box.right, box.bottom)).normalized();
}

Qt::FillRule fillRule(int fillMode) {
    return fillMode == gdi::fill::Winding ? Qt::WindingFill : Qt::OddEvenFill;
}

// GDI's start and end points only give directions from the centre; Qt wants
// the ellipse's own parameter angle, which differs from the direction's
// angle on anything but a circle.
double parameterAngle(const QRectF& r, const QPoint& p) {
    const QPointF c = r.center();
    const double dx = (p.x() - c.x()) / (r.width() / 2);
    const double dy = (c.y() - p.y()) / (r.height() / 2);
    return qRadiansToDegrees(std::atan2(dy, dx));
}

} // namespace

QPainterPath rectangle(const Box& box) {
    QPainterPath path;
    path.addRect(boxRect(box));
    return path;
}

QPainterPath roundRect(const Box& box, const QSize& corner) {
    QPainterPath path;
    path.addRoundedRect(boxRect(box), std::abs(corner.width()) / 2.0,
                        std::abs(corner.height()) / 2.0);
    return path;
}

QPainterPath ellipse(const Box& box) {
    QPainterPath path;
    path.addEllipse(boxRect(box));
    return path;
}

QPainterPath arc(const cmd::Arc& a) {
    const QRectF r = boxRect(a.box);
    QPainterPath path;
    if (r.width() == 0 || r.height() == 0)
        return path;
    const double start = parameterAngle(r, a.start);
    double sweep = parameterAngle(r, a.end) - start;
    if (sweep <= 0)
        sweep += 360; // the same point twice is the whole ellipse
    if (a.kind == cmd::ArcKind::Pie)
        path.moveTo(r.center());
    else
        path.arcMoveTo(r, start);
    path.arcTo(r, start, sweep);
    if (a.kind != cmd::ArcKind::Arc)
        path.closeSubpath();
    return path;
}

QPainterPath polyline(const QPolygon& points) {
    QPainterPath path;
    path.addPolygon(QPolygonF(points));
    return path;
}

QPainterPath polygon(const QPolygon& points, int fillMode) {
    QPainterPath path;
    path.addPolygon(QPolygonF(points));
    path.closeSubpath();
    path.setFillRule(fillRule(fillMode));
    return path;
}

QPainterPath polyPolygon(const QList<QPolygon>& polygons, int fillMode) {
    QPainterPath path;
    for (const QPolygon& points : polygons) {
        path.addPolygon(QPolygonF(points));
        path.closeSubpath();
    }
    path.setFillRule(fillRule(fillMode));
    return path;
}

} // namespace metafile::shapes
