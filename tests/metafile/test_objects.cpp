// The object table, pens and brushes: which slot an object takes, what a
// select of nothing does, and how GDI's pens and brushes look once drawn.
#include "picture_check.h"
#include "testmain.h"

using namespace picture_check;

class ObjectsTest : public QObject {
    Q_OBJECT

    static int columnInk(const QImage& image, int x, const QColor& colour) {
        int count = 0;
        for (int y = 20; y < 80; ++y)
            count += near(image.pixel(x, y), colour, 40);
        return count;
    }

private Q_SLOTS:
    void everyObjectTakesTheLowestFreeSlot() {
        MetafileWriter w;
        w.begin(1000, 1000);
        QCOMPARE(w.createPen({gdi::pen::Null, 0, Qt::black}), 0);
        QCOMPARE(w.createPalette({Qt::red}), 1); // never drawn, but slot 1 is its
        QCOMPARE(w.createBrush({gdi::brush::Solid, Qt::blue, 0, {}}), 2);
        w.selectObject(0);
        w.selectObject(2);
        w.rectangle({0, 0, 500, 1000});
        w.deleteObject(1);
        QCOMPARE(w.createBrush({gdi::brush::Solid, Qt::green, 0, {}}), 1);
        w.selectObject(1);
        w.rectangle({500, 0, 1000, 1000});
        const QImage image = render(w.finish());
        EXPECT_PIXEL(image, QPoint(25, 50), Qt::blue);
        EXPECT_PIXEL(image, QPoint(75, 50), Qt::green);
    }

    void objectsWeNeverDrawStillTakeASlot_data() {
        QTest::addColumn<int>("function");
        QTest::addColumn<QByteArray>("params");
        QTest::newRow("palette") << int(gdi::record::CreatePalette)
                                 << Bytes().u16(0x0300).u16(1).u32(0xFF).data;
        QTest::newRow("old pattern brush")
            << int(gdi::record::CreatePatternBrush) << QByteArray(32, '\0');
        QTest::newRow("region") << int(gdi::record::CreateRegion) << QByteArray(22, '\0');
        QTest::newRow("pattern brush coloured from a palette")
            << int(gdi::record::DibCreatePatternBrush)
            << Bytes()
                   .u16(gdi::brush::DibPatternPt)
                   .u16(gdi::DibPalColours)
                   .raw(infoHeader(1, 1, 8).data)
                   .u32(0)
                   .data;
    }
    void objectsWeNeverDrawStillTakeASlot() {
        QFETCH(int, function);
        QFETCH(QByteArray, params);
        MetafileWriter w;
        w.begin(1000, 1000);
        w.createPen({gdi::pen::Null, 0, Qt::black});
        w.record(quint16(function), params);
        w.createBrush({gdi::brush::Solid, Qt::blue, 0, {}}); // so slot 2, counted by hand
        w.selectObject(0);
        w.selectObject(2);
        w.rectangle({0, 0, 1000, 1000});
        w.selectObject(1); // selecting what we cannot draw changes nothing
        w.rectangle({0, 0, 500, 1000});
        const QImage image = render(w.finish());
        EXPECT_PIXEL(image, QPoint(25, 50), Qt::blue);
        EXPECT_PIXEL(image, QPoint(75, 50), Qt::blue);
    }

    // Selecting a slot that holds nothing changes nothing, and deleting the
    // selected brush leaves it in use until another is selected.
    void selectingNothingKeepsTheBrush_data() {
        QTest::addColumn<int>("slot");
        QTest::newRow("beyond the table") << 99;
        QTest::newRow("the last slot number") << 0xFFFF;
        QTest::newRow("a deleted slot") << 2;
        QTest::newRow("the deleted brush's own slot") << 1;
    }
    void selectingNothingKeepsTheBrush() {
        QFETCH(int, slot);
        MetafileWriter w = framed(Qt::red);
        w.deleteObject(w.createBrush({gdi::brush::Solid, Qt::blue, 0, {}}));
        w.deleteObject(1);
        w.selectObject(slot);
        w.rectangle({0, 0, 1000, 1000});
        EXPECT_PIXEL(render(w.finish()), QPoint(50, 50), Qt::red);
    }

