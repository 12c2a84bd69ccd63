// What the four activity screens share: dragging, dropping and the buttons.
#include "activity_screen.h"

#include "results.h"
#include "sounds_named.h"
#include "spoken_text.h"
#include "style.h"

#include <QMouseEvent>
#include <algorithm>
#include <tuple>

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
    Label3 = addEntries("Label3", kButtons, [this](int index) { Label3_Click(index); });
    Label3[CheckScore]->hide();
    controls::nameControls({{"Label6", Label6}});
    controls::nameArray("Label1", Label1);
    controls::nameArray("Label2", Label2);
    controls::nameArray("Label4", Label4);
    for (int j = 0; j < n(); ++j) {
        Label1[j]->setAccessibleName(QStringLiteral("Answer box %1").arg(j + 1));
        Label4[j]->setAccessibleName(QStringLiteral("Starting box %1").arg(j + 1));
        Label2[j]->setAccessibleDescription(
            QStringLiteral("Enter picks it up, arrows move it, Enter puts it down"));
    }
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
        slot->installEventFilter(this);
        Label4.back()->installEventFilter(this);
    }
    // Labels are made after every box so that a press on a label lying over
    // a box reaches the label.
    for (int i = 0; i < n(); ++i) {
        auto* label = new DragLabel(client(), font);
        place(label, labels_[i]);
        label->installEventFilter(this);
        connect(label, &DragLabel::pressed, this, [this, i] {
            cancelCarry();
            liftLabel(i);
        });
        connect(label, &DragLabel::tapped, this, [this, i] { labelTapped(i); });
        // A drag is a placement of its own: a label chosen before it must
        // not jump into the next box tapped.
        connect(label, &DragLabel::dragStarted, this, [this] { choose(-1); });
        connect(label, &DragLabel::moved, this,
                [this, i](Qt::MouseButtons b, float x, float y) { Label2_MouseMove(i, b, x, y); });
        connect(label, &DragLabel::released, this, [this, i] { Label2_MouseUp(i); });
        label->setDestinations(
            {.names = [this] { return boxNames(); },
             .putIn = [this,
                       i](int k) { runGuarded([&] { dropAt(i, boxPlace(dropOrder_.at(k))); }); }});
        Label2.push_back(label);
    }
    client()->installEventFilter(this);
}

void ActivityScreen::liftLabel(int i) {
    // The pressed label rides above the pictures, texts and other labels,
    // but never above the buttons: a label dropped on "Exit" must not hide it.
    // It goes just under the lowest button rather than on top with the
    // buttons raised after it: buttons that move in the stack are repainted,
    // and a press would then redraw them all.
    const QObjectList& stack = client()->children();
    QWidget* lowest = nullptr;
    qsizetype lowestAt = stack.size();
    for (const auto& [index, button] : Label3) {
        const qsizetype at = stack.indexOf(button);
        if (at >= 0 && at < lowestAt) {
            lowestAt = at;
            lowest = button;
        }
    }
    if (lowest)
        Label2[i]->stackUnder(lowest);
    else
        Label2[i]->raise();
}

void ActivityScreen::open(const QString& heading) {
    Label6->setText(heading);
    nameAs(kind_);
    Show();
}

void ActivityScreen::nameAs(const QString& kind) {
    // Announced as it is shown: the heading on the screen, then the kind of
    // activity.
    kind_ = kind;
    setAccessibleName(Label6->text() + QStringLiteral(": ") + kind_);
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
        Label2[i]->setAccessibleDescription(QStringLiteral("In ") + Label4[i]->accessibleName());
    }
    orderDropBoxes();
}

