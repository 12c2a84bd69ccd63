// SAVEDC and RESTOREDC, and the clip rectangles they save: objects come back
// by value, clips come back whole, and a stack too deep or too shallow is
// met the way GDI meets it.
#include "picture_check.h"
#include "testmain.h"

#include <functional>

using namespace picture_check;

using Steps = std::function<void(MetafileWriter&)>;

class DeviceContextTest : public QObject {
    Q_OBJECT

    static Box all() { return {0, 0, 1000, 1000}; }

private Q_SLOTS:
    void restoredStateBringsBackTheObjectsItSaved() {
        MetafileWriter w = framed(Qt::red); // pen in slot 0, red brush in slot 1
        w.saveDC();
        w.deleteObject(1);
        QCOMPARE(w.createBrush({gdi::brush::Solid, Qt::green, 0, {}}), 1);
        w.selectObject(1);
        w.rectangle({0, 0, 500, 1000});
        w.restoreDC();
        w.rectangle({500, 0, 1000, 1000});
        const QImage image = render(w.finish());
        EXPECT_PIXEL(image, QPoint(25, 50), Qt::green);
        // The saved brush, not whatever slot 1 holds now.
        EXPECT_PIXEL(image, QPoint(75, 50), Qt::red);
    }

    void restoreChoosesTheStateItNames_data() {
        QTest::addColumn<int>("which");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("one back") << -1 << QColor(Qt::blue);
        QTest::newRow("two back") << -2 << QColor(Qt::red);
        QTest::newRow("the first saved") << 1 << QColor(Qt::red);
        QTest::newRow("the second saved") << 2 << QColor(Qt::blue);
        QTest::newRow("beyond the stack") << -5 << QColor(Qt::green);
        QTest::newRow("a number never saved") << 5 << QColor(Qt::green);
        QTest::newRow("zero") << 0 << QColor(Qt::green);
    }
    void restoreChoosesTheStateItNames() {
        QFETCH(int, which);
        QFETCH(QColor, colour);
        MetafileWriter w = framed(Qt::red);
        w.saveDC();
        w.selectObject(w.createBrush({gdi::brush::Solid, Qt::blue, 0, {}}));
        w.saveDC();
        w.selectObject(w.createBrush({gdi::brush::Solid, Qt::green, 0, {}}));
        w.restoreDC(which);
        w.rectangle(all());
        EXPECT_PIXEL(render(w.finish()), QPoint(50, 50), colour);
    }

    // Saves past the cap are not kept, but each still answers one restore,
    // so the restores that follow land on the states they were meant for.
    void aStackDeeperThanTheCapStaysBalanced() {
        MetafileWriter w = framed(Qt::red);
        w.saveDC();
        w.selectObject(w.createBrush({gdi::brush::Solid, Qt::blue, 0, {}}));
        for (int i = 1; i < limits::SavedStates + 200; ++i)
            w.saveDC();
        for (int i = 0; i < limits::SavedStates + 100; ++i)
            w.restoreDC(-1);
        w.rectangle(all());
        EXPECT_PIXEL(render(w.finish()), QPoint(50, 50), Qt::blue);
    }

    void clipping_data() {
        QTest::addColumn<Steps>("steps");
        QTest::addColumn<QPoint>("red");
        QTest::addColumn<QPoint>("white");
        QTest::newRow("intersect") << Steps([](MetafileWriter& w) {
            w.intersectClipRect({0, 0, 500, 500});
        }) << QPoint(25, 25) << QPoint(75, 25);
        QTest::newRow("exclude") << Steps([](MetafileWriter& w) {
            w.excludeClipRect({250, 250, 750, 750});
        }) << QPoint(10, 10) << QPoint(50, 50);
        QTest::newRow("exclude leaves the rest") << Steps([](MetafileWriter& w) {
            w.excludeClipRect({250, 250, 750, 750});
        }) << QPoint(90, 90) << QPoint(70, 30);
        QTest::newRow("two intersections narrow") << Steps([](MetafileWriter& w) {
            w.intersectClipRect({0, 0, 600, 1000});
            w.intersectClipRect({400, 0, 1000, 1000});
        }) << QPoint(50, 50) << QPoint(30, 50);
        QTest::newRow("given upside down") << Steps([](MetafileWriter& w) {
            w.intersectClipRect({500, 500, 0, 0});
        }) << QPoint(25, 25) << QPoint(75, 75);
        // GDI keeps the clip on the device: moving the window afterwards
        // moves what is drawn, not the clip.
        QTest::newRow("stays put when the window moves") << Steps([](MetafileWriter& w) {
            w.intersectClipRect({0, 0, 500, 500});
            w.setWindowOrg(500, 500);
            w.rectangle({500, 500, 1500, 1500});
        }) << QPoint(25, 25) << QPoint(75, 75);
        QTest::newRow("restored with the state") << Steps([](MetafileWriter& w) {
            w.intersectClipRect({0, 0, 1000, 500});
            w.saveDC();
            w.intersectClipRect({0, 0, 500, 500});
            w.rectangle({0, 0, 100, 100}); // the narrower clip is in use
            w.restoreDC();
        }) << QPoint(75, 25) << QPoint(75, 75);
    }
    void clipping() {
        QFETCH(Steps, steps);
        QFETCH(QPoint, red);
        QFETCH(QPoint, white);
        MetafileWriter w = framed(Qt::red);
        steps(w);
        w.rectangle(all());
        const QImage image = render(w.finish());
        EXPECT_PIXEL(image, red, Qt::red);
        EXPECT_PIXEL(image, white, Qt::white);
    }
};

OSTERVALE_TEST(DeviceContextTest)
#include "test_device_context.moc"
