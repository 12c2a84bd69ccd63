// The program's end on the real sound control, and a save that meets the
// system's limit on file sizes.
#include "safe_write.h"
#include "shell_fixture.h"
#include "sound.h"
#include "testmain.h"

#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
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

    // Ending must never wait on a sound: a normal shutdown, or even letting
    // the sound control go, waits on Qt's sample cache while a click is still
    // loading. So a pupil's road to "Exit", every sound started on the way,
    // must end the process there and then. It runs in a child of its own, as
    // the end takes the whole process with it.
    void exitWithSoundsLoadingEndsAtOnce() {
#ifdef Q_OS_UNIX
        const pid_t child = fork();
        if (child == 0) {
            alarm(10);
            const QString home = QStringLiteral(OSTERVALE_HOME);
            Program program(home, std::make_unique<QtSoundDevice>(MaterialPaths(home)),
                            std::make_unique<RecordingMessages>());
            program.endProgram = [&program] { startup::endAtOnce(program); };
            startup::defineScreens(program);
            startup::showTitleScreen(program);
            program.screens().form<Titlefrm>().Command1_Click();
            for (const QString& wav : QDir(home + QStringLiteral("/wav")).entryList(QDir::Files))
                program.PlaySound(QStringLiteral("wav\\") + wav);
            program.screens().form<Intro0>().Label2_Click(Intro0::Exit);
            program.screens().form<Titlefrm>().Command2_Click();
            _exit(3);
        }
        int status = -1;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY2(WIFEXITED(status) && WEXITSTATUS(status) == 0,
                 qPrintable(QString::number(status)));
#endif
    }
};

OSTERVALE_TEST(WholeProgramTest)
#include "test_whole_program.moc"
