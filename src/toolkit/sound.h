#pragma once
// The sound control: it is handed the path of a WAV file and nothing is read
// back. Playing never blocks and nothing in the program waits for a sound.
#include "material_paths.h"

#include <QString>
#include <memory>

class QSoundEffect;

class SoundDevice {
public:
    virtual ~SoundDevice() = default;
    virtual void play(const QString& materialPath) = 0;
    // Silences whatever is playing or still loading.
    virtual void stop() {}
};

// The real control. With no audio device Qt reports the effect as playing for
// ever; that is harmless because a new sound simply replaces the old one.
class QtSoundDevice final : public SoundDevice {
public:
    explicit QtSoundDevice(MaterialPaths paths);
    ~QtSoundDevice() override;
    void play(const QString& materialPath) override;
    void stop() override;

private:
    MaterialPaths paths_;
    std::unique_ptr<QSoundEffect> effect_;
};
