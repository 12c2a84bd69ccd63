// Ending the program must never wait on a sound. The hang this guards
// against came once in many runs, when "Exit" was pressed while a click was
// still loading in Qt's sample cache, so one run proves nothing: the real
// program is started and ended many times, the exit landing at a different
// moment of the loads each time.
#include "exit_probe.h"
#include "testmain.h"

#include <QProcess>
#include <QTest>

namespace {

// Under the sanitizers (make sanitize) a start of the program costs some
// seconds, so fewer runs, which still meet every delay with every count of
// extra sounds, and more patience before a run counts as stuck (a run takes
// a tenth of a second).
const bool kSanitized = qEnvironmentVariableIsSet("OSTERVALE_SANITIZED");
const int kRuns = kSanitized ? 66 : 200;
const int kTimeoutMs = kSanitized ? 40'000 : 10'000;

// Empty when the probe ended as "Exit" should end the program.
QString runOnce(int delay, int extra) {
    QProcess probe;
    probe.start(QStringLiteral(EXIT_PROBE),
                {QStringLiteral(OSTERVALE_HOME), QString::number(delay), QString::number(extra)});
    if (!probe.waitForStarted(kTimeoutMs))
        return QStringLiteral("did not start: ") + probe.errorString();
    if (!probe.waitForFinished(kTimeoutMs)) {
        probe.kill();
        probe.waitForFinished();
        return QStringLiteral("still running, killed");
    }
    if (probe.exitStatus() != QProcess::NormalExit)
        return QStringLiteral("crashed");
    if (probe.exitCode() == exit_probe::LoopReturned)
        return QStringLiteral("Exit did not end the program; the event loop returned");
    return probe.exitCode() == 0 ? QString() : QStringLiteral("exit code %1").arg(probe.exitCode());
}

} // namespace

class ExitEndTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void exitWithSoundsLoadingEndsEveryTime() {
        for (int run = 1; run <= kRuns; ++run) {
            // Every run differs from the one before in the sounds loading at
            // the exit, and every three runs in the moment: from "Exit" in the
            // same turn as "OK" (-1) up to 20 ms later, by when the first
            // click has long been loaded.
            const int extra = run % 3;
            const int delay = run / 3 % 22 - 1;
            const QString failure = runOnce(delay, extra);
            // A hang costs the whole timeout, so the first one ends the test.
            QVERIFY2(failure.isEmpty(), qPrintable(QStringLiteral("exit after %1 ms, %2 extra "
                                                                  "sounds: %3")
                                                       .arg(delay)
                                                       .arg(extra)
                                                       .arg(failure)));
        }
    }
};

OSTERVALE_TEST(ExitEndTest)
#include "test_exit_end.moc"
