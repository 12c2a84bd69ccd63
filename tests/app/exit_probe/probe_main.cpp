// The program as src/main.cpp starts it, with the real sound control and
// the real material, driven down the road a pupil takes to leave: "OK" on
// the title screen, "Exit" on the main menu, "Exit" on the confirmation.
// Every step plays a click and other sounds may start just before the end,
// so the end comes while sounds are loading.
#include "exit_probe.h"
#include "intro0.h"
#include "program.h"
#include "startup.h"
#include "style.h"
#include "titlefrm.h"

#include <QApplication>
#include <QDir>
#include <QTimer>
#include <cstdio>

namespace {

struct Plan {
    QString home;
    int delayMs = 0;
    int extraSounds = 0;
};

bool readNumber(const char* text, int& into) {
    bool ok = false;
    into = QString::fromLocal8Bit(text).toInt(&ok);
    return ok;
}

bool readPlan(int argc, char** argv, Plan& plan) {
    plan.home = argc > 1 && argv[1][0] != '\0' ? QString::fromLocal8Bit(argv[1])
                                               : QStringLiteral(OSTERVALE_HOME);
    if (argc > 2 && !readNumber(argv[2], plan.delayMs))
        return false;
    if (argc > 3 && (!readNumber(argv[3], plan.extraSounds) || plan.extraSounds < 0))
        return false;
    return argc <= 4 && QDir(plan.home).exists(QStringLiteral("wav"));
}

// Other sounds than the click, each a sample of its own for Qt's cache, in
// the program's own spelling of a material path.
QStringList otherSounds(const QString& home) {
    QStringList sounds;
    const QStringList files =
        QDir(home + QStringLiteral("/wav")).entryList({QStringLiteral("*.wav")}, QDir::Files);
    for (const QString& file : files)
        if (file.compare(QStringLiteral("click.wav"), Qt::CaseInsensitive) != 0)
            sounds << QStringLiteral("wav\\") + file;
    return sounds;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Plan plan;
    if (!readPlan(argc, argv, plan)) {
        std::fprintf(stderr, "exit_probe: usage: exit_probe [material] [delay-ms] [extra]\n");
        return exit_probe::BadArguments;
    }
    startup::registerFallbackFonts(plan.home + QStringLiteral("/fonts"));
    QApplication::setFont(style::tahoma(8.25));

    Program program(plan.home, std::make_unique<QtSoundDevice>(MaterialPaths(plan.home)),
                    std::make_unique<QtMessageBoxes>());
    program.endProgram = [&program] { startup::endAtOnce(program); };
    startup::defineScreens(program);
    startup::showTitleScreen(program);

    const QStringList others = otherSounds(plan.home);
    // The extra sounds start in the same turn as "Exit", so that at every
    // delay their loads are in flight when the end comes; the delay itself
    // decides how far the first click's load and its loader thread have got.
    const auto pressExit = [&] {
        for (int i = 0; i < plan.extraSounds && !others.isEmpty(); ++i)
            program.PlaySound(others.at(i % others.size()));
        std::fprintf(stderr, "exit_probe: pressing Exit\n");
        program.screens().form<Titlefrm>().Command2_Click();
    };
    QTimer::singleShot(0, [&] {
        ScreenRegistry& screens = program.screens();
        screens.form<Titlefrm>().Command1_Click();
        screens.form<Intro0>().Label2_Click(Intro0::Exit);
        if (plan.delayMs < 0)
            pressExit();
        else
            QTimer::singleShot(plan.delayMs, pressExit);
    });
    QApplication::exec();
    std::fprintf(stderr, "exit_probe: the event loop returned; the end was not taken\n");
    return exit_probe::LoopReturned;
}
