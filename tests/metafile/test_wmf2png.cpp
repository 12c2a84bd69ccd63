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

    // The tool's exit code (-1 when it crashed or hung) and what it said.
    std::pair<int, QByteArray> run(const QByteArray& bytes, QStringList args) {
        QFile file(dir.filePath(QStringLiteral("in.wmf")));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return {-2, "the test could not write its picture"};
        file.close();
        QProcess tool;
        tool.start(QStringLiteral(WMF2PNG), args.replaceInStrings("IN", file.fileName()));
        if (!tool.waitForFinished(20000) || tool.exitStatus() != QProcess::NormalExit)
            return {-1, {}};
        return {tool.exitCode(), tool.readAllStandardError()};
    }

    // Two inches by one, red on the left half; or the same as a program
    // writes it for a screen of 700 x 350 pixels: no placeable header, the
    // window scaled onto a viewport.
    static QByteArray twoByOne(bool forAScreen = false) {
        MetafileWriter w;
        w.begin(2880, 1440);
        if (forAScreen) {
            w.setMapMode(gdi::map::Anisotropic);
            w.setViewportExt(700, 350);
        }
        w.selectObject(w.createPen({gdi::pen::Null, 0, Qt::black}));
        w.selectObject(w.createBrush({gdi::brush::Solid, Qt::red, 0, {}}));
        w.rectangle({0, 0, 1440, 1440});
        return w.finish().remove(0, forAScreen ? 22 : 0);
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
        QTest::newRow("made for a screen") << twoByOne(true) << QStringList() << QSize(700, 350);
        QTest::newRow("made for a screen, wider")
            << twoByOne(true) << QStringList{"--width", "1600"} << QSize(1600, 800);
        // Drawn as far as it goes, with a word that it is damaged.
        QTest::newRow("damaged") << twoByOne().chopped(6) +
                                        Bytes().u32(2).u16(gdi::record::Rectangle).data
                                 << QStringList() << QSize(192, 96);
    }
    void drawsAPicture() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, extra);
        QFETCH(QSize, size);
        const QString out = dir.filePath(QStringLiteral("page.png"));
        QFile::remove(out);
        const auto [code, errors] = run(bytes, QStringList{"IN", out} + extra);
        QCOMPARE(code, 0);
        QCOMPARE(errors.contains("damaged"), QByteArray(QTest::currentDataTag()) == "damaged");
        const QImage png(out);
        QCOMPARE(png.size(), size);
        EXPECT_PIXEL(png, QPoint(size.width() / 4, size.height() / 2), Qt::red);
        EXPECT_PIXEL(png, QPoint(size.width() / 2 - 3, size.height() - 3), Qt::red);
        EXPECT_PIXEL(png, QPoint(size.width() * 3 / 4, size.height() / 2), Qt::white);
    }

    void failures_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        const QString png = dir.filePath(QStringLiteral("out.png"));
        QTest::newRow("not a metafile") << QByteArray(200, 'x') << QStringList{"IN", png} << 1;
        QTest::newRow("no such file")
            << twoByOne() << QStringList{dir.filePath(QStringLiteral("missing.wmf")), png} << 1;
        QTest::newRow("nowhere to write")
            << twoByOne() << QStringList{"IN", dir.filePath(QStringLiteral("no/such/out.png"))}
            << 1;
        QTest::newRow("no output named") << twoByOne() << QStringList{"IN"} << 2;
    }
    void failures() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, args);
        QFETCH(int, code);
        const auto [exit, errors] = run(bytes, args);
        QCOMPARE(exit, code);
        QCOMPARE(errors.count('\n'), 1);
        QVERIFY(errors.startsWith("wmf2png: "));
        if (args.size() > 1)
            QVERIFY(!QFile::exists(args[1]));
    }
};

OSTERVALE_TEST(Wmf2PngTest)
#include "test_wmf2png.moc"
