// The results screen ("Well Done!") after a quiz or an activity.
#include "welldone.h"

#include "print_service.h"
#include "quiz_rules.h"
#include "results.h"
#include "sounds_named.h"
#include "style.h"
#include "wrong.h"

#include <QFontMetricsF>

namespace {
const QString kCancelled = QStringLiteral("Printing has been cancelled.");

const controls::EntryDesign kWelldoneEntries[] = {
    {.index = Welldone::ReviewOrCertificate, .caption = "", .place = {240, 1800, 3765, 495}},
    {.index = Welldone::Exit, .caption = "Exit", .place = {10560, 7920, 1245, 495}},
};

// A stopped timer; each handler of the sequence stops its own and starts
// the next, so every one fires once per showing.
QTimer* stepTimer(QObject* parent, int interval) {
    auto* timer = new QTimer(parent);
    timer->setInterval(interval);
    return timer;
}
} // namespace

Welldone::Welldone(Program& program)
    : Screen(program, Id), Label4(controls::label(client(), QStringLiteral("Well Done!"),
                                                  style::Yellow, style::tahomaBold(36))),
      Label1(controls::label(client(), QString(), style::Yellow, style::times(24))),
      Label5(controls::label(client(), QString(), style::Yellow, style::times(24))),
      Label6(controls::label(client(), QStringLiteral("Read the Key Facts and try again."),
                             style::Yellow, style::times(24))),
      Label2(controls::label(client(),
                             QStringLiteral("Enter your name in the box above before printing "
                                            "your certificate"),
                             style::Yellow, style::times(18))),
      Text1(new TextBox(client(), 25)), Timer1(stepTimer(this, 1)), Timer2(stepTimer(this, 10)),
      Timer3(stepTimer(this, 1)), picture1_(new PictureBox(client())) {
    place(Label4, 0, 120, 12000, 900);
    place(picture1_, 5880, 1440, 4800, 3600);
    place(Label1, 0, 5400, 12000, 855);
    place(Label5, 1680, 6000, 8640, 1335);
    place(Label6, 0, 6240, 12000, 855);
    place(Text1, 3120, 6600, 5760, 615);
    place(Label2, 3120, 7440, 5775, 855);
    Label5->hide();
    Text1->setFont(style::times(24));
    Text1->hide();
    // The name box lies under the hint line's empty area; it must take the
    // pupil's clicks, so it sits above the labels.
    Text1->raise();
    Label2->hide();
    Label3 = addEntries("Label3", kWelldoneEntries, [this](int index) { Label3_Click(index); });
    Label3[ReviewOrCertificate]->hide();
    controls::nameControls({{"Label4", Label4},
                            {"Label1", Label1},
                            {"Label5", Label5},
                            {"Label6", Label6},
                            {"Label2", Label2},
                            {"Text1", Text1},
                            {"Picture1", picture1_}});
    Text1->setAccessibleName(QStringLiteral("Your name"));
    setAccessibleName(QStringLiteral("Results"));
    onTimeout(Timer1, [this] { Timer1_Timer(); });
    onTimeout(Timer2, [this] { Timer2_Timer(); });
    onTimeout(Timer3, [this] { Timer3_Timer(); });
}

void Welldone::Form_Load() {
    SetUpForm();
    const Results& results = program.state<Results>();
    const int score = results.Score;
    const int total = results.ScoreTotal;
    Label1->setText(quiz_rules::scoreLine(score, total));
    fullMarks_ = quiz_rules::band(score, total) == quiz_rules::Band::FullMarks;
    if (fullMarks_) {
        Label6->hide();
        Label3[ReviewOrCertificate]->show();
        Label3[ReviewOrCertificate]->setText(QStringLiteral("Print Certificate"));
        Text1->show();
        Label2->show();
    } else {
        Label5->setText(QStringLiteral(
            "Click the button above to check which questions you answered incorrectly."));
        Label3[ReviewOrCertificate]->setText(QStringLiteral("Check Wrong Answers"));
    }
    if (results.openedByQuiz) {
        // After a quiz the hint and the first entry take the advice's place.
        Label6->hide();
        Label5->show();
        Label3[ReviewOrCertificate]->show();
    }
    Timer1->start();
}

void Welldone::Timer1_Timer() {
    Timer1->stop();
    Timer2->start();
}

void Welldone::Timer2_Timer() {
    if (!Text1->isHidden())
        Text1->setFocus();
    Timer2->stop();
    Label3[ReviewOrCertificate]->setOpaque(true);
    Label3[Exit]->setOpaque(true);
    Timer3->start();
}

void Welldone::Timer3_Timer() {
    program.random().seedFromClock();
    if (program.shell.SoundOn == 1) {
        if (const auto sound =
                quiz_rules::celebrationSound(program.state<Results>().Score, program.random()))
            program.PlaySound(*sound);
    }
    Timer3->stop();
}

void Welldone::Printpage() {
    const Results& results = program.state<Results>();
    const QString& heading = results.ResultHeading;
    print_service::printCertificate(
        program, {.heading = heading,
                  .headingWidthOnScreen =
                      float(QFontMetricsF(font()).horizontalAdvance(heading)) * twips::perPixel(),
                  .name = Text1->text(),
                  .score = results.Score,
                  .total = results.ScoreTotal});
}

void Welldone::Label3_Click(int index) {
    ScreenRegistry& screens = program.screens();
    if (index == ReviewOrCertificate) {
        if (fullMarks_) {
            // The printout reports how it went itself; no click follows.
            runGuarded([this] { Printpage(); }, [this] { program.messages().tell(kCancelled); });
            return;
        }
        screens.form<Wrong>().Show();
    } else {
        screens.unload(Wrong::Id);
        screens.unload(Id);
    }
    program.PlaySound(sounds::Click);
}

#include "moc_welldone.cpp"
