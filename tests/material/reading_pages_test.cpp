// The reading pages as the viewers will meet them, generated from the real
// sources and from small made-up ones, read back by the program's own
// metafile reader and measured command by command against the area each
// version may use: text that overflows, overlaps a picture or is cut, a
// printed page that leaves its sheet empty, a bold name parted from itself,
// and the mistakes a teacher-writer may make.
#include "page_check.h"
#include "page_layout.h"
#include "reading_pages.h"
#include "testmain.h"

#include <QTest>

using namespace page_check;

namespace {

const QString kMaterial = QStringLiteral(OSTERVALE_SOURCE "/material/");

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Where each version may draw: the screen page ends short of the viewer's
// entries (row at 7920, column at 10680 with the page 120 in); the paper page
// is drawn from (1000, 1000) of the printable area of an A4 sheet.
const QSizeF kArea[] = {{10400, 7800}, {9300, 14000}};
const char* const kFolders[] = {"wmf/", "wmf2/"};

Reading readPage(const QByteArray& bytes) {
    const std::optional<Metafile> page = parse(bytes);
    return page ? read(*page) : Reading();
}

struct Built {
    Reading versions[2];
    QString errors;
};

Built build(const QString& markup, const QString& pictures = kMaterial + "pictures") {
    const material::ReadingPage page = material::buildReadingPage(markup, QDir(pictures));
    return {{readPage(page.screen), readPage(page.print)}, page.errors.join(u'\n')};
}

QString sentences(int count) {
    QString text;
    for (int i = 0; i < count; ++i)
        text += QStringLiteral("Sentence %1 tells of the ration book and the queue. ").arg(i);
    return text;
}

// Every text of both versions within its area and clear of the pictures, and
// every word of the source read back in order.
void checkFitsAndReadsWhole(const Reading (&versions)[2], const QString& source,
                            QList<QRectF> keepClear = {}) {
    for (int v = 0; v < 2; ++v) {
        for (const Extent& mark : versions[v].marks)
            QVERIFY2(QRectF(QPointF(0, 0), kArea[v]).contains(mark.rect), qPrintable(mark.text));
        for (const cmd::Bitmap& bitmap : versions[v].bitmaps)
            keepClear.append(QRectF(bitmap.destAt, bitmap.destSize));
        for (const Extent& text : texts(versions[v]))
            for (const QRectF& clear : keepClear)
                QVERIFY2(!text.rect.intersects(clear), qPrintable(text.text));
        QCOMPARE(squeezed(versions[v].text), squeezed(sourceWords(source)));
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
                const QString file = kFolders[v] + name + ".wmf";
                const std::optional<Metafile> page = parse(readAll(OSTERVALE_HOME "/" + file));
                QVERIFY2(page && page->isComplete() && page->placeable, qPrintable(file));
                QCOMPARE(page->frame.topLeft(), QPointF(0, 0));
                const QSizeF size = page->sizeInTwips();
                QVERIFY(size.boundedTo(kArea[v]) == size && size.width() > 0.9 * kArea[v].width());
                QVERIFY(size.height() > 0.9 * kArea[v].height());
                const Reading& r = versions[v] = read(*page);
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

    void mistakesAreReported() {
        const std::pair<const char*, const char*> mistakes[] = {
            {"# H\n\n@frame blue\n", "line 3"},
            {"# H\nSome **bold words\nand more\n", "line 2"},
            {"Words without a heading.\n", "heading"},
            {"# One\n# Two\n", "heading"},
            {"# H\n@picture ration-book.svg up 30%\n", "line 2"},
            {"# H\n@picture ration-book.svg left 5%\n", "line 2"},
            {"# H\n@picture ../x.svg left 30%\n", "line 2"},
            {"# H\n@picture nowhere.svg left 30%\n", "line 2"},
            {"# H\n\nRead on \u2192 here\n", "line 3"},
            {"# H\n##Sub\n", "line 2"}};
        for (const auto& [markup, expected] : mistakes)
            QVERIFY2(build(QString::fromUtf8(markup)).errors.contains(QString::fromUtf8(expected)),
                     markup);
        QVERIFY(
            build("# Too much\n" + sentences(60)).errors.contains("too long for the screen page"));
        // A drawing is held to the same rules as every picture of the program.
        QTemporaryDir pictures;
        QFile svg(pictures.filePath(QStringLiteral("sign.svg")));
        QVERIFY(svg.open(QIODevice::WriteOnly));
        QVERIFY(svg.write("<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 10 10'>"
                          "<text x='1' y='5'>Shop</text></svg>") > 0);
        svg.close();
        const QString markup = QStringLiteral("# H\n@picture sign.svg right 30%\nText.\n");
        QVERIFY(build(markup, pictures.path()).errors.contains(QStringLiteral("sign.svg")));
        // Pages are laid out with the widths of the fonts the viewers draw
        // them in; a face that resolves to some other font stops the build.
        using namespace material::pages;
        QVERIFY(fontProblem(screenStyle()).isEmpty() && fontProblem(printStyle()).isEmpty());
        PageStyle style = screenStyle();
        style.caption.family = QStringLiteral("Ostervale No Such Face");
        QVERIFY(fontProblem(style).contains(QStringLiteral("Ostervale No Such Face")));
    }

    // Long lines are wrapped, never cut, a word too long for any line
    // included; text beside a floated picture stops short of it and, once
    // past it, uses the whole width again.
    void textWrapsAndFlowsAroundAPicture() {
        const QString markup = QStringLiteral("# A heading long enough to need a second line on "
                                              "the screen page and perhaps on paper too\n"
                                              "@picture ration-book.svg right 35% A caption\n") +
                               sentences(14) + QStringLiteral("\n\n- ") + sentences(2) +
                               QStringLiteral("\n\n") + QString(70, u'W') + u'\n';
        const Built built = build(markup);
        QVERIFY2(built.errors.isEmpty(), qPrintable(built.errors));
        checkFitsAndReadsWhole(built.versions, markup);
        QCOMPARE(built.versions[0].bitmaps.size(), 1);
        const cmd::Bitmap& picture = built.versions[0].bitmaps.first();
        const QRectF pictureRect(picture.destAt, picture.destSize);
        bool widerBelow = false;
        for (const Extent& text : texts(built.versions[0]))
            widerBelow = widerBelow || (text.rect.top() > pictureRect.bottom() &&
                                        text.rect.right() > pictureRect.left());
        QVERIFY(widerBelow);
    }

    // Bold words stand level with their line and run on from its words; a
    // button's name in bold is never split over two lines, nor an answer
    // key's "5 A:" parted from its answer, as line ends sweep across them;
    // a bold stretch longer than a line is parted between its words.
    void boldStretchesStayWhole() {
        QString markup =
            QStringLiteral("# H\nRationing began on **8 January 1940**, with bacon.\n");
        for (int i = 0; i < 20; ++i)
            markup +=
                QStringLiteral("a ").repeated(i % 9 + 1) + QStringLiteral("**Next Page >>** ");
        for (int i = 0; i < 20; ++i)
            markup += QStringLiteral("a ").repeated(i % 9 + 1) + QStringLiteral("**5 A:** hens. ");
        markup += QStringLiteral("\n\n**");
        for (int i = 0; i < 40; ++i)
            markup += QStringLiteral("word%1 ").arg(i);
        const Built built = build(markup + QStringLiteral("**\n"));
        QVERIFY2(built.errors.isEmpty(), qPrintable(built.errors));
        const QList<Extent> drawn = texts(built.versions[0]);
        QCOMPARE(drawn[1].text, QStringLiteral("Rationing began on"));
        for (int i = 2; i < 4; ++i) {
            QCOMPARE(drawn[i].at.y(), drawn[1].at.y());
            QVERIFY(drawn[i].rect.left() >= drawn[i - 1].rect.right() - 1);
            QVERIFY(drawn[i].rect.left() < drawn[i - 1].rect.right() + 120);
        }
        int names = 0, labels = 0, pieces = 0;
        static const QRegularExpression wholeWords(QStringLiteral("^(word\\d+ )*word\\d+$"));
        for (const Extent& text : drawn) {
            if (text.text.contains(QStringLiteral("Next")) ||
                text.text.contains(QStringLiteral(">>")))
                names += text.text == u"Next Page >>" ? 1 : 100;
            if (text.text.startsWith(QStringLiteral("word")))
                pieces += wholeWords.match(text.text).hasMatch() ? 1 : 100;
            if (text.text != u"5 A:")
                continue;
            ++labels;
            QVERIFY(std::any_of(drawn.begin(), drawn.end(), [&text](const Extent& answer) {
                return answer.at.y() == text.at.y() && answer.at.x() > text.at.x() &&
                       answer.text.startsWith(QStringLiteral(" hens."));
            }));
        }
        QCOMPARE(names, 20);
        QCOMPARE(labels, 20);
        QVERIFY(pieces > 1 && pieces < 100);
    }
};

OSTERVALE_TEST(ReadingPagesTest)
#include "reading_pages_test.moc"
