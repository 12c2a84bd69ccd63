// A save that meets the system's limit on file sizes.
#include "safe_write.h"
#include "shell_fixture.h"
#include "testmain.h"

#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

class WholeProgramTest : public QObject {
    Q_OBJECT
    QTemporaryDir scratch;

private Q_SLOTS:
    void aSavePastTheFileSizeLimitLeavesTheOldFile() {
#ifdef Q_OS_UNIX
        startup::ignoreFileSizeSignal();
        const QString file = scratch.filePath(QStringLiteral("limit/Blitz.txt"));
        writeFile(file, "Blitz\r\n");
        rlimit before{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &before), 0);
        rlimit lowered = before;
        lowered.rlim_cur = 4096;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &lowered), 0);
        const bool saved = replaceFileAtomically(file, QByteArray(64 * 1024, 'x'));
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &before), 0);
        QVERIFY(!saved);
        QCOMPARE(readFile(file), QByteArray("Blitz\r\n"));
        QCOMPARE(QDir(scratch.filePath(QStringLiteral("limit"))).entryList(QDir::Files).size(), 1);
#endif
    }
};

OSTERVALE_TEST(WholeProgramTest)
#include "test_whole_program.moc"
