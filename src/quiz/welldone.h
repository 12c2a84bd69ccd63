#pragma once
// The results screen ("Well Done!") for the quiz and the activities: the
// score in one of three bands, then, a moment after it shows, a celebration
// sound. It fills itself from the one result handed to it (results::hand).
#include "controls.h"
#include "menu_entry.h"
#include "pictures.h"
#include "program.h"
#include "screen.h"

#include <QLabel>
#include <QTimer>

class Welldone final : public Screen {
    Q_OBJECT
public:
    static constexpr ScreenId Id = ScreenId::Welldone;
    // The entries of Label3: "Check Wrong Answers" or "Print Certificate",
    // and "Exit".
    enum Entry { ReviewOrCertificate = 0, Exit = 1 };

    explicit Welldone(Program& program);

    void Form_Load() override;
    PictureBox* Picture1() override { return picture1_; }

    void Label3_Click(int index);
    // The certificate for full marks, with the name as typed.
    void Printpage();
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();

    QLabel* Label4;
    QLabel* Label1;
    QLabel* Label5;
    QLabel* Label6;
    QLabel* Label2;
    TextBox* Text1;
    Entries Label3;
    QTimer* Timer1;
    QTimer* Timer2;
    QTimer* Timer3;

private:
    PictureBox* picture1_;
    // Decided once, when the screen loads: full marks offer the certificate,
    // anything less the review.
    bool fullMarks_ = false;
};
