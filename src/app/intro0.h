#pragma once
// The main menu, hub of all navigation. Each load switches sound on and
// reads the worksheet catalogue shortly after the menu shows.
#include "menu_entry.h"
#include "pictures.h"
#include "program.h"
#include "screen.h"

#include <QLabel>
#include <QRadioButton>
#include <QTimer>
#include <map>

class Intro0 final : public Screen {
    Q_OBJECT
public:
    static constexpr ScreenId Id = ScreenId::intro0;
    explicit Intro0(Program& program);

    void Form_Load() override;
    void Timer1_Timer();
    void Label2_Click(int index);

    QLabel* Label1;
    QLabel* Label3;
    ImageBox* Image1;
    QRadioButton* Option1;
    QRadioButton* Option2;
    QTimer* Timer1;
    // Indexes 0 to 10 and 15 to 20; 11 to 14 do not exist.
    std::map<int, MenuEntry*> Label2;

private:
    void buildEntries();
    QRadioButton* soundOption(const QString& caption, float top);
};
