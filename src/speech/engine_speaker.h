#pragma once
// The program's voice: the system's speech engine (Qt's text to speech,
// flite on Debian), run in a process of its own. Qt 6.4's flite engine gives
// up on some texts part of the way through ("Audio streaming error") when
// the sound server will not take its audio as fast as it makes it, and a
// process that tears the engine down in that state crashes. A lesson must
// never end because a pupil asked for a word to be read, so the engine
// speaks from a child process, started at the first request, which ends
// when this program does.
//
// Without an engine, or when it fails before it has begun to speak (no
// speech plugin, no sound device), read-aloud is off for the run, and that
// is said once, in one line on standard error. A failure once it has begun
// to speak loses that one text; a child that died is started again at the
// next request.
#include "speaker.h"

#include <QObject>
#include <QProcess>
#include <QString>
#include <cstdio>
#include <functional>

namespace speech {

// The voice a teacher chose with --voice and --rate.
struct VoiceChoice {
    // A voice's name as --voice list shows it; empty for the engine's own.
    QString voice;
    // -1 (slowest) to 1 (fastest); a little slow by default, for pupils.
    double rate = -0.1;
};

class EngineSpeaker final : public QObject, public Speaker {
public:
    // `program` is the executable that speaks when started with
    // kEngineArgument: this program itself.
    EngineSpeaker(QString program, VoiceChoice choice,
                  std::function<void(const QString&)> complain = {});
    ~EngineSpeaker() override;

    void say(const QString& text) override;
    void stop() override;
    State state() const override { return state_; }

    // Starts the engine now rather than at the first request, so that a
    // voice it does not have is said at once.
    void start();

    // What the engine reported for the latest text: Speaking when it began
    // to speak it, Ready when it had done, Off when it failed.
    std::function<void(State)> onEngineReport;

private:
    void readReports();
    void report(const QString& line);
    void failed(const QString& why);
    void tell(const QString& line);

    QString program_;
    VoiceChoice choice_;
    std::function<void(const QString&)> complain_;
    QProcess* process_ = nullptr;
    State state_ = State::Ready;
    // The number of the latest text sent, which the engine's reports carry.
    int latest_ = 0;
    // The engine has begun to speak a text: there is a voice and a sound
    // device on this machine.
    bool heard_ = false;
    bool toldVoice_ = false;
};

// The argument that starts this program as the speaking process.
inline constexpr char kEngineArgument[] = "--speech-engine";
bool isEngineRun(int argc, char** argv);
// The speaking process: reads numbered texts on standard input, speaks
// them, reports on standard output, and ends when its input does.
int runEngine(int argc, char** argv);

// --voice list: prints the engine's voices (the default marked) to `out`,
// or says on `err` that there is no engine; returns the exit code.
int listVoices(FILE* out, FILE* err);

} // namespace speech
