#include "pictures.h"
#include "testmain.h"

#include <QImage>
#include <QTemporaryDir>
#include <QTest>

class PicturesTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

    QString save(const QString& name, const char* format, QColor colour) {
        QImage image(12, 8, QImage::Format_RGB32);
        image.fill(colour);
        const QString file = dir.filePath(name);
        if (!image.save(file, format))
            return {};
        return file;
    }

private Q_SLOTS:
    void byName_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<bool>("fromName");
        QTest::newRow("jpeg named jpg") << "right.jpg" << QByteArray("jpeg") << true;
        QTest::newRow("capital extension") << "RIGHT2.JPG" << QByteArray("jpeg") << true;
        QTest::newRow("bitmap named bmp") << "right.bmp" << QByteArray("bmp") << true;
        QTest::newRow("bitmap named jpg") << "wrong.jpg" << QByteArray("bmp") << false;
        QTest::newRow("png named gif") << "wrong.gif" << QByteArray("png") << false;
        QTest::newRow("jpeg without extension") << "noext" << QByteArray("jpeg") << false;
    }
    void byName() {
        QFETCH(QString, name);
        QFETCH(QByteArray, format);
        QFETCH(bool, fromName);
        const QString file = save(name, format.constData(), QColor(200, 40, 40));
        QVERIFY(!file.isEmpty());
        const PictureRead read = readPicture(file);
        QCOMPARE(read.image.size(), QSize(12, 8));
        QCOMPARE(read.fromName, fromName);
        // Lossy JPEG keeps the colour only roughly.
        const QColor seen = read.image.pixelColor(6, 4);
        QVERIFY(qAbs(seen.red() - 200) < 12 && qAbs(seen.green() - 40) < 12);
    }
};

OSTERVALE_TEST(PicturesTest)
#include "test_pictures.moc"
