// The program as main.cpp starts it, with the real sound control and the real
// material, driven down the road a pupil takes to leave: "OK" on the title
// screen, "Exit" on the main menu, then "Exit" on the confirmation DELAY ms
// later (-1: in the same turn), with EXTRA other sounds started just before
// it, so the end comes while sounds are loading.
//   exit_probe DELAY EXTRA
#include "intro0.h"
#include "program.h"
#include "startup.h"
#include "titlefrm.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3)
        return 2;
    const int delay = QString::fromLocal8Bit(argv[1]).toInt();
    const int extra = QString::fromLocal8Bit(argv[2]).toInt();
    const QString home = QStringLiteral(OSTERVALE_HOME);
    Program program(home, std::make_unique<QtSoundDevice>(MaterialPaths(home)),
                    std::make_unique<QtMessageBoxes>());
    program.endProgram = [&program] { startup::endAtOnce(program); };
    startup::defineScreens(program);
    startup::showTitleScreen(program);
    QStringList others = QDir(home + QStringLiteral("/wav")).entryList({"*.wav"}, QDir::Files);
    others.removeAll(QStringLiteral("click.wav"));
    const auto pressExit = [&] {
        for (int i = 0; i < extra; ++i)
            program.PlaySound(QStringLiteral("wav\\") + others.at(i % others.size()));
        program.screens().form<Titlefrm>().Command2_Click();
    };
    QTimer::singleShot(0, [&] {
        program.screens().form<Titlefrm>().Command1_Click();
        program.screens().form<Intro0>().Label2_Click(Intro0::Exit);
        if (delay < 0)
            pressExit();
        else
            QTimer::singleShot(delay, pressExit);
    });
    QApplication::exec();
    return 3; // the event loop returned: the end was not taken
}
