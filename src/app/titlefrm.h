#pragma once
// The title screen: shown alone at start with "OK" and "Exit", and again as
// the exit confirmation with "Cancel" and "Exit".
#include "pictures.h"
#include "program.h"
#include "screen.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

class Titlefrm final : public Screen {
    Q_OBJECT
public:
    static constexpr ScreenId Id = ScreenId::Titlefrm;
    explicit Titlefrm(Program& program);

    // The way in from the main menu's "Exit": the title screen again, with
    // "Cancel" and "Exit".
    static void openAsExitConfirmation(Program& program);

    void Form_Load() override;
    PictureBox* Picture1() override { return picture1_; }

    void Command1_Click();
    void Command2_Click();

    QFrame* Frame1;
    QLabel* Label4;
    QLabel* Label1;
    QLabel* Label5;
    QLabel* Label3;
    QLabel* Label2;
    QPushButton* Command1;
    QPushButton* Command2;

private:
    bool normalStartUp();
    void fallbackStartUp();

    PictureBox* picture1_;
};
