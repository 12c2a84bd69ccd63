#pragma once
// At most one live instance of each screen. Touching a screen that is not
// loaded builds it and runs its Form_Load first; unloading it throws it away,
// so the next touch starts again from its design state.
#include "screen.h"
#include "screen_id.h"
#include "stage.h"

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

    // Screens of one subsystem reach screens of another by id alone.
    void define(ScreenId id, Factory factory) { factories_[id] = std::move(factory); }
    void defineStage(StageFactory factory) { stageFactory_ = std::move(factory); }

    // The backdrop; loaded (not shown) on first touch.
    Stage& stage();
    bool stageLoaded() const { return stage_ != nullptr; }

    Screen& get(ScreenId id);
    template <class T> T& form() {
        if (Screen* loaded = find(T::Id))
            return static_cast<T&>(*loaded);
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
