// Ending the program must never wait on a sound. The hang this guards against
// came once in many runs, when "Exit" was pressed while a click was still
// loading in Qt's sample cache, so one run proves nothing: the real program
// is started and ended many times, the exit landing at a different moment of
// the loads each time.
#include "testmain.h"

#include <QProcess>
#include <QTest>

class ExitEndTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void exitWithSoundsLoadingEndsEveryTime() {
        // A start costs some seconds under the sanitizers: fewer runs, which
        // still meet every delay with every count of extra sounds.
        const bool sanitized = qEnvironmentVariableIsSet("OSTERVALE_SANITIZED");
        const int runs = sanitized ? 66 : 200;
        for (int run = 1; run <= runs; ++run) {
            // From "Exit" in the same turn as "OK" (-1) up to 20 ms later, by
            // when the first click has long been loaded.
            const QStringList plan{QString::number(run / 3 % 22 - 1), QString::number(run % 3)};
            QProcess probe;
            probe.start(QStringLiteral(EXIT_PROBE), plan);
            const bool ended = probe.waitForFinished(sanitized ? 40'000 : 10'000);
            if (!ended)
                probe.kill();
            QVERIFY2(ended && probe.exitStatus() == QProcess::NormalExit && probe.exitCode() == 0,
                     qPrintable(plan.join(u' ') + QStringLiteral(": ") +
                                QString::fromLocal8Bit(probe.readAllStandardError())));
        }
    }
};

OSTERVALE_TEST(ExitEndTest)
#include "test_exit_end.moc"
