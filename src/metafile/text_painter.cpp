#include "text_painter.h"

#include "gdi.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QRawFont>
#include <algorithm>
#include <cmath>

namespace metafile {
namespace {

// Glyphs are laid out at one large pixel size and scaled to the picture, so
// metrics keep their precision for any size a file asks for; the scaling is
// part of the transform, which keeps the text as text on a printer or PDF.
constexpr int DesignPixels = 256;

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

} // namespace

double paintText(QPainter& painter, const QTransform& frameToDevice, const TextRun& run) {
    QFont font = designFont(run.font);
    QFontMetricsF metrics(font);
    const double k = scaleFor(run, metrics);
    if (!(k > 0) || !std::isfinite(k) || run.text.isEmpty())
        return 0;
    if (run.fontWidth > 0 && metrics.averageCharWidth() > 0) {
        const double stretch = 100 * run.fontWidth / (metrics.averageCharWidth() * k);
        font.setStretch(int(std::clamp(std::lround(stretch), 1L, 4000L)));
        metrics = QFontMetricsF(font);
    }
    const bool spaced = !run.advances.isEmpty();
    QList<double> steps;
    double width = 0;
    if (spaced) {
        steps.reserve(run.text.size());
        for (qsizetype i = 0; i < run.text.size(); ++i) {
            const double step = i < run.advances.size() ? run.advances[i] / k
                                                        : metrics.horizontalAdvance(run.text[i]);
            steps.append(step);
            width += step;
        }
    } else {
        width = metrics.horizontalAdvance(run.text);
    }
    const double left = horizontalStart(run.align, width);
    const double baseline = baselineFor(run.align, metrics);
    const QTransform place =
        QTransform::fromScale(k, k) * QTransform().rotate(-run.font.escapement / 10.0) *
        QTransform::fromTranslate(run.origin.x(), run.origin.y()) * frameToDevice;
    painter.setWorldTransform(place);
    if (run.opaque) {
        const QRectF cell(left, baseline - metrics.ascent(), width,
                          metrics.ascent() + metrics.descent());
        painter.fillRect(cell, run.bkColour);
    }
    painter.setFont(font);
    painter.setPen(run.textColour);
    if (!spaced) {
        painter.drawText(QPointF(left, baseline), run.text);
        return width * k;
    }
    // A spaced run places every character itself, so there is nothing to
    // shape: its glyphs go down in one run at the positions given. Shaping
    // each character on its own was most of a page's drawing time.
    const QRawFont raw = QRawFont::fromFont(font);
    QList<quint32> glyphs = raw.isValid() ? raw.glyphIndexesForString(run.text) : QList<quint32>();
    // One glyph per character, every one in this face, and no line through
    // or under them (a glyph run at this scale loses it); otherwise (a
    // character the face lacks, a pair of surrogates, a decorated font) each
    // character is drawn as text, which finds it in another face.
    const bool direct =
        !font.underline() && !font.strikeOut() && glyphs.size() == run.text.size() &&
        std::none_of(glyphs.cbegin(), glyphs.cend(), [](quint32 g) { return g == 0; });
    double x = left;
    if (direct) {
        QList<QPointF> positions;
        positions.reserve(glyphs.size());
        for (double step : steps) {
            positions.append(QPointF(x, baseline));
            x += step;
        }
        QGlyphRun glyphRun;
        glyphRun.setRawFont(raw);
        glyphRun.setGlyphIndexes(glyphs);
        glyphRun.setPositions(positions);
        painter.drawGlyphRun(QPointF(0, 0), glyphRun);
        return width * k;
    }
    for (qsizetype i = 0; i < run.text.size(); ++i) {
        painter.drawText(QPointF(x, baseline), QString(run.text[i]));
        x += steps[i];
    }
    return width * k;
}

} // namespace metafile
