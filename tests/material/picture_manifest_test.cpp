// Picture names with blanks in the manifest: the program opens files such as
// "Images/EL ALAMEIN.jpg", so a quoted name must come through whole, and a
// broken quote must be reported instead of shifting the remaining fields.
#include "pictures.h"
#include "testmain.h"

#include <QTest>

using namespace material;

class PictureManifestTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void quotedNamesKeepTheirBlanks() {
        const PictureManifest m =
            parsePictureManifest(QStringLiteral("desert.svg  \"Images/EL ALAMEIN.jpg\"  244 232\n"
                                                "\"two  words.svg\"\t\"Images/A  B.jpg\"\t10\t20\n"
                                                "plain.svg Images/MIDWAY.jpg 244 235\n"));
        QVERIFY2(m.errors.isEmpty(), qPrintable(m.errors.join(u'\n')));
        QCOMPARE(m.rows.size(), 3);
        QCOMPARE(m.rows[0].svg, QStringLiteral("desert.svg"));
        QCOMPARE(m.rows[0].output, QStringLiteral("Images/EL ALAMEIN.jpg"));
        QCOMPARE(m.rows[0].size, QSize(244, 232));
        // Inner runs of blanks are part of the name, not separators.
        QCOMPARE(m.rows[1].svg, QStringLiteral("two  words.svg"));
        QCOMPARE(m.rows[1].output, QStringLiteral("Images/A  B.jpg"));
        QCOMPARE(m.rows[1].size, QSize(10, 20));
        QCOMPARE(m.rows[2].output, QStringLiteral("Images/MIDWAY.jpg"));
        QCOMPARE(m.rows[2].line, 3);
    }

    void unquotedBlanksStillSplitFields() {
        // Without quotes the name falls apart into too many fields; that must
        // be an error, never a picture saved under half its name.
        const PictureManifest m =
            parsePictureManifest(QStringLiteral("a.svg Images/EL ALAMEIN.jpg 244 232\n"));
        QVERIFY(m.rows.isEmpty());
        QCOMPARE(m.errors.size(), 1);
        QVERIFY(m.errors[0].contains(QStringLiteral("line 1")));
    }

    void brokenQuotesAreReportedByLine_data() {
        QTest::addColumn<QString>("row");
        QTest::newRow("never closed") << "a.svg \"Images/EL ALAMEIN.jpg 244 232";
        QTest::newRow("runs into next field") << "a.svg \"Images/x.jpg\"244 232";
        QTest::newRow("empty output") << "a.svg \"\" 244 232";
        QTest::newRow("empty drawing") << "\"\" Images/x.jpg 244 232";
    }

    void brokenQuotesAreReportedByLine() {
        QFETCH(QString, row);
        const PictureManifest m =
            parsePictureManifest(QStringLiteral("# header\nok.svg Images/ok.jpg 5 5\n") + row);
        QCOMPARE(m.rows.size(), 1);
        QCOMPARE(m.rows[0].svg, QStringLiteral("ok.svg"));
        QCOMPARE(m.errors.size(), 1);
        QVERIFY2(m.errors[0].contains(QStringLiteral("line 3")), qPrintable(m.errors[0]));
    }
};

OSTERVALE_TEST(PictureManifestTest)
#include "picture_manifest_test.moc"
