#include "engine_speaker.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QSocketNotifier>
#include <QTextToSpeech>
#include <QTimer>
#include <QVoice>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace speech {
namespace {
// A text on one line of the pipe: its own line breaks (a page's) and
// backslashes escaped.
QString escaped(const QString& text) {
    QString line = text;
    line.replace(u'\\', QStringLiteral("\\\\"));
    line.replace(u'\n', QStringLiteral("\\n"));
    return line;
}

QString unescaped(const QString& line) {
    QString text;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == u'\\' && i + 1 < line.size()) {
            ++i;
            text += line[i] == u'n' ? QChar(u'\n') : line[i];
        } else {
            text += line[i];
        }
    }
    return text;
}

void toStderr(const QString& line) {
    std::fputs(qPrintable(QStringLiteral("ostervale: ") + line + u'\n'), stderr);
}
} // namespace

EngineSpeaker::EngineSpeaker(QString program, VoiceChoice choice,
                             std::function<void(const QString&)> complain)
    : program_(std::move(program)), choice_(std::move(choice)),
      complain_(complain ? std::move(complain) : toStderr) {}

EngineSpeaker::~EngineSpeaker() {
    if (!process_)
        return;
    // Its input ends, and with it the engine.
    process_->disconnect(this);
    process_->closeWriteChannel();
    if (!process_->waitForFinished(2000))
        process_->kill();
    process_->waitForFinished(1000);
}

void EngineSpeaker::start() {
    if (process_ || state_ == State::Off)
        return;
    process_ = new QProcess(this);
    process_->setStandardErrorFile(QProcess::nullDevice());
    connect(process_, &QProcess::readyReadStandardOutput, this, [this] { readReports(); });
    connect(process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            failed(QStringLiteral("the speech engine could not be started (") +
                   process_->errorString() + u')');
    });
    connect(process_, &QProcess::finished, this, [this](int, QProcess::ExitStatus status) {
        failed(status == QProcess::CrashExit ? QStringLiteral("the speech engine crashed")
                                             : QStringLiteral("the speech engine ended"));
    });
    QStringList arguments{QString::fromLatin1(kEngineArgument), QStringLiteral("--rate"),
                          QString::number(choice_.rate)};
    if (!choice_.voice.isEmpty())
        arguments << QStringLiteral("--voice") << choice_.voice;
    process_->start(program_, arguments);
}

void EngineSpeaker::say(const QString& text) {
    start();
    if (state_ == State::Off || !process_)
        return;
    ++latest_;
    state_ = State::Speaking;
    tell(QStringLiteral("say %1 %2").arg(latest_).arg(escaped(text)));
}

void EngineSpeaker::stop() {
    if (state_ != State::Speaking)
        return;
    state_ = State::Ready;
    tell(QStringLiteral("stop"));
}

void EngineSpeaker::tell(const QString& line) {
    if (process_)
        process_->write((line + u'\n').toUtf8());
}

void EngineSpeaker::readReports() {
    while (process_ && process_->canReadLine())
        report(QString::fromUtf8(process_->readLine()).trimmed());
}

void EngineSpeaker::report(const QString& line) {
    const QString word = line.section(u' ', 0, 0);
    if (word == QStringLiteral("unknown-voice")) {
        if (!toldVoice_)
            complain_(QStringLiteral("there is no voice \"%1\"; reading aloud uses the default "
                                     "voice (ostervale --voice list names them).")
                          .arg(choice_.voice));
        toldVoice_ = true;
        return;
    }
    // Reports on a text that has been stopped, or replaced, are old news.
    const int about = line.section(u' ', 1, 1).toInt();
    if (word == QStringLiteral("error") && (about == 0 || about == latest_)) {
        failed(line.section(u' ', 2));
        return;
    }
    // Once it has begun to speak, there is a voice and a sound device here:
    // Qt 6.4's flite engine still gives up on some texts part of the way
    // through, and that loses only the one text.
    if (word == QStringLiteral("speaking"))
        heard_ = true;
    if (about != latest_ || state_ != State::Speaking)
        return;
    if (word == QStringLiteral("speaking")) {
        if (onEngineReport)
            onEngineReport(State::Speaking);
    } else if (word == QStringLiteral("ready")) {
        state_ = State::Ready;
        if (onEngineReport)
            onEngineReport(State::Ready);
    }
}

