// GDI's drawing as a pupil sees it: shapes and fill rules, pens, the object
// table, saved states and clips, and where logical units land.
// Each picture is checked against what was worked out by hand.
#include "picture_check.h"
#include "testmain.h"

#include <functional>

using namespace picture_check;

using Steps = std::function<void(MetafileWriter&)>;
using Pixels = QList<std::pair<QPoint, QColor>>;
Q_DECLARE_METATYPE(Steps)

namespace {

const Box kWhole{0, 0, 1000, 1000};

Brush solid(const QColor& colour) {
    return {gdi::brush::Solid, colour, 0, {}};
}

// Arc, pie and chord share their parameters: the box, then the points whose
// rays from the centre start and end the curve.
Steps arcOf(quint16 function, const Box& b, QPoint start, QPoint end, bool pen = false) {
    return [=](MetafileWriter& w) {
        if (pen)
            w.selectObject(w.createPen({gdi::pen::Solid, 60, Qt::red}));
        Bytes p;
        p.u16(end.y()).u16(end.x()).u16(start.y()).u16(start.x());
        w.record(function, p.u16(b.bottom).u16(b.right).u16(b.top).u16(b.left).data);
    };
}

// A square inside another, both drawn the same way round.
Steps squares(bool winding) {
    return [=](MetafileWriter& w) {
        Bytes p;
        p.u16(2).u16(4).u16(4);
        for (const int in : {100, 300})
            for (const QPoint& pt : QPolygon(QRect(QPoint(in, in), QPoint(1000 - in, 1000 - in))))
                p.u16(pt.x()).u16(pt.y());
        if (winding)
            w.setPolyFillMode(gdi::fill::Winding);
        w.record(gdi::record::PolyPolygon, p.data);
    };
}

// Red saved, then blue saved, then green selected; then `which` restored and
// the frame filled.
Steps restoreAfterTwoSaves(int which) {
    return [which](MetafileWriter& w) {
        w.saveDC();
        w.selectObject(w.createBrush(solid(Qt::blue)));
        w.saveDC();
        w.selectObject(w.createBrush(solid(Qt::green)));
        w.restoreDC(which);
        w.rectangle(kWhole);
    };
}

// A red rectangle drawn under the given mapping on white; one point that
// must come out red and one that must stay white. A frame of 1000 units
// drawn 100 pixels square: ten units a pixel.
struct Mapping {
    const char* name;
    int mode;       // none when 0
    QRect window;   // origin and extent
    QRect viewport; // likewise
    Box rect;
    QPoint red, white;
    QRectF target = {}; // the whole image when null
    int unitsPerInch = 1440;
    QPointF shift = {}; // the painter's own translation
};

const QRect kFrame(0, 0, 1000, 1000);
const Box kQuarter{0, 0, 500, 500};
const QRectF kTopRight(50, 0, 50, 50);
namespace map = gdi::map;
const Mapping kMappings[] = {
    {"origin moved", 0, {500, 500, 1000, 1000}, {}, {500, 500, 1000, 1000}, {25, 25}, {75, 75}},
    {"window twice the frame", 0, {0, 0, 2000, 2000}, {}, kWhole, {25, 25}, {75, 75}},
    {"y runs up", 0, {0, 1000, 1000, -1000}, {}, kQuarter, {25, 75}, {25, 25}},
    {"x runs left", 0, {1000, 0, -1000, 1000}, {}, kQuarter, {75, 25}, {25, 25}},
    {"smaller target", 0, kFrame, {}, kWhole, {75, 25}, {25, 25}, kTopRight},
    {"off the target", 0, kFrame, {}, {-1000, -1000, 2000, 2000}, {75, 25}, {75, 75}, kTopRight},
    {"viewport a quarter", 0, kFrame, {0, 0, 500, 500}, kWhole, {25, 25}, {75, 75}},
    {"viewport moved", 0, kFrame, {500, 500, 500, 500}, kWhole, {75, 75}, {25, 25}},
    {"isotropic", map::Isotropic, {0, 0, 2000, 1000}, {}, {0, 0, 2000, 1000}, {50, 25}, {50, 75}},
    {"text mode ignores extents", map::Text, {0, 0, 2000, 2000}, {}, kQuarter, {25, 25}, {75, 75}},
    {"twips run upwards", map::Twips, kFrame, {}, {0, 0, 500, -500}, {25, 25}, {75, 75}},
    // 200 frame units an inch: a hundredth of an inch is two of them.
    {"LoEnglish", map::LoEnglish, kFrame, {}, {0, 0, 250, -250}, {40, 40}, {60, 60}, {}, 200},
    {"painter moved", 0, kFrame, {}, kWhole, {60, 60}, {75, 60}, {0, 0, 20, 20}, 1440, {50, 50}},
};

QByteArray mappedPicture(const Mapping& m) {
    MetafileWriter w = framed(Qt::red, m.unitsPerInch);
    if (m.mode != 0)
        w.setMapMode(m.mode);
    w.setWindowOrg(m.window.x(), m.window.y());
    w.setWindowExt(m.window.width(), m.window.height());
    if (!m.viewport.isNull()) {
        w.setViewportOrg(m.viewport.x(), m.viewport.y());
        w.setViewportExt(m.viewport.width(), m.viewport.height());
    }
    w.rectangle(m.rect);
    return w.finish();
}

} // namespace

class DrawingTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Every picture starts framed 1000 units square with no outline and a
    // red brush in slot 1.
    void drawsAsGdiDoes_data() {
        QTest::addColumn<Steps>("steps");
        QTest::addColumn<Pixels>("pixels");
        using namespace gdi::record;
        const QColor red(Qt::red), white(Qt::white), blue(Qt::blue), green(Qt::green),
            black(Qt::black);
        // On an ellipse twice as wide as high, the ray through the box's top
        // right corner meets the curve at 45 degrees of its parameter, not
        // at the 27 degrees the ray itself makes.
        QTest::newRow("pie on an ellipse follows the rays")
            << arcOf(Pie, {0, 0, 1000, 500}, {1000, 0}, {0, 0})
            << Pixels{{{50, 5}, red}, {{85, 15}, white}};
        // From the ray to the right round anticlockwise to the ray upwards:
        // the top right quarter of the circle, and not its inside.
        QTest::newRow("arc, the curve only between its ends")
            << arcOf(Arc, kWhole, {1000, 500}, {500, 0}, true)
            << Pixels{{{85, 15}, red}, {{75, 25}, white}, {{15, 85}, white}};
        QTest::newRow("rounded corners")
            << Steps([](MetafileWriter& w) { w.roundRect(kWhole, 400, 400); })
            << Pixels{{{50, 2}, red}, {{2, 2}, white}};
        QTest::newRow("star, winding fills it") << Steps([](MetafileWriter& w) {
            w.setPolyFillMode(gdi::fill::Winding);
            w.polygon(QPolygon({{500, 50}, {764, 864}, {73, 361}, {927, 361}, {236, 864}}));
        }) << Pixels{{{50, 52}, red}, {{5, 95}, white}};
        QTest::newRow("nested squares, alternate")
            << squares(false) << Pixels{{{20, 50}, red}, {{50, 50}, white}, {{5, 5}, white}};
        QTest::newRow("nested squares, winding")
            << squares(true) << Pixels{{{20, 50}, red}, {{50, 50}, red}, {{5, 5}, white}};
        // 30,000 edges each crossing the picture: seconds of work for a
        // record of 120 kilobytes. It is left out; what follows is drawn.
        QTest::newRow("a shape too costly to fill is left out") << Steps([](MetafileWriter& w) {
            QPolygon zigzag;
            for (int i = 0; i < 30000; ++i)
                zigzag << QPoint((i * 7919) % 1000, i % 2 ? 0 : 1000);
            w.polygon(zigzag);
            w.selectObject(w.createBrush(solid(Qt::blue)));
            w.rectangle({0, 0, 300, 300});
        }) << Pixels{{{15, 15}, blue}, {{60, 60}, white}};
        // A solid pen edges its box; a null pen as wide leaves it bare.
        QTest::newRow("pens") << Steps([](MetafileWriter& w) {
            w.selectObject(w.createPen({gdi::pen::Solid, 60, Qt::black}));
            w.rectangle({100, 200, 400, 800});
            w.selectObject(w.createPen({gdi::pen::Null, 60, Qt::black}));
            w.rectangle({600, 200, 900, 800});
        }) << Pixels{{{25, 20}, black}, {{25, 50}, red}, {{75, 20}, red}, {{75, 50}, red}};
        // Ten thousand units onto a hundred pixels: pens of width zero and
        // a twentieth of a pixel still draw one pixel wide, as in GDI.
        QTest::newRow("thin pens still show") << Steps([](MetafileWriter& w) {
            w.setWindowExt(10000, 10000);
            for (const int width : {0, 5}) {
                w.selectObject(w.createPen({gdi::pen::Solid, width, Qt::black}));
                w.moveTo(0, 2050 + 600 * width);
                w.lineTo(10000, 2050 + 600 * width);
            }
        }) << Pixels{{{50, 20}, black}, {{50, 50}, black}, {{50, 35}, white}};
        for (const auto& [which, colour] : {std::pair{-2, red}, {2, blue}, {-5, green}, {5, green}})
            QTest::addRow("restore %d", which)
                << restoreAfterTwoSaves(which) << Pixels{{{50, 50}, colour}};
        // Two intersections narrow, an exclusion cuts a hole, a clip given
        // upside down still clips, and each comes back with its state.
        QTest::newRow("clips") << Steps([](MetafileWriter& w) {
            w.intersectClipRect({0, 1000, 600, 0});
            w.saveDC();
            w.intersectClipRect({400, 0, 1000, 1000});
            w.excludeClipRect({450, 450, 550, 550});
            w.rectangle(kWhole);
            w.restoreDC();
            w.selectObject(w.createBrush(solid(Qt::blue)));
            w.rectangle({0, 0, 1000, 200});
        }) << Pixels{{{42, 50}, red},  {{50, 50}, white}, {{58, 40}, red}, {{30, 50}, white},
                     {{30, 10}, blue}, {{70, 10}, white}, {{42, 10}, blue}};
        // Objects never drawn (a palette, a pattern coloured from a palette)
        // still take a slot, and selecting them, or a slot that holds
        // nothing, keeps the brush in use; a freed slot is the first taken
        // again; deleting the selected brush leaves it in use until another
        // is selected.
        QTest::newRow("the object table") << Steps([](MetafileWriter& w) {
            w.deleteObject(1);
            QCOMPARE(w.createPalette({Qt::red}), 1);
            const Bytes style = Bytes().u16(gdi::brush::DibPatternPt).u16(gdi::DibPalColours);
            w.record(DibCreatePatternBrush, style.data + infoHeader(1, 1, 8).u32(0).data);
            w.createBrush(solid(Qt::blue)); // slot 3, counted by hand
            for (const int slot : {3, 1, 2})
                w.selectObject(slot);
            w.rectangle({0, 0, 500, 500});
            w.deleteObject(1);
            QCOMPARE(w.createBrush(solid(Qt::green)), 1);
            w.selectObject(1);
            w.rectangle({500, 0, 1000, 500});
            w.deleteObject(1);
            w.deleteObject(3);
            for (const int slot : {99, 0xFFFF, 3, 1})
                w.selectObject(slot);
            w.rectangle({0, 500, 1000, 1000});
        }) << Pixels{{{25, 25}, blue}, {{75, 25}, green}, {{50, 75}, green}};
    }
    void drawsAsGdiDoes() {
        QFETCH(Steps, steps);
        QFETCH(Pixels, pixels);
        MetafileWriter w = framed(Qt::red);
        steps(w);
        const QImage image = render(parse(w.finish()).value());
        for (const auto& [at, colour] : pixels)
            EXPECT_PIXEL(image, at, colour);
    }

    // A hatch's gaps take the background colour only when it is opaque.
    void hatchGapsTakeTheBackgroundOnlyWhenOpaque() {
        for (const auto& [mode, gap] : {std::pair{gdi::bk::Opaque, QColor(Qt::yellow)},
                                        {gdi::bk::Transparent, QColor(Qt::white)}}) {
            MetafileWriter w = framed();
            w.selectObject(
                w.createBrush({gdi::brush::Hatched, Qt::blue, gdi::hatch::Horizontal, {}}));
            w.setBkColor(Qt::yellow);
            w.setBkMode(mode);
            w.rectangle(kWhole);
            const QImage image = render(parse(w.finish()).value());
            int gaps = 0;
            for (int y = 0; y < 100; ++y)
                gaps += near(image.pixel(50, y), gap) ? 1 : 0;
            QVERIFY(gaps > 20 && gaps < 100);
        }
    }

    void logicalUnitsLandOnTheTarget() {
        for (const Mapping& m : kMappings) {
            const QImage image =
                render(parse(mappedPicture(m)).value(), {100, 100}, m.target, m.shift);
            QVERIFY2(near(image.pixel(m.red), Qt::red) && near(image.pixel(m.white), Qt::white),
                     m.name);
        }
    }
};

OSTERVALE_TEST(DrawingTest)
#include "test_drawing.moc"
