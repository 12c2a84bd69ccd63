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
    // The tool reads IN and writes OUT, a picture of the given size; a row
    // with no size expects the tool to fail with that code and no picture.
    void runsAsATeacherWould_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("code");
        const QByteArray page = twoByOne(), screen = twoByOne(true);
        const QStringList both{"IN", "OUT"};
        QTest::newRow("its own size, 15 twips a pixel") << page << both << QSize(192, 96) << 0;
        QTest::newRow("made for a screen") << screen << both << QSize(700, 350) << 0;
        QTest::newRow("made for a screen, wider")
            << screen << both + QStringList{"--width", "1600"} << QSize(1600, 800) << 0;
        // Drawn as far as it goes, with a word that it is damaged.
        QTest::newRow("damaged") << page.chopped(6) +
                                        Bytes().u32(2).u16(gdi::record::Rectangle).data
                                 << both << QSize(192, 96) << 0;
        QTest::newRow("not a metafile") << QByteArray(200, 'x') << both << QSize() << 1;
        QTest::newRow("nowhere to write")
            << page << QStringList{"IN", dir.filePath(QStringLiteral("no/such/out.png"))} << QSize()
            << 1;
        QTest::newRow("no output named") << page << QStringList{"IN"} << QSize() << 2;
    }
    void runsAsATeacherWould() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, args);
        QFETCH(QSize, size);
        QFETCH(int, code);
        QFile in(dir.filePath(QStringLiteral("in.wmf")));
        QVERIFY(in.open(QIODevice::WriteOnly) && in.write(bytes) == bytes.size());
        in.close();
        const QString out = dir.filePath(QStringLiteral("page.png"));
        QFile::remove(out);
        QProcess tool;
        tool.start(QStringLiteral(WMF2PNG),
                   args.replaceInStrings("IN", in.fileName()).replaceInStrings("OUT", out));
        QVERIFY(tool.waitForFinished(20000) && tool.exitStatus() == QProcess::NormalExit);
        QCOMPARE(tool.exitCode(), code);
        const QByteArray errors = tool.readAllStandardError();
        if (code != 0) {
            QVERIFY(errors.count('\n') == 1 && errors.startsWith("wmf2png: ") &&
                    !QFile::exists(out));
            return;
        }
        QCOMPARE(errors.contains("damaged"), QByteArray(QTest::currentDataTag()) == "damaged");
        const QImage png(out);
        QCOMPARE(png.size(), size);
        EXPECT_PIXEL(png, QPoint(size.width() / 4, size.height() / 2), Qt::red);
        EXPECT_PIXEL(png, QPoint(size.width() / 2 - 3, size.height() - 3), Qt::red);
        EXPECT_PIXEL(png, QPoint(size.width() * 3 / 4, size.height() / 2), Qt::white);
    }
};

OSTERVALE_TEST(Wmf2PngTest)
#include "test_wmf2png.moc"
