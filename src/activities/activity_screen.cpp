#include "activity_screen.h"

#include "results.h"
#include "sounds_named.h"
#include "style.h"

namespace {
const controls::EntryDesign kButtons[] = {
    {.index = ActivityScreen::Exit, .caption = "Exit", .place = {10560, 7920, 1245, 495}},
    {.index = ActivityScreen::StartAgain,
     .caption = "Start Again",
     .place = {3360, 7920, 2565, 495}},
    {.index = ActivityScreen::CheckScore,
     .caption = "Check Score",
     .place = {6000, 7920, 2565, 495}},
};
} // namespace

ActivityScreen::ActivityScreen(Program& program, ScreenId id, ActivityDesign design)
    : Screen(program, id), Label6(controls::label(client(), design.heading.text, style::Yellow,
                                                  style::times(design.heading.points))),
      design_(std::move(design)) {
    place(Label6, design_.heading.place);
    buildBoxesAndLabels();
    Label3 = addEntries(kButtons, [this](int index) { Label3_Click(index); });
    Label3[CheckScore]->hide();
}

void ActivityScreen::buildBoxesAndLabels() {
    const QFont font = style::tahomaBold(design_.labelPoints);
    const float w = design_.labelWidth;
    const float h = design_.labelHeight;
    for (const ActivityItem& item : design_.items) {
        slots_.push_back({item.slot.left, item.slot.top, w, h});
        homes_.push_back({});
        labels_.push_back({item.home.left, item.home.top, w, h});
        auto* slot = new BoxLabel(item.text, client());
        slot->setFont(font);
        slot->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        slot->setWordWrap(true);
        controls::setTextColour(slot, style::Yellow);
        controls::setBackColour(slot, Qt::black);
        slot->setAutoFillBackground(true);
        place(slot, slots_.back());
        Label1.push_back(slot);
        Label4.push_back(new BoxLabel(client()));
    }
    // Labels are made after every box so that a press on a label lying over
    // a box reaches the label.
    for (int i = 0; i < n(); ++i) {
        auto* label = new DragLabel(client(), font);
        place(label, labels_[i]);
        connect(label, &DragLabel::pressed, this, [this, i] { liftLabel(i); });
        connect(label, &DragLabel::moved, this,
                [this, i](Qt::MouseButtons b, float x, float y) { Label2_MouseMove(i, b, x, y); });
        connect(label, &DragLabel::released, this, [this, i] { Label2_MouseUp(i); });
        Label2.push_back(label);
    }
}

void ActivityScreen::liftLabel(int i) {
    // The pressed label rides above the pictures, texts and other labels,
    // but never above the buttons: a label dropped on "Exit" must not hide it.
    Label2[i]->raise();
    for (const auto& [index, button] : Label3)
        button->raise();
}

void ActivityScreen::Form_Load() {
    SetUpForm();
    // Nothing is scored before "Check Score": a score the quiz or another
    // activity left must not stand against this activity's total.
    Results& results = program.state<Results>();
    results.Score = 0;
    results.ScoreTotal = n();
    loadPictures();
    for (int i = 0; i < n(); ++i) {
        Label1[i]->hide();
        homes_[i].width = labels_[i].width;
        homes_[i].height = labels_[i].height;
    }
    for (int i = 0; i < n(); ++i) {
        Label2[i]->setText(Label1[i]->text());
        Label1[i]->clear();
        Label1[i]->setAutoFillBackground(false);
        Label1[i]->show();
        homes_[i].left = labels_[i].left;
        homes_[i].top = labels_[i].top;
        place(Label4[i], homes_[i]);
    }
}

void ActivityScreen::Label2_MouseMove(int index, Qt::MouseButtons buttons, float x, float y) {
    if (buttons != Qt::LeftButton)
        return;
    Place& label = labels_[index];
    setLabelPlace(index, label.left + x - label.width / 2, label.top + y - label.height / 2);
}

void ActivityScreen::Label2_MouseUp(int index) {
    // The screen's own N, not the shared total: nothing else may change how
    // many boxes this screen has.
    for (int j = 0; j < n(); ++j) {
        snapInto(index, slots_[j]);
        snapInto(index, homes_[j]);
    }
    if (labelsInSlots() == n())
        Label3[CheckScore]->show();
}

void ActivityScreen::snapInto(int i, const Place& box) {
    if (!drop_zone::hits(box, labels_[i].left, labels_[i].top))
        return;
    setLabelPlace(i, box.left, box.top);
    program.PlaySound(sounds::Thud);
}

int ActivityScreen::labelsInSlots() const {
    int count = 0;
    for (const Place& label : labels_) {
        for (const Place& slot : slots_)
            count += drop_zone::liesIn(label, slot);
    }
    return count;
}

void ActivityScreen::Label3_Click(int index) {
    Results& results = program.state<Results>();
    results.Score = 0;
    switch (index) {
    case Exit:
        program.screens().unload(id());
        break;
    case StartAgain:
        for (int i = 0; i < n(); ++i)
            setLabelPlace(i, homes_[i].left, homes_[i].top);
        Label3[CheckScore]->hide();
        break;
    case CheckScore: {
        const auto labelIn = [this](int k, int m) {
            return drop_zone::liesIn(labels_[k], slots_[m]);
        };
        results.Score = design_.score(labelIn, n());
        results.ScoreTotal = n();
        results.openedByQuiz = false;
        if (Screen* welldone = program.screens().get(ScreenId::Welldone))
            welldone->Show();
        break;
    }
    }
    program.PlaySound(sounds::Click);
}

void ActivityScreen::setLabelPlace(int i, float left, float top) {
    labels_[i].left = left;
    labels_[i].top = top;
    place(Label2[i], labels_[i]);
}
