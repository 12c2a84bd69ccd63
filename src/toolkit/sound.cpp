#include "sound.h"

#include "outside_file.h"

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
    // Qt loads sounds one after another on a thread of its own: a pipe in a
    // sound's place would hold that thread for ever, and every sound after it
    // would wait behind it, never heard. Such a sound is left out, like a
    // missing one.
    const QString file = paths_.resolve(materialPath);
    if (!outside_file::isRegularFileWithin(file, outside_file::SoundLimit))
        return;
    effect_ = std::make_unique<QSoundEffect>();
    effect_->setSource(QUrl::fromLocalFile(file));
    effect_->play();
}

void QtSoundDevice::stop() {
    if (!effect_)
        return;
    effect_->stop();
    effect_.reset();
}
