#pragma once
// A program around a temporary material folder, with recorders in place of
// the sound control and the message boxes, a fixed random sequence, and an
// end that only notes that it happened.
#include "program.h"
#include "stand_ins.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <memory>

struct ProgramFixture {
    QTemporaryDir dir;
    std::unique_ptr<Program> program;
    RecordingSound* sound = nullptr;
    RecordingMessages* messages = nullptr;
    FixedRandom* random = nullptr;
    bool ended = false;

    ProgramFixture() {
        QDir(dir.path()).mkpath(QStringLiteral("Images"));
        QDir(dir.path()).mkpath(QStringLiteral("multiple"));
        auto recorder = std::make_unique<RecordingSound>();
        auto boxes = std::make_unique<RecordingMessages>();
        auto fixed = std::make_unique<FixedRandom>(std::deque<double>{0.0});
        sound = recorder.get();
        messages = boxes.get();
        random = fixed.get();
        program = std::make_unique<Program>(dir.path(), std::move(recorder), std::move(boxes));
        program->setRandom(std::move(fixed));
        program->endProgram = [this] { ended = true; };
    }

    QString path(const QString& relative) const { return dir.filePath(relative); }

    // A fixture that cannot lay out its files would make every test that
    // relies on them pass or fail for the wrong reason, so it stops the run.
    void picture(const QString& relative, int w, int h, Qt::GlobalColor colour) const {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(colour);
        if (!image.save(path(relative), "JPEG"))
            qFatal("fixture: cannot write %s", qPrintable(relative));
    }

    void write(const QString& relative, const QByteArray& bytes) const {
        QFile file(path(relative));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(bytes) != bytes.size() || !file.flush())
            qFatal("fixture: cannot write %s", qPrintable(relative));
    }
};
