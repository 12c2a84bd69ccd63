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

QString describe(const Extent& mark) {
    return QStringLiteral("%1 at (%2, %3) to (%4, %5)")
        .arg(mark.what)
        .arg(mark.rect.left())
        .arg(mark.rect.top())
        .arg(mark.rect.right())
        .arg(mark.rect.bottom());
}

} // namespace

class ReadingPagesTest : public QObject {
    Q_OBJECT

    QTemporaryDir home;
    material::GenerationReport report;
    std::map<QString, Metafile> pages; // "wmf/guide1", "wmf2/guide1", ...

    QString wordsOn(const QStringList& names) {
        QString words;
        for (const QString& name : names)
            words += read(pages.at(QStringLiteral("wmf/") + name)).text;
        return squeezed(words);
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
                // Both versions of every page, written by this run and readable.
                QVERIFY2(report.written.contains(file), qPrintable(file));
                QVERIFY2(parsed, qPrintable(file + QStringLiteral(": ") + error));
                pages.emplace(folder + u'/' + name, *parsed);
            }
        }
    }

    void everyPage_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("name");
        for (const QString& name : kPages) {
            QTest::addRow("screen %s", qPrintable(name)) << QStringLiteral("wmf") << name;
            QTest::addRow("print %s", qPrintable(name)) << QStringLiteral("wmf2") << name;
        }
    }
    // Read to its end, every mark within the version's area, every word of
    // the source there to be read back as text, in order, captions included,
    // in twelve points or more, dark ink on light paper and clear of the
    // pictures.
    void everyPage() {
        QFETCH(QString, folder);
        QFETCH(QString, name);
        const bool screen = folder == u"wmf";
        const QSizeF area = screen ? kScreenArea : kPrintArea;
        const Metafile& page = pages.at(folder + u'/' + name);
        QVERIFY2(page.isComplete(), qPrintable(page.stoppedBecause));
        QVERIFY(page.placeable);
        QCOMPARE(page.frame.topLeft(), QPointF(0, 0));
        const QSizeF size = page.sizeInTwips();
        QVERIFY(size.width() <= area.width() && size.height() <= area.height());
        // Much smaller would leave the page a postage stamp in its area.
        QVERIFY(size.width() > 0.9 * area.width() && size.height() > 0.9 * area.height());

        const Reading r = read(page);
        QVERIFY2(!r.mappingMoved, "the page moves its own window");
        QVERIFY(r.marks.size() > 10);
        for (const Extent& mark : r.marks)
            QVERIFY2(QRectF(QPointF(0, 0), area).contains(mark.rect), qPrintable(describe(mark)));

        QVERIFY(r.fonts > 0);
        QVERIFY(r.texts > 5);
        const QString source = QString::fromUtf8(
            readAll(materialSource() + QStringLiteral("/pages/") + name + ".page"));
        QCOMPARE(squeezed(r.text), squeezed(sourceWords(source)));
        // Negative: an em height in twips, 20 to the point.
        for (int height : r.fontHeights)
            QVERIFY2(height <= -240, qPrintable(QString::number(height)));

        // The screen page is a sheet of light paper on the navy screen; on
        // paper the sheet is the paper itself, so only ink is drawn.
        if (screen)
            QVERIFY(r.firstFill && lightness(*r.firstFill) > 200);
        else
            QVERIFY2(!r.firstFill, "the paper version is filled");
        for (const QColor& ink : r.textColours)
            QVERIFY2(lightness(ink) < 90, qPrintable(ink.name()));

        // On the acknowledgments the viewer's animated and still logos
        // (placed at (8520, 4320) and (8550, 6240) on a screen whose page
        // starts 120 in) must not cover a word either.
        QList<QRectF> keepClear;
        if (screen && name == u"acknowledgments")
            keepClear = {QRectF(8400, 4320, 1800, 1800), QRectF(8430, 6240, 1800, 1335)};
        for (const cmd::Bitmap& bitmap : r.bitmaps) {
            keepClear.append(QRectF(bitmap.destAt, bitmap.destSize));
            // Drawn for its place: at least a pixel of the picture to each
            // pixel of the screen (15 twips), no stretching, and not the one
            // flat colour of a drawing that failed.
            const QImage& image = bitmap.image;
            QVERIFY(!image.isNull());
            QVERIFY(image.width() * 15 >= bitmap.destSize.width());
            const double source = double(image.height()) / image.width();
            const double dest = double(bitmap.destSize.height()) / bitmap.destSize.width();
            QVERIFY(std::abs(source - dest) < 0.02);
            QVERIFY(image.pixel(image.width() / 2, image.height() / 2) != image.pixel(1, 1) ||
                    image.pixel(image.width() / 3, image.height() / 3) != image.pixel(1, 1));
        }
        for (const Extent& text : texts(r))
            for (const QRectF& clear : keepClear)
                QVERIFY2(!text.rect.intersects(clear), qPrintable(describe(text)));
        // A printed page uses its sheet: one left two-thirds empty is set
        // larger until it fills it.
        if (!screen) {
            double bottom = 0;
            for (const Extent& mark : r.marks)
                bottom = std::max(bottom, mark.rect.bottom());
            QVERIFY2(bottom > 0.85 * size.height(), qPrintable(QString::number(bottom)));
        }
        // Every key facts page is illustrated, in both versions.
        if (name.startsWith(QStringLiteral("key ")))
            QVERIFY(!r.bitmaps.isEmpty());
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
        const QString onPages = wordsOn(notes);
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
                QVERIFY2(onPages.contains(squeezed(expected), Qt::CaseInsensitive),
                         qPrintable(expected));
            }
        }
        QCOMPARE(question, 10);
    }

    // Every label the activities use, and every date on the timeline, is in
    // the Teacher's Notes as the activity screens spell it.
    void notesNameEveryActivityLabel() {
        const QString onPages =
            wordsOn({QStringLiteral("rationingb"), QStringLiteral("progressb")});
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
            QVERIFY2(onPages.contains(squeezed(text)), qPrintable(text));
    }
};

OSTERVALE_TEST(ReadingPagesTest)
#include "reading_pages_test.moc"
