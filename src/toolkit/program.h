#pragma once
// The program-wide values and services, owned by one object that every
// screen reaches by reference. A test builds a fresh one around a temporary
// material folder, with recorders in place of the sound and message boxes.
#include "material_paths.h"
#include "messages.h"
#include "screen_registry.h"
#include "sound.h"

#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <optional>

struct ShellState {
    // 1 plays sounds, 0 is silent; empty until the main menu first loads,
    // which counts as not 1.
    std::optional<int> SoundOn;
};

struct CatalogueState {
    static constexpr int Capacity = 1000;
    int WorksheetCount = 0;
    // Slots 1 to 1000; slot 0 is never used.
    std::array<QString, Capacity + 1> WorksheetTitles;
};

class Program {
public:
    Program(QString materialRoot, std::unique_ptr<SoundDevice> sound,
            std::unique_ptr<MessageBoxes> messages);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    ShellState shell;
    CatalogueState catalogue;

    const MaterialPaths& paths() const { return paths_; }
    SoundDevice& sound() { return *sound_; }
    MessageBoxes& messages() { return *messages_; }
    ScreenRegistry& screens() { return screens_; }

    // Plays a WAV file through the sound control on the backdrop, only while
    // the sound switch is on.
    void PlaySound(const QString& materialPath);

    // Ends the program at once; nothing is saved. Tests replace it.
    std::function<void()> endProgram;

private:
    MaterialPaths paths_;
    std::unique_ptr<SoundDevice> sound_;
    std::unique_ptr<MessageBoxes> messages_;
    ScreenRegistry screens_;
};
