#pragma once
// The whole program around a temporary material folder: the shell's pictures
// and every screen defined, as at start-up.
#include "intro0.h"
#include "startup.h"
#include "support/gui.h"
#include "support/program_fixture.h"
#include "titlefrm.h"
#include "topic_menu.h"

struct ShellFixture : ProgramFixture {
    ShellFixture() {
        picture(QStringLiteral("Images/spitfism.jpg"), 320, 240, Qt::darkGreen);
        picture(QStringLiteral("Images/spitfire2sm.jpg"), 320, 240, Qt::darkRed);
        picture(QStringLiteral("Images/rationbook2.jpg"), 420, 400, Qt::yellow);
        picture(QStringLiteral("Images/Stal.jpg"), 800, 537, Qt::gray);
        picture(QStringLiteral("Images/rationsm.jpg"), 352, 118, Qt::cyan);
        picture(QStringLiteral("Images/MIDWAY.jpg"), 244, 235, Qt::blue);
        startup::defineScreens(*program);
    }
    void remove(const char* relative) const { ProgramFixture::remove(QString::fromUtf8(relative)); }

    // From the start, as a pupil goes: the title screen's "OK".
    Intro0& openMainMenu() {
        startup::showTitleScreen(*program);
        gui::click(program->screens().form<Titlefrm>().Command1);
        return program->screens().form<Intro0>();
    }

    // Then a topic: Intro0::Rationing or Intro0::Progress.
    TopicMenu& openTopic(int entry) {
        gui::click(openMainMenu().Label2.at(entry));
        const ScreenId id = entry == Intro0::Rationing ? ScreenId::rationing : ScreenId::progress;
        return *dynamic_cast<TopicMenu*>(program->screens().find(id));
    }
};
