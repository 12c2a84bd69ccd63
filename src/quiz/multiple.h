#pragma once
// The quiz screen ("Multiple Choice"): ten questions one at a time, marked
// on the way forward; at the end it hands its result to the results screen
// and closes itself.
#include "controls.h"
#include "menu_entry.h"
#include "pictures.h"
#include "program.h"
#include "screen.h"

#include <QButtonGroup>
#include <QLabel>
#include <array>

class Multiple final : public Screen {
    Q_OBJECT
public:
    static constexpr ScreenId Id = ScreenId::multiple;
    // The entries of Label3, by their index.
    enum Entry { Previous = 0, Next = 1, Exit = 2, PrintWorksheet = 3 };
    // The fifth option button: no answer chosen.
    static constexpr int NoAnswer = 5;

    explicit Multiple(Program& program);

    // The way in: a fresh quiz screen at question 1 of the question set in
    // the tables, under the heading and picture given, over the screen that
    // opens it. The banner shows the whole picture, fitted inside it, unless
    // the picture fills the banner (see QuizState).
    static void open(Program& program, const QPixmap& picture, const QString& heading,
                     const QString& pictureDescription, bool pictureFillsBanner = false);

    void Form_Load() override;
    PictureBox* Picture1() override { return picture1_; }

    // Read aloud whole: "Question 3", the question, then each answer after
    // its letter.
    QStringList readingOrder() const override;

    void showquest();
    void Option1_Click(int index);
    void Label3_Click(int index);
    // The question set on paper, as a worksheet with no answer marked.
    void Printpage();

    QLabel* Label1;
    QLabel* Label5;
    QLabel* Label6;
    QLabel* Label4;
    QLabel* Label2;
    // 1 to 4 are the answers A to D; 5 is the no-answer button, hidden under
    // the picture, whose selection clears the other four. Slot 0 is unused.
    std::array<OptionButton*, 6> Option1{};
    Entries Label3;

protected:
    QWidget* focusTarget() override { return Option1[NoAnswer]; }
    // The answers in their order, then the way on, the way back, the
    // printout and Exit; the first Tab from the no-answer button reaches A.
    void orderTabStops() override;
    bool focusNextPrevChild(bool next) override;
    // Arrows step through the answers A to D, and the letters choose one.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::array<QWidget*, 8> tabStops() const;
    void endQuiz();
    // Chooses an answer for a key, as a click on it would; false for a key
    // that chooses nothing.
    bool chooseByKey(int key);

    PictureBox* picture1_;
    QButtonGroup* answers_;
};
