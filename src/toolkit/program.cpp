#include "program.h"

#include "style.h"

#include <QCoreApplication>

Program::Program(QString materialRoot, std::unique_ptr<SoundDevice> sound,
                 std::unique_ptr<MessageBoxes> messages)
    : endProgram([] { QCoreApplication::exit(0); }), paths_(std::move(materialRoot)),
      sound_(std::move(sound)), messages_(std::move(messages)),
      random_(std::make_unique<ClockSeededRandom>()), screens_(*this) {
    style::useScaledMarks();
}

Program::~Program() = default;

void Program::PlaySound(const QString& materialPath) {
    if (shell.SoundOn != 1)
        return;
    screens_.stage();
    sound_->play(materialPath);
}
