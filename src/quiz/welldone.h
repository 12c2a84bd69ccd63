#pragma once
// The results screen for the quiz and the activities: the score in one of
// three bands, then, a moment after it shows, a celebration sound.
#include "menu_entry.h"
#include "pictures.h"
#include "program.h"
#include "screen.h"

#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <array>
#include <functional>

class Welldone final : public Screen {
    Q_OBJECT
public:
    static constexpr ScreenId Id = ScreenId::Welldone;
    explicit Welldone(Program& program);

    void Form_Load() override;
    PictureBox* Picture1() override { return picture1_; }

    void Label3_Click(int index);
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();

    // Printing the certificate; until a printer is wired in, nothing.
    std::function<void()> Printpage;

    QLabel* Label4;
    QLabel* Label1;
    QLabel* Label5;
    QLabel* Label6;
    QLabel* Label2;
    QLineEdit* Text1;
    std::array<MenuEntry*, 2> Label3{};
    QTimer* Timer1;
    QTimer* Timer2;
    QTimer* Timer3;

private:
    PictureBox* picture1_;
};
