#pragma once
// The review of wrong answers ("You answered the following questions
// incorrectly."), opened from the results screen after a quiz; it fills
// itself from the quiz's result.
#include "menu_entry.h"
#include "program.h"
#include "screen.h"

#include <QLabel>
#include <array>

class Wrong final : public Screen {
    Q_OBJECT
public:
    static constexpr ScreenId Id = ScreenId::Wrong;
    explicit Wrong(Program& program);

    void Form_Load() override;
    void Label3_Click();

    QLabel* Label6;
    QLabel* Label4;
    std::array<QLabel*, 10> Label2{};
    QLabel* Label5;
    // Not in a hover list: this screen's one entry keeps its colour.
    MenuEntry* Label3;
};
