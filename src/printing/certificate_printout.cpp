#include "printout_parts.h"
#include "printouts.h"

namespace {
using printouts::parts::centred;
using printouts::parts::Font;
const QString kBlank = QStringLiteral(" ");
const QColor kBlack(0, 0, 0);
const QColor kBlue(0, 0, 128);
const QColor kLightBlue(0, 0, 255);
const QColor kLightRed(255, 0, 0);

void style(PrintSurface& p, const QColor& colour, double points) {
    p.setForeColor(colour);
    p.setFont(Font, points);
}

bool blanks(PrintSurface& p, int count) {
    for (int i = 0; i < count; ++i) {
        if (!p.Print(kBlank))
            return false;
    }
    return true;
}

// Four lines in the order top, left, right, bottom.
bool rectangle(PrintSurface& p, float left, float top, float right, float bottom) {
    return p.Line(left, top, right, top) && p.Line(left, top, left, bottom) &&
           p.Line(right, top, right, bottom) && p.Line(left, bottom, right, bottom);
}

bool frame(PrintSurface& p) {
    p.setForeColor(kBlack);
    p.setDrawWidth(2);
    const float w = p.ScaleWidth();
    const float h = p.ScaleHeight();
    const float pairs[5][2] = {{45, 270}, {90, 315}, {135, 360}, {180, 405}, {225, 450}};
    for (int i = 0; i < 5; ++i) {
        const float m = pairs[i][0];
        const float t = pairs[i][1];
        if (!rectangle(p, m, t, w - m, h - t))
            return false;
        // The inner box around the praise, the name and the score.
        if (i < 3 && !rectangle(p, m + 600, t + 7050, w - m - 600, h - t - 3750))
            return false;
    }
    return true;
}
} // namespace

namespace printouts {

bool certificate(PrintSurface& p, const CertificatePrint& c) {
    const QString row = WellDoneRow + WellDoneRow;
    style(p, kLightBlue, 25);
    p.CurrentX = p.ScaleWidth() / 8;
    if (!p.Print(kBlank) || !p.Print(row) || !blanks(p, 3))
        return false;
    style(p, kLightRed, 36);
    if (!centred(p, ProductTitle) || !blanks(p, 1))
        return false;
    style(p, kLightBlue, c.headingWidthOnScreen > p.ScaleWidth() / 4 ? 28 : 36);
    if (!centred(p, c.heading) || !centred(p, QString()))
        return false;
    style(p, kLightBlue, 36);
    if (!blanks(p, 3))
        return false;
    style(p, kBlue, 28);
    const QString score = QStringLiteral("You have scored ") + QString::number(c.score) +
                          QStringLiteral(" out of ") + QString::number(c.total) + u'.';
    if (!centred(p, QStringLiteral("Excellent Work")) || !blanks(p, 1) || !centred(p, c.name) ||
        !centred(p, QString()) || !centred(p, score) || !blanks(p, 1))
        return false;
    style(p, kBlue, 36);
    if (!blanks(p, 2))
        return false;
    style(p, kLightBlue, 25);
    if (!blanks(p, 1))
        return false;
    style(p, kBlack, 25);
    return p.Print(row) && frame(p) && p.EndDoc();
}

} // namespace printouts
