// The reading pages as the viewers will meet them, generated from the real
// sources and from a made-up one, parsed by the program's own metafile
// reader and measured command by command against the area each version may
// use: text that overflows, overlaps a picture or is cut, a printed page
// that leaves its sheet empty, a bold name parted from itself, and the
// mistakes a teacher-writer may make.
#include "metafile.h"
#include "page_layout.h"
#include "reading_pages.h"
#include "testmain.h"

#include <QFontMetricsF>
#include <QRegularExpression>
#include <QTest>
#include <numeric>

using namespace metafile;

namespace {

const QString kMaterial = QStringLiteral(OSTERVALE_SOURCE "/material/");

// Where each version may draw: the screen page ends short of the viewer's
// entries (row at 7920, column at 10680 with the page 120 in); the paper page
// is drawn from (1000, 1000) of the printable area of an A4 sheet.
const QSizeF kArea[] = {{10400, 7800}, {9300, 14000}};

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Extent {
    QRectF rect;
    QString text; // empty for anything but text
    QPointF at;   // a text's baseline point
};

// A page as a viewer meets it: everything that puts ink on it, each text's
// extent worked out from its font's metrics as the player draws it, and the
// words in the order they are drawn.
struct Reading {
    QList<Extent> marks;
    QString text;
    QList<cmd::Bitmap> bitmaps;
    std::optional<QColor> firstFill; // a fill that covers the whole frame first
};

Reading read(const std::optional<Metafile>& page) {
    Reading r;
    Font font;
    Brush brush;
    int align = 0;
    for (const Command& c : page ? page->commands : std::vector<Command>()) {
        if (const auto* f = std::get_if<cmd::SelectFont>(&c)) {
            font = f->font;
        } else if (const auto* b = std::get_if<cmd::SelectBrush>(&c)) {
            brush = b->brush;
        } else if (const auto* a = std::get_if<cmd::TextAlign>(&c)) {
            align = a->align;
        } else if (const auto* t = std::get_if<cmd::Text>(&c)) {
            // The player lays text out at 256 pixels and scales it. Our
            // pages stand text on its baseline; any other alignment hangs it
            // from its point.
            QFont face(font.face);
            face.setPixelSize(256);
            face.setWeight(font.weight >= 600 ? QFont::Bold : QFont::Normal);
            face.setItalic(font.italic);
            const QFontMetricsF m(face);
            const double k = std::abs(font.height) / 256.0;
            double width = m.horizontalAdvance(t->text) * k;
            width = std::max(width, double(std::accumulate(t->dx.begin(), t->dx.end(), 0)));
            const double top = (align & 0x18) == 0x18 ? t->at.y() - m.ascent() * k : t->at.y();
            r.marks.append({QRectF(t->at.x(), top, width, (m.ascent() + m.descent()) * k), t->text,
                            QPointF(t->at)});
            r.text += t->text + u' ';
        } else if (const auto* bm = std::get_if<cmd::Bitmap>(&c)) {
            r.marks.append({QRectF(bm->destAt, bm->destSize).normalized(), {}, {}});
            r.bitmaps.append(*bm);
        } else if (const auto* rect = std::get_if<cmd::Rectangle>(&c)) {
            const Box& b = rect->box;
            const QRectF area = QRectF(QPointF(b.left, b.top), QPointF(b.right, b.bottom));
            if (r.marks.isEmpty() && brush.style == 0 && area.normalized().contains(page->frame))
                r.firstFill = brush.colour;
            r.marks.append({area.normalized(), {}, {}});
        }
    }
    return r;
}

// Words compared without their spacing or bullets: where a line breaks, and
// whether a bold word is drawn as a text of its own, must not matter.
QString squeezed(QString text) {
    static const QRegularExpression blanks(QStringLiteral("\\*\\*|\\s+|\u2022"));
    return text.remove(blanks);
}

// What a reader should find on a page, from its source: no comments or
// instructions, no marks, but every word and picture caption.
QString sourceWords(const QString& source) {
    static const QRegularExpression marks(
        QStringLiteral("^(//.*|@logo|#+ |- |@picture(\\s+\\S+){3})"));
    QString words;
    for (const QString& line : source.split(u'\n'))
        words += line.trimmed().remove(marks) + u' ';
    return squeezed(words);
}

struct Built {
    Reading versions[2];
    QString errors;
};

Built build(const QString& markup, const QString& pictures = kMaterial + "pictures") {
    const material::ReadingPage page = material::buildReadingPage(markup, QDir(pictures));
    return {{read(parse(page.screen)), read(parse(page.print))}, page.errors.join(u'\n')};
}

// Every mark of both versions within its area, every text clear of the
// pictures (and on the screen of `keepClear`), and every word of the source
// read back in order.
void checkFitsAndReadsWhole(const Reading (&versions)[2], const QString& source,
                            QList<QRectF> keepClear = {}) {
    for (int v = 0; v < 2; ++v) {
        for (const cmd::Bitmap& bitmap : versions[v].bitmaps)
            keepClear.append(QRectF(bitmap.destAt, bitmap.destSize));
        for (const Extent& mark : versions[v].marks) {
            QVERIFY2(QRectF(QPointF(0, 0), kArea[v]).contains(mark.rect), qPrintable(mark.text));
            for (const QRectF& clear : keepClear)
                QVERIFY2(mark.text.isEmpty() || !mark.rect.intersects(clear),
                         qPrintable(mark.text));
        }
        QCOMPARE(squeezed(versions[v].text), sourceWords(source));
        keepClear.clear();
    }
}

} // namespace

class ReadingPagesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The pages the topic menus, the main menu and the guide open, in both
    // versions: read to their end, of the version's size, the screen page a
    // sheet of light paper on the navy screen and the paper page only ink,
    // every picture drawn sharp for its place, unstretched and not the one
    // flat colour of a drawing that failed, every key facts page
    // illustrated, and a printed page set large enough to fill its sheet.
    // On the acknowledgments the viewer's animated and still logos (placed
    // at (8520, 4320) and (8550, 6240) on a screen whose page starts 120 in)
    // must not cover a word either.
    void everyPageFitsAndReadsWhole() {
        for (const QString name : {"key rationing", "key progressa", "key progressb",
                                   "key progressc", "rationinga", "rationingb", "progressa",
                                   "progressb", "guide1", "guide2", "guide3", "acknowledgments"}) {
            Reading versions[2];
            for (int v = 0; v < 2; ++v) {
                const QString file = (v ? "wmf2/" : "wmf/") + name + ".wmf";
                const std::optional<Metafile> page = parse(readAll(OSTERVALE_HOME "/" + file));
                QVERIFY2(page && page->isComplete() && page->placeable, qPrintable(file));
                QCOMPARE(page->frame.topLeft(), QPointF(0, 0));
                const QSizeF size = page->sizeInTwips();
                QVERIFY(size.boundedTo(kArea[v]) == size && size.width() > 0.9 * kArea[v].width());
                QVERIFY(size.height() > 0.9 * kArea[v].height());
                const Reading& r = versions[v] = read(page);
                QVERIFY(v == 0 ? r.firstFill && r.firstFill->lightness() > 200 : !r.firstFill);
                for (const cmd::Bitmap& bitmap : r.bitmaps) {
                    const QImage& image = bitmap.image;
                    const QSize drawn = image.size().scaled(bitmap.destSize, Qt::KeepAspectRatio);
                    QVERIFY(image.width() * 15 >= bitmap.destSize.width());
                    QVERIFY(std::abs(drawn.height() - bitmap.destSize.height()) <
                            0.02 * drawn.width());
                    QVERIFY(
                        image.pixel(image.width() / 2, image.height() / 2) != image.pixel(1, 1) ||
                        image.pixel(image.width() / 3, image.height() / 3) != image.pixel(1, 1));
                }
                QVERIFY(!name.startsWith("key ") || !r.bitmaps.isEmpty());
                double bottom = 0;
                for (const Extent& mark : r.marks)
                    bottom = std::max(bottom, mark.rect.bottom());
                QVERIFY2(v == 0 || bottom > 0.85 * size.height(), qPrintable(file));
            }
            checkFitsAndReadsWhole(
                versions, QString::fromUtf8(readAll(kMaterial + "pages/" + name + ".page")),
                name == u"acknowledgments"
                    ? QList<QRectF>{{8400, 4320, 1800, 1800}, {8430, 6240, 1800, 1335}}
                    : QList<QRectF>{});
        }
    }

    // A made-up page: long lines wrap, never cut, a word too long for any
    // line included; text beside a floated picture stops short of it and,
    // once past it, uses the whole width again. Bold words stand level with
    // their line and run on from its words; a button's name in bold is never
    // split over two lines, nor an answer key's "5 A:" parted from its
    // answer, as line ends sweep across them; a bold stretch longer than a
    // line is parted between its words, after a colon if one is in reach.
    // Then the mistakes a teacher-writer may make, each named.
    void madeUpPagesWrapKeepBoldWholeAndNameMistakes() {
        QString markup = QStringLiteral("# A heading long enough to need a second line on the "
                                        "screen page and perhaps on paper too\n@picture "
                                        "ration-book.svg right 35% A caption\nRationing began "
                                        "on **8 January 1940**, with bacon.\n");
        for (int i = 0; i < 15; ++i)
            markup += QString("a ").repeated(i % 9 + 1) + "**Next Page >>** " +
                      QString("a ").repeated(i % 9 + 1) + "**5 A:** hens. ";
        markup += "\n\n" + QString(70, u'W') + "\n\n**";
        for (int i = 0; i < 40; ++i)
            markup += QString::fromLatin1(i == 3 ? "word%1: " : "word%1 ").arg(i);
        markup += "**\n";
        const Built built = build(markup);
        QVERIFY2(built.errors.isEmpty(), qPrintable(built.errors));
        checkFitsAndReadsWhole(built.versions, markup);
        const Reading& screen = built.versions[0];
        QCOMPARE(screen.bitmaps.size(), 1);
        const QRectF picture(screen.bitmaps[0].destAt, screen.bitmaps[0].destSize);
        bool widerBelow = false;
        int names = 0, labels = 0, pieces = 0, rationing = 0;
        static const QRegularExpression wholeWords(QStringLiteral("^(word\\d+ )*word\\d+:?$"));
        for (qsizetype i = 0; i < screen.marks.size(); ++i) {
            const Extent& text = screen.marks[i];
            widerBelow =
                widerBelow || (!text.text.isEmpty() && text.rect.top() > picture.bottom() &&
                               text.rect.right() > picture.left());
            if (text.text.contains("Next") || text.text.contains(">>"))
                names += text.text == u"Next Page >>" ? 1 : 100;
            if (text.text.startsWith("word"))
                pieces += wholeWords.match(text.text).hasMatch() ? 1 : 100;
            if (text.text == u"Rationing began on")
                rationing = int(i);
            if (text.text != u"5 A:")
                continue;
            ++labels;
            QVERIFY(std::any_of(
                screen.marks.begin(), screen.marks.end(), [at = text.at](const Extent& a) {
                    return a.at.y() == at.y() && a.at.x() > at.x() && a.text.startsWith(" hens.");
                }));
        }
        QVERIFY(widerBelow && names == 15 && labels == 15 && pieces > 1 && pieces < 100);
        QVERIFY(rationing > 0);
        for (int i = rationing + 1; i < rationing + 3; ++i) {
            const QRectF before = screen.marks[i - 1].rect, piece = screen.marks[i].rect;
            QCOMPARE(screen.marks[i].at.y(), screen.marks[i - 1].at.y());
            QVERIFY(piece.left() >= before.right() - 1 && piece.left() < before.right() + 120);
        }
        // A blank line ends a paragraph: the next starts on a line of its own.
        QMap<QString, double> baseline;
        for (const Extent& mark : build("# H\nOne.\n\nTwo.\n").versions[0].marks)
            baseline[mark.text] = mark.at.y();
        QVERIFY(baseline.contains("Two.") && baseline["Two."] > baseline["One."]);
        const std::pair<QString, const char*> mistakes[] = {
            {"# H\nSome **bold words\nand more\n", "line 2"},
            {"Words without a heading.\n", "heading"},
            {"# H\n@picture ration-book.svg left 5%\n", "line 2"},
            {"# H\n@picture ../x.svg left 30%\n", "line 2"},
            {"# H\n\nRead on \u2192 here\n", "line 3"},
            {"# Too much\n" + QString("Rationing began in 1940. ").repeated(300),
             "too long for the screen page"}};
        for (const auto& [bad, expected] : mistakes)
            QVERIFY2(build(bad).errors.contains(QString::fromUtf8(expected)), qPrintable(bad));
    }
};

OSTERVALE_TEST(ReadingPagesTest)
#include "reading_pages_test.moc"
