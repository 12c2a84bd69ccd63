#include "sound.h"

#include <QSoundEffect>
#include <QUrl>

QtSoundDevice::QtSoundDevice(MaterialPaths paths) : paths_(std::move(paths)) {}

QtSoundDevice::~QtSoundDevice() {
    stop();
}

void QtSoundDevice::play(const QString& materialPath) {
    // A fresh effect per sound: setting a new source on a playing effect can
    // leave it silent on some back ends, and dropping the old one stops it.
    stop();
    effect_ = std::make_unique<QSoundEffect>();
    effect_->setSource(QUrl::fromLocalFile(paths_.resolve(materialPath)));
    effect_->play();
}

void QtSoundDevice::stop() {
    if (!effect_)
        return;
    effect_->stop();
    effect_.reset();
}
