// Where logical units land: the window and viewport onto the frame, the map
// modes, the frame onto the target, and the picture's own size.
#include "picture_check.h"
#include "testmain.h"

using namespace picture_check;

class MappingTest : public QObject {
    Q_OBJECT

    // A frame of 1000 units drawn 100 pixels square: ten units a pixel.
    static QByteArray quarterPicture(int mode, const QRect& window, const QRect& viewport,
                                     const QRect& rect, int unitsPerInch) {
        MetafileWriter w;
        w.begin(1000, 1000, unitsPerInch);
        w.selectObject(w.createPen({gdi::pen::Null, 0, Qt::black}));
        w.selectObject(w.createBrush({gdi::brush::Solid, Qt::red, 0, {}}));
        if (mode != 0)
            w.setMapMode(mode);
        if (!window.isNull()) {
            w.setWindowOrg(window.x(), window.y());
            w.setWindowExt(window.width(), window.height());
        }
        if (!viewport.isNull()) {
            w.setViewportOrg(viewport.x(), viewport.y());
            w.setViewportExt(viewport.width(), viewport.height());
        }
        w.rectangle({rect.left(), rect.top(), rect.right(), rect.bottom()});
        return w.finish();
    }

    static QRect edges(int left, int top, int right, int bottom) {
        return QRect(QPoint(left, top), QPoint(right, bottom));
    }

private Q_SLOTS:
    void logicalUnitsLandOnTheTarget_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QRect>("window");
        QTest::addColumn<QRect>("viewport");
        QTest::addColumn<QRect>("rect");
        QTest::addColumn<int>("unitsPerInch");
        QTest::addColumn<QRectF>("target");
        QTest::addColumn<QPoint>("red");
        QTest::addColumn<QPoint>("white");
        const QRect none;
        const QRect frame(0, 0, 1000, 1000);
        const QRect quarter = edges(0, 0, 500, 500);
        const QRect whole = edges(0, 0, 1000, 1000);
        const QRectF all;
        QTest::newRow("window is the frame")
            << 0 << frame << none << quarter << 1440 << all << QPoint(25, 25) << QPoint(75, 75);
        QTest::newRow("window origin moved")
            << 0 << QRect(500, 500, 1000, 1000) << none << edges(500, 500, 1000, 1000) << 1440
            << all << QPoint(25, 25) << QPoint(75, 75);
        QTest::newRow("window twice the frame") << 0 << QRect(0, 0, 2000, 2000) << none << whole
                                                << 1440 << all << QPoint(25, 25) << QPoint(75, 75);
        QTest::newRow("y runs up") << 0 << QRect(0, 1000, 1000, -1000) << none << quarter << 1440
                                   << all << QPoint(25, 75) << QPoint(25, 25);
        QTest::newRow("x runs left") << 0 << QRect(1000, 0, -1000, 1000) << none << quarter << 1440
                                     << all << QPoint(75, 25) << QPoint(25, 25);
        QTest::newRow("zero extent ignored") << 0 << QRect(0, 0, 0, 1000) << none << quarter << 1440
                                             << all << QPoint(25, 25) << QPoint(75, 75);
        QTest::newRow("smaller target")
            << 0 << frame << none << whole << 1440 << QRectF(50, 0, 50, 50) << QPoint(75, 25)
            << QPoint(25, 25);
        QTest::newRow("nothing beyond the target")
            << 0 << frame << none << edges(-1000, -1000, 2000, 2000) << 1440
            << QRectF(50, 0, 50, 50) << QPoint(75, 25) << QPoint(75, 75);
        QTest::newRow("viewport a quarter") << 0 << frame << QRect(0, 0, 500, 500) << whole << 1440
                                            << all << QPoint(25, 25) << QPoint(75, 75);
        QTest::newRow("viewport moved") << 0 << frame << QRect(500, 500, 500, 500) << whole << 1440
                                        << all << QPoint(75, 75) << QPoint(25, 25);
        QTest::newRow("isotropic keeps squares")
            << gdi::map::Isotropic << QRect(0, 0, 2000, 1000) << none << edges(0, 0, 2000, 1000)
            << 1440 << all << QPoint(50, 25) << QPoint(50, 75);
        QTest::newRow("text mode ignores extents")
            << gdi::map::Text << QRect(0, 0, 2000, 2000) << none << quarter << 1440 << all
            << QPoint(25, 25) << QPoint(75, 75);
        QTest::newRow("twips run upwards")
            << gdi::map::Twips << frame << none << edges(0, 0, 500, -500) << 1440 << all
            << QPoint(25, 25) << QPoint(75, 75);
        // 200 frame units an inch: a hundredth of an inch is two of them.
        QTest::newRow("hundredths of an inch")
            << gdi::map::LoEnglish << frame << none << edges(0, 0, 250, -250) << 200 << all
            << QPoint(40, 40) << QPoint(60, 60);
    }
    void logicalUnitsLandOnTheTarget() {
        QFETCH(int, mode);
        QFETCH(QRect, window);
        QFETCH(QRect, viewport);
        QFETCH(QRect, rect);
        QFETCH(int, unitsPerInch);
        QFETCH(QRectF, target);
        QFETCH(QPoint, red);
        QFETCH(QPoint, white);
        const QImage image =
            render(quarterPicture(mode, window, viewport, rect, unitsPerInch), {100, 100}, target);
        EXPECT_PIXEL(image, red, Qt::red);
        EXPECT_PIXEL(image, white, Qt::white);
    }

    void thePaintersOwnTransformIsUsedAndKept() {
        const auto picture = parse(quarterPicture(0, {}, {}, edges(0, 0, 1000, 1000), 1440));
        QVERIFY(picture);
        QImage image(100, 100, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.translate(50, 50);
        const QTransform before = painter.worldTransform();
        draw(*picture, painter, QRectF(0, 0, 20, 20));
        QCOMPARE(painter.worldTransform(), before);
        QVERIFY(!painter.hasClipping());
        painter.end();
        EXPECT_PIXEL(image, QPoint(60, 60), Qt::red);
        EXPECT_PIXEL(image, QPoint(45, 60), Qt::white);
        EXPECT_PIXEL(image, QPoint(75, 60), Qt::white);
    }

    void sizeAtItsOwnScale_data() {
        QTest::addColumn<int>("unitsPerInch");
        QTest::addColumn<QString>("header");
        QTest::addColumn<QSizeF>("twips");
        QTest::newRow("placeable, twips") << 1440 << "placeable" << QSizeF(2880, 1440);
        QTest::newRow("placeable, 720 an inch") << 720 << "placeable" << QSizeF(5760, 2880);
        QTest::newRow("placeable, no inch given") << 0 << "placeable" << QSizeF(2880, 1440);
        QTest::newRow("no placeable header") << 720 << "none" << QSizeF(2880, 1440);
        QTest::newRow("empty box falls back to the window")
            << 720 << "empty box" << QSizeF(5760, 2880);
    }
    void sizeAtItsOwnScale() {
        QFETCH(int, unitsPerInch);
        QFETCH(QString, header);
        QFETCH(QSizeF, twips);
        MetafileWriter w;
        w.begin(2880, 1440, unitsPerInch);
        w.rectangle({0, 0, 100, 100});
        QByteArray bytes = w.finish();
        if (header == QLatin1String("none"))
            bytes.remove(0, 22);
        if (header == QLatin1String("empty box"))
            bytes.replace(10, 4, QByteArray(4, '\0')); // right and bottom onto the origin
        const auto picture = parse(bytes);
        QVERIFY(picture);
        QCOMPARE(picture->placeable, header != QLatin1String("none"));
        QCOMPARE(picture->sizeInTwips(), twips);
    }

    void aFileWithNoWindowIsFramedByWhatItDraws() {
        Bytes raw;
        raw.u16(1).u16(9).u16(0x0300).u32(0).u16(0).u32(0).u16(0);
        const QByteArray box = Bytes().i16(300).i16(400).i16(100).i16(200).data;
        raw.raw(Bytes::record(gdi::record::Rectangle, box));
        raw.raw(Bytes::record(gdi::record::MoveTo, Bytes().i16(-50).i16(250).data));
        raw.raw(Bytes::record(gdi::record::Eof, {}));
        const auto picture = parse(raw.data);
        QVERIFY(picture);
        QVERIFY(!picture->placeable);
        QCOMPARE(picture->frame, QRectF(200, -50, 200, 350));
    }
};

OSTERVALE_TEST(MappingTest)
#include "test_mapping.moc"
