#include "material_paths.h"
#include "quiz_rules.h"
#include "random_source.h"
#include "stand_ins.h"
#include "testmain.h"

#include <QFileInfo>
#include <QTest>

class QuizRulesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void scoreLinesByBand_data() {
        QTest::addColumn<int>("score");
        QTest::addColumn<int>("total");
        QTest::addColumn<QString>("line");
        QTest::newRow("quiz full") << 10 << 10 << "Excellent work. You have scored 10 out of 10.";
        QTest::newRow("quiz 9") << 9 << 10 << "Good work. You have scored 9 out of 10.";
        QTest::newRow("quiz 8") << 8 << 10 << "Good work. You have scored 8 out of 10.";
        QTest::newRow("quiz 7") << 7 << 10 << "You have scored 7 out of 10.";
        QTest::newRow("quiz 0") << 0 << 10 << "You have scored 0 out of 10.";
        QTest::newRow("three, full") << 3 << 3 << "Excellent work. You have scored 3 out of 3.";
        QTest::newRow("three, 1") << 1 << 3 << "Good work. You have scored 1 out of 3.";
        QTest::newRow("three, 0") << 0 << 3 << "You have scored 0 out of 3.";
        QTest::newRow("four, 2") << 2 << 4 << "Good work. You have scored 2 out of 4.";
        QTest::newRow("four, 1") << 1 << 4 << "You have scored 1 out of 4.";
        QTest::newRow("eight, full") << 8 << 8 << "Excellent work. You have scored 8 out of 8.";
        QTest::newRow("eight, 6") << 6 << 8 << "Good work. You have scored 6 out of 8.";
        QTest::newRow("eight, 5") << 5 << 8 << "You have scored 5 out of 8.";
    }
    void scoreLinesByBand() {
        QFETCH(int, score);
        QFETCH(int, total);
        QFETCH(QString, line);
        QCOMPARE(quiz_rules::scoreLine(score, total), line);
    }

    void celebrationSoundsFollowTheScoreAndExist_data() {
        QTest::addColumn<int>("score");
        QTest::addColumn<int>("choices");
        QTest::newRow("10") << 10 << 2;
        QTest::newRow("9") << 9 << 3;
        QTest::newRow("8") << 8 << 3;
        QTest::newRow("7") << 7 << 3;
        QTest::newRow("6") << 6 << 2;
    }
    void celebrationSoundsFollowTheScoreAndExist() {
        // Every choice of a row comes up about equally often, no two rows
        // share a sound, and every sound is one the program ships.
        QFETCH(int, score);
        QFETCH(int, choices);
        static QSet<QString> earlierRows;
        QMap<QString, int> heard;
        constexpr int kDraws = 600;
        for (int i = 0; i < kDraws; ++i) {
            FixedRandom random({(i + 0.5) / kDraws});
            heard[*quiz_rules::celebrationSound(score, random)]++;
        }
        QCOMPARE(heard.size(), choices);
        for (auto it = heard.cbegin(); it != heard.cend(); ++it) {
            QVERIFY2(qAbs(it.value() - kDraws / choices) <= 1, qPrintable(it.key()));
            QVERIFY2(!earlierRows.contains(it.key()), qPrintable(it.key()));
            const QString file = MaterialPaths(QStringLiteral(OSTERVALE_HOME)).resolve(it.key());
            QVERIFY2(QFileInfo::exists(file), qPrintable(file));
        }
        for (auto it = heard.cbegin(); it != heard.cend(); ++it)
            earlierRows.insert(it.key());
    }

    void lowScoresAndTheRowOrderOfNine() {
        for (int score = 0; score <= 5; ++score) {
            FixedRandom random({0.5});
            QVERIFY(!quiz_rules::celebrationSound(score, random));
        }
        FixedRandom first({0.0}), last({0.999});
        QCOMPARE(*quiz_rules::celebrationSound(9, first), QStringLiteral("wav\\crowd.wav"));
        QCOMPARE(*quiz_rules::celebrationSound(9, last), QStringLiteral("wav\\klaxon.wav"));
    }

    void theClockSeededSourceReachesEveryChoice() {
        ClockSeededRandom random;
        random.seedFromClock();
        QSet<QString> heard;
        for (int i = 0; i < 300; ++i)
            heard.insert(*quiz_rules::celebrationSound(9, random));
        QCOMPARE(heard.size(), 3);
    }
};

OSTERVALE_TEST(QuizRulesTest)
#include "test_quiz_rules.moc"
