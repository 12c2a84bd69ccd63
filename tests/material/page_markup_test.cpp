// The page markup and layout on small made-up pages: what a teacher-writer
// may get wrong is reported by line, long text is wrapped (never cut), a
// page that cannot fit is refused, and text keeps clear of the pictures.
#include "page_check.h"
#include "page_layout.h"
#include "reading_pages.h"
#include "testmain.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace page_check;

namespace {

const QDir kPictures(QStringLiteral(OSTERVALE_SOURCE "/material/pictures"));

struct Built {
    Reading screen;
    Reading print;
    QStringList errors;
};

Built build(const QString& markup, const QDir& pictures = kPictures) {
    const material::ReadingPage page = material::buildReadingPage(markup, pictures);
    Built built{{}, {}, page.errors};
    if (!page.errors.isEmpty())
        return built;
    const std::optional<Metafile> screen = parse(page.screen);
    const std::optional<Metafile> print = parse(page.print);
    if (screen && print) {
        built.screen = read(*screen);
        built.print = read(*print);
    }
    return built;
}

QString sentences(int count) {
    QString text;
    for (int i = 0; i < count; ++i)
        text +=
            QStringLiteral("Sentence %1 tells of the ration book and the queue outside. ").arg(i);
    return text;
}

} // namespace

class PageMarkupTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void longLinesAreWrappedNotCut() {
        const QString markup = QStringLiteral("# A heading long enough to need a second line on "
                                              "the screen page and perhaps on paper too\n") +
                               sentences(12) + QStringLiteral("\n\n- ") + sentences(3) +
                               QStringLiteral("\n\n") + QString(70, u'W') + u'\n';
        const Built built = build(markup);
        QVERIFY2(built.errors.isEmpty(), qPrintable(built.errors.join(u'\n')));
        for (const auto& [r, area] : {std::pair{&built.screen, QSizeF(10400, 7800)},
                                      std::pair{&built.print, QSizeF(9300, 14000)}}) {
            QSet<int> lines;
            for (const Extent& text : texts(*r)) {
                QVERIFY2(QRectF(QPointF(0, 0), area).contains(text.rect), qPrintable(text.what));
                lines.insert(int(text.rect.top()));
            }
            QVERIFY(lines.size() > 8);
            QCOMPARE(squeezed(r->text), squeezed(sourceWords(markup)));
        }
    }

    void mistakesAreReportedByLine_data() {
        QTest::addColumn<QString>("markup");
        QTest::addColumn<QString>("expected");
        QTest::newRow("unknown instruction") << "# H\n\n@frame blue\n"
                                             << "line 3";
        QTest::newRow("bold left open") << "# H\nSome **bold words\nand more\n"
                                        << "line 2";
        QTest::newRow("no heading") << "Words without a heading.\n"
                                    << "heading";
        QTest::newRow("two headings") << "# One\n# Two\n"
                                      << "heading";
        QTest::newRow("picture upwards") << "# H\n@picture ration-book.svg up 30%\n"
                                         << "line 2";
        QTest::newRow("picture too small") << "# H\n@picture ration-book.svg left 5%\n"
                                           << "line 2";
        QTest::newRow("picture from elsewhere") << "# H\n@picture ../x.svg left 30%\n"
                                                << "line 2";
        QTest::newRow("missing drawing") << "# H\n@picture nowhere.svg left 30%\n"
                                         << "line 2";
        QTest::newRow("arrow") << QStringLiteral("# H\n\nRead on \u2192 here\n") << "line 3";
        QTest::newRow("heading without its blank") << "# H\n##Sub\n"
                                                   << "line 2";
        QTest::newRow("too long") << QStringLiteral("# Too much\n") + sentences(60)
                                  << "too long for the screen page";
    }
    void mistakesAreReportedByLine() {
        QFETCH(QString, markup);
        QFETCH(QString, expected);
        const Built built = build(markup);
        QVERIFY(!built.errors.isEmpty());
        QVERIFY2(built.errors.join(u'\n').contains(expected), qPrintable(built.errors.join(u'\n')));
    }

    // Pages are laid out with the widths of the fonts the viewers draw them
    // in; a face that resolves to some other font must stop the build.
    void aFaceWithoutItsFontIsReported() {
        using namespace material::pages;
        QCOMPARE(fontProblem(screenStyle()), QString());
        QCOMPARE(fontProblem(printStyle()), QString());
        PageStyle style = screenStyle();
        style.caption.family = QStringLiteral("Ostervale No Such Face");
        QVERIFY(fontProblem(style).contains(QStringLiteral("Ostervale No Such Face")));
    }

    // A drawing is held to the same rules as every picture of the program.
    void drawingsWithLetteringAreRefused() {
        QTemporaryDir pictures;
        QFile svg(pictures.filePath(QStringLiteral("sign.svg")));
        QVERIFY(svg.open(QIODevice::WriteOnly));
        svg.write("<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 10 10'>"
                  "<text x='1' y='5'>Shop</text></svg>");
        svg.close();
        const Built built = build(QStringLiteral("# H\n@picture sign.svg right 30%\nText.\n"),
                                  QDir(pictures.path()));
        QVERIFY2(built.errors.join(u'\n').contains(QStringLiteral("sign.svg")),
                 qPrintable(built.errors.join(u'\n')));
    }

    void boldWordsStandLevelInTheirLine() {
        const Built built = build(QStringLiteral("# H\nRationing began on **8 January 1940**, "
                                                 "with bacon.\n"));
        QVERIFY2(built.errors.isEmpty(), qPrintable(built.errors.join(u'\n')));
        const QList<Extent> line = texts(built.screen).mid(1); // after the heading
        QCOMPARE(line.size(), 3);
        QCOMPARE(built.screen.text.split(u' ', Qt::SkipEmptyParts).mid(1).join(u' '),
                 QStringLiteral("Rationing began on 8 January 1940 , with bacon."));
        for (int i = 1; i < line.size(); ++i) {
            QCOMPARE(line[i].at.y(), line[0].at.y());
            // Each piece starts where the one before it ends, give or take
            // the blank between words.
            QVERIFY(line[i].rect.left() >= line[i - 1].rect.right() - 1);
            QVERIFY(line[i].rect.left() < line[i - 1].rect.right() + 120);
        }
    }

    // A button's name or a date in bold is never split over two lines; a
    // bold stretch longer than a line is parted between its words.
    void boldNamesStayTogether() {
        QString markup = QStringLiteral("# H\n");
        // Each name a short word later than the last, so that line ends
        // sweep across the names.
        for (int i = 0; i < 30; ++i)
            markup +=
                QStringLiteral("a ").repeated(i % 9 + 1) + QStringLiteral("**Next Page >>** ");
        markup += QStringLiteral("\n\n**");
        for (int i = 0; i < 40; ++i)
            markup += QStringLiteral("word%1 ").arg(i);
        markup += QStringLiteral("**\n");
        const Built built = build(markup);
        QVERIFY2(built.errors.isEmpty(), qPrintable(built.errors.join(u'\n')));
        int names = 0;
        QStringList pieces;
        for (const Extent& text : texts(built.screen)) {
            const QString drawn = text.what.section(u'"', 1, 1);
            if (drawn.contains(QStringLiteral("Next")) || drawn.contains(QStringLiteral(">>"))) {
                QCOMPARE(drawn, QStringLiteral("Next Page >>"));
                ++names;
            }
            if (drawn.startsWith(QStringLiteral("word")))
                pieces.append(drawn);
        }
        QCOMPARE(names, 30);
        QVERIFY(pieces.size() > 1);
        for (const QString& piece : pieces)
            QVERIFY2(QRegularExpression(QStringLiteral("^(word\\d+ )*word\\d+$"))
                         .match(piece)
                         .hasMatch(),
                     qPrintable(piece));
    }

    // An answer key's "5 A:" never ends a line with its answer on the next.
    void labelsKeepTheirFirstWord() {
        QString markup = QStringLiteral("# H\n");
        for (int i = 0; i < 30; ++i)
            markup += QStringLiteral("a ").repeated(i % 9 + 1) + QStringLiteral("**5 A:** hens. ");
        const Built built = build(markup);
        QVERIFY2(built.errors.isEmpty(), qPrintable(built.errors.join(u'\n')));
        const QList<Extent> drawn = texts(built.screen);
        int labels = 0;
        for (const Extent& label : drawn) {
            if (label.what.section(u'"', 1, 1) != u"5 A:")
                continue;
            ++labels;
            QVERIFY2(
                std::any_of(
                    drawn.begin(), drawn.end(),
                    [&label](const Extent& answer) {
                        return answer.at.y() == label.at.y() && answer.at.x() > label.at.x() &&
                               answer.what.section(u'"', 1, 1).startsWith(QStringLiteral(" hens."));
                    }),
                qPrintable(label.what));
        }
        QCOMPARE(labels, 30);
    }

    // Text beside a floated picture stops short of it; once past the
    // picture, lines use the whole width again.
    void textFlowsBesideAPictureAndThenBelowIt() {
        const Built built = build(QStringLiteral("# H\n@picture ration-book.svg right 35% A "
                                                 "caption\n") +
                                  sentences(14));
        QVERIFY2(built.errors.isEmpty(), qPrintable(built.errors.join(u'\n')));
        QCOMPARE(built.screen.bitmaps.size(), 1);
        const cmd::Bitmap& picture = built.screen.bitmaps.first();
        const QRectF pictureRect(picture.destAt, picture.destSize);
        bool widerBelow = false;
        for (const Extent& text : texts(built.screen)) {
            QVERIFY2(!text.rect.intersects(pictureRect), qPrintable(text.what));
            if (text.rect.top() > pictureRect.bottom() && text.rect.right() > pictureRect.left())
                widerBelow = true;
        }
        QVERIFY(widerBelow);
    }
};

OSTERVALE_TEST(PageMarkupTest)
#include "page_markup_test.moc"
