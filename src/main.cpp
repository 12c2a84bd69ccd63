#include "program.h"
#include "startup.h"
#include "style.h"
#include "twips.h"

#include <QApplication>
#include <QScreen>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
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
    // The material lies beside the program, wherever it is started from.
    const QString home = QCoreApplication::applicationDirPath();
    startup::registerFallbackFonts(home + QStringLiteral("/fonts"));
    QApplication::setFont(style::tahoma(8.25));

    Program program(home, std::make_unique<QtSoundDevice>(MaterialPaths(home)),
                    std::make_unique<QtMessageBoxes>());
    program.endProgram = [&program] { startup::endAtOnce(program); };
    startup::defineScreens(program);
    startup::showTitleScreen(program);
    QApplication::exec();
    // However the event loop ended, the end never waits on a sound.
    startup::endAtOnce(program);
}
