// What the benchmark table is made of: the spread of a figure, the ratios of
// runs taken side by side, the order runs take, and the peak memory reading.
#include "first_frame.h"
#include "stats.h"
#include "testmain.h"

#include <QTest>
#include <cstring>
#include <memory>

class BenchFiguresTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void spreadOfSamples() {
        QVERIFY(!bench::spread({}));
        const auto odd = bench::spread({5, 1, 9, 3, 7});
        QVERIFY(odd);
        QCOMPARE(odd->min, 1.0);
        QCOMPARE(odd->median, 5.0);
        QCOMPARE(odd->max, 9.0);
        // An even count takes the middle pair's mean, not either one.
        const auto even = bench::spread({4, 10, 2, 8});
        QCOMPARE(even->median, 6.0);
        QCOMPARE(bench::spread({3})->median, 3.0);
    }

    void ratiosPairRunsInOrder() {
        const std::vector<double> ratios = bench::pairedRatios({10, 30, 8}, {5, 10, 0, 4});
        // The third floor run took no time and the fourth has no partner.
        QVERIFY(ratios == (std::vector<double>{2.0, 3.0}));
    }

    void roundsRunProgramFloorFloorProgram() {
        QVERIFY(bench::interleaved(2) ==
                (std::vector<bool>{true, false, false, true, true, false, false, true}));
        QVERIFY(bench::interleaved(0).empty());
    }

    void peakMemoryFollowsWhatWasTouched() {
        const long before = first_frame::peakKib();
        QVERIFY(before > 0);
        constexpr std::size_t size = 128 * 1024 * 1024;
        auto block = std::make_unique<char[]>(size);
        std::memset(block.get(), 1, size);
        const long after = first_frame::peakKib();
        QVERIFY2(after >= before + 32 * 1024,
                 qPrintable(QStringLiteral("%1 -> %2 KiB").arg(before).arg(after)));
        QCOMPARE(block[size - 1], char(1));
    }
};

OSTERVALE_TEST(BenchFiguresTest)
#include "test_bench_figures.moc"
