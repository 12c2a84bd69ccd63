#include "twips.h"

namespace twips {

QFont font(const QString& family, double points, bool bold) {
    QFont f(family);
    f.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0)));
    f.setBold(bold);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

} // namespace twips
