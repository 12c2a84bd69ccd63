#pragma once
// The whole program around a temporary material folder: the shell's pictures
// and every screen defined, as at start-up.
#include "intro0.h"
#include "startup.h"
#include "support/gui.h"
#include "support/program_fixture.h"
#include "titlefrm.h"
#include "topic_menu.h"
#include "wizard.h"
#include "writer.h"

#include <optional>

struct ShellFixture : ProgramFixture {
    ShellFixture() {
        picture(QStringLiteral("Images/spitfism.jpg"), 320, 240, Qt::darkGreen);
        picture(QStringLiteral("Images/rationbook2.jpg"), 420, 400, Qt::yellow);
        picture(QStringLiteral("Images/Stal.jpg"), 800, 537, Qt::gray);
        picture(QStringLiteral("Images/rationsm.jpg"), 352, 118, Qt::cyan);
        picture(QStringLiteral("Images/MIDWAY.jpg"), 244, 235, Qt::blue);
        startup::defineScreens(*program);
    }

    // A reading page in its screen and print versions, sized apart so that
    // a test can tell them apart; its words name it.
    void page(const QString& name) const {
        for (const char* wmf : {"wmf", "wmf2"}) {
            const QString folder = QString::fromLatin1(wmf);
            QDir(dir.path()).mkpath(folder);
            metafile::MetafileWriter w;
            w.begin(folder == u"wmf" ? 10400 : 9300, folder == u"wmf" ? 7800 : 14000);
            w.textOut(100, 100, name);
            write(folder + u'/' + name + QStringLiteral(".wmf"), w.finish());
        }
    }

    // From the start, as a pupil goes: the title screen's "OK".
    Intro0& openMainMenu() {
        startup::showTitleScreen(*program);
        gui::click(program->screens().form<Titlefrm>().Command1);
        return program->screens().form<Intro0>();
    }
};

// Sets an environment variable for as long as it lives.
struct ScopedVariable {
    const char* name;
    std::optional<QByteArray> old;
    ScopedVariable(const char* n, const QString& value) : name(n) {
        if (qEnvironmentVariableIsSet(n))
            old = qgetenv(n);
        qputenv(n, value.toLocal8Bit());
    }
    ~ScopedVariable() { old ? qputenv(name, *old) : qunsetenv(name); }
};

inline QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// A file with its folders; a file the test cannot lay out stops the run.
inline void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !file.open(QIODevice::WriteOnly) ||
        file.write(bytes) != bytes.size())
        qFatal("test: cannot write %s", qPrintable(path));
}

// Types a whole question set into the wizard's boxes, as a teacher would
// leave them.
inline void enter(Wizard& w, const QuestionSheet& s) {
    w.Text1->setText(s.title);
    for (int q = 0; q < Wizard::Questions; ++q)
        w.Text2[q]->setText(s.questions[q]);
    for (int i = 0; i < Wizard::Answers; ++i) {
        w.Text3[i]->setText(s.answers[i]);
        w.Check1[i]->setChecked(s.ticked[i]);
    }
}
