#include "program.h"
#include "startup.h"
#include "twips.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The material lies beside the program, wherever it is started from.
    const QString home = QCoreApplication::applicationDirPath();
    startup::registerFallbackFonts(home + QStringLiteral("/fonts"));
    QApplication::setFont(twips::font(QStringLiteral("Tahoma"), 8.25));

    Program program(home, std::make_unique<QtSoundDevice>(MaterialPaths(home)),
                    std::make_unique<QtMessageBoxes>());
    startup::defineScreens(program);
    startup::showTitleScreen(program);
    return QApplication::exec();
}
