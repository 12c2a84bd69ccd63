#pragma once
// The whole program around a temporary material folder: the shell's pictures
// and every screen defined, as at start-up.
#include "startup.h"
#include "support/program_fixture.h"

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
};
