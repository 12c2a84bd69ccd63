// Runs the real generator on the real material sources and checks what the
// program will find beside it.
#include "generated_home.h"
#include "generator.h"
#include "testmain.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>

namespace {

using material_tests::generatedHome;
using material_tests::materialSource;
using material_tests::readAll;

QMap<QString, QByteArray> snapshot(const QString& root) {
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(root).relativeFilePath(path), readAll(path));
    }
    return files;
}

// Largest step in brightness between neighbouring pixels inside `area`: a
// plain sky changes smoothly, anything drawn on it makes a step.
int largestStep(const QImage& image, const QRect& area) {
    int largest = 0;
    for (int y = area.top(); y < area.bottom(); ++y)
        for (int x = area.left(); x < area.right(); ++x) {
            const int a = qGray(image.pixel(x, y));
            largest = std::max({largest, std::abs(a - qGray(image.pixel(x + 1, y))),
                                std::abs(a - qGray(image.pixel(x, y + 1)))});
        }
    return largest;
}

} // namespace

class GeneratedMaterialTest : public QObject {
    Q_OBJECT

    const material_tests::GeneratedHome& home = generatedHome();
    QMap<QString, QByteArray> firstRun;

private Q_SLOTS:
    void initTestCase() {
        const material::GenerationReport& report = home.report;
        QVERIFY2(report.ok(), qPrintable(report.errors.join(u'\n')));
        QVERIFY(report.unchanged.isEmpty());
        firstRun = snapshot(home.path());
    }

    void picturesDecodeAtTheirSizes_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QSize>("size");
        QTest::newRow("title Spitfire") << "Images/spitfism.jpg" << QSize(320, 240);
        QTest::newRow("second Spitfire") << "Images/spitfire2sm.jpg" << QSize(320, 240);
        QTest::newRow("ration book") << "Images/rationbook2.jpg" << QSize(420, 400);
        QTest::newRow("Stalingrad") << "Images/Stal.jpg" << QSize(800, 537);
        QTest::newRow("rationing quiz") << "Images/rationsm.jpg" << QSize(352, 118);
        QTest::newRow("Midway") << "Images/MIDWAY.jpg" << QSize(244, 235);
        QTest::newRow("sugar") << "Images/sugar.jpg" << QSize(240, 166);
        QTest::newRow("milk") << "Images/milk.jpg" << QSize(171, 240);
        QTest::newRow("meat") << "Images/meat.jpg" << QSize(240, 185);
        QTest::newRow("cheese") << "Images/cheese.jpg" << QSize(240, 163);
        QTest::newRow("El Alamein") << "Images/EL ALAMEIN.jpg" << QSize(244, 232);
        QTest::newRow("Stalingrad battle") << "Images/STALINGRAD.jpg" << QSize(272, 184);
    }

    void picturesDecodeAtTheirSizes() {
        QFETCH(QString, file);
        QFETCH(QSize, size);
        QImageReader reader(home.filePath(file));
        QCOMPARE(reader.format(), QByteArray("jpeg"));
        QCOMPARE(reader.size(), size);
        const QImage image = reader.read();
        QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
        // A drawing that silently failed would come out as one flat colour.
        QVERIFY(largestStep(image, image.rect()) > 60);
        // Baseline (SOF0), not progressive (SOF2): some older readers need it.
        const QByteArray bytes = firstRun.value(file);
        QVERIFY(bytes.contains(QByteArray("\xff\xc0", 2)));
        QVERIFY(!bytes.contains(QByteArray("\xff\xc2", 2)));
    }

    void stalingradLeavesRoomForTitleAndMenu() {
        const QImage image(home.filePath(QStringLiteral("Images/Stal.jpg")));
        QVERIFY(!image.isNull());
        QVERIFY2(largestStep(image, QRect(0, 0, image.width(), 70)) <= 6, "top band is busy");
        QVERIFY2(largestStep(image, QRect(500, 0, 300, 300)) <= 6, "upper right is busy");
        // Yellow lettering needs a sky darker than mid-grey behind it.
        QVERIFY(qGray(image.pixel(40, 35)) < 128);
    }

    void catalogueStartsEmpty() {
        QCOMPARE(firstRun.value(QStringLiteral("multiple/track.txt")), QByteArray(" 0\r\n"));
    }

    // Everything the program opens comes out of one run, under the names the
    // screens spell (the look-up ignores case, but a shipped name should not
    // rely on it).
    void oneRunWritesEveryFileTheProgramOpens() {
        QStringList expected = {QStringLiteral("logo/quorvane2.bmp"),
                                QStringLiteral("multiple/Rationing.txt"),
                                QStringLiteral("multiple/The Progress of the War.txt")};
        for (int frame = 0; frame < 20; ++frame)
            expected << QStringLiteral("logo/quorvane%1.gif").arg(frame, 4, 10, QLatin1Char('0'));
        for (const QString& file : expected)
            QVERIFY2(firstRun.contains(file), qPrintable(file));
    }

    // One more run over the first one's output: it rewrites only the file
    // damaged by hand, leaves every other file and its date alone, and keeps
    // the teachers' catalogue as they saved it.
    void secondRunRepairsOnlyWhatWasDamaged() {
        const QString stal = home.filePath(QStringLiteral("Images/Stal.jpg"));
        const QDateTime before = QFileInfo(stal).lastModified();
        const QString damaged = home.filePath(QStringLiteral("Images/spitfism.jpg"));
        QFile file(damaged);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a picture");
        file.close();
        const QString track = home.filePath(QStringLiteral("multiple/track.txt"));
        const QByteArray saved(" 2\r\nWorksheet one\r\nWorksheet two\r\n");
        QFile catalogue(track);
        QVERIFY(catalogue.open(QIODevice::WriteOnly));
        catalogue.write(saved);
        catalogue.close();

        const material::GenerationReport report =
            material::generateMaterial(materialSource(), home.path());
        QVERIFY(report.ok());
        QCOMPARE(report.written, QStringList{QStringLiteral("Images/spitfism.jpg")});
        QCOMPARE(report.unchanged.size(), firstRun.size() - 1);
        QCOMPARE(QFileInfo(stal).lastModified(), before);
        QCOMPARE(readAll(track), saved);
        QMap<QString, QByteArray> now = snapshot(home.path());
        now.insert(QStringLiteral("multiple/track.txt"),
                   firstRun.value(QStringLiteral("multiple/track.txt")));
        QCOMPARE(now, firstRun);
        // Other checks in this binary read the same output.
        QVERIFY(catalogue.open(QIODevice::WriteOnly));
        catalogue.write(firstRun.value(QStringLiteral("multiple/track.txt")));
    }

    void freshRunGivesIdenticalBytes() {
        QTemporaryDir other;
        QVERIFY(material::generateMaterial(materialSource(), other.path()).ok());
        QCOMPARE(snapshot(other.path()), firstRun);
    }

    void missingManifestIsAnError() {
        QTemporaryDir emptySource, out;
        const material::GenerationReport report =
            material::generateMaterial(emptySource.path(), out.path());
        QVERIFY(!report.ok());
        QVERIFY(report.errors.first().contains(QStringLiteral("pictures.txt")));
    }
};

OSTERVALE_TEST(GeneratedMaterialTest)
#include "generated_material_test.moc"
