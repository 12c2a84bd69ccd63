#pragma once
// The main menu, hub of all navigation: the topics, the teachers' guide,
// the acknowledgments, the Multiple Choice Wizard and the Worksheet
// Catalogue. Each load switches sound on and reads the worksheet catalogue
// shortly after the menu shows.
#include "controls.h"
#include "menu_entry.h"
#include "pictures.h"
#include "program.h"
#include "screen.h"

#include <QLabel>
#include <QTimer>

class Intro0 final : public Screen {
    Q_OBJECT
public:
    static constexpr ScreenId Id = ScreenId::intro0;
    // The entries of Label2 by their index; 11 to 14 do not exist. The
    // topics without material keep their numbers but are greyed.
    enum Entry {
        Blitz = 0,
        Evacuation = 1,
        Rationing = 2,
        Clothes = 3,
        CodeBreaking = 4,
        KeyLeaders = 5,
        ArmedForces = 6,
        BattleOfBritain = 7,
        AtomicBomb = 8,
        Progress = 9,
        PreventingWar = 10,
        StartOfTheWar = 15,
        Exit = 16,
        Wizard = 17,
        Catalogue = 18,
        Acknowledgments = 19,
        Guide = 20,
    };

    explicit Intro0(Program& program);

    void Form_Load() override;
    void Timer1_Timer();
    void Label2_Click(int index);

    QLabel* Label1;
    QLabel* Label3;
    ImageBox* Image1;
    OptionButton* Option1;
    OptionButton* Option2;
    QTimer* Timer1;
    Entries Label2;

private:
    OptionButton* soundOption(const QString& caption, float top);
    void openAcknowledgments();
};
