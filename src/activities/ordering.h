#pragma once
// The two ordering activities ("Ordering Activity" on a topic menu): the
// true-or-false sort and the timeline.
#include "activity_screen.h"

#include <QLabel>
#include <map>
#include <vector>

class LineControl;

class RationingOrd final : public ActivityScreen {
    Q_OBJECT
public:
    static constexpr ScreenId Id = ScreenId::rationingord;
    explicit RationingOrd(Program& program);

    QLabel* Label7;
    std::map<int, QLabel*> Label5; // 0 "True" and 2 "False"
    QLabel* Label8;
};

class ProgressOrd final : public ActivityScreen {
    Q_OBJECT
public:
    static constexpr ScreenId Id = ScreenId::progressord;
    explicit ProgressOrd(Program& program);

    QLabel* Label8;
    QLabel* Label9;
    LineControl* Line1;
    std::vector<LineControl*> Line2;
    std::vector<QLabel*> Label5; // the dates, 0 to 7
};
