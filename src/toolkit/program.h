#pragma once
// The program-wide values and services, owned by one object that every
// screen reaches by reference. A test builds a fresh one around a temporary
// material folder, with recorders in place of the sound and message boxes.
//
// Each subsystem declares its own state where it lives (the quiz its
// tables, the authoring its catalogue) and reaches it through state<T>():
// the program owns every piece, made empty on first use, and this layer
// knows none of them.
#include "material_paths.h"
#include "messages.h"
#include "random_source.h"
#include "screen_registry.h"
#include "sound.h"

#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <typeindex>

struct ShellState {
    // 1 plays sounds, 0 is silent; empty until the main menu first loads,
    // which counts as not 1.
    std::optional<int> SoundOn;
};

class Program {
public:
    Program(QString materialRoot, std::unique_ptr<SoundDevice> sound,
            std::unique_ptr<MessageBoxes> messages);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    ShellState shell;

    // A subsystem's program-wide values, as they are at the start of a run
    // until that subsystem first sets them.
    template <class State> State& state() {
        auto& slot = states_[std::type_index(typeid(State))];
        if (!slot)
            slot = std::make_unique<Held<State>>();
        return static_cast<Held<State>&>(*slot).value;
    }

    const MaterialPaths& paths() const { return paths_; }
    SoundDevice& sound() { return *sound_; }
    MessageBoxes& messages() { return *messages_; }
    ScreenRegistry& screens() { return screens_; }
    RandomSource& random() { return *random_; }
    // Tests put a predictable generator in its place.
    void setRandom(std::unique_ptr<RandomSource> random) { random_ = std::move(random); }

    // Plays a WAV file through the sound control on the backdrop, only while
    // the sound switch is on.
    void PlaySound(const QString& materialPath);

    // Ends the program at once; nothing is saved. Tests replace it.
    std::function<void()> endProgram;

private:
    struct Holder {
        virtual ~Holder() = default;
    };
    template <class State> struct Held final : Holder { State value{}; };

    MaterialPaths paths_;
    std::unique_ptr<SoundDevice> sound_;
    std::unique_ptr<MessageBoxes> messages_;
    std::unique_ptr<RandomSource> random_;
    std::map<std::type_index, std::unique_ptr<Holder>> states_;
    // Last, so that screens go before the state and services they use.
    ScreenRegistry screens_;
};
