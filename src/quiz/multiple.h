#pragma once
// The quiz screen: ten questions one at a time, marked on the way forward;
// at the end it fills the review, hands the score to the results screen and
// closes itself.
#include "menu_entry.h"
#include "pictures.h"
#include "program.h"
#include "screen.h"

#include <QButtonGroup>
#include <QLabel>
#include <QRadioButton>
#include <array>
#include <functional>

class Multiple final : public Screen {
    Q_OBJECT
public:
    static constexpr ScreenId Id = ScreenId::multiple;
    explicit Multiple(Program& program);

    void Form_Load() override;
    PictureBox* Picture1() override { return picture1_; }

    void showquest();
    void Option1_Click(int index);
    void Label3_Click(int index);

    // Printing the set as a worksheet; until a printer is wired in, nothing.
    std::function<void()> Printpage;

    QLabel* Label1;
    QLabel* Label5;
    QLabel* Label6;
    QLabel* Label4;
    QLabel* Label2;
    // 1 to 4 are the answers A to D; 5 is the no-answer button, hidden under
    // the picture, whose selection clears the other four. Slot 0 is unused.
    std::array<QRadioButton*, 6> Option1{};
    std::array<MenuEntry*, 4> Label3{};

private:
    void markCurrentQuestion();
    void endQuiz();

    PictureBox* picture1_;
    QButtonGroup* answers_;
};