QStringList ActivityScreen::readingOrder() const {
    QStringList words{spoken_text::of(Label6)};
    const auto ofTheActivity = [this](const QWidget* w) {
        for (const auto& [index, button] : Label3) {
            if (w == button)
                return true;
        }
        return w == Label6 || std::find(Label1.begin(), Label1.end(), w) != Label1.end() ||
               std::find(Label2.begin(), Label2.end(), w) != Label2.end() ||
               std::find(Label4.begin(), Label4.end(), w) != Label4.end();
    };
    words << spoken_text::inReadingOrder(client(), ofTheActivity);
    std::vector<int> labels(n());
    for (int i = 0; i < n(); ++i)
        labels[i] = i;
    std::stable_sort(labels.begin(), labels.end(), [this](int a, int b) {
        return std::tie(labels_[a].top, labels_[a].left) <
               std::tie(labels_[b].top, labels_[b].left);
    });
    for (const int i : labels)
        words << spoken_text::of(Label2[i]);
    for (const int box : dropOrder_) {
        if (box >= n())
            continue;
        QString holds = QStringLiteral("empty");
        for (int i = 0; i < n(); ++i) {
            if (drop_zone::liesIn(labels_[i], slots_[box]))
                holds = QStringLiteral("holding ") + spoken_text::of(Label2[i]);
        }
        words << spoken_text::of(Label1[box]) + QStringLiteral(", ") + holds;
    }
    return words;
}

void ActivityScreen::orderDropBoxes() {
    const auto reading = [this](int a, int b) {
        const Place& p = boxPlace(a);
        const Place& q = boxPlace(b);
        return std::tie(p.top, p.left, a) < std::tie(q.top, q.left, b);
    };
    std::vector<int> slots(n()), homes(n());
    for (int j = 0; j < n(); ++j) {
        slots[j] = j;
        homes[j] = n() + j;
    }
    std::sort(slots.begin(), slots.end(), reading);
    std::sort(homes.begin(), homes.end(), reading);
    dropOrder_ = slots;
    dropOrder_.insert(dropOrder_.end(), homes.begin(), homes.end());
}

void ActivityScreen::Label2_MouseMove(int index, Qt::MouseButtons buttons, float x, float y) {
    if (buttons != Qt::LeftButton)
        return;
    Place& label = labels_[index];
    setLabelPlace(index, label.left + x - label.width / 2, label.top + y - label.height / 2);
}

void ActivityScreen::dropAt(int i, const Place& box) {
    // The pointer on the box's centre holds the label's centre there too,
    // so the label's corner is the box's: the same for a drag, a key or a tap.
    setLabelPlace(i, box.left + box.width / 2 - labels_[i].width / 2,
                  box.top + box.height / 2 - labels_[i].height / 2);
    Label2_MouseUp(i);
}

void ActivityScreen::Label2_MouseUp(int index) {
    // The screen's own N, not the shared total: nothing else may change how
    // many boxes this screen has.
    for (int j = 0; j < n(); ++j) {
        snapInto(index, slots_[j], Label1[j]);
        snapInto(index, homes_[j], Label4[j]);
    }
    if (labelsInSlots() == n())
        Label3[CheckScore]->show();
}

void ActivityScreen::snapInto(int i, const Place& box, const QWidget* named) {
    if (!drop_zone::hits(box, labels_[i].left, labels_[i].top))
        return;
    setLabelPlace(i, box.left, box.top);
    // Said aloud to a pupil using a screen reader, as the thud is heard.
    Label2[i]->setAccessibleDescription(QStringLiteral("In ") + named->accessibleName());
    program.PlaySound(sounds::Thud);
}

