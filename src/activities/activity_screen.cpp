#include "activity_screen.h"

#include "controls.h"
#include "sounds_named.h"
#include "twips.h"

#include <QPainter>

namespace {
// An empty box: a thin border and nothing else, so the screen shows through.
class BoxLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override {
        QLabel::paintEvent(event);
        QPainter painter(this);
        painter.setPen(Qt::black);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
};

constexpr Place kButtons[] = {
    {10560, 7920, 1245, 495}, {3360, 7920, 2565, 495}, {6000, 7920, 2565, 495}};
const char* const kButtonCaptions[] = {"Exit", "Start Again", "Check Score"};
} // namespace

ActivityScreen::ActivityScreen(Program& program, ScreenId id, ActivityDesign design)
    : Screen(program, id),
      Label6(
          controls::label(client(), design.heading.text, controls::Yellow,
                          twips::font(QStringLiteral("Times New Roman"), design.heading.points))),
      design_(std::move(design)) {
    applyPlace(Label6, design_.heading.place);
    buildBoxesAndLabels();
    buildButtons();
}

void ActivityScreen::buildBoxesAndLabels() {
    const QFont font = twips::font(QStringLiteral("Tahoma"), design_.labelPoints, true);
    const float w = design_.labelWidth;
    const float h = design_.labelHeight;
    for (const ActivityItem& item : design_.items) {
        slots_.push_back({item.slotLeft, item.slotTop, w, h});
        homes_.push_back({});
        labels_.push_back({item.homeLeft, item.homeTop, w, h});
        auto* slot = new BoxLabel(item.text, client());
        slot->setFont(font);
        slot->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        slot->setWordWrap(true);
        controls::setTextColour(slot, controls::Yellow);
        controls::setBackColour(slot, Qt::black);
        slot->setAutoFillBackground(true);
        applyPlace(slot, slots_.back());
        Label1.push_back(slot);
        Label4.push_back(new BoxLabel(client()));
    }
    // Labels are made after every box so that a press on a label lying over
    // a box reaches the label.
    for (int i = 0; i < n(); ++i) {
        auto* label = new DragLabel(client(), font);
        applyPlace(label, labels_[i]);
        connect(label, &DragLabel::pressed, label, &QWidget::raise);
        connect(label, &DragLabel::moved, this,
                [this, i](Qt::MouseButtons b, float x, float y) { Label2_MouseMove(i, b, x, y); });
        connect(label, &DragLabel::released, this, [this, i] { Label2_MouseUp(i); });
        Label2.push_back(label);
    }
}

void ActivityScreen::buildButtons() {
    for (int i = 0; i < 3; ++i) {
        Label3[i] = controls::entry(client(), QString::fromUtf8(kButtonCaptions[i]));
        applyPlace(Label3[i], kButtons[i]);
        connect(Label3[i], &MenuEntry::clicked, this, [this, i] { Label3_Click(i); });
        addToMenuList(Label3[i]);
    }
    Label3[2]->hide();
}

void ActivityScreen::Form_Load() {
    SetUpForm();
    program.results.ScoreTotal = n();
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
        applyPlace(Label4[i], homes_[i]);
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
        Label3[2]->show();
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
    program.results.Score = 0;
    switch (index) {
    case 0:
        program.screens().unload(id());
        break;
    case 1:
        for (int i = 0; i < n(); ++i)
            setLabelPlace(i, homes_[i].left, homes_[i].top);
        Label3[2]->hide();
        break;
    case 2: {
        const auto labelIn = [this](int k, int m) {
            return drop_zone::liesIn(labels_[k], slots_[m]);
        };
        program.results.Score = design_.score(labelIn, n());
        program.results.ScoreTotal = n();
        program.screens().get(ScreenId::Welldone).Show();
        break;
    }
    }
    program.PlaySound(sounds::Click);
}

void ActivityScreen::setLabelPlace(int i, float left, float top) {
    labels_[i].left = left;
    labels_[i].top = top;
    applyPlace(Label2[i], labels_[i]);
}

void ActivityScreen::applyPlace(QWidget* control, const Place& place) {
    ::place(control, place.left, place.top, place.width, place.height);
}
