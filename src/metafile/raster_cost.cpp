#include "raster_cost.h"

#include <algorithm>
#include <cmath>

namespace metafile::raster_cost {

double outlinePixels(const QList<QPolygon>& outlines, const QTransform& toDevice) {
    double total = 0;
    for (const QPolygon& outline : outlines) {
        if (outline.isEmpty())
            continue;
        QPointF previous = toDevice.map(QPointF(outline.last()));
        for (const QPoint& p : outline) {
            const QPointF next = toDevice.map(QPointF(p));
            total += std::abs(next.x() - previous.x()) + std::abs(next.y() - previous.y());
            previous = next;
        }
    }
    return total;
}

double edgePixels(const QList<QPolygon>& outlines, const QTransform& toDevice,
                  const QSizeF& device) {
    auto onDevice = [&](const QPoint& p) {
        const QPointF d = toDevice.map(QPointF(p));
        return QPointF(std::clamp(d.x(), 0.0, device.width()),
                       std::clamp(d.y(), 0.0, device.height()));
    };
    double total = 0;
    for (const QPolygon& outline : outlines) {
        if (outline.isEmpty())
            continue;
        QPointF previous = onDevice(outline.last()); // the closing edge counts too
        for (const QPoint& p : outline) {
            const QPointF next = onDevice(p);
            total += std::abs(next.x() - previous.x()) + std::abs(next.y() - previous.y());
            previous = next;
        }
    }
    return total;
}

} // namespace metafile::raster_cost
