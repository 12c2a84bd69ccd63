#pragma once
#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRgb>

namespace material {

inline constexpr int kMaxPaletteColours = 256;

// An image as palette indices, the form GIF stores.
struct IndexedImage {
    int width = 0;
    int height = 0;
    QList<QRgb> palette; // opaque colours, at most kMaxPaletteColours
    QByteArray indices;  // one byte per pixel, row by row
};

// Reduces an image (alpha is ignored) to at most 256 colours. An image that
// already has that few keeps every colour exactly; otherwise median cut picks
// the palette. The result depends only on the pixels, never on the order in
// which colours happen to be met, so the same picture gives the same bytes.
IndexedImage reduceColours(const QImage& image);

// The same for pictures shown one after another, such as animation frames:
// one palette for them all, so what stands still keeps exactly its colour
// instead of flickering as each frame's palette shifts a little.
QList<IndexedImage> reduceColours(const QList<QImage>& images);

} // namespace material
