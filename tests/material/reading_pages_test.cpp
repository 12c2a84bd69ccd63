// The reading pages as the viewers will meet them: generated from the real
// sources, read back by the program's own metafile reader, and measured
// command by command against the area each version may use.
#include "generated_home.h"
#include "page_check.h"
#include "reading_pages.h"
#include "testmain.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace page_check;

namespace {

using material_tests::materialSource;
using material_tests::readAll;

// The pages the topic menus, the main menu and the guide open, by name.
const QStringList kPages = {QStringLiteral("key rationing"), QStringLiteral("key progressa"),
                            QStringLiteral("key progressb"), QStringLiteral("key progressc"),
                            QStringLiteral("rationinga"),    QStringLiteral("rationingb"),
                            QStringLiteral("progressa"),     QStringLiteral("progressb"),
                            QStringLiteral("guide1"),        QStringLiteral("guide2"),
                            QStringLiteral("guide3"),        QStringLiteral("acknowledgments")};

// Where each version may draw: the screen page ends short of the viewer's
// entries (row at 7920, column at 10680 with the page 120 in); the paper page
// is drawn from (1000, 1000) of the printable area of an A4 sheet.
const QSizeF kScreenArea(10400, 7800);
const QSizeF kPrintArea(9300, 14000);

// Anything lighter than this is paper, anything darker ink.
int lightness(const QColor& c) {
    return c.toHsl().lightness();
}

} // namespace

class ReadingPagesTest : public QObject {
    Q_OBJECT

    QTemporaryDir home;
    material::GenerationReport report;
    std::map<QString, Metafile> pages; // "wmf/guide1", "wmf2/guide1", ...

    const Metafile& page(const QString& folder, const QString& name) {
        return pages.at(folder + u'/' + name);
    }
    QString wordsOn(const QString& folder, const QString& name) {
        return read(page(folder, name)).text;
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(home.isValid());
        QElapsedTimer clock;
        clock.start();
        material::makeReadingPages(QDir(materialSource()), QDir(home.path()), report);
        qInfo("reading pages generated in %lld ms", clock.elapsed());
        QVERIFY2(report.ok(), qPrintable(report.errors.join(u'\n')));
        for (const QString& name : kPages) {
            for (const QString& folder : {QStringLiteral("wmf"), QStringLiteral("wmf2")}) {
                const QString file = folder + u'/' + name + QStringLiteral(".wmf");
                QString error;
                const std::optional<Metafile> parsed = parse(readAll(home.filePath(file)), &error);
                // Both versions of every page, written by this run and readable:
                // every check below reads them all.
                QVERIFY2(report.written.contains(file), qPrintable(file));
                QVERIFY2(parsed, qPrintable(file + QStringLiteral(": ") + error));
                pages.emplace(folder + u'/' + name, *parsed);
            }
        }
    }

