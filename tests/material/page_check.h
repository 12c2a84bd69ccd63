#pragma once
// Reads a reading page back the way a viewer meets it: parsed by the
// program's own metafile reader, each text's extent worked out from its
// font's metrics (as the player draws it), and the words on the page
// gathered in the order they are drawn.
#include "metafile.h"

#include <QFontMetricsF>
#include <QRegularExpression>
#include <variant>

namespace page_check {

using namespace metafile;

struct Extent {
    QRectF rect;
    QString text; // empty for anything but text
    QPointF at;   // a text's baseline point
};

struct Reading {
    QList<Extent> marks; // everything that puts ink on the page
    QString text;        // the page's words, in drawing order
    QList<cmd::Bitmap> bitmaps;
    std::optional<QColor> firstFill; // a fill that covers the whole frame first
};

// The player lays text out at 256 pixels and scales it. Our pages stand
// text on its baseline; any other alignment hangs it from its point.
inline QRectF textRect(const cmd::Text& t, const Font& font, int align) {
    QFont f(font.face);
    f.setPixelSize(256);
    f.setWeight(font.weight >= 600 ? QFont::Bold : QFont::Normal);
    f.setItalic(font.italic);
    const QFontMetricsF m(f);
    const double k = std::abs(font.height) / 256.0;
    double advances = 0;
    for (int dx : t.dx)
        advances += dx;
    const double width = std::max(m.horizontalAdvance(t.text) * k, advances);
    const double top = (align & 0x18) == 0x18 ? t.at.y() - m.ascent() * k : t.at.y();
    return QRectF(t.at.x(), top, width, (m.ascent() + m.descent()) * k);
}

inline Reading read(const Metafile& page) {
    Reading r;
    Font font;
    Brush brush;
    int align = 0;
    for (const Command& c : page.commands) {
        if (const auto* f = std::get_if<cmd::SelectFont>(&c)) {
            font = f->font;
        } else if (const auto* b = std::get_if<cmd::SelectBrush>(&c)) {
            brush = b->brush;
        } else if (const auto* a = std::get_if<cmd::TextAlign>(&c)) {
            align = a->align;
        } else if (const auto* t = std::get_if<cmd::Text>(&c)) {
            r.marks.append({textRect(*t, font, align), t->text, QPointF(t->at)});
            r.text += t->text + u' ';
        } else if (const auto* bm = std::get_if<cmd::Bitmap>(&c)) {
            r.marks.append({QRectF(bm->destAt, bm->destSize).normalized(), {}, {}});
            r.bitmaps.append(*bm);
        } else if (const auto* rect = std::get_if<cmd::Rectangle>(&c)) {
            const Box& b = rect->box;
            const QRectF area = QRectF(QPointF(b.left, b.top), QPointF(b.right, b.bottom));
            if (r.marks.isEmpty() && brush.style == 0 && area.normalized().contains(page.frame))
                r.firstFill = brush.colour;
            r.marks.append({area.normalized(), {}, {}});
        } else if (marksThePage(c)) {
            // The pages hold text, rectangles and pictures only; anything
            // else must be taught to this reading before it can pass.
            r.marks.append({QRectF(-1e6, -1e6, 0, 0), {}, {}});
        }
    }
    return r;
}

inline QList<Extent> texts(const Reading& r) {
    QList<Extent> found;
    for (const Extent& mark : r.marks)
        if (!mark.text.isEmpty())
            found.append(mark);
    return found;
}

// Words compared without their spacing: where a line breaks, and whether a
// bold word is drawn as a text of its own, must not matter.
inline QString squeezed(QString text) {
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    return text.remove(QChar(0x2022)).remove(blanks);
}

// What a reader should find on a page, taken straight from its source: no
// comments or instructions, no marks, but every word and picture caption.
inline QString sourceWords(const QString& source) {
    static const QRegularExpression marks(
        QStringLiteral("^(//.*|@logo|#+ |- |@picture(\\s+\\S+){3})"));
    QString words;
    for (const QString& line : source.split(u'\n'))
        words += line.trimmed().remove(marks).remove(QStringLiteral("**")) + u' ';
    return words;
}

} // namespace page_check
