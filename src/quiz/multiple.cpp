// The quiz screen ("Multiple Choice").
#include "multiple.h"

#include "print_service.h"
#include "quiz_session.h"
#include "quiz_state.h"
#include "results.h"
#include "screen_accessible.h"
#include "sounds_named.h"
#include "spoken_text.h"
#include "style.h"

#include <QKeyEvent>
#include <algorithm>

namespace {
const QString kNext = QStringLiteral("Next Question >>");
const QString kCheck = QStringLiteral("Check Score >>");
const QColor kLightBlue(128, 128, 255);
const controls::EntryDesign kMultipleEntries[] = {
    {.index = Multiple::Previous,
     .caption = "<< Previous Question",
     .place = {2040, 7920, 3765, 495}},
    {.index = Multiple::Next, .caption = "Next Question >>", .place = {6000, 7920, 3765, 495}},
    {.index = Multiple::Exit, .caption = "Exit", .place = {10560, 7920, 1245, 495}},
    {.index = Multiple::PrintWorksheet,
     .caption = "Print Worksheet",
     .place = {7920, 1920, 3045, 495}},
};
} // namespace

Multiple::Multiple(Program& program)
    : Screen(program, Id), Label1(controls::label(client(), QStringLiteral("Multiple Choice"),
                                                  style::Yellow, style::tahomaBold(36))),
      Label5(
          controls::label(client(), QStringLiteral("Ostervale"), style::Green, style::times(24))),
      Label6(controls::label(client(), QString(), kLightBlue, style::times(24))),
      Label4(controls::label(client(), QStringLiteral("Question"), style::Yellow, style::times(24),
                             Qt::AlignLeft | Qt::AlignTop)),
      Label2(controls::label(client(), QString(), style::Yellow, style::times(30))),
      answers_(new QButtonGroup(this)) {
    place(Label1, 120, 120, 6240, 900);
    place(Label5, 120, 1200, 6465, 585);
    place(Label6, 120, 1920, 6465, 705);
    place(Label4, 360, 3240, 5415, 615);
    place(Label2, 960, 3960, 9840, 1455);
    for (int i = 1; i <= NoAnswer; ++i) {
        Option1[i] = new OptionButton(QString(), client());
        Option1[i]->setFont(style::times(20.25));
        controls::setTextColour(Option1[i], style::Yellow);
        answers_->addButton(Option1[i], i);
        if (i < NoAnswer) {
            place(Option1[i], 2400, 5400 + 600 * (i - 1), 6975, 525);
            connect(Option1[i], &QRadioButton::clicked, this, [this, i] { Option1_Click(i); });
        }
        // The buttons' own arrow keys move by geometry and would stop on the
        // hidden no-answer button; the quiz takes them itself.
        Option1[i]->installEventFilter(this);
    }
    Option1[NoAnswer]->resize(twips::rect(0, 0, 240, 240).size());
    // The picture box is made after the no-answer button so that it covers it.
    picture1_ = new PictureBox(client());
    place(picture1_, 6600, 120, 5280, 1770);
    Label3 = addEntries("Label3", kMultipleEntries, [this](int index) { Label3_Click(index); });
    Label3[Previous]->hide();
    controls::nameControls({{"Label1", Label1},
                            {"Label5", Label5},
                            {"Label6", Label6},
                            {"Label4", Label4},
                            {"Label2", Label2},
                            {"Picture1", picture1_}});
    controls::nameArray("Option1", Option1);
    // The keyboard starts each question on the no-answer button, so that
    // Space chooses nothing; Tab never comes back to a button nobody sees,
    // and a screen reader does not offer it. Marked before it is named:
    // naming it makes Qt keep its accessible face.
    Option1[NoAnswer]->setProperty(screen_accessible::Unseen, true);
    Option1[NoAnswer]->setAccessibleName(QStringLiteral("No answer"));
    setAccessibleName(QStringLiteral("Multiple Choice"));
}

void Multiple::open(Program& program, const QPixmap& picture, const QString& heading,
                    const QString& pictureDescription, bool pictureFillsBanner) {
    quiz_session::begin(program, picture, heading);
    program.state<QuizState>().pictureDescription = pictureDescription;
    program.state<QuizState>().pictureFillsBanner = pictureFillsBanner;
    ScreenRegistry& screens = program.screens();
    // A quiz always starts on a fresh screen at question 1.
    screens.unload(Id);
    screens.form<Multiple>().Show();
}

void Multiple::Form_Load() {
    SetUpForm();
    quiz_session::reset(program);
    const QuizState& quiz = program.state<QuizState>();
    picture1_->setScaling(quiz.pictureFillsBanner ? PictureBox::Scaling::Fill
                                                  : PictureBox::Scaling::Fit);
    picture1_->setPicture(quiz.picture);
    if (!quiz.pictureDescription.isEmpty())
        picture1_->setAccessibleName(quiz.pictureDescription);
    controls::showText(Label5, quiz.heading);
    Option1[NoAnswer]->move(picture1_->pos() + QPoint(twips::toPixels(240), twips::toPixels(240)));
    for (int i = 1; i < NoAnswer; ++i)
        controls::setBackColour(Option1[i], style::ScreenBack);
    controls::showText(Label6, program.state<QuizTables>().QuizTitle);
    showquest();
}

