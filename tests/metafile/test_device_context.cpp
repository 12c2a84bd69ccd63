// SAVEDC and RESTOREDC, and the clip rectangles they save: objects come back
// by value, clips come back whole, and a stack too deep or too shallow is
// met the way GDI meets it.
#include "picture_check.h"
#include "testmain.h"

#include <functional>

using namespace picture_check;

using Steps = std::function<void(MetafileWriter&)>;

namespace {

// Red saved, then blue saved, then green selected; then `which` restored.
Steps restoreAfterTwoSaves(int which) {
    return [which](MetafileWriter& w) {
        w.saveDC();
        w.selectObject(w.createBrush({gdi::brush::Solid, Qt::blue, 0, {}}));
        w.saveDC();
        w.selectObject(w.createBrush({gdi::brush::Solid, Qt::green, 0, {}}));
        w.restoreDC(which);
    };
}

} // namespace

class DeviceContextTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Each picture starts with the red brush in slot 1 and ends by filling
    // the frame with whatever brush the steps left selected.
    void restore_data() {
        QTest::addColumn<Steps>("steps");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("one back") << restoreAfterTwoSaves(-1) << QColor(Qt::blue);
        QTest::newRow("two back") << restoreAfterTwoSaves(-2) << QColor(Qt::red);
        QTest::newRow("the first saved") << restoreAfterTwoSaves(1) << QColor(Qt::red);
        QTest::newRow("the second saved") << restoreAfterTwoSaves(2) << QColor(Qt::blue);
        QTest::newRow("beyond the stack") << restoreAfterTwoSaves(-5) << QColor(Qt::green);
        QTest::newRow("a number never saved") << restoreAfterTwoSaves(5) << QColor(Qt::green);
        QTest::newRow("zero") << restoreAfterTwoSaves(0) << QColor(Qt::green);
        // The saved brush, not whatever its slot holds by the time of the restore.
        QTest::newRow("objects come back by value") << Steps([](MetafileWriter& w) {
            w.saveDC();
            w.deleteObject(1);
            w.selectObject(w.createBrush({gdi::brush::Solid, Qt::green, 0, {}}));
            w.restoreDC();
        }) << QColor(Qt::red);
        // Saves past the cap are not kept, but each still answers one
        // restore, so the restores that follow land where they were meant to.
        QTest::newRow("a stack deeper than the cap") << Steps([](MetafileWriter& w) {
            w.saveDC();
            w.selectObject(w.createBrush({gdi::brush::Solid, Qt::blue, 0, {}}));
            for (int i = 1; i < limits::SavedStates + 200; ++i)
                w.saveDC();
            for (int i = 0; i < limits::SavedStates + 100; ++i)
                w.restoreDC(-1);
        }) << QColor(Qt::blue);
    }
    void restore() {
        QFETCH(Steps, steps);
        QFETCH(QColor, colour);
        MetafileWriter w = framed(Qt::red);
        steps(w);
        w.rectangle({0, 0, 1000, 1000});
        EXPECT_PIXEL(render(w.finish()), QPoint(50, 50), colour);
    }

    void clipping_data() {
        QTest::addColumn<Steps>("steps");
        QTest::addColumn<QList<QPoint>>("red");
        QTest::addColumn<QList<QPoint>>("white");
        QTest::newRow("intersect") << Steps([](MetafileWriter& w) {
            w.intersectClipRect({0, 0, 500, 500});
        }) << QList<QPoint>{{25, 25}}
                                   << QList<QPoint>{{75, 25}};
        QTest::newRow("exclude") << Steps([](MetafileWriter& w) {
            w.excludeClipRect({250, 250, 750, 750});
        }) << QList<QPoint>{{10, 10}, {90, 90}}
                                 << QList<QPoint>{{50, 50}, {70, 30}};
        QTest::newRow("two intersections narrow") << Steps([](MetafileWriter& w) {
            w.intersectClipRect({0, 0, 600, 1000});
            w.intersectClipRect({400, 0, 1000, 1000});
        }) << QList<QPoint>{{50, 50}} << QList<QPoint>{{30, 50}};
        QTest::newRow("given upside down") << Steps([](MetafileWriter& w) {
            w.intersectClipRect({500, 500, 0, 0});
        }) << QList<QPoint>{{25, 25}} << QList<QPoint>{{75, 75}};
        // GDI keeps the clip on the device: moving the window afterwards
        // moves what is drawn, not the clip.
        QTest::newRow("stays put when the window moves") << Steps([](MetafileWriter& w) {
            w.intersectClipRect({0, 0, 500, 500});
            w.setWindowOrg(500, 500);
            w.rectangle({500, 500, 1500, 1500});
        }) << QList<QPoint>{{25, 25}} << QList<QPoint>{{75, 75}};
        QTest::newRow("restored with the state") << Steps([](MetafileWriter& w) {
            w.intersectClipRect({0, 0, 1000, 500});
            w.saveDC();
            w.intersectClipRect({0, 0, 500, 500});
            w.rectangle({0, 0, 100, 100}); // the narrower clip is in use
            w.restoreDC();
        }) << QList<QPoint>{{75, 25}} << QList<QPoint>{{75, 75}};
    }
    void clipping() {
        QFETCH(Steps, steps);
        QFETCH(QList<QPoint>, red);
        QFETCH(QList<QPoint>, white);
        MetafileWriter w = framed(Qt::red);
        steps(w);
        w.rectangle({0, 0, 1000, 1000});
        const QImage image = render(w.finish());
        for (const QPoint& at : red)
            EXPECT_PIXEL(image, at, Qt::red);
        for (const QPoint& at : white)
            EXPECT_PIXEL(image, at, Qt::white);
    }
};

OSTERVALE_TEST(DeviceContextTest)
#include "test_device_context.moc"
