// The real program, started as a teacher or `make bench` starts it, and a
// long lesson of screens opened and closed again.
#include "catalogue_file.h"
#include "safe_write.h"
#include "shell_fixture.h"
#include "support/question_sets.h"
#include "testmain.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif
#if defined(__GLIBC__)
#include <malloc.h>
#endif

class WholeProgramTest : public QObject {
    Q_OBJECT
    QTemporaryDir scratch;

    static void start(QProcess& program, const QStringList& arguments, const char* firstFrame) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.remove(QStringLiteral("BENCH_FIRST_FRAME"));
        if (firstFrame)
            env.insert(QStringLiteral("BENCH_FIRST_FRAME"), QString::fromLatin1(firstFrame));
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(OSTERVALE_HOME "/ostervale"), arguments);
    }

private Q_SLOTS:
    // Under a limit on file sizes (ulimit -f) the system ends a process that
    // writes past it; the program ignores that signal, so a first start,
    // whose new catalogue cannot be written, still comes up. Asked by the
    // bench hook, it ends at its first frame and tells its peak memory.
    void aFirstFrameUnderALimitOfNoBytes() {
        QProcess program;
#ifdef Q_OS_UNIX
        program.setChildProcessModifier([] {
            rlimit none{};
            getrlimit(RLIMIT_FSIZE, &none);
            none.rlim_cur = 0;
            setrlimit(RLIMIT_FSIZE, &none);
        });
#endif
        start(program, {QStringLiteral("--worksheets"), scratch.filePath(QStringLiteral("new"))},
              "memory");
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        const auto peak = QRegularExpression(QStringLiteral("^peak_kib (\\d+)$"),
                                             QRegularExpression::MultilineOption)
                              .match(QString::fromUtf8(program.readAllStandardOutput()));
        // A Qt Widgets program with a window up holds tens of MiB.
        QVERIFY(peak.hasMatch() && peak.captured(1).toLong() > 10 * 1024);

        QProcess unasked;
        start(unasked, {}, nullptr);
        QVERIFY(unasked.waitForStarted());
        QVERIFY(!unasked.waitForFinished(1500));
        unasked.kill();
        unasked.waitForFinished();
    }

    void aSavePastTheFileSizeLimitLeavesTheOldFile() {
#ifndef Q_OS_UNIX
        QSKIP("the limit and its signal are Unix's");
#else
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

    // A list of junk: the repair keeps it under a dated name and lists the
    // worksheets that read, without a display.
    void theRepairCommandListsTheWorksheetsAgain() {
        const QString folder = scratch.filePath(QStringLiteral("shared"));
        writeFile(folder + QStringLiteral("/track.txt"), "\x89PNG\r\n 9\r\n\x01\xff\r\n");
        const QByteArray blitz =
            composeQuestionFile(test_sets::sheet("Blitz", test_sets::kPattern));
        writeFile(folder + QStringLiteral("/Blitz.txt"), blitz);
        writeFile(folder + QStringLiteral("/Broken.txt"), blitz.left(300));
        QProcess repair;
        repair.start(
            QStringLiteral(OSTERVALE_HOME "/ostervale"),
            {QStringLiteral("--repair-catalogue"), QStringLiteral("--worksheets"), folder});
        QVERIFY(repair.waitForFinished(30000));
        QCOMPARE(repair.exitCode(), 0);
        QVERIFY(QString::fromLocal8Bit(repair.readAllStandardOutput()).contains("Broken.txt"));
        QCOMPARE(readFile(folder + QStringLiteral("/track.txt")),
                 catalogue_file::compose({"Blitz"}));
        QCOMPARE(QDir(folder).entryList({QStringLiteral("track.txt.damaged-*")}).size(), 1);
    }

    // A lesson opens and closes the same screens again and again; whatever a
    // screen takes must come back when it closes, or a morning's use slowly
    // fills the memory of an old classroom machine.
    void openingScreensAgainAndAgainHoldsNoMoreMemory() {
#if defined(__GLIBC__)
        if (qEnvironmentVariableIsSet("OSTERVALE_SANITIZED"))
            QSKIP("needs the C library's own allocator to read the heap");
        ShellFixture f;
        qint64 before = 0;
        // The first rounds fill the font and glyph caches, which then stay,
        // and the style's cache up to its bound.
        for (int round = 0; round < 140; ++round) {
            if (round == 80)
                before = qint64(mallinfo2().uordblks);
            for (int id = 0; id <= int(ScreenId::worksheets); ++id)
                f.program->screens().unload(ScreenId(id));
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY(!f.openMainMenu().window()->grab().isNull());
            QCoreApplication::processEvents();
        }
        // A round takes some 20 KiB that are never given back when a cache
        // grows without bound; a little noise is allowed.
        QVERIFY(qint64(mallinfo2().uordblks) - before < 256 * 1024);
#endif
    }
};

OSTERVALE_TEST(WholeProgramTest)
#include "test_whole_program.moc"