QStringList ActivityScreen::boxNames() const {
    QStringList names;
    for (const int box : dropOrder_)
        names << (box < n() ? Label1[box] : Label4[box - n()])->accessibleName();
    return names;
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
    // A carried label goes back first: the buttons see the labels at rest.
    cancelCarry();
    choose(-1);
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
        results::hand(program, Results(design_.score(labelIn, n()), n()));
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

bool ActivityScreen::eventFilter(QObject* watched, QEvent* event) {
    // Events come while the screen is still being built: only what exists
    // is looked at.
    for (int i = 0; i < int(Label2.size()); ++i) {
        if (watched != Label2[i])
            continue;
        if (event->type() == QEvent::KeyPress)
            return labelKey(i, static_cast<QKeyEvent*>(event));
        // The keyboard went elsewhere: whatever it carried goes back.
        if (event->type() == QEvent::FocusOut && carried_ == i)
            cancelCarry();
        return false;
    }
    // A quick second tap arrives as a double-click; it is a tap all the same.
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonDblClick)
        return Screen::eventFilter(watched, event);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton || chosen_ < 0)
        return false;
    for (int j = 0; j < int(Label4.size()); ++j) {
        if (watched == Label1[j] || watched == Label4[j]) {
            boxTapped(watched == Label1[j] ? j : n() + j);
            return true;
        }
    }
    // A tap on the screen itself lets the chosen label go.
    if (watched == client())
        choose(-1);
    return false;
}

bool ActivityScreen::labelKey(int i, QKeyEvent* key) {
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return false;
    const bool act =
        key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Space;
    if (carried_ != i) {
        if (!act)
            return false;
        if (!key->isAutoRepeat())
            runGuarded([&] { pickUp(i); });
        return true;
    }
    const int boxes = int(dropOrder_.size());
    switch (key->key()) {
    case Qt::Key_Right:
    case Qt::Key_Down:
    case Qt::Key_Tab:
        carryTo((carryStep_ + 1) % boxes);
        return true;
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Backtab:
        carryTo((carryStep_ + boxes - 1) % boxes);
        return true;
    case Qt::Key_Escape:
        cancelCarry();
        return true;
    default:
        if (!act)
            return false;
        if (!key->isAutoRepeat())
            runGuarded([this] { putDown(); });
        return true;
    }
}

void ActivityScreen::pickUp(int i) {
    choose(-1);
    carried_ = i;
    carriedFrom_ = labels_[i];
    // It starts over the slot it lies in, or over the first slot.
    carryStep_ = 0;
    for (std::size_t step = 0; step < dropOrder_.size(); ++step) {
        const int box = dropOrder_[step];
        if (box < n() && drop_zone::liesIn(labels_[i], slots_[box]))
            carryStep_ = int(step);
    }
    liftLabel(i);
    Label2[i]->setLifted(true);
    carryTo(carryStep_);
}

void ActivityScreen::carryTo(int step) {
    carryStep_ = step;
    // Held a little up and to the left of the box, so the box shows beneath.
    const Place& box = boxPlace(dropOrder_[step]);
    const float lift = twips::fromPixels(4);
    setLabelPlace(carried_, box.left - lift, box.top - lift);
}

void ActivityScreen::putDown() {
    const int i = carried_;
    const Place& box = boxPlace(dropOrder_[carryStep_]);
    carried_ = -1;
    Label2[i]->setLifted(false);
    dropAt(i, box);
}

void ActivityScreen::cancelCarry() {
    if (carried_ < 0)
        return;
    const int i = carried_;
    carried_ = -1;
    Label2[i]->setLifted(false);
    setLabelPlace(i, carriedFrom_.left, carriedFrom_.top);
}

void ActivityScreen::labelTapped(int i) {
    // The tap has already snapped it as a click does; a second tap on the
    // same label lets it go again.
    choose(chosen_ == i ? -1 : i);
}

void ActivityScreen::boxTapped(int box) {
    const int i = chosen_;
    choose(-1);
    liftLabel(i);
    runGuarded([&] { dropAt(i, boxPlace(box)); });
}

void ActivityScreen::choose(int i) {
    if (chosen_ >= 0)
        Label2[chosen_]->setLifted(false);
    chosen_ = i;
    // Whether by mouse or finger, the pupil must see which label waits for
    // a box, or the next tap on a box moves a label they have forgotten.
    if (i >= 0)
        Label2[i]->setLifted(true);
}

#include "moc_activity_screen.cpp"
