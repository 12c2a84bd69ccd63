#pragma once
// The sound control: it is handed the path of a WAV file and nothing is read
// back. Playing never blocks and nothing in the program waits for a sound.
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "material_paths.h"

class QSoundEffect;

class SoundDevice {
public:
    virtual ~SoundDevice() = default;
    virtual void play(const QString& materialPath) = 0;
};

// The real control. With no audio device Qt reports the effect as playing for
// ever; that is harmless because a new sound simply replaces the old one.
class QtSoundDevice final : public SoundDevice {
public:
    explicit QtSoundDevice(MaterialPaths paths);
    ~QtSoundDevice() override;
    void play(const QString& materialPath) override;

private:
    MaterialPaths paths_;
    std::unique_ptr<QSoundEffect> effect_;
};

// Stands in for the control in tests: remembers what would have been heard.
class RecordingSound final : public SoundDevice {
public:
    void play(const QString& materialPath) override;

    QStringList played;
    // Called at the moment a sound starts, so a test can look at the screens
    // as they are when the pupil hears it.
    std::function<void(const QString&)> onPlay;
};
