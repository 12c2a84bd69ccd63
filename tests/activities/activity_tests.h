#pragma once
// What the activity tests share: a stand-in results screen, an activity
// opened as a pupil meets it, and a drag as the pointer makes it.
#include "activity_screen.h"
#include "support/gui.h"
#include "support/program_fixture.h"
#include "twips.h"

#include <QTest>

namespace activity_tests {

// The activities reach the results through the registry.
class ResultsStandIn : public Screen {
public:
    static constexpr ScreenId Id = ScreenId::Welldone;
    explicit ResultsStandIn(Program& p) : Screen(p, Id) {}
    void Form_Load() override { SetUpForm(); }
};

inline std::unique_ptr<ProgramFixture> activityFixture() {
    auto f = std::make_unique<ProgramFixture>();
    f->program->screens().define<ResultsStandIn>();
    f->program->shell.SoundOn = 1;
    return f;
}

// Focus events, and so the keyboard, come only to an active window.
template <class T> T& openActivity(ProgramFixture& f) {
    Stage& stage = f.program->screens().stage();
    stage.show();
    stage.activateWindow();
    if (!QTest::qWaitForWindowActive(&stage))
        qFatal("the stage never became active");
    auto& screen = f.program->screens().form<T>();
    screen.Show();
    return screen;
}

inline QPoint centre(const Place& p) {
    return QPoint(twips::toPixels(p.left + p.width / 2), twips::toPixels(p.top + p.height / 2));
}

// Label i dragged until the pointer is on `to`, a point of the client area.
inline void dragLabel(ActivityScreen& s, int i, QPoint to) {
    gui::drag(s.Label2[i], s.client(), to);
}

inline bool samePlace(const Place& a, const Place& b) {
    return a.left == b.left && a.top == b.top;
}

} // namespace activity_tests
