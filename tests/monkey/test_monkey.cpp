#include "monkey.h"
#include "results.h"
#include "startup.h"
#include "style.h"
#include "testmain.h"

#include <QApplication>
#include <QDateTime>
#include <QTest>
#include <cstdio>

// The monkey over every screen on the real material. `make test` runs a few
// short seeds; `make monkey SEED=... EVENTS=...` one long run, through the
// MONKEY_SEED and MONKEY_EVENTS variables.
class MonkeyTest : public QObject {
    Q_OBJECT
    const QString home = QStringLiteral(OSTERVALE_HOME);

    static int eventsFromEnvironment(int fallback) {
        bool ok = false;
        const int n = qEnvironmentVariableIntValue("MONKEY_EVENTS", &ok);
        return ok && n > 0 ? n : fallback;
    }

private Q_SLOTS:
    void initTestCase() {
        startup::registerFallbackFonts(QStringLiteral(OSTERVALE_HOME "/fonts"));
        QApplication::setFont(style::tahoma(8.25));
    }

    void wanderOverEveryScreen() {
        std::vector<std::uint64_t> seeds{1, 2, 3};
        int events = eventsFromEnvironment(1000);
        if (const QByteArray given = qgetenv("MONKEY_SEED"); !given.isEmpty()) {
            bool ok = false;
            seeds = {given.toULongLong(&ok)};
            QVERIFY2(ok, "MONKEY_SEED must be a whole number");
            events = eventsFromEnvironment(20000);
        } else if (qEnvironmentVariableIsSet("MONKEY_SEED")) {
            seeds = {std::uint64_t(QDateTime::currentSecsSinceEpoch())};
            events = eventsFromEnvironment(20000);
        }
        for (const std::uint64_t seed : seeds) {
            std::fprintf(stderr, "monkey: seed %llu, %d events\n",
                         static_cast<unsigned long long>(seed), events);
            monkey::Monkey m(home, seed);
            const monkey::Outcome outcome = m.run(events);
            if (!outcome.ok) {
                std::fprintf(stderr, "%s", qPrintable(outcome.report));
                QFAIL("the monkey found a fault; its replay is above");
            }
            QStringList visits;
            for (const auto& [screen, count] : outcome.fronts)
                visits << QStringLiteral("%1 %2").arg(screen).arg(count);
            std::fprintf(stderr,
                         "monkey: seed %llu held for %d events (%d ends of the program)\n"
                         "        events per screen: %s\n",
                         static_cast<unsigned long long>(seed), outcome.events, outcome.restarts,
                         qPrintable(visits.join(QStringLiteral(", "))));
        }
    }

    void theSameSeedGivesTheSameRun() {
        const auto logOf = [this](std::uint64_t seed) {
            monkey::Monkey m(home, seed);
            const monkey::Outcome outcome = m.run(2 * monkey::Monkey::RoundLength + 20);
            return outcome.log;
        };
        const QStringList first = logOf(41);
        QCOMPARE(logOf(41), first);
        QVERIFY(logOf(42) != first);
        // The run went through rounds, each from its own screen.
        QCOMPARE(first.filter(QStringLiteral("-- round")).size(), 3);
    }

    void aBrokenRuleIsReportedWithItsReplay() {
        monkey::Monkey m(home, 5);
        m.afterEvent = [](Program& program, int event) {
            if (event == 37) {
                Results& results = program.state<Results>();
                results.Score = results.ScoreTotal + 1;
            }
        };
        const monkey::Outcome outcome = m.run(100);
        QVERIFY(!outcome.ok);
        QCOMPARE(outcome.events, 37);
        QVERIFY2(outcome.report.contains(QStringLiteral("Score")), qPrintable(outcome.report));
        QVERIFY(outcome.report.contains(QStringLiteral("seed 5, event 37")));
        QVERIFY(outcome.report.contains(QStringLiteral("make monkey SEED=5 EVENTS=37")));
        // The last twenty events, ending with the one after which it broke.
        const QStringList lines = outcome.report.split(u'\n');
        QStringList events;
        for (const QString& line : lines) {
            if (line.trimmed().startsWith(u'#'))
                events << line.trimmed();
        }
        QCOMPARE(events.size(), 20);
        QVERIFY(events.first().startsWith(QStringLiteral("#18 ")));
        QVERIFY(events.last().startsWith(QStringLiteral("#37 ")));
    }

    // The stage still names the screen last raised, but it has slid off the
    // stage: the monkey goes by what the pupil sees, not by the stage.
    void aFrontThePupilCannotSeeIsReported() {
        monkey::Monkey m(home, 9);
        m.afterEvent = [](Program& program, int event) {
            Stage& stage = program.screens().stage();
            if (event == 12)
                stage.frontScreen()->move(stage.width(), 0);
        };
        const monkey::Outcome outcome = m.run(50);
        QVERIFY(!outcome.ok);
        QCOMPARE(outcome.events, 12);
        QVERIFY2(outcome.report.contains(QStringLiteral("in front, but the pupil sees")),
                 qPrintable(outcome.report));
    }
};

OSTERVALE_TEST(MonkeyTest)
#include "test_monkey.moc"