void EngineSpeaker::failed(const QString& why) {
    if (state_ == State::Off)
        return;
    if (QProcess* ended = process_; ended && ended->state() == QProcess::NotRunning) {
        process_ = nullptr;
        ended->deleteLater();
    }
    if (heard_) {
        // It has spoken on this machine: only this text is lost, and a
        // process that died is started again at the next request.
        state_ = State::Ready;
    } else {
        state_ = State::Off;
        complain_(QStringLiteral("reading aloud is off: ") + why);
        if (process_)
            process_->closeWriteChannel();
    }
    if (onEngineReport)
        onEngineReport(state_ == State::Off ? State::Off : State::Ready);
}

bool isEngineRun(int argc, char** argv) {
    return argc > 1 && std::strcmp(argv[1], kEngineArgument) == 0;
}

namespace {
void quietly(QtMsgType, const QMessageLogContext&, const QString&) {}

void answer(const QString& line) {
    std::fputs(qPrintable(line + u'\n'), stdout);
    std::fflush(stdout);
}

// Chooses the voice named on the command line; false when there is none of
// that name.
bool chooseVoice(QTextToSpeech& engine, const QString& name) {
    const QList<QVoice> voices = engine.availableVoices();
    for (const QVoice& voice : voices) {
        if (voice.name().compare(name, Qt::CaseInsensitive) == 0) {
            engine.setVoice(voice);
            return true;
        }
    }
    return false;
}

// One request read sentence by sentence. Qt 6.4's flite engine gives up on
// some texts part of the way through, most often where one sentence follows
// another, and now and then never says it has finished: one sentence at a
// time, with a time limit on each, a failure loses that sentence alone.
// Reports "speaking N" when the first sentence is heard, and "ready N" after
// the last, or "error N why" when none could be spoken.
class Reading {
public:
    explicit Reading(QTextToSpeech& engine) : engine_(engine) {
        watchdog_.setSingleShot(true);
        QObject::connect(&watchdog_, &QTimer::timeout, &watchdog_, [this] {
            engine_.stop();
            sayNext();
        });
        QObject::connect(&engine_, &QTextToSpeech::stateChanged, &watchdog_,
                         [this](QTextToSpeech::State state) { changed(state); });
    }

    void start(int id, const QString& text) {
        static const QRegularExpression sentenceEnd(QStringLiteral("(?<=[.?!:;])\\s+"));
        id_ = id;
        sentences_ = text.split(sentenceEnd, Qt::SkipEmptyParts);
        next_ = 0;
        heard_ = spoken_ = false;
        problem_.clear();
        sayNext();
    }

    void stop() {
        id_ = 0;
        watchdog_.stop();
        engine_.stop();
    }

private:
    void sayNext() {
        if (id_ == 0)
            return;
        sentenceBegun_ = false;
        if (next_ >= sentences_.size()) {
            answer(spoken_ ? QStringLiteral("ready %1").arg(id_)
                           : QStringLiteral("error %1 %2").arg(id_).arg(problem_));
            id_ = 0;
            return;
        }
        const QString& sentence = sentences_[next_++];
        // Twice what the voice takes at its rate: flite speaks some 16
        // characters a second at its own rate, and stretches its time by up
        // to three for the slowest.
        const double stretch = engine_.rate() < 0 ? 1 - 2 * engine_.rate() : 1;
        watchdog_.start(2000 + int(120 * stretch * double(sentence.size())));
        engine_.say(sentence);
    }

    void changed(QTextToSpeech::State state) {
        if (id_ == 0)
            return;
        switch (state) {
        case QTextToSpeech::Speaking:
            sentenceBegun_ = true;
            if (!heard_)
                answer(QStringLiteral("speaking %1").arg(id_));
            heard_ = true;
            break;
        case QTextToSpeech::Ready:
            // Only the end of a sentence that began: the engine also says
            // it is ready when the one before was stopped.
            if (sentenceBegun_) {
                spoken_ = true;
                watchdog_.stop();
                sayNext();
            }
            break;
        case QTextToSpeech::Error:
            problem_ = engine_.errorString();
            watchdog_.stop();
            // On to the next sentence once the engine has done failing.
            QTimer::singleShot(0, &watchdog_, [this, id = id_] {
                if (id == id_)
                    sayNext();
            });
            sentenceBegun_ = false;
            break;
        default:
            break;
        }
    }

