#pragma once
// A laid-out reading page as a placeable metafile in twips: text as font and
// text records (never outlines), pictures as DIB bitmaps, rules and panels as
// filled rectangles, so the viewer shows it sharp at any scale and prints it
// as text.
#include "page_layout.h"

#include <QByteArray>

namespace material::pages {

QByteArray writePage(const LaidPage& page, const PageStyle& style);

} // namespace material::pages
