#include "text_painter.h"

#include "gdi.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPaintEngine>
#include <QPainterPath>
#include <QRawFont>
#include <algorithm>
#include <cmath>
#include <optional>

namespace metafile {
namespace {

// Glyphs are laid out at one large pixel size and scaled to the picture, so
// metrics keep their precision for any size a file asks for; the scaling is
// part of the transform, which keeps the text as text on a printer or PDF.
constexpr int DesignPixels = 256;

// FreeType renders each glyph that Qt caches (those small on the screen) as
// one bitmap, and fails on one that is hundreds of pixels long and only a
// pixel or two high: a font many times wider than high, drawn into a box of
// another shape. Qt then copies from the bitmap FreeType never made. An em
// this long on the device is already drawn from outlines unless it is
// squashed thin, so such a run is drawn as outlines, which Qt fills itself;
// FreeType was seen to fail from 768 pixels, and never below 512.
constexpr double MostEmPixels = 256;

bool beyondGlyphBitmaps(QPainter& painter, const QFont& font) {
    if (painter.paintEngine()->type() != QPaintEngine::Raster)
        return false;
    const double stretch = font.stretch() > 0 ? font.stretch() / 100.0 : 1.0;
    const QTransform t = QTransform::fromScale(stretch, 1) * painter.deviceTransform();
    // The longer axis of the ellipse the transform makes of a circle.
    const double sum =
        t.m11() * t.m11() + t.m12() * t.m12() + t.m21() * t.m21() + t.m22() * t.m22();
    const double det = t.m11() * t.m22() - t.m12() * t.m21();
    const double longest =
        std::sqrt((sum + std::sqrt(std::max(0.0, sum * sum - 4 * det * det))) / 2);
    return !(DesignPixels * longest <= MostEmPixels);
}

QFont designFont(const Font& f) {
    // Face names go through as the file spells them; fontconfig finds
    // Liberation for "Arial" and "Times New Roman", and the program brings
    // its own Tahoma.
    QFont font(f.face.isEmpty() ? QStringLiteral("Arial") : f.face);
    font.setPixelSize(DesignPixels);
    const int weight = f.weight <= 0 ? gdi::weight::Normal : f.weight;
    font.setWeight(QFont::Weight(std::clamp(weight, 1, 1000)));
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    font.setStrikeOut(f.strikeOut);
    return font;
}

// Frame units per design pixel: a negative LOGFONT height is the em, a
// positive one the whole cell, ascent and descent together.
double scaleFor(const TextRun& run, const QFontMetricsF& metrics) {
    const double height = run.fontHeight > 0 ? run.fontHeight : run.defaultHeight;
    const double cell = metrics.ascent() + metrics.descent();
    if (run.font.height > 0 && cell > 0)
        return height / cell;
    return height / DesignPixels;
}

double horizontalStart(int align, double width) {
    switch (align & gdi::align::HorizontalMask) {
    case gdi::align::Right:
        return -width;
    case gdi::align::Center:
        return -width / 2;
    default:
        return 0;
    }
}

double baselineFor(int align, const QFontMetricsF& metrics) {
    switch (align & gdi::align::VerticalMask) {
    case gdi::align::Baseline:
        return 0;
    case gdi::align::Bottom:
        return -metrics.descent();
    default:
        return metrics.ascent();
    }
}

// The run laid out in design pixels, before it is placed on the page.
struct Laid {
    QFont font;
    double k = 0;        // frame units per design pixel
    QList<double> steps; // each character's advance, when the file gives them
    double width = 0;
    double left = 0;
    double baseline = 0;
    double ascent = 0;
    double descent = 0;
};

std::optional<Laid> layOut(const TextRun& run) {
    Laid laid;
    laid.font = designFont(run.font);
    QFontMetricsF metrics(laid.font);
    laid.k = scaleFor(run, metrics);
    if (!(laid.k > 0) || !std::isfinite(laid.k) || run.text.isEmpty())
        return std::nullopt;
    if (run.fontWidth > 0 && metrics.averageCharWidth() > 0) {
        const double stretch = 100 * run.fontWidth / (metrics.averageCharWidth() * laid.k);
        laid.font.setStretch(int(std::clamp(std::lround(stretch), 1L, 4000L)));
        metrics = QFontMetricsF(laid.font);
    }
    if (!run.advances.isEmpty()) {
        laid.steps.reserve(run.text.size());
        for (qsizetype i = 0; i < run.text.size(); ++i) {
            const double step = i < run.advances.size() ? run.advances[i] / laid.k
                                                        : metrics.horizontalAdvance(run.text[i]);
            laid.steps.append(step);
            laid.width += step;
        }
    } else {
        laid.width = metrics.horizontalAdvance(run.text);
    }
    laid.left = horizontalStart(run.align, laid.width);
    laid.baseline = baselineFor(run.align, metrics);
    laid.ascent = metrics.ascent();
    laid.descent = metrics.descent();
    return laid;
}

void drawOutlines(QPainter& painter, const Laid& laid, const TextRun& run) {
    QPainterPath outlines;
    if (laid.steps.isEmpty())
        outlines.addText(QPointF(laid.left, laid.baseline), laid.font, run.text);
    double x = laid.left;
    for (qsizetype i = 0; i < laid.steps.size(); x += laid.steps[i], ++i)
        outlines.addText(QPointF(x, laid.baseline), laid.font, QString(run.text[i]));
    painter.fillPath(outlines, run.textColour);
}

// A spaced run places every character itself, so there is nothing to shape:
// its glyphs go down in one run at the positions given. Shaping each
// character on its own was most of a page's drawing time.
void drawSpaced(QPainter& painter, const Laid& laid, const TextRun& run) {
    const QRawFont raw = QRawFont::fromFont(laid.font);
    QList<quint32> glyphs = raw.isValid() ? raw.glyphIndexesForString(run.text) : QList<quint32>();
    // One glyph per character, every one in this face, and no line through
    // or under them (a glyph run at this scale loses it); otherwise (a
    // character the face lacks, a pair of surrogates, a decorated font) each
    // character is drawn as text, which finds it in another face.
    const bool direct =
        !laid.font.underline() && !laid.font.strikeOut() && glyphs.size() == run.text.size() &&
        std::none_of(glyphs.cbegin(), glyphs.cend(), [](quint32 g) { return g == 0; });
    double x = laid.left;
    if (!direct) {
        for (qsizetype i = 0; i < run.text.size(); x += laid.steps[i], ++i)
            painter.drawText(QPointF(x, laid.baseline), QString(run.text[i]));
        return;
    }
    QList<QPointF> positions;
    positions.reserve(glyphs.size());
    for (double step : laid.steps) {
        positions.append(QPointF(x, laid.baseline));
        x += step;
    }
    QGlyphRun glyphRun;
    glyphRun.setRawFont(raw);
    glyphRun.setGlyphIndexes(glyphs);
    glyphRun.setPositions(positions);
    painter.drawGlyphRun(QPointF(0, 0), glyphRun);
}

} // namespace

double paintText(QPainter& painter, const QTransform& frameToDevice, const TextRun& run) {
    const std::optional<Laid> laid = layOut(run);
    if (!laid)
        return 0;
    const QTransform place =
        QTransform::fromScale(laid->k, laid->k) * QTransform().rotate(-run.font.escapement / 10.0) *
        QTransform::fromTranslate(run.origin.x(), run.origin.y()) * frameToDevice;
    painter.setWorldTransform(place);
    if (run.opaque) {
        const QRectF cell(laid->left, laid->baseline - laid->ascent, laid->width,
                          laid->ascent + laid->descent);
        painter.fillRect(cell, run.bkColour);
    }
    painter.setFont(laid->font);
    painter.setPen(run.textColour);
    if (beyondGlyphBitmaps(painter, laid->font))
        drawOutlines(painter, *laid, run);
    else if (laid->steps.isEmpty())
        painter.drawText(QPointF(laid->left, laid->baseline), run.text);
    else
        drawSpaced(painter, *laid, run);
    return laid->width * laid->k;
}

} // namespace metafile