    void aPatternBrushRepeatsInDevicePixels() {
        // Two by two, stored bottom row first: red blue over blue red.
        Bytes dib = infoHeader(2, 2, 24);
        dib.u8(255).u8(0).u8(0).u8(0).u8(0).u8(255).u16(0); // bottom: blue, red
        dib.u8(0).u8(0).u8(255).u8(255).u8(0).u8(0).u16(0); // top: red, blue
        MetafileWriter w;
        w.begin(1000, 1000);
        w.selectObject(w.createPen({gdi::pen::Null, 0, Qt::black}));
        w.record(gdi::record::DibCreatePatternBrush,
                 Bytes().u16(gdi::brush::DibPatternPt).u16(0).raw(dib.data).data);
        w.selectObject(1);
        w.rectangle({0, 0, 1000, 1000});
        const QImage image = render(w.finish());
        EXPECT_PIXEL(image, QPoint(10, 10), Qt::red);
        EXPECT_PIXEL(image, QPoint(11, 10), Qt::blue);
        EXPECT_PIXEL(image, QPoint(10, 11), Qt::blue);
        EXPECT_PIXEL(image, QPoint(11, 11), Qt::red);
    }

    // Ten thousand units onto a hundred pixels: a pen five units wide is a
    // twentieth of a pixel, which GDI still draws one pixel wide.
    void thinPensStillShow_data() {
        QTest::addColumn<int>("width");
        QTest::newRow("width zero") << 0;
        QTest::newRow("thinner than a pixel") << 5;
        QTest::newRow("wider than a pixel") << 300;
    }
    void thinPensStillShow() {
        QFETCH(int, width);
        MetafileWriter w;
        w.begin(1000, 1000);
        w.setWindowExt(10000, 10000);
        w.selectObject(w.createPen({gdi::pen::Solid, width, Qt::black}));
        w.moveTo(0, 5000);
        w.lineTo(10000, 5000);
        const QImage image = render(w.finish());
        int darkest = 255;
        for (int y = 48; y <= 52; ++y)
            darkest = std::min(darkest, qRed(image.pixel(50, y)));
        QVERIFY2(darkest < 140, qPrintable(QString::number(darkest)));
        EXPECT_PIXEL(image, QPoint(50, 40), Qt::white);
    }

    void penStyles_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<QColor>("edge");
        QTest::newRow("solid") << gdi::pen::Solid << QColor(Qt::black);
        QTest::newRow("inside frame") << gdi::pen::InsideFrame << QColor(Qt::black);
        QTest::newRow("null") << gdi::pen::Null << QColor(Qt::yellow);
    }
    void penStyles() {
        QFETCH(int, style);
        QFETCH(QColor, edge);
        MetafileWriter w;
        w.begin(1000, 1000);
        w.selectObject(w.createPen({style, 60, Qt::black}));
        w.selectObject(w.createBrush({gdi::brush::Solid, Qt::yellow, 0, {}}));
        w.rectangle({200, 200, 800, 800});
        const QImage image = render(w.finish());
        EXPECT_PIXEL(image, QPoint(50, 20), edge);
        EXPECT_PIXEL(image, QPoint(50, 50), Qt::yellow);
    }

    void hatchGapsTakeTheBackgroundOnlyWhenOpaque_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QColor>("gap");
        QTest::newRow("opaque") << gdi::bk::Opaque << QColor(Qt::yellow);
        QTest::newRow("transparent") << gdi::bk::Transparent << QColor(Qt::white);
    }
    void hatchGapsTakeTheBackgroundOnlyWhenOpaque() {
        QFETCH(int, mode);
        QFETCH(QColor, gap);
        MetafileWriter w;
        w.begin(1000, 1000);
        w.selectObject(w.createPen({gdi::pen::Null, 0, Qt::black}));
        w.selectObject(w.createBrush({gdi::brush::Hatched, Qt::blue, gdi::hatch::Horizontal, {}}));
        w.setBkColor(Qt::yellow);
        w.setBkMode(mode);
        w.rectangle({0, 0, 1000, 1000});
        const QImage image = render(w.finish());
        QVERIFY(columnInk(image, 50, Qt::blue) > 0);
        QVERIFY(columnInk(image, 50, gap) > 20);
    }
};

OSTERVALE_TEST(ObjectsTest)
#include "test_objects.moc"
