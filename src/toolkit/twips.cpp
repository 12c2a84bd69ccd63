#include "twips.h"

#include <algorithm>
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

int fontPixels(double points, float atScale) {
    // The size the layouts were drawn at, grown by the scale and rounded
    // down: rounded on its own, a font can grow faster than the boxes around
    // it (16 pixels at 1.1 would be 18), and a text that just fitted its box
    // at scale 1 is cut off. The small allowance keeps a scale such as 1.05,
    // which a float holds a hair below, from losing a whole pixel.
    const double atScale1 = std::lround(points * 96.0 / 72.0);
    return std::max(1, static_cast<int>(std::floor(atScale1 * atScale + 1e-3)));
}

QFont font(const QString& family, double points, bool bold) {
    QFont f(family);
    f.setPixelSize(fontPixels(points, gScale));
    f.setBold(bold);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

} // namespace twips