void Multiple::showquest() {
    const int n = program.state<QuizState>().CurrentQuestion;
    const QuizTables& t = program.state<QuizTables>();
    Option1[NoAnswer]->setChecked(true);
    Label3[Previous]->show();
    Label3[Next]->setText(kNext);
    Label4->setText(QStringLiteral("Question ") + QString::number(n));
    controls::showText(Label2, t.QuestionText[n]);
    controls::showText(Option1[1], t.ChoiceA[n]);
    controls::showText(Option1[2], t.ChoiceB[n]);
    controls::showText(Option1[3], t.ChoiceC[n]);
    controls::showText(Option1[4], t.ChoiceD[n]);
    if (n == 1)
        Label3[Previous]->hide();
    if (n == 10)
        Label3[Next]->setText(kCheck);
    if (isVisible())
        Option1[NoAnswer]->setFocus();
}

QStringList Multiple::readingOrder() const {
    QStringList words{spoken_text::of(Label4), spoken_text::of(Label2)};
    for (int i = 1; i < NoAnswer; ++i)
        words << QChar(u'A' + i - 1) + QStringLiteral(", ") + spoken_text::of(Option1[i]);
    return words;
}

std::array<QWidget*, 8> Multiple::tabStops() const {
    return {Option1[1],
            Option1[2],
            Option1[3],
            Option1[4],
            Label3[Next],
            Label3[Previous],
            Label3[PrintWorksheet],
            Label3[Exit]};
}

void Multiple::orderTabStops() {
    // The chain as Tab goes, for the tools that read it in this order.
    QWidget* previous = Option1[NoAnswer];
    for (QWidget* stop : tabStops()) {
        QWidget::setTabOrder(previous, stop);
        previous = stop;
    }
}

bool Multiple::focusNextPrevChild(bool next) {
    // Qt lets Tab reach only the chosen button of a group of option buttons,
    // which at the start of a question is the hidden one: the quiz keeps its
    // own round, with every answer in it.
    const auto stops = tabStops();
    const int count = int(stops.size());
    const auto at = std::find(stops.begin(), stops.end(), focusWidget());
    // From the no-answer button (or nowhere) Tab starts at A, Shift+Tab at
    // Exit.
    int k = at == stops.end() ? (next ? -1 : count) : int(at - stops.begin());
    for (int step = 0; step < count; ++step) {
        k = (k + (next ? 1 : count - 1)) % count;
        if (stops[k]->isVisibleTo(this) && stops[k]->isEnabled()) {
            stops[k]->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return true;
}

bool Multiple::chooseByKey(int key) {
    const int current = answers_->checkedId();
    int choice = 0;
    switch (key) {
    case Qt::Key_A:
    case Qt::Key_B:
    case Qt::Key_C:
    case Qt::Key_D:
        choice = 1 + key - Qt::Key_A;
        break;
    case Qt::Key_Down:
    case Qt::Key_Right:
        choice = current == NoAnswer ? 1 : std::min(current + 1, NoAnswer - 1);
        break;
    case Qt::Key_Up:
    case Qt::Key_Left:
        choice = current == NoAnswer ? NoAnswer - 1 : std::max(current - 1, 1);
        break;
    default:
        return false;
    }
    // As a click on the answer: it is chosen, the key sound plays, and the
    // keyboard stays on it with its focus mark.
    Option1[choice]->setFocus(Qt::TabFocusReason);
    Option1[choice]->click();
    return true;
}

bool Multiple::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier)
            return chooseByKey(key->key());
    }
    return Screen::eventFilter(watched, event);
}

void Multiple::keyPressEvent(QKeyEvent* event) {
    const bool plain =
        event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier;
    if (!(plain && chooseByKey(event->key())))
        Screen::keyPressEvent(event);
}

void Multiple::Option1_Click(int) {
    program.PlaySound(sounds::TypeKey);
}

void Multiple::Label3_Click(int index) {
    int& current = program.state<QuizState>().CurrentQuestion;
    switch (index) {
    case Previous:
        --current;
        showquest();
        break;
    case Next:
        quiz_session::mark(program, answers_->checkedId());
        ++current;
        if (current < 11)
            showquest();
        else
            endQuiz();
        break;
    case Exit:
        program.screens().unload(Id);
        break;
    case PrintWorksheet:
        Printpage();
        break;
    }
    program.PlaySound(sounds::Click);
}

void Multiple::Printpage() {
    const QuizTables& t = program.state<QuizTables>();
    // From the tables, not the labels, which show only what fits on screen.
    WorksheetPrint sheet{.heading = program.state<QuizState>().heading, .title = t.QuizTitle};
    for (int n = 1; n <= 10; ++n) {
        sheet.questions[n - 1] = t.QuestionText[n];
        sheet.answers[n - 1] = {t.ChoiceA[n], t.ChoiceB[n], t.ChoiceC[n], t.ChoiceD[n]};
    }
    print_service::printWorksheet(program, sheet);
}

void Multiple::endQuiz() {
    results::hand(program, quiz_session::finish(program));
    program.screens().unload(Id);
}

#include "moc_multiple.cpp"
