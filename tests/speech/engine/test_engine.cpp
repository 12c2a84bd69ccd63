// The real voice: the program's speaking process, on the system's speech
// engine, into a sound server of the test's own (there is no sound card on
// a build machine), speaks a short text and is ready again; and the voices
// are listed for a teacher.
#include "engine_speaker.h"
#include "testmain.h"

#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextToSpeech>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/prctl.h>
#endif

class SpeechEngineTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void aShortTextIsSpoken() {
        if (QTextToSpeech::availableEngines().isEmpty())
            QSKIP("no speech engine is installed (Debian: qt6-speech-flite-plugin)");
        const QString server = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
        if (server.isEmpty())
            QSKIP("pulseaudio is not installed: there is no sound server to speak into");

        // A sound server of its own, playing into nothing, which ends with
        // the test however the test ends.
        QTemporaryDir home;
        const QString socket = home.filePath(QStringLiteral("native"));
        QProcess daemon;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), home.path());
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
        daemon.setProcessEnvironment(environment);
#ifdef Q_OS_LINUX
        daemon.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
#endif
        daemon.start(server,
                     {QStringLiteral("-n"), QStringLiteral("--daemonize=no"),
                      QStringLiteral("--system=false"), QStringLiteral("--exit-idle-time=-1"),
                      QStringLiteral("--load=module-null-sink"),
                      QStringLiteral("--load=module-native-protocol-unix socket=") + socket +
                          QStringLiteral(" auth-anonymous=1")});
        const auto endDaemon = qScopeGuard([&daemon] {
            daemon.kill();
            daemon.waitForFinished(2000);
        });
        QVERIFY(daemon.waitForStarted(5000));
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(socket), 5000);
        // The speaking process finds the server as every PulseAudio client
        // does.
        qputenv("PULSE_SERVER", QByteArray("unix:") + socket.toUtf8());

        // A voice the engine does not have: the default speaks instead.
        speech::EngineSpeaker voice(QStringLiteral(OSTERVALE_PROGRAM),
                                    {.voice = QStringLiteral("no-such-voice")});
        QList<Speaker::State> reports;
        voice.onEngineReport = [&](Speaker::State state) { reports << state; };
        voice.say(QStringLiteral("Rationing"));
        QTRY_VERIFY_WITH_TIMEOUT(voice.state() != Speaker::State::Speaking, 15000);
        QCOMPARE(reports, (QList<Speaker::State>{Speaker::State::Speaking, Speaker::State::Ready}));
    }

    // A teacher lists the voices from a terminal, with no display.
    void theVoicesAreListedWithoutADisplay() {
        if (QTextToSpeech::availableEngines().isEmpty())
            QSKIP("no speech engine is installed (Debian: qt6-speech-flite-plugin)");
        QProcess run;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(name));
        run.setProcessEnvironment(environment);
        run.start(QStringLiteral(OSTERVALE_PROGRAM),
                  {QStringLiteral("--voice"), QStringLiteral("list")});
        QVERIFY(run.waitForFinished(10000));
        QCOMPARE(run.exitCode(), 0);
        const QString listed = QString::fromUtf8(run.readAllStandardOutput());
        QVERIFY2(listed.count(QStringLiteral("(the default)")) == 1, qPrintable(listed));
    }
};

OSTERVALE_TEST(SpeechEngineTest)
#include "test_engine.moc"
