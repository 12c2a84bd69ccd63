#include "twips.h"

#include <cmath>

namespace twips {
namespace {
float gScale = 1.0f;
}

float scale() {
    return gScale;
}

void setScale(float scale) {
    if (scale > 0 && std::isfinite(scale))
        gScale = scale;
}

float perPixel() {
    return PerPixelAtScale1 / gScale;
}

int toPixels(float tw) {
    return static_cast<int>(std::lround(tw / perPixel()));
}

float fromPixels(int px) {
    return static_cast<float>(px) * perPixel();
}

QRect rect(float left, float top, float width, float height) {
    const int x = toPixels(left);
    const int y = toPixels(top);
    return QRect(x, y, toPixels(left + width) - x, toPixels(top + height) - y);
}

QFont font(const QString& family, double points, bool bold) {
    QFont f(family);
    f.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0 * gScale)));
    f.setBold(bold);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

} // namespace twips
