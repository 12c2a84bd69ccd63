#include "first_frame.h"
#include "program.h"
#include "startup.h"
#include "style.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The material lies beside the program, wherever it is started from.
    const QString home = QCoreApplication::applicationDirPath();
    startup::registerFallbackFonts(home + QStringLiteral("/fonts"));
    QApplication::setFont(style::tahoma(8.25));

    Program program(home, std::make_unique<QtSoundDevice>(MaterialPaths(home)),
                    std::make_unique<QtMessageBoxes>());
    program.endProgram = [&program] { startup::endAtOnce(program); };
    startup::defineScreens(program);
    startup::showTitleScreen(program);
    if (Screen* title = program.screens().find(ScreenId::Titlefrm))
        first_frame::FirstFrameExit::installIfAsked(title);
    QApplication::exec();
    // However the event loop ended, the end never waits on a sound.
    startup::endAtOnce(program);
}
