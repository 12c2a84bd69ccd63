// The start-up hook `make bench` times the program with: asked for, it ends
// the real program once the title screen's first frame is out, and reports
// the peak memory; not asked for, the program runs on as ever.
#include "testmain.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTest>

class FirstFrameTest : public QObject {
    Q_OBJECT

    static QProcessEnvironment env(const char* mode) {
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        e.remove(QStringLiteral("BENCH_FIRST_FRAME"));
        if (mode)
            e.insert(QStringLiteral("BENCH_FIRST_FRAME"), QString::fromLatin1(mode));
        return e;
    }

private Q_SLOTS:
    void endsAtTheFirstFrameWithItsPeakMemory() {
        QProcess program;
        program.setProcessEnvironment(env("memory"));
        program.start(QStringLiteral(OSTERVALE_HOME "/ostervale"), {});
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        const auto match = QRegularExpression(QStringLiteral("^peak_kib (\\d+)$"),
                                              QRegularExpression::MultilineOption)
                               .match(QString::fromUtf8(program.readAllStandardOutput()));
        QVERIFY(match.hasMatch());
        // A Qt Widgets program with a window up holds tens of MiB.
        QVERIFY(match.captured(1).toLong() > 10 * 1024);
    }

    void runsOnWhenNotAsked() {
        QProcess program;
        program.setProcessEnvironment(env(nullptr));
        program.start(QStringLiteral(OSTERVALE_HOME "/ostervale"), {});
        QVERIFY(program.waitForStarted());
        QVERIFY(!program.waitForFinished(1500));
        program.kill();
        program.waitForFinished();
    }
};

OSTERVALE_TEST(FirstFrameTest)
#include "test_first_frame.moc"
