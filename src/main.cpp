#include "engine_speaker.h"
#include "first_frame.h"
#include "places.h"
#include "program.h"
#include "read_aloud.h"
#include "screen.h"
#include "screen_tour.h"
#include "startup.h"
#include "style.h"
#include "twips.h"

#include <QApplication>
#include <QScreen>
#include <cstdio>

namespace {
// Run from a terminal or a script, perhaps with no display: no window, and
// nothing but the worksheet folder (or, for an export, the file it writes)
// is touched (--help and --version end in readOptions).
int withoutWindow(int argc, char** argv) {
    const QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("ostervale"));
    QCoreApplication::setApplicationVersion(QStringLiteral(OSTERVALE_VERSION));
    const places::Options options = places::readOptions(QCoreApplication::arguments());
    return places::runWithoutWindow(options,
                                    places::locate(QCoreApplication::applicationDirPath()));
}
} // namespace

int main(int argc, char** argv) {
    // The voice's own process, started by the program for reading aloud.
    if (speech::isEngineRun(argc, argv))
        return speech::runEngine(argc, argv);
    startup::ignoreFileSizeSignal();
    if (places::needsNoWindow(argc, argv))
        return withoutWindow(argc, argv);
    QApplication app(argc, argv);
    // Names the user's data folder (~/.local/share/ostervale) and ties the
    // window to its desktop entry.
    QCoreApplication::setApplicationName(QStringLiteral("ostervale"));
    QCoreApplication::setApplicationVersion(QStringLiteral(OSTERVALE_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.ostervale.Ostervale"));
    const places::Options options = places::readOptions(QCoreApplication::arguments());

    // A whiteboard wants everything larger: the scale is set before the
    // first screen is built, and holds for the whole run.
    const QScreen* display = QGuiApplication::primaryScreen();
    const auto scale = startup::scaleFromArguments(
        QCoreApplication::arguments(), display ? display->availableGeometry().size() : QSize());
    if (!scale) {
        std::fputs("ostervale: --scale takes auto or a factor from 0.5 to 8, e.g. --scale 1.5\n",
                   stderr);
        return 2;
    }
    twips::setScale(*scale);

    // The material lies beside the program in its build folder, or in the
    // share folder of the prefix it was installed into.
    const places::Layout layout = places::locate(QCoreApplication::applicationDirPath());
    startup::registerFallbackFonts(layout.material + QStringLiteral("/fonts"));
    // Installed, Tahoma comes from the fonts-wine package, whose folder
    // fontconfig does not search.
    startup::registerFallbackFonts(QStringLiteral("/usr/share/wine/fonts"),
                                   QStringLiteral("tahoma*.ttf"));
    QApplication::setFont(style::tahoma(8.25));

    const QString tour = qEnvironmentVariable(screen_tour::kVariable);
    std::unique_ptr<MessageBoxes> messages;
    if (tour.isEmpty())
        messages = std::make_unique<QtMessageBoxes>();
    else
        messages = std::make_unique<screen_tour::PrintedMessages>();
    Program program(layout.material,
                    std::make_unique<QtSoundDevice>(MaterialPaths(layout.material)),
                    std::move(messages));
    program.endProgram = [&program] { startup::endAtOnce(program); };
    // Read-aloud, on request only; the voice starts at the first request,
    // or at once when a teacher chose one, so that a name it does not know
    // is said straight away.
    speech::VoiceChoice voice{.voice = options.voice};
    if (options.rate)
        voice.rate = *options.rate;
    auto speaker =
        std::make_unique<speech::EngineSpeaker>(QCoreApplication::applicationFilePath(), voice);
    if (!options.voice.isEmpty())
        afterDelay(0, speaker.get(), [engine = speaker.get()] { engine->start(); });
    const ReadAloud readAloud(program, std::move(speaker));
    QStringList refusals{places::placeWorksheets(program, options, layout),
                         places::placePrintouts(program, options)};
    refusals.removeAll(QString());
    startup::defineScreens(program);
    startup::showTitleScreen(program);
    // Said once the title screen is up, so the box has a window to sit on;
    // pupils can still use everything but the saving of worksheets or the
    // printing. One box after the other, never two at once.
    if (!refusals.isEmpty())
        afterDelay(0, &app, [&program, refusals] {
            for (const QString& refusal : refusals)
                program.messages().tell(refusal);
        });
    if (!tour.isEmpty())
        screen_tour::start(program, tour);
    if (Screen* title = program.screens().find(ScreenId::Titlefrm))
        first_frame::FirstFrameExit::installIfAsked(title);
    QApplication::exec();
    // However the event loop ended, the end never waits on a sound.
    startup::endAtOnce(program);
}
