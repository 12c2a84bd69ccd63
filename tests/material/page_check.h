#pragma once
// Reads a reading page back the way a viewer meets it: parsed by the
// program's own metafile reader, each command's extent worked out from the
// commands alone (text from its font's metrics, as the player draws it),
// and the words on the page gathered in the order they are drawn.
#include "metafile.h"

#include <QFont>
#include <QFontMetricsF>
#include <QRectF>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <variant>

namespace page_check {

using namespace metafile;

// The player lays text out at this pixel size and scales it.
inline constexpr int DesignPixels = 256;

struct Extent {
    QRectF rect;
    QString what;
    QPointF at; // a text's reference point (its baseline, on our pages)
};

struct Reading {
    QList<Extent> marks;    // everything that puts ink on the page
    QList<int> fontHeights; // of every font that text is drawn in
    QList<QColor> textColours;
    QString text; // the page's words, in drawing order
    int fonts = 0;
    int texts = 0;
    // Copies (the image is shared, not duplicated), so a Reading stays
    // whole after the metafile it was read from is gone.
    QList<cmd::Bitmap> bitmaps;
    std::optional<QColor> firstFill; // a fill that covers the whole frame first
    bool mappingMoved = false;
};

inline QRectF boxRect(const Box& b) {
    return QRectF(QPointF(b.left, b.top), QPointF(b.right, b.bottom)).normalized();
}

inline QRectF textRect(const cmd::Text& t, const Font& font, int align) {
    QFont f(font.face.isEmpty() ? QStringLiteral("Arial") : font.face);
    f.setPixelSize(DesignPixels);
    f.setWeight(font.weight >= 600 ? QFont::Bold : QFont::Normal);
    f.setItalic(font.italic);
    const QFontMetricsF m(f);
    const double k = std::abs(font.height) / double(DesignPixels);
    double width = m.horizontalAdvance(t.text) * k;
    double advances = 0;
    for (int dx : t.dx)
        advances += dx;
    width = std::max(width, advances);
    double top = t.at.y();
    if ((align & 0x18) == 0x18)
        top -= m.ascent() * k;
    else if (align & 0x08)
        top -= (m.ascent() + m.descent()) * k;
    return QRectF(t.at.x(), top, width, (m.ascent() + m.descent()) * k);
}

inline Reading read(const Metafile& page) {
    Reading r;
    Font font;
    Brush brush;
    int align = 0;
    QColor colour = Qt::black;
    for (const Command& c : page.commands) {
        if (const auto* f = std::get_if<cmd::SelectFont>(&c)) {
            font = f->font;
            ++r.fonts;
        } else if (const auto* b = std::get_if<cmd::SelectBrush>(&c)) {
            brush = b->brush;
        } else if (const auto* a = std::get_if<cmd::TextAlign>(&c)) {
            align = a->align;
        } else if (const auto* tc = std::get_if<cmd::TextColour>(&c)) {
            colour = tc->colour;
        } else if (const auto* o = std::get_if<cmd::WindowOrg>(&c)) {
            r.mappingMoved = r.mappingMoved || !o->at.isNull();
        } else if (const auto* e = std::get_if<cmd::WindowExt>(&c)) {
            r.mappingMoved = r.mappingMoved || QSizeF(e->size) != page.frame.size();
        } else if (std::holds_alternative<cmd::ViewportOrg>(c) ||
                   std::holds_alternative<cmd::ViewportExt>(c) ||
                   std::holds_alternative<cmd::MapMode>(c)) {
            r.mappingMoved = true;
        } else if (const auto* t = std::get_if<cmd::Text>(&c)) {
            r.marks.append({textRect(*t, font, align), QStringLiteral("text \"%1\"").arg(t->text),
                            QPointF(t->at)});
            r.fontHeights.append(font.height);
            r.textColours.append(colour);
            r.text += t->text + u' ';
            ++r.texts;
        } else if (const auto* bm = std::get_if<cmd::Bitmap>(&c)) {
            r.marks.append(
                {QRectF(bm->destAt, bm->destSize).normalized(), QStringLiteral("bitmap"), {}});
            r.bitmaps.append(*bm);
        } else if (const auto* rect = std::get_if<cmd::Rectangle>(&c)) {
            const QRectF area = boxRect(rect->box);
            if (r.marks.isEmpty() && brush.style == 0 && area.contains(page.frame))
                r.firstFill = brush.colour;
            r.marks.append({area, QStringLiteral("rectangle"), {}});
        } else if (marksThePage(c)) {
            // The pages hold text, rectangles and pictures only; anything
            // else must be taught to this reading before it can pass.
            r.marks.append({QRectF(-1e6, -1e6, 0, 0), QStringLiteral("an unexpected shape"), {}});
        }
    }
    return r;
}

inline QList<Extent> texts(const Reading& r) {
    QList<Extent> found;
    for (const Extent& mark : r.marks)
        if (mark.what.startsWith(QStringLiteral("text")))
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
    QString words;
    for (QString line : source.split(u'\n')) {
        line = line.trimmed();
        if (line.startsWith(QStringLiteral("//")) || line == u"@logo")
            continue;
        if (line.startsWith(QStringLiteral("@picture")))
            line = line.section(u' ', 4, -1, QString::SectionSkipEmpty);
        for (const QString& prefix :
             {QStringLiteral("## "), QStringLiteral("# "), QStringLiteral("- ")}) {
            if (line.startsWith(prefix)) {
                line = line.mid(prefix.size());
                break;
            }
        }
        words += line.remove(QStringLiteral("**")) + u' ';
    }
    return words;
}

} // namespace page_check
