// The tool as a teacher or the material build runs it: a process, its exit
// code, its one line of complaint and the picture it leaves behind.
#include "picture_check.h"
#include "testmain.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

using namespace picture_check;

class Wmf2PngTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

    QString write(const QString& name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::WriteOnly))
            return {};
        file.write(bytes);
        return file.fileName();
    }

    struct Run {
        int code = -1;
        QByteArray errors;
    };
    static Run run(const QStringList& args) {
        QProcess tool;
        tool.start(QStringLiteral(WMF2PNG), args);
        if (!tool.waitForFinished(20000))
            return {};
        return {tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1,
                tool.readAllStandardError()};
    }

    // Two inches by one, red on the left half.
    static QByteArray twoByOne() {
        MetafileWriter w;
        w.begin(2880, 1440);
        w.selectObject(w.createPen({gdi::pen::Null, 0, Qt::black}));
        w.selectObject(w.createBrush({gdi::brush::Solid, Qt::red, 0, {}}));
        w.rectangle({0, 0, 1440, 1440});
        return w.finish();
    }

    // The same, as a program writes it for a screen of 700 x 350 pixels:
    // no placeable header, the window scaled onto a viewport.
    static QByteArray forAScreen() {
        MetafileWriter w;
        w.begin(2880, 1440);
        w.setMapMode(gdi::map::Anisotropic);
        w.setViewportExt(700, 350);
        w.selectObject(w.createPen({gdi::pen::Null, 0, Qt::black}));
        w.selectObject(w.createBrush({gdi::brush::Solid, Qt::red, 0, {}}));
        w.rectangle({0, 0, 1440, 1440});
        return w.finish().remove(0, 22);
    }

private Q_SLOTS:
    void drawsAPicture_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("extra");
        QTest::addColumn<QSize>("size");
        QTest::newRow("its own size, 15 twips a pixel")
            << twoByOne() << QStringList() << QSize(192, 96);
        QTest::newRow("a width asked for")
            << twoByOne() << QStringList{"--width", "300"} << QSize(300, 150);
        QTest::newRow("a width asked for, one word")
            << twoByOne() << QStringList{"--width=50"} << QSize(50, 25);
        QTest::newRow("made for a screen") << forAScreen() << QStringList() << QSize(700, 350);
        QTest::newRow("made for a screen, wider")
            << forAScreen() << QStringList{"--width", "1600"} << QSize(1600, 800);
    }
    void drawsAPicture() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, extra);
        QFETCH(QSize, size);
        const QString in = write(QStringLiteral("page.wmf"), bytes);
        const QString out = dir.filePath(QStringLiteral("page.png"));
        QFile::remove(out);
        const Run result = run(QStringList{in, out} + extra);
        QCOMPARE(result.code, 0);
        const QImage png(out);
        QCOMPARE(png.size(), size);
        EXPECT_PIXEL(png, QPoint(size.width() / 4, size.height() / 2), Qt::red);
        EXPECT_PIXEL(png, QPoint(size.width() / 2 - 3, size.height() - 3), Qt::red);
        EXPECT_PIXEL(png, QPoint(size.width() * 3 / 4, size.height() / 2), Qt::white);
    }

    void aDamagedPictureIsDrawnAsFarAsItGoes() {
        QByteArray bytes = twoByOne();
        bytes.chop(6);
        bytes += Bytes().u32(2).u16(gdi::record::Rectangle).data;
        const QString out = dir.filePath(QStringLiteral("damaged.png"));
        const Run result = run({write(QStringLiteral("damaged.wmf"), bytes), out});
        QCOMPARE(result.code, 0);
        QVERIFY(result.errors.contains("damaged"));
        QCOMPARE(QImage(out).size(), QSize(192, 96));
    }

    void failures_data() {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::addColumn<int>("code");
        QTest::newRow("not a metafile") << "junk.wmf"
                                        << "junk.png" << 1;
        QTest::newRow("no such file") << "missing.wmf"
                                      << "missing.png" << 1;
        QTest::newRow("nowhere to write") << "page.wmf"
                                          << "no/such/folder/page.png" << 1;
        QTest::newRow("no output named") << "page.wmf"
                                         << "" << 2;
    }
    void failures() {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QFETCH(int, code);
        write(QStringLiteral("junk.wmf"), QByteArray(200, 'x'));
        write(QStringLiteral("page.wmf"), twoByOne());
        QStringList args{dir.filePath(in)};
        if (!out.isEmpty())
            args << dir.filePath(out);
        const Run result = run(args);
        QCOMPARE(result.code, code);
        QCOMPARE(result.errors.count('\n'), 1);
        QVERIFY(result.errors.startsWith("wmf2png: "));
        if (!out.isEmpty())
            QVERIFY(!QFile::exists(dir.filePath(out)));
    }
};

OSTERVALE_TEST(Wmf2PngTest)
#include "test_wmf2png.moc"
