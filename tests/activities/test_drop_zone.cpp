#include "activity_design.h"
#include "drop_zone.h"
#include "testmain.h"

#include <QTest>

class DropZoneTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void strictEdges_data() {
        QTest::addColumn<float>("left");
        QTest::addColumn<float>("top");
        QTest::addColumn<bool>("hit");
        // The box: Left 3000, Top 1000, Width 2000, Height 400.
        QTest::newRow("left edge of the zone") << 2000.f << 1000.f << false;
        QTest::newRow("just inside on the left") << 2001.f << 1000.f << true;
        QTest::newRow("right edge") << 5000.f << 1000.f << false;
        QTest::newRow("just inside on the right") << 4999.f << 1000.f << true;
        QTest::newRow("top edge") << 3000.f << 800.f << false;
        QTest::newRow("just below the top") << 3000.f << 800.5f << true;
        QTest::newRow("bottom edge") << 3000.f << 1400.f << false;
        QTest::newRow("just above the bottom") << 3000.f << 1399.f << true;
        QTest::newRow("far away") << 9000.f << -5000.f << false;
    }
    void strictEdges() {
        QFETCH(float, left);
        QFETCH(float, top);
        QFETCH(bool, hit);
        QCOMPARE(drop_zone::hits({3000, 1000, 2000, 400}, left, top), hit);
    }

    void lyingInIsExactEquality() {
        const Place box{3000, 1000, 2000, 400};
        QVERIFY(drop_zone::liesIn({3000, 1000, 10, 10}, box));
        QVERIFY(!drop_zone::liesIn({3001, 1000, 2000, 400}, box));
        QVERIFY(!drop_zone::liesIn({3000, 1000.5f, 2000, 400}, box));
    }

    // Label k in slot where[k] (-1: in no slot).
    static std::function<bool(int, int)> placement(std::vector<int> where) {
        return [where](int k, int m) { return where[k] == m; };
    }

    void scoringRules_data() {
        QTest::addColumn<std::vector<int>>("where");
        QTest::addColumn<int>("ownSlot");
        QTest::addColumn<int>("sameColumn");
        QTest::newRow("all in their own slots")
            << std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7} << 8 << 8;
        QTest::newRow("columns right, order mixed")
            << std::vector<int>{3, 2, 1, 0, 7, 6, 5, 4} << 0 << 8;
        QTest::newRow("one box down") << std::vector<int>{1, 2, 3, 4, 5, 6, 7, 0} << 0 << 6;
        QTest::newRow("two true in one slot") << std::vector<int>{0, 1, 2, 3, 4, 4, 6, 7} << 7 << 8;
        QTest::newRow("a true sentence among the false")
            << std::vector<int>{0, 1, 2, 4, 3, 5, 6, 7} << 6 << 6;
        QTest::newRow("nothing placed") << std::vector<int>(8, -1) << 0 << 0;
    }
    void scoringRules() {
        QFETCH(std::vector<int>, where);
        QFETCH(int, ownSlot);
        QFETCH(int, sameColumn);
        QCOMPARE(scoring::ownSlot(placement(where), 8), ownSlot);
        QCOMPARE(scoring::sameColumn(placement(where), 8), sameColumn);
    }
};

OSTERVALE_TEST(DropZoneTest)
#include "test_drop_zone.moc"
