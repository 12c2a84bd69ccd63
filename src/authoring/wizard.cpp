// The Multiple Choice Wizard.
#include "wizard.h"

#include "catalogue_state.h"
#include "quiz_state.h"
#include "screen_waiting.h"
#include "sounds_named.h"
#include "style.h"
#include "worksheet_folder.h"
#include "worksheet_store.h"
#include "worksheet_title.h"

#include <QKeyEvent>
#include <optional>

namespace {
const QString kSaved = QStringLiteral("Your worksheet has been saved.");
const QString kProblem = QStringLiteral("There was a problem saving your worksheet");

constexpr int kTitleLength = worksheet_title::TitleLength;
constexpr int kQuestionLength = worksheet_title::QuestionLength;
constexpr int kAnswerLength = worksheet_title::AnswerLength;

// Questions 1 to 5 stand in the left half, 6 to 10 in the right.
constexpr float kColumnStep = 5880;
constexpr float kRowStep = 1440;
constexpr int kRows = 5;

// Where question q's boxes start, before its own offsets below.
struct Cell {
    float left;
    float top;
};

Cell cellOf(int q) {
    return {kColumnStep * float(q / kRows), kRowStep * float(q % kRows)};
}

// Answers A and B share a line, C and D the one below; A and C on the left.
float answerTop(int a) {
    return a < 2 ? 1230 : 1560;
}
float answerLeft(int a) {
    return a % 2 == 0 ? 720 : 3600;
}
float tickLeft(int a) {
    return a % 2 == 0 ? 480 : 3330;
}
float letterLeft(int a) {
    return a % 2 == 0 ? 255 : 3090;
}
// A bold "A." needs a pixel more than the gap before its tick box; the
// caption runs on beneath the box, which is drawn over it, and its letters
// still end before the box begins.
constexpr float kLetterWidth = 255;

const controls::EntryDesign kEntries[] = {
    {.index = Wizard::Exit, .caption = "Exit", .place = {10560, 7920, 1245, 495}},
    {.index = Wizard::Save, .caption = "Save Worksheet", .place = {240, 7920, 3165, 495}},
};

QString numbered(const QString& text, int n) {
    return text + u' ' + QString::number(n);
}

TextBox* textBox(QWidget* parent, int maxLength, const QFont& font) {
    auto* box = new TextBox(parent, maxLength);
    box->setFont(font);
    return box;
}

// A text longer than its box shows its beginning, as the teacher typed it,
// not its end. A box's limit stops typing only: a worksheet made by hand
// with longer lines keeps them whole, or an unchanged save would cut them.
void showFromStart(TextBox* box, const QString& text, int limit) {
    box->setMaxLength(qMax(limit, int(text.size())));
    box->setText(text);
    box->setCursorPosition(0);
}

QLabel* caption(QWidget* parent, const QString& text, double points,
                Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop) {
    return controls::label(parent, text, style::Yellow, style::tahomaBold(points), alignment);
}
} // namespace

Wizard::Wizard(Program& program)
    : Screen(program, Id), Text1(textBox(client(), kTitleLength, style::times(12))) {
    Label1[0] = controls::label(client(), QStringLiteral("Multiple Choice Wizard"), style::Yellow,
                                style::tahomaBold(18));
    Label1[1] = caption(client(), QStringLiteral("Worksheet Title"), 14.25);
    place(Label1[0], 0, 0, 4320, 540);
    place(Label1[1], 5160, 120, 2280, 345);
    place(Text1, 7560, 120, 4215, 375);
    for (int q = 0; q < Questions; ++q)
        buildQuestion(q);
    Label3 = addEntries("Label3", kEntries, [this](int index) { label3_Click(index); });
    chainTabStops();
    nameControls();
    connect(Text1, &QLineEdit::returnPressed, this, [this] { Text1_KeyPress(EnterKey); });
}

void Wizard::buildQuestion(int q) {
    const Cell at = cellOf(q);
    Label1[2 + 5 * q] = caption(client(), numbered(QStringLiteral("Question"), q + 1), 9.75);
    place(Label1[2 + 5 * q], 240 + at.left, 600 + at.top, 1455, 240);
    Text2[q] = textBox(client(), kQuestionLength, style::times(12));
    place(Text2[q], 240 + at.left, 840 + at.top, 5655, 375);
    // Qt reports either Enter key as returnPressed; no other key moves on.
    connect(Text2[q], &QLineEdit::returnPressed, this, [this, q] { Text2_KeyPress(q, EnterKey); });
    for (int a = 0; a < 4; ++a) {
        const int i = 4 * q + a;
        const float top = answerTop(a) + at.top;
        QLabel*& letter = Label1[3 + 5 * q + a];
        // Centred on the answer's line, as the tick and the typed text are.
        letter = caption(client(), QString(QChar(u'A' + a)) + u'.', 12,
                         Qt::AlignLeft | Qt::AlignVCenter);
        place(letter, letterLeft(a) + at.left, top, kLetterWidth, 330);
        Text3[i] = textBox(client(), kAnswerLength, style::times(9.75));
        place(Text3[i], answerLeft(a) + at.left, top, 2295, 330);
        connect(Text3[i], &QLineEdit::returnPressed, this,
                [this, i] { Text3_KeyPress(i, EnterKey); });
        Check1[i] = new CheckBox(client());
        place(Check1[i], tickLeft(a) + at.left, top, 255, 315);
    }
}

