// The review of wrong answers after a quiz.
#include "wrong.h"

#include "controls.h"
#include "results.h"
#include "style.h"

namespace {
const controls::EntryDesign kExit[] = {
    {.index = 1, .caption = "Exit", .place = {10560, 7920, 1245, 495}},
};
} // namespace

Wrong::Wrong(Program& program)
    : Screen(program, Id),
      Label6(controls::label(client(), QString(), style::Yellow, style::tahomaBold(20.25))),
      Label4(controls::label(
          client(), QStringLiteral("You answered the following questions incorrectly."),
          style::Yellow, style::tahomaBold(15.75), Qt::AlignLeft | Qt::AlignTop)),
      Label5(controls::label(client(), QStringLiteral("Read the Key Facts and try again."),
                             style::Yellow, style::tahomaBold(20.25))) {
    place(Label6, 0, 120, 12000, 540);
    place(Label4, 240, 960, 12000, 540);
    for (int k = 0; k < 10; ++k) {
        Label2[k] = controls::label(client(), QString(), style::White, style::tahomaBold(15.75),
                                    Qt::AlignLeft | Qt::AlignTop);
        Label2[k]->setWordWrap(false);
        place(Label2[k], 120, 1680 + 600 * k, 12000, 540);
        Label2[k]->hide();
    }
    // A screen reader reads the controls in the order they stand among their
    // siblings: the wrong questions first, then the advice under them.
    Label5->raise();
    place(Label5, 0, 7920, 12000, 540);
    // Made after the last line of advice, which it lies over, so it stays
    // clickable.
    Label3 = addEntries(
                 "Label3", kExit, [this](int) { Label3_Click(); }, Hover::Fixed)
                 .at(1);
    controls::nameControls({{"Label6", Label6}, {"Label4", Label4}, {"Label5", Label5}});
    controls::nameArray("Label2", Label2);
    setAccessibleName(QStringLiteral("Wrong answers"));
}

void Wrong::Form_Load() {
    SetUpForm();
    const Results& result = program.state<Results>();
    controls::showText(Label6, result.reviewTitle);
    for (int k = 0; k < result.wrongLines.size() && k < int(Label2.size()); ++k) {
        controls::showText(Label2[k], result.wrongLines[k]);
        Label2[k]->show();
    }
}

void Wrong::Label3_Click() {
    // The results screen beneath goes too: the review is its last step.
    program.screens().unload(ScreenId::Welldone);
    program.screens().unload(Id);
}

#include "moc_wrong.cpp"
