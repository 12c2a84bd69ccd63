#include "quiz_rules.h"
#include "random_source.h"
#include "testmain.h"

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

    void celebrationSoundsByScore_data() {
        QTest::addColumn<int>("score");
        QTest::addColumn<double>("r");
        QTest::addColumn<QString>("sound");
        QTest::newRow("10 low") << 10 << 0.0 << "wav\\fanf2.wav";
        QTest::newRow("10 high") << 10 << 0.99 << "wav\\fanf3.wav";
        QTest::newRow("9 first") << 9 << 0.2 << "wav\\crowd.wav";
        QTest::newRow("9 second") << 9 << 0.34 << "wav\\cheer2.wav";
        QTest::newRow("9 third") << 9 << 0.67 << "wav\\klaxon.wav";
        QTest::newRow("8") << 8 << 0.5 << "wav\\gong.wav";
        QTest::newRow("8 last") << 8 << 0.9 << "wav\\clap2.wav";
        QTest::newRow("7") << 7 << 0.1 << "wav\\drumroll.wav";
        QTest::newRow("7 mid") << 7 << 0.5 << "wav\\laser2.wav";
        QTest::newRow("7 last") << 7 << 0.7 << "wav\\whizz.wav";
        QTest::newRow("6") << 6 << 0.49 << "wav\\clap3.wav";
        QTest::newRow("6 high") << 6 << 0.5 << "wav\\clown.wav";
        QTest::newRow("5 none") << 5 << 0.5 << "";
        QTest::newRow("0 none") << 0 << 0.5 << "";
    }
    void celebrationSoundsByScore() {
        QFETCH(int, score);
        QFETCH(double, r);
        QFETCH(QString, sound);
        FixedRandom random({r});
        QCOMPARE(quiz_rules::celebrationSound(score, random).value_or(QString()), sound);
    }

    void everyChoiceOfARowComesUp() {
        ClockSeededRandom random;
        random.seedFromClock();
        QSet<QString> heard;
        for (int i = 0; i < 300; ++i)
            heard.insert(*quiz_rules::celebrationSound(9, random));
        QCOMPARE(heard.size(), 3);
    }

    void wrongLinesStartWithASpace() {
        QCOMPARE(quiz_rules::wrongLine(3, QStringLiteral("Why?")), QStringLiteral(" 3. Why?"));
        QCOMPARE(quiz_rules::wrongLine(10, QString()), QStringLiteral(" 10. "));
    }
};

OSTERVALE_TEST(QuizRulesTest)
#include "test_quiz_rules.moc"
