#include "screen_registry.h"

ScreenRegistry::~ScreenRegistry() {
    live_.clear();
    stage_.reset();
}

Stage& ScreenRegistry::stage() {
    if (!stage_) {
        stage_.reset(stageFactory_ ? stageFactory_() : new Stage);
        stage_->Form_Load();
    }
    return *stage_;
}

Screen* ScreenRegistry::get(ScreenId id) {
    if (Screen* loaded = find(id))
        return loaded;
    const auto factory = factories_.find(id);
    if (factory == factories_.end()) {
        qWarning("Ostervale: no screen is defined for id %d", int(id));
        return nullptr;
    }
    return &load(id, factory->second(program_));
}

Screen* ScreenRegistry::find(ScreenId id) const {
    const auto it = live_.find(id);
    return it == live_.end() ? nullptr : it->second;
}

bool ScreenRegistry::isShowing(ScreenId id) const {
    const Screen* screen = find(id);
    return screen && screen->isVisible() && !(stage_ && stage_->covers(screen));
}

void ScreenRegistry::unload(ScreenId id) {
    const auto it = live_.find(id);
    if (it == live_.end())
        return;
    Screen* screen = it->second;
    live_.erase(it);
    // The screen may be unloading itself from one of its own handlers, so
    // it goes once the handler has returned.
    const QWidget* focus = screen->window()->focusWidget();
    const bool hadFocus = focus && (focus == screen || screen->isAncestorOf(focus));
    screen->hide();
    screen->deleteLater();
    if (hadFocus && stage_)
        stage_->focusFrontScreen(screen->opener(), screen->openedByKeyboard());
}

Screen& ScreenRegistry::load(ScreenId id, Screen* screen) {
    live_[id] = screen;
    screen->Form_Load();
    return *screen;
}