void Wizard::nameControls() {
    controls::nameControls({{"Text1", Text1}});
    controls::nameArray("Label1", Label1);
    controls::nameArray("Text2", Text2);
    controls::nameArray("Text3", Text3);
    controls::nameArray("Check1", Check1);
    Text1->setAccessibleName(QStringLiteral("Worksheet Title"));
    for (int q = 0; q < Questions; ++q) {
        const QString question = numbered(QStringLiteral("Question"), q + 1);
        Text2[q]->setAccessibleName(question);
        for (int a = 0; a < 4; ++a) {
            const QString answer = question + QStringLiteral(", answer ") + QChar(u'A' + a);
            Text3[4 * q + a]->setAccessibleName(answer);
            Check1[4 * q + a]->setAccessibleName(answer + QStringLiteral(" is right"));
        }
    }
    setAccessibleName(QStringLiteral("Multiple Choice Wizard"));
}

void Wizard::chainTabStops() {
    // The teacher tabs through a question and its answers before the next
    // question, then through the ticks, and only after them reaches Save
    // and Exit (Ctrl+S and Escape do the same from anywhere).
    QWidget* previous = Text1;
    auto next = [&previous](QWidget* w) {
        QWidget::setTabOrder(previous, w);
        previous = w;
    };
    for (int q = 0; q < Questions; ++q) {
        next(Text2[q]);
        for (int a = 0; a < 4; ++a)
            next(Text3[4 * q + a]);
    }
    for (CheckBox* tick : Check1)
        next(tick);
    next(Label3[Save]);
    next(Label3[Exit]);
}

void Wizard::Form_Load() {
    SetUpForm();
    for (CheckBox* tick : Check1)
        controls::setBackColour(tick, style::BoxBack);
    lastSaved_ = sheet();
}

void Wizard::fillFromTables() {
    const QuizTables& t = program.state<QuizTables>();
    showFromStart(Text1, t.QuizTitle, kTitleLength);
    for (int n = 1; n <= Questions; ++n) {
        const int q = n - 1;
        showFromStart(Text2[q], t.QuestionText[n], kQuestionLength);
        const std::array<QString, 4> choices{t.ChoiceA[n], t.ChoiceB[n], t.ChoiceC[n],
                                             t.ChoiceD[n]};
        // The loader refuses a set whose right answer is not 1 to 4, so any
        // other value ticks nothing rather than guessing.
        bool isNumber = false;
        const int k = t.CorrectChoice[n].trimmed().toInt(&isNumber);
        for (int a = 0; a < 4; ++a) {
            showFromStart(Text3[4 * q + a], choices[a], kAnswerLength);
            Check1[4 * q + a]->setChecked(isNumber && k == a + 1);
        }
    }
    lastSaved_ = sheet();
}

void Wizard::label3_Click(int index) {
    if (index == Exit)
        program.screens().unload(Id);
    else if (index == Save)
        genwork();
    program.PlaySound(sounds::Click);
}

QString Wizard::firstGap() const {
    return worksheet_store::firstGap(sheet());
}

void Wizard::genwork() {
    if (const QString gap = firstGap(); !gap.isEmpty())
        program.messages().tell(gap);
    else
        saveworksheet();
}

QuestionSheet Wizard::sheet() const {
    QuestionSheet s;
    s.title = Text1->text();
    for (int q = 0; q < Questions; ++q)
        s.questions[q] = Text2[q]->text();
    for (int i = 0; i < Answers; ++i) {
        s.answers[i] = Text3[i]->text();
        s.ticked[i] = Check1[i]->isChecked();
    }
    return s;
}

void Wizard::saveworksheet() {
    // Whatever goes wrong on the way, the teacher hears of it and the boxes
    // keep what was typed, ready for another try.
    if (const QString refusal = worksheet_folder::refusal(program); !refusal.isEmpty()) {
        program.messages().tell(refusal);
        return;
    }
    std::optional<worksheet_store::Outcome> outcome;
    const QuestionSheet typed = sheet();
    runGuarded([&] {
        const ScreenWaiting waiting;
        outcome = worksheet_store::saveworksheet(worksheet_folder::folder(program), typed,
                                                 program.state<CatalogueState>());
    });
    using worksheet_store::Saved;
    if (!outcome) {
        program.messages().tell(kProblem);
    } else if (outcome->saved == Saved::Failed) {
        program.messages().tell(outcome->message.isEmpty()
                                    ? kProblem
                                    : kProblem + QStringLiteral("\n\n") + outcome->message);
    } else if (outcome->saved == Saved::Yes) {
        lastSaved_ = typed;
        program.messages().tell(kSaved);
    } else {
        program.messages().tell(outcome->message);
    }
}

void Wizard::leaveByKey() {
    // Exit leaves at once, as it always has; the key is easier to press by
    // mistake, so it asks before throwing typing away.
    if (sheet() != lastSaved_ &&
        !program.messages().confirm(QStringLiteral("Leave the Multiple Choice Wizard? What you "
                                                   "have typed since it was last saved will be "
                                                   "lost."),
                                    QStringLiteral("Ostervale")))
        return;
    label3_Click(Exit);
}

void Wizard::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_S && event->modifiers() == Qt::ControlModifier)
        runGuarded([this] { label3_Click(Save); });
    else if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        runGuarded([this] { leaveByKey(); });
    else
        Screen::keyPressEvent(event);
}

void Wizard::Text1_KeyPress(int keyAscii) {
    if (keyAscii == EnterKey)
        Text2[0]->setFocus();
}

void Wizard::Text2_KeyPress(int index, int keyAscii) {
    if (keyAscii == EnterKey)
        Text3[4 * index]->setFocus();
}

void Wizard::Text3_KeyPress(int index, int keyAscii) {
    if (keyAscii != EnterKey)
        return;
    // Answer D of the last question has nowhere further to go.
    if (index % 4 != 3)
        Text3[index + 1]->setFocus();
    else if (index <= Answers - 2)
        Text2[(index + 1) / 4]->setFocus();
}

#include "moc_wizard.cpp"