    void everyPageIsReadToItsEnd_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QSizeF>("area");
        QTest::newRow("screen") << QStringLiteral("wmf") << kScreenArea;
        QTest::newRow("print") << QStringLiteral("wmf2") << kPrintArea;
    }
    void everyPageIsReadToItsEnd() {
        QFETCH(QString, folder);
        QFETCH(QSizeF, area);
        for (const QString& name : kPages) {
            const Metafile& p = page(folder, name);
            QVERIFY2(p.isComplete(), qPrintable(name + ": " + p.stoppedBecause));
            QVERIFY(p.placeable);
            QCOMPARE(p.frame.topLeft(), QPointF(0, 0));
            const QSizeF size = p.sizeInTwips();
            QVERIFY2(size.width() <= area.width() && size.height() <= area.height(),
                     qPrintable(name));
            // Much smaller would leave the page a postage stamp in its area.
            QVERIFY(size.width() > 0.9 * area.width() && size.height() > 0.9 * area.height());
        }
    }

    void everyMarkLiesWithinItsArea_data() { everyPageIsReadToItsEnd_data(); }
    void everyMarkLiesWithinItsArea() {
        QFETCH(QString, folder);
        QFETCH(QSizeF, area);
        const QRectF allowed(QPointF(0, 0), area);
        for (const QString& name : kPages) {
            const Reading r = read(page(folder, name));
            QVERIFY2(!r.mappingMoved, qPrintable(name + ": the page moves its own window"));
            QVERIFY(r.marks.size() > 10);
            for (const Extent& mark : r.marks) {
                QVERIFY2(allowed.contains(mark.rect),
                         qPrintable(QStringLiteral("%1 %2: %3 at (%4, %5) to (%6, %7)")
                                        .arg(folder, name, mark.what)
                                        .arg(mark.rect.left())
                                        .arg(mark.rect.top())
                                        .arg(mark.rect.right())
                                        .arg(mark.rect.bottom())));
            }
        }
    }

    void textIsTwelvePointsOrMore_data() { everyPageIsReadToItsEnd_data(); }
    void textIsTwelvePointsOrMore() {
        QFETCH(QString, folder);
        for (const QString& name : kPages) {
            const Reading r = read(page(folder, name));
            for (int height : r.fontHeights) {
                // Negative: an em height in twips, 20 to the point.
                QVERIFY2(height <= -240, qPrintable(name + QStringLiteral(": a font of height ") +
                                                    QString::number(height)));
            }
        }
    }

    // Text stays text: fonts and text records, and every word of the source
    // is there to be read back, in order, captions included.
    void textIsStoredAsText_data() { everyPageIsReadToItsEnd_data(); }
    void textIsStoredAsText() {
        QFETCH(QString, folder);
        for (const QString& name : kPages) {
            const Reading r = read(page(folder, name));
            QVERIFY(r.fonts > 0);
            QVERIFY(r.texts > 5);
            const QString source = QString::fromUtf8(
                readAll(materialSource() + QStringLiteral("/pages/") + name + ".page"));
            QCOMPARE(squeezed(r.text), squeezed(sourceWords(source)));
        }
    }

    void keyFactsShowOurIllustrations_data() {
        QTest::addColumn<QStringList>("set");
        QTest::newRow("rationing") << QStringList{QStringLiteral("key rationing")};
        QTest::newRow("progress") << QStringList{QStringLiteral("key progressa"),
                                                 QStringLiteral("key progressb"),
                                                 QStringLiteral("key progressc")};
    }
    void keyFactsShowOurIllustrations() {
        QFETCH(QStringList, set);
        for (const QString& folder : {QStringLiteral("wmf"), QStringLiteral("wmf2")}) {
            int drawn = 0;
            for (const QString& name : set) {
                for (const cmd::Bitmap& bitmap : read(page(folder, name)).bitmaps) {
                    const QImage& image = bitmap.image;
                    QVERIFY(!image.isNull());
                    // Drawn for its place: at least a pixel of the picture to
                    // each pixel of the screen (15 twips), and no stretching.
                    QVERIFY(image.width() * 15 >= bitmap.destSize.width());
                    const double source = double(image.height()) / image.width();
                    const double dest = double(bitmap.destSize.height()) / bitmap.destSize.width();
                    QVERIFY(std::abs(source - dest) < 0.02);
                    // A drawing that failed would come out as one flat colour.
                    QVERIFY(
                        image.pixel(image.width() / 2, image.height() / 2) != image.pixel(1, 1) ||
                        image.pixel(image.width() / 3, image.height() / 3) != image.pixel(1, 1));
                    ++drawn;
                }
            }
            QVERIFY2(drawn > 0, qPrintable(folder + u'/' + set.first()));
        }
    }

    // Text beside a floated picture stops short of it, and on the
    // acknowledgments the viewer's animated and still logos (placed at
    // (8520, 4320) and (8550, 6240) on a screen whose page starts 120 in)
    // must not cover a word.
    void textKeepsClearOfPicturesAndTheLogo() {
        const QList<QRectF> logo = {QRectF(8400, 4320, 1800, 1800), QRectF(8430, 6240, 1800, 1335)};
        for (const QString& name : kPages) {
            for (const QString& folder : {QStringLiteral("wmf"), QStringLiteral("wmf2")}) {
                const Reading r = read(page(folder, name));
                QList<QRectF> keepClear;
                for (const cmd::Bitmap& bitmap : r.bitmaps)
                    keepClear.append(QRectF(bitmap.destAt, bitmap.destSize));
                if (folder == u"wmf" && name == u"acknowledgments")
                    keepClear += logo;
                for (const Extent& mark : r.marks) {
                    if (!mark.what.startsWith(QStringLiteral("text")))
                        continue;
                    for (const QRectF& clear : keepClear)
                        QVERIFY2(!mark.rect.intersects(clear), qPrintable(name + u' ' + mark.what));
                }
            }
        }
    }

    // The screen page is a sheet of light paper with dark ink on the navy
    // screen; on paper the sheet is the paper itself, so only ink is drawn.
    void inkIsDarkOnLightPaper() {
        for (const QString& name : kPages) {
            const Reading screen = read(page(QStringLiteral("wmf"), name));
            QVERIFY2(screen.firstFill && lightness(*screen.firstFill) > 200, qPrintable(name));
            const Reading print = read(page(QStringLiteral("wmf2"), name));
            QVERIFY2(!print.firstFill, qPrintable(name + ": the paper version is filled"));
            for (const Reading* r : {&screen, &print}) {
                for (const QColor& ink : r->textColours)
                    QVERIFY2(lightness(ink) < 90, qPrintable(name + u' ' + ink.name()));
            }
        }
    }

    // The Teacher's Notes give each quiz answer as "number letter: answer",
    // taken from the same quiz sources the program's quizzes are made from.
    void notesGiveTheQuizAnswers_data() {
        QTest::addColumn<QString>("quiz");
        QTest::addColumn<QStringList>("notes");
        QTest::newRow("rationing")
            << QStringLiteral("Rationing.txt")
            << QStringList{QStringLiteral("rationinga"), QStringLiteral("rationingb")};
        QTest::newRow("progress") << QStringLiteral("The Progress of the War.txt")
                                  << QStringList{QStringLiteral("progressa"),
                                                 QStringLiteral("progressb")};
    }
    void notesGiveTheQuizAnswers() {
        QFETCH(QString, quiz);
        QFETCH(QStringList, notes);
        QString onPages;
        for (const QString& name : notes)
            onPages += wordsOn(QStringLiteral("wmf"), name);
        const QStringList lines =
            QString::fromUtf8(readAll(materialSource() + "/questions/" + quiz)).split(u'\n');
        QMap<QString, QString> answers;
        int question = 0;
        for (const QString& raw : lines) {
            const QString line = raw.trimmed();
            if (line.startsWith(QStringLiteral("Q:")))
                ++question;
            else if (line.size() > 2 && line[1] == u':' && QStringLiteral("ABCD").contains(line[0]))
                answers[line.left(1)] = line.mid(2).trimmed();
            else if (line.startsWith(QStringLiteral("answer:"))) {
                const QString letter = line.mid(7).trimmed();
                const QString expected =
                    QString::number(question) + letter + u':' + answers[letter];
                QVERIFY2(squeezed(onPages).contains(squeezed(expected), Qt::CaseInsensitive),
                         qPrintable(expected));
            }
        }
        QCOMPARE(question, 10);
    }

    // Every label the activities use, and every date on the timeline, is in
    // the Teacher's Notes as the activity screens spell it.
    void notesNameEveryActivityLabel() {
        QString onPages;
        for (const QString& name : {QStringLiteral("rationingb"), QStringLiteral("progressb")})
            onPages += wordsOn(QStringLiteral("wmf"), name);
        static const QRegularExpression label(
            QStringLiteral("\\.text = QStringLiteral\\(\"([^\"]+)\"\\)"));
        static const QRegularExpression date(
            QStringLiteral("\\{\"(\\d+(st|nd|rd|th) \\w+ \\d{4})\""));
        QStringList expected;
        for (const QString& file :
             {QStringLiteral("labelling.cpp"), QStringLiteral("ordering.cpp")}) {
            const QString code = QString::fromUtf8(
                readAll(QStringLiteral(OSTERVALE_SOURCE "/src/activities/") + file));
            for (const QRegularExpression* pattern : {&label, &date}) {
                for (auto it = pattern->globalMatch(code); it.hasNext();)
                    expected.append(it.next().captured(1).trimmed());
            }
        }
        // Four foods, three battles, eight sentences, eight events and their
        // dates: fewer means the activities moved and this check went blind.
        QVERIFY2(expected.size() >= 31, qPrintable(expected.join(u'|')));
        for (const QString& text : expected)
            QVERIFY2(squeezed(onPages).contains(squeezed(text)), qPrintable(text));
    }
};

OSTERVALE_TEST(ReadingPagesTest)
#include "reading_pages_test.moc"
