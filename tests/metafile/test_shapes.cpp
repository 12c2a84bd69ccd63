// GDI's shapes drawn and checked against the picture worked out by hand:
// the arcs' direction and ends, rounded corners, the two fill rules, and the
// cost limits that keep a hostile outline from holding the window.
#include "picture_check.h"
#include "raster_cost.h"
#include "testmain.h"

#include <QtMath>
#include <functional>

using namespace picture_check;

using Draw = std::function<void(MetafileWriter&)>;

namespace {

// Arc, pie and chord share their parameters: the box, then the points whose
// rays from the centre start and end the curve.
Draw arcOf(quint16 function, const Box& box, QPoint start, QPoint end, bool pen = false) {
    return [=](MetafileWriter& w) {
        if (pen)
            w.selectObject(w.createPen({gdi::pen::Solid, 60, Qt::red}));
        w.record(function, Bytes()
                               .i16(end.y())
                               .i16(end.x())
                               .i16(start.y())
                               .i16(start.x())
                               .i16(box.bottom)
                               .i16(box.right)
                               .i16(box.top)
                               .i16(box.left)
                               .data);
    };
}

QPolygon star() {
    QPolygon points;
    for (int i = 0; i < 5; ++i) {
        const double a = qDegreesToRadians(-90.0 + 144.0 * i);
        points << QPoint(500 + int(450 * std::cos(a)), 500 + int(450 * std::sin(a)));
    }
    return points;
}

Draw squares(bool winding, bool sameWay) {
    return [=](MetafileWriter& w) {
        Bytes p;
        p.u16(2).u16(4).u16(4);
        for (QPoint pt : {QPoint(100, 100), QPoint(900, 100), QPoint(900, 900), QPoint(100, 900)})
            p.i16(pt.x()).i16(pt.y());
        QList<QPoint> inner{QPoint(300, 300), QPoint(700, 300), QPoint(700, 700), QPoint(300, 700)};
        if (!sameWay)
            std::reverse(inner.begin(), inner.end());
        for (QPoint pt : inner)
            p.i16(pt.x()).i16(pt.y());
        if (winding)
            w.setPolyFillMode(gdi::fill::Winding);
        w.record(gdi::record::PolyPolygon, p.data);
    };
}

// Pixels neither red nor white: any antialiased edge leaves some.
int blendedPixels(const QImage& image, int* red) {
    int blended = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x) {
            const bool isRed = near(image.pixel(x, y), Qt::red, 0);
            *red += isRed;
            blended += !isRed && !near(image.pixel(x, y), Qt::white, 0);
        }
    return blended;
}

} // namespace

class ShapesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void shapes_data() {
        QTest::addColumn<Draw>("draw");
        QTest::addColumn<QPoint>("red");
        QTest::addColumn<QList<QPoint>>("white");
        using namespace gdi::record;
        const Box circle{0, 0, 1000, 1000};
        // From the ray to the right round anticlockwise to the ray upwards:
        // the top right quarter.
        const QPoint right(1000, 500), up(500, 0);
        QTest::newRow("pie, its own quarter")
            << arcOf(Pie, circle, right, up) << QPoint(75, 25) << QList<QPoint>{{25, 25}, {25, 75}};
        QTest::newRow("pie, ends swapped takes the rest")
            << arcOf(Pie, circle, up, right) << QPoint(25, 75) << QList<QPoint>{{75, 25}};
        QTest::newRow("chord, cut by its straight edge")
            << arcOf(Chord, circle, right, up) << QPoint(85, 15) << QList<QPoint>{{60, 40}};
        // On an ellipse twice as wide as high, the ray through the box's top
        // right corner meets the curve at 45 degrees of its parameter, not
        // at the 27 degrees the ray itself makes.
        QTest::newRow("pie on an ellipse follows the rays")
            << arcOf(Pie, {0, 0, 1000, 500}, {1000, 0}, {0, 0}) << QPoint(50, 5)
            << QList<QPoint>{{85, 15}};
        QTest::newRow("arc, the curve only between its ends")
            << arcOf(Arc, circle, right, up, true) << QPoint(85, 15)
            << QList<QPoint>{{75, 25}, {15, 85}};
        QTest::newRow("rounded corners") << Draw([](MetafileWriter& w) {
            w.roundRect({0, 0, 1000, 1000}, 400, 400);
        }) << QPoint(50, 2) << QList<QPoint>{{2, 2}};
        QTest::newRow("star, alternate leaves the middle")
            << Draw([](MetafileWriter& w) { w.polygon(star()); }) << QPoint(50, 15)
            << QList<QPoint>{{50, 52}};
        QTest::newRow("star, winding fills it") << Draw([](MetafileWriter& w) {
            w.setPolyFillMode(gdi::fill::Winding);
            w.polygon(star());
        }) << QPoint(50, 52) << QList<QPoint>{{5, 95}};
        QTest::newRow("nested squares, alternate")
            << squares(false, true) << QPoint(20, 50) << QList<QPoint>{{50, 50}};
        QTest::newRow("nested squares, winding the same way")
            << squares(true, true) << QPoint(50, 50) << QList<QPoint>{{5, 5}};
        QTest::newRow("nested squares, winding opposite ways")
            << squares(true, false) << QPoint(20, 50) << QList<QPoint>{{50, 50}};
    }
    void shapes() {
        QFETCH(Draw, draw);
        QFETCH(QPoint, red);
        QFETCH(QList<QPoint>, white);
        MetafileWriter w = framed(Qt::red);
        draw(w);
        const QImage image = render(w.finish());
        EXPECT_PIXEL(image, red, Qt::red);
        for (const QPoint& at : white)
            EXPECT_PIXEL(image, at, Qt::white);
    }

    // Outlines halved onto a device 100 pixels square; each closes back to
    // its first point.
    void edgePixelsCountWhatLandsOnTheDevice_data() {
        QTest::addColumn<QPolygon>("outline");
        QTest::addColumn<double>("pixels");
        QTest::newRow("a square") << QPolygon(QRect(0, 0, 100, 100)) << 200.0;
        QTest::newRow("a diagonal, there and back")
            << QPolygon({QPoint(0, 0), QPoint(30, 40)}) << 70.0;
        QTest::newRow("running off the right")
            << QPolygon({QPoint(50, 50), QPoint(500, 50)}) << 150.0;
    }
    void edgePixelsCountWhatLandsOnTheDevice() {
        QFETCH(QPolygon, outline);
        QFETCH(double, pixels);
        QCOMPARE(raster_cost::edgePixels({outline}, QTransform::fromScale(0.5, 0.5), {100, 100}),
                 pixels);
    }

    // A comb of 600 teeth, each running the height of the picture (some
    // 60,000 pixels of edge); and, found by fuzzing, a triangle reaching
    // millions of pixels off the picture against a clip with a hole in it,
    // which took seconds to antialias. Both are filled plain.
    void costlyOutlinesAreFilledPlain_data() {
        QTest::addColumn<Draw>("draw");
        QPolygon comb;
        for (int i = 0; i < 600; ++i)
            comb << QPoint(i * 1000 / 600 + (i % 2) * 3, i % 2 ? 0 : 1000);
        QTest::newRow("many edges") << Draw([comb](MetafileWriter& w) { w.polygon(comb); });
        QTest::newRow("far off the picture") << Draw([](MetafileWriter& w) {
            w.setMapMode(gdi::map::Anisotropic);
            w.setWindowOrg(0, 0);
            w.setWindowExt(10, 10); // ten pixels a unit
            w.excludeClipRect({4, 4, 6, 6});
            w.polygon(QPolygon({QPoint(1, 1), QPoint(9, 2), QPoint(-30000, 32000)}));
        });
    }
    void costlyOutlinesAreFilledPlain() {
        QFETCH(Draw, draw);
        MetafileWriter w = framed(Qt::red);
        draw(w);
        int red = 0;
        QCOMPARE(blendedPixels(render(w.finish()), &red), 0);
        QVERIFY(red > 100);
    }

    // The same outline within the picture keeps its smooth edges.
    void anOrdinaryOutlineStaysSmooth() {
        QCOMPARE(raster_cost::outlinePixels({QPolygon({QPoint(0, 0), QPoint(30, 40)})},
                                            QTransform::fromScale(10, 10)),
                 1400.0);
        MetafileWriter w = framed(Qt::red);
        w.polygon(star());
        int red = 0;
        QVERIFY(blendedPixels(render(w.finish()), &red) > 0);
    }

    // 30,000 edges each crossing the picture: seconds of work for a record of
    // 120 kilobytes. It is left out; what follows it is drawn.
    void aShapeTooCostlyToFillIsLeftOut() {
        QPolygon zigzag;
        for (int i = 0; i < 30000; ++i)
            zigzag << QPoint((i * 7919) % 1000, i % 2 ? 0 : 1000);
        MetafileWriter w = framed(Qt::red);
        w.polygon(zigzag);
        w.selectObject(w.createBrush({gdi::brush::Solid, Qt::blue, 0, {}}));
        w.rectangle({0, 0, 300, 300});
        const QImage image = render(w.finish());
        EXPECT_PIXEL(image, QPoint(15, 15), Qt::blue);
        EXPECT_PIXEL(image, QPoint(60, 60), Qt::white);
    }
};

OSTERVALE_TEST(ShapesTest)
#include "test_shapes.moc"
