#include "material_paths.h"
#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class MaterialPathsTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private Q_SLOTS:
    void initTestCase() {
        QDir(dir.path()).mkpath(QStringLiteral("Images"));
        QDir(dir.path()).mkpath(QStringLiteral("multiple"));
        QFile(dir.filePath(QStringLiteral("Images/MIDWAY.jpg"))).open(QIODevice::WriteOnly);
        QFile(dir.filePath(QStringLiteral("multiple/track.txt"))).open(QIODevice::WriteOnly);
    }

    void resolves_data() {
        QTest::addColumn<QString>("spelled");
        QTest::addColumn<QString>("onDisk");
        QTest::newRow("backslash") << "Images\\MIDWAY.jpg"
                                   << "Images/MIDWAY.jpg";
        QTest::newRow("other case") << "images\\midway.JPG"
                                    << "Images/MIDWAY.jpg";
        QTest::newRow("forward slash") << "multiple/track.txt"
                                       << "multiple/track.txt";
        QTest::newRow("trailing blank") << "multiple\\track.txt "
                                        << "multiple/track.txt";
        QTest::newRow("new file keeps its spelling") << "MULTIPLE/My Sheet.txt"
                                                     << "multiple/My Sheet.txt";
        QTest::newRow("missing folder kept") << "wav\\click.wav"
                                             << "wav/click.wav";
    }
    void resolves() {
        QFETCH(QString, spelled);
        QFETCH(QString, onDisk);
        const MaterialPaths paths(dir.path());
        QCOMPARE(paths.resolve(spelled), dir.path() + u'/' + onDisk);
    }
};

OSTERVALE_TEST(MaterialPathsTest)
#include "test_material_paths.moc"
