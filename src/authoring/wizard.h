#pragma once
// The Multiple Choice Wizard: a teacher writes a title and ten questions of
// four answers each, ticks the right answer of each, and saves the set as a
// worksheet that the catalogue lists and the quiz screen runs. It opens empty
// from the main menu, or filled from the question tables by the catalogue.
#include "controls.h"
#include "menu_entry.h"
#include "program.h"
#include "question_file.h"
#include "screen.h"

#include <QLabel>
#include <array>

class Wizard final : public Screen {
    Q_OBJECT
public:
    static constexpr ScreenId Id = ScreenId::wizard;
    // The entries of Label3, by their index.
    enum Entry { Exit = 0, Save = 1 };
    static constexpr int Questions = 10;
    static constexpr int Answers = 4 * Questions;
    // The key code of Enter, from either of the keyboard's Enter keys.
    static constexpr int EnterKey = 13;
    // Label1(0) is the heading and Label1(1) the title's caption; then, for
    // question q, Label1(2 + 5q) is "Question q+1" and Label1(3 + 5q + a)
    // the letter of its answer a.
    static constexpr int Captions = 2 + 5 * Questions;

    explicit Wizard(Program& program);

    void Form_Load() override;
    // Shows the question set in the tables, as the catalogue's edit mode
    // has just loaded it.
    void fillFromTables();

    void label3_Click(int index);
    // Checks that every box is filled and one answer of each question is
    // ticked; then saves, or says what is missing.
    void genwork();
    void saveworksheet();

    void Text1_KeyPress(int keyAscii);
    void Text2_KeyPress(int index, int keyAscii);
    void Text3_KeyPress(int index, int keyAscii);

    std::array<QLabel*, Captions> Label1{};
    TextBox* Text1;
    // Text2(q) is the text of question q+1.
    std::array<TextBox*, Questions> Text2{};
    // Text3(4q + a) and Check1(4q + a) are answer a (0 = A to 3 = D) of
    // question q+1 and its tick box.
    std::array<TextBox*, Answers> Text3{};
    std::array<CheckBox*, Answers> Check1{};
    Entries Label3;

protected:
    QWidget* focusTarget() override { return Text1; }
    void keyPressEvent(QKeyEvent* event) override;
    // Its own order: each question with its answers, then the ticks.
    void orderTabStops() override {}

private:
    void buildQuestion(int q);
    void chainTabStops();
    void nameControls();
    QuestionSheet sheet() const;
    // The first thing missing from the input, as the teacher is told it;
    // empty when the worksheet is complete.
    QString firstGap() const;
    // Escape: Exit, once the teacher agrees to lose what is not saved.
    void leaveByKey();

    // The boxes as they were last saved or filled, to tell whether there is
    // typing to lose.
    QuestionSheet lastSaved_;
};
