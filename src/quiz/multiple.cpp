#include "multiple.h"

#include "controls.h"
#include "quiz_rules.h"
#include "sounds_named.h"
#include "twips.h"
#include "welldone.h"
#include "wrong.h"

namespace {
const QColor kScreenBack(39, 63, 137);
const QString kNext = QStringLiteral("Next Question >>");
const QString kCheck = QStringLiteral("Check Score >>");

QFont times(double points) {
    return twips::font(QStringLiteral("Times New Roman"), points);
}
} // namespace

Multiple::Multiple(Program& program)
    : Screen(program, Id),
      Label1(controls::label(client(), QStringLiteral("Multiple Choice"), controls::Yellow,
                             twips::font(QStringLiteral("Tahoma"), 36, true))),
      Label5(controls::label(client(), QStringLiteral("Ostervale"), QColor(0, 255, 0), times(24))),
      Label6(controls::label(client(), QString(), QColor(128, 128, 255), times(24))),
      Label4(controls::label(client(), QStringLiteral("Question"), controls::Yellow, times(24),
                             Qt::AlignLeft | Qt::AlignTop)),
      Label2(controls::label(client(), QString(), controls::Yellow, times(30))),
      answers_(new QButtonGroup(this)) {
    place(Label1, 120, 120, 6240, 900);
    place(Label5, 120, 1200, 6465, 585);
    place(Label6, 120, 1920, 6465, 705);
    place(Label4, 360, 3240, 5415, 615);
    place(Label2, 960, 3960, 9840, 1455);
    for (int i = 1; i <= 5; ++i) {
        Option1[i] = new QRadioButton(client());
        Option1[i]->setFont(times(20.25));
        controls::setTextColour(Option1[i], controls::Yellow);
        Option1[i]->setBackgroundRole(QPalette::Window);
        Option1[i]->setAutoFillBackground(true);
        answers_->addButton(Option1[i], i);
        if (i <= 4) {
            place(Option1[i], 2400, 5400 + 600 * (i - 1), 6975, 525);
            connect(Option1[i], &QRadioButton::clicked, this, [this, i] { Option1_Click(i); });
        }
    }
    Option1[5]->resize(16, 16);
    // The picture box is made after the no-answer button so that it covers it.
    picture1_ = new PictureBox(client());
    picture1_->setFitPicture(true);
    place(picture1_, 6600, 120, 5280, 1770);
    const struct {
        const char* caption;
        float left, top, width;
    } entries[] = {{"<< Previous Question", 2040, 7920, 3765},
                   {"Next Question >>", 6000, 7920, 3765},
                   {"Exit", 10560, 7920, 1245},
                   {"Print Worksheet", 7920, 1920, 3045}};
    for (int i = 0; i < 4; ++i) {
        Label3[i] = controls::entry(client(), QString::fromUtf8(entries[i].caption));
        place(Label3[i], entries[i].left, entries[i].top, entries[i].width, 495);
        connect(Label3[i], &MenuEntry::clicked, this, [this, i] { Label3_Click(i); });
        addToMenuList(Label3[i]);
    }
    Label3[0]->hide();
}

void Multiple::Form_Load() {
    SetUpForm();
    program.results.Score = 0;
    program.results.ScoreTotal = 10;
    program.quiz.CurrentQuestion = 1;
    program.quiz.QuestionRight.fill(0);
    Option1[5]->move(picture1_->x() + twips::toPixels(240), picture1_->y() + twips::toPixels(240));
    for (int i = 1; i <= 4; ++i)
        controls::setBackColour(Option1[i], kScreenBack);
    Label6->setText(program.questions.QuizTitle);
    showquest();
}

void Multiple::showquest() {
    const int n = program.quiz.CurrentQuestion;
    const QuizTables& t = program.questions;
    Option1[5]->setChecked(true);
    Label3[0]->show();
    Label3[1]->setText(kNext);
    Label4->setText(QStringLiteral("Question ") + QString::number(n));
    Label2->setText(t.QuestionText[n]);
    Option1[1]->setText(t.ChoiceA[n]);
    Option1[2]->setText(t.ChoiceB[n]);
    Option1[3]->setText(t.ChoiceC[n]);
    Option1[4]->setText(t.ChoiceD[n]);
    if (n == 1)
        Label3[0]->hide();
    if (n == 10)
        Label3[1]->setText(kCheck);
    if (isVisible())
        Option1[5]->setFocus();
}

void Multiple::Option1_Click(int) {
    program.PlaySound(sounds::TypeKey);
}

void Multiple::Label3_Click(int index) {
    QuizState& quiz = program.quiz;
    switch (index) {
    case 0:
        --quiz.CurrentQuestion;
        showquest();
        break;
    case 1:
        markCurrentQuestion();
        ++quiz.CurrentQuestion;
        if (quiz.CurrentQuestion < 11)
            showquest();
        else
            endQuiz();
        break;
    case 2:
        program.screens().unload(Id);
        break;
    case 3:
        if (Printpage)
            Printpage();
        break;
    }
    program.PlaySound(sounds::Click);
}

void Multiple::markCurrentQuestion() {
    const int n = program.quiz.CurrentQuestion;
    const int c = program.questions.CorrectChoice[n].toInt();
    // Loading refuses a set whose answer digit is not 1 to 4; should one get
    // here all the same, no answer (not even the hidden one) can be right.
    const bool right = c >= 1 && c <= 4 && Option1[c]->isChecked();
    program.quiz.QuestionRight[n] = right ? 1 : 0;
}

void Multiple::endQuiz() {
    ScreenRegistry& screens = program.screens();
    int& score = program.results.Score;
    for (int i = 1; i <= 10; ++i) {
        score += program.quiz.QuestionRight[i];
        if (program.quiz.QuestionRight[i] == 0) {
            const int k = (i - 1) - score;
            QLabel* line = screens.form<Wrong>().Label2[k];
            line->setText(quiz_rules::wrongLine(i, program.questions.QuestionText[i]));
            line->show();
        }
    }
    program.quiz.ResultHeading = Label5->text();
    screens.form<Wrong>().Label6->setText(Label6->text());
    auto& results = screens.form<Welldone>();
    results.Label6->hide();
    results.Label5->show();
    results.Label3[0]->show();
    results.Show();
    screens.unload(Id);
}
