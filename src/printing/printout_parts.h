#pragma once
// What the worksheet and the certificate lay out alike: one typeface, and
// lines centred across the page.
#include "print_surface.h"

#include <QString>

namespace printouts::parts {

inline const QString Font = QStringLiteral("Times New Roman");

inline bool centred(PrintSurface& p, const QString& text) {
    p.CurrentX = (p.ScaleWidth() - p.TextWidth(text)) / 2;
    return p.Print(text);
}

} // namespace printouts::parts
