#pragma once
// Every screen is laid out in twips, the unit the layouts are written in.
// At scale 1 a pixel is 15 twips; the scale is a run-time value held here and
// nowhere else, so the whole program can be drawn larger for a whiteboard.
// Positions stay float twips so that fractions (from centring, for example)
// are kept until they are drawn.
#include <QFont>
#include <QRect>
#include <QString>

// A control's place on its screen: left, top, width and height in twips.
struct Place {
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
};

namespace twips {

inline constexpr float PerPixelAtScale1 = 15.0f;

float scale();
// Only before the first screen is built: controls keep the pixels they were
// placed at.
void setScale(float scale);

// Twips to one pixel at the current scale.
float perPixel();
int toPixels(float tw);
float fromPixels(int px);

// Rounded as a whole, edge by edge, so that boxes which meet in twips meet
// on screen too.
QRect rect(float left, float top, float width, float height);
inline QRect rect(const Place& p) {
    return rect(p.left, p.top, p.width, p.height);
}

// Point sizes are turned into pixel heights at 96 dots an inch (times the
// scale), so text keeps the size the layouts were drawn for whatever the
// display reports.
QFont font(const QString& family, double points, bool bold = false);
// The pixel height of a font of these points at a scale.
int fontPixels(double points, float atScale);

} // namespace twips