    QTextToSpeech& engine_;
    QTimer watchdog_;
    // The request being read, by its number; 0 for none.
    int id_ = 0;
    QStringList sentences_;
    qsizetype next_ = 0;
    bool sentenceBegun_ = false;
    // Some sentence has been heard, or heard to its end.
    bool heard_ = false;
    bool spoken_ = false;
    QString problem_;
};

QString engineProblem(const QTextToSpeech& engine) {
    if (QTextToSpeech::availableEngines().isEmpty())
        return QStringLiteral("no speech engine is installed (Debian's qt6-speech-flite-plugin "
                              "has one).");
    if (engine.state() == QTextToSpeech::Error)
        return QStringLiteral("the speech engine did not start: ") + engine.errorString();
    return {};
}
} // namespace

int runEngine(int argc, char** argv) {
    // Qt's own complaints (no sound server, ...) are not for the teacher:
    // the program says once, in its own words, what went wrong.
    qInstallMessageHandler(quietly);
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    QTextToSpeech engine;
    if (const QString problem = engineProblem(engine); !problem.isEmpty()) {
        answer(QStringLiteral("error 0 ") + problem);
        return 1;
    }
    const qsizetype voiceAt = arguments.indexOf(QStringLiteral("--voice"));
    if (voiceAt > 0 && voiceAt + 1 < arguments.size() &&
        !chooseVoice(engine, arguments[voiceAt + 1]))
        answer(QStringLiteral("unknown-voice"));
    const qsizetype rateAt = arguments.indexOf(QStringLiteral("--rate"));
    if (rateAt > 0 && rateAt + 1 < arguments.size())
        engine.setRate(std::clamp(arguments[rateAt + 1].toDouble(), -1.0, 1.0));

    Reading reading(engine);
    QByteArray pending;
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char chunk[4096];
        const ssize_t got = ::read(STDIN_FILENO, chunk, sizeof chunk);
        // The program has ended (or closed the pipe): so does its voice, at
        // once, leaving the engine's threads as they are.
        if (got <= 0)
            std::_Exit(0);
        pending.append(chunk, got);
        for (qsizetype end = pending.indexOf('\n'); end >= 0; end = pending.indexOf('\n')) {
            const QString line = QString::fromUtf8(pending.left(end));
            pending.remove(0, end + 1);
            reading.stop();
            if (line.startsWith(QStringLiteral("say ")))
                reading.start(line.section(u' ', 1, 1).toInt(), unescaped(line.section(u' ', 2)));
        }
    });
    return app.exec();
}

int listVoices(FILE* out, FILE* err) {
    qInstallMessageHandler(quietly);
    const QTextToSpeech engine;
    if (const QString problem = engineProblem(engine); !problem.isEmpty()) {
        std::fputs(qPrintable(QStringLiteral("ostervale: ") + problem + u'\n'), err);
        return 1;
    }
    const QString chosen = engine.voice().name();
    std::fputs(qPrintable(QStringLiteral("The voices of the speech engine \"%1\" "
                                         "(for --voice NAME):\n")
                              .arg(engine.engine())),
               out);
    const QList<QVoice> voices = engine.availableVoices();
    qsizetype widest = 0;
    for (const QVoice& voice : voices)
        widest = std::max(widest, voice.name().size());
    for (const QVoice& voice : voices) {
        const QLocale locale = voice.locale();
        const QString line =
            QStringLiteral("  ") + voice.name().leftJustified(widest + 2) +
            QLocale::languageToString(locale.language()) + QStringLiteral(", ") +
            QLocale::territoryToString(locale.territory()) +
            (voice.name() == chosen ? QStringLiteral("  (the default)") : QString());
        std::fputs(qPrintable(line + u'\n'), out);
    }
    return 0;
}

} // namespace speech
