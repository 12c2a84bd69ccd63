#pragma once
// Every screen is laid out in twips, the unit the layouts are written in.
// One pixel is 15 twips at 100 % scale; positions stay float twips so that
// fractions (from centring, for example) are kept until they are drawn.
#include <QFont>
#include <QRect>
#include <QString>
#include <cmath>

namespace twips {

inline constexpr float PerPixel = 15.0f;

inline int toPixels(float tw) {
    return static_cast<int>(std::lround(tw / PerPixel));
}
inline float fromPixels(int px) {
    return static_cast<float>(px) * PerPixel;
}

inline QRect rect(float left, float top, float width, float height) {
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

// Point sizes are turned into pixel heights at 96 dots an inch, so text keeps
// the size the layouts were drawn for whatever the display reports.
QFont font(const QString& family, double points, bool bold = false);

} // namespace twips
