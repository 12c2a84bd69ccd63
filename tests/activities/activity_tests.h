#pragma once
// What the activity tests share: the results screen the activities move on
// to, and the middle of a place in pixels for a drag.
#include "screen.h"
#include "twips.h"

#include <QPoint>

namespace activity_tests {

// A stand-in results screen: the activities reach it through the registry.
class ResultsStandIn : public Screen {
public:
    static constexpr ScreenId Id = ScreenId::Welldone;
    static inline int loads = 0;
    explicit ResultsStandIn(Program& p) : Screen(p, Id) {}
    void Form_Load() override {
        ++loads;
        SetUpForm();
    }
};

inline QPoint centre(const Place& p) {
    return QPoint(twips::toPixels(p.left + p.width / 2), twips::toPixels(p.top + p.height / 2));
}

} // namespace activity_tests
