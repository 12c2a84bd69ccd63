#pragma once
// At most one live instance of each screen. Touching a screen that is not
// loaded builds it and runs its Form_Load first; unloading it throws it away,
// so the next touch starts again from its design state.
#include "screen.h"
#include "screen_id.h"
#include "stage.h"

#include <QtGlobal>
#include <functional>
#include <map>
#include <memory>

class Program;

class ScreenRegistry {
public:
    using Factory = std::function<Screen*(Program&)>;
    using StageFactory = std::function<Stage*()>;

    explicit ScreenRegistry(Program& program) : program_(program) {}
    ~ScreenRegistry();

    // Lets screens of one subsystem reach a screen of another by its id.
    template <class T> void define() {
        factories_[T::Id] = [](Program& p) -> Screen* { return new T(p); };
    }
    void defineStage(StageFactory factory) { stageFactory_ = std::move(factory); }

    // The backdrop; loaded (not shown) on first touch.
    Stage& stage();
    bool stageLoaded() const { return stage_ != nullptr; }

    // The screen with this id, loaded if need be; none if no screen was
    // defined for it.
    Screen* get(ScreenId id);
    template <class T> T& form() {
        if (Screen* loaded = find(T::Id)) {
            if (auto* screen = dynamic_cast<T*>(loaded))
                return *screen;
            // Another class under this id: a wiring slip. The screen asked
            // for wins, so nothing acts on controls it does not have.
            qWarning("Ostervale: screen %d was loaded as another class", int(T::Id));
            unload(T::Id);
        }
        return static_cast<T&>(load(T::Id, new T(program_)));
    }

    Screen* find(ScreenId id) const;
    bool isLoaded(ScreenId id) const { return find(id) != nullptr; }
    // Loaded, showing, and not covered by the backdrop.
    bool isShowing(ScreenId id) const;
    void unload(ScreenId id);

private:
    Screen& load(ScreenId id, Screen* screen);

    Program& program_;
    StageFactory stageFactory_;
    std::unique_ptr<Stage> stage_;
    std::map<ScreenId, Factory> factories_;
    std::map<ScreenId, Screen*> live_;
};
