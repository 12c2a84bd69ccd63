#pragma once
// A whole program around a temporary material folder, with recorders in place
// of the sound control and the message boxes, and an end that only notes it.
#include "program.h"
#include "startup.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <memory>

struct ShellFixture {
    QTemporaryDir dir;
    std::unique_ptr<Program> program;
    RecordingSound* sound = nullptr;
    bool ended = false;

    ShellFixture() {
        QDir(dir.path()).mkpath(QStringLiteral("Images"));
        QDir(dir.path()).mkpath(QStringLiteral("multiple"));
        picture("Images/spitfism.jpg", 320, 240, Qt::darkGreen);
        picture("Images/spitfire2sm.jpg", 320, 240, Qt::darkRed);
        picture("Images/rationbook2.jpg", 420, 400, Qt::yellow);
        picture("Images/Stal.jpg", 800, 537, Qt::gray);
        auto recorder = std::make_unique<RecordingSound>();
        sound = recorder.get();
        program = std::make_unique<Program>(dir.path(), std::move(recorder),
                                            std::make_unique<RecordingMessages>());
        program->endProgram = [this] { ended = true; };
        startup::defineScreens(*program);
    }

    void picture(const char* path, int w, int h, Qt::GlobalColor colour) {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(colour);
        image.save(dir.filePath(QString::fromUtf8(path)), "JPEG");
    }

    void remove(const char* path) { QFile::remove(dir.filePath(QString::fromUtf8(path))); }
};
