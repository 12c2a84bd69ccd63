// Under a limit on file sizes (ulimit -f) the system ends a process that
// writes past it. The program ignores that signal from its first line, so a
// write past the limit fails instead: a save says so and leaves the old file,
// and a first start, whose catalogue cannot be written, still comes up.
#include "safe_write.h"
#include "startup.h"
#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

class FileSizeLimitTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void aSavePastTheLimitFailsAndLeavesTheOldFile() {
#ifndef Q_OS_UNIX
        QSKIP("the limit and its signal are Unix's");
#else
        startup::ignoreFileSizeSignal();
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("Blitz.txt"));
        const QByteArray old("Blitz\r\nWhen did the Blitz begin?\r\n");
        QVERIFY(replaceFileAtomically(file, old));
        rlimit before{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &before), 0);
        rlimit lowered = before;
        lowered.rlim_cur = 4096;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &lowered), 0);
        const bool saved = replaceFileAtomically(file, QByteArray(64 * 1024, 'x'));
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &before), 0);
        QVERIFY(!saved);
        QFile kept(file);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
#endif
    }

    // A first start in a new worksheet folder writes its catalogue before
    // the title screen is up: under a limit of no bytes at all that write
    // used to end the program.
    void theProgramComesUpUnderALimitOfNoBytes() {
#ifndef Q_OS_UNIX
        QSKIP("the limit and its signal are Unix's");
#else
        QTemporaryDir worksheets;
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("BENCH_FIRST_FRAME"), QStringLiteral("exit"));
        program.setProcessEnvironment(env);
        program.setChildProcessModifier([] {
            rlimit none{};
            getrlimit(RLIMIT_FSIZE, &none);
            none.rlim_cur = 0;
            setrlimit(RLIMIT_FSIZE, &none);
        });
        program.start(QStringLiteral(OSTERVALE_HOME "/ostervale"),
                      {QStringLiteral("--worksheets"), worksheets.filePath(QStringLiteral("new"))});
        QVERIFY(program.waitForFinished(30000));
        QVERIFY2(program.exitStatus() == QProcess::NormalExit,
                 qPrintable(QString::fromLocal8Bit(program.readAllStandardError())));
        QCOMPARE(program.exitCode(), 0);
#endif
    }
};

OSTERVALE_TEST(FileSizeLimitTest)
#include "test_file_size_limit.moc"
