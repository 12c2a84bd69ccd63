#include "mapping.h"

#include "gdi.h"

#include <cmath>

namespace metafile {
namespace {

// Logical units to the inch of each fixed map mode; y runs up in all of them.
double unitsInAnInch(int mode) {
    switch (mode) {
    case gdi::map::LoMetric:
        return 254;
    case gdi::map::HiMetric:
        return 2540;
    case gdi::map::LoEnglish:
        return 100;
    case gdi::map::HiEnglish:
        return 1000;
    case gdi::map::Twips:
        return 1440;
    default:
        return 0;
    }
}

} // namespace

Mapping Mapping::forFrame(const QRectF& frame, double unitsPerInch) {
    Mapping m;
    m.mode = gdi::map::Anisotropic;
    m.windowOrg = frame.topLeft();
    m.windowExt = frame.size();
    m.viewportOrg = frame.topLeft();
    m.viewportExt = frame.size();
    m.unitsPerInch = unitsPerInch;
    // An empty frame would make every scale zero over zero.
    if (m.windowExt.width() == 0 || m.windowExt.height() == 0)
        m.windowExt = m.viewportExt = QSizeF(1, 1);
    return m;
}

void Mapping::setMode(int m) {
    if (m >= gdi::map::Text && m <= gdi::map::Anisotropic)
        mode = m;
}

void Mapping::setWindowExt(const QSize& size) {
    if (size.width() != 0 && size.height() != 0)
        windowExt = size;
}

void Mapping::setViewportExt(const QSize& size) {
    if (size.width() != 0 && size.height() != 0)
        viewportExt = size;
}

QTransform Mapping::logicalToFrame() const {
    double sx = 1;
    double sy = 1;
    if (mode == gdi::map::Isotropic || mode == gdi::map::Anisotropic) {
        sx = viewportExt.width() / windowExt.width();
        sy = viewportExt.height() / windowExt.height();
        if (mode == gdi::map::Isotropic) {
            const double s = std::min(std::abs(sx), std::abs(sy));
            sx = std::copysign(s, sx);
            sy = std::copysign(s, sy);
        }
    } else if (const double perInch = unitsInAnInch(mode); perInch > 0) {
        sx = unitsPerInch / perInch;
        sy = -sx;
    }
    return QTransform(sx, 0, 0, sy, viewportOrg.x() - windowOrg.x() * sx,
                      viewportOrg.y() - windowOrg.y() * sy);
}

} // namespace metafile
