// The labelling, sorting and timeline activities as a pupil does them: by
// dragging, by keyboard, by tapping a label and then a box, and through a
// screen reader. Every way must end exactly as a drag would.
#include "activity_design.h"
#include "drop_zone.h"
#include "labelling.h"
#include "ordering.h"
#include "results.h"
#include "support/gui.h"
#include "support/program_fixture.h"
#include "testmain.h"
#include "twips.h"

#include <QAccessible>
#include <QDate>
#include <QRegularExpression>
#include <QTest>

namespace {
// The activities reach the results through the registry.
class ResultsStandIn : public Screen {
public:
    static constexpr ScreenId Id = ScreenId::Welldone;
    explicit ResultsStandIn(Program& p) : Screen(p, Id) {}
    void Form_Load() override { SetUpForm(); }
};

QPoint centre(const Place& p) {
    return QPoint(twips::toPixels(p.left + p.width / 2), twips::toPixels(p.top + p.height / 2));
}
bool samePlace(const Place& a, const Place& b) {
    return a.left == b.left && a.top == b.top;
}
// Label i dragged until the pointer is on `to`, a point of the client area.
void dragLabel(ActivityScreen& s, int i, QPoint to) {
    gui::drag(s.Label2[i], s.client(), to);
}
void tap(QWidget* w) {
    gui::click(w, w->rect().center());
}
} // namespace

class ActivitiesTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ProgramFixture> f;

    Results& results() { return f->program->state<Results>(); }
    QWidget* focus() { return f->program->screens().stage().focusWidget(); }
    void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::keyClick(focus(), k, m);
    }
    // Focus events, and so the keyboard, come only to an active window.
    template <class T> T& open() {
        Stage& stage = f->program->screens().stage();
        stage.show();
        stage.activateWindow();
        if (!QTest::qWaitForWindowActive(&stage))
            qFatal("the stage never became active");
        auto& screen = f->program->screens().form<T>();
        screen.Show();
        return screen;
    }
    // Carries label i by keyboard to the box `steps` stops along, and drops it.
    void carry(ActivityScreen& s, int i, int steps) {
        s.Label2[i]->setFocus(Qt::TabFocusReason);
        key(Qt::Key_Return);
        for (int k = 0; k < steps; ++k)
            key(Qt::Key_Tab);
        key(Qt::Key_Space);
    }

private Q_SLOTS:
    void init() {
        f = std::make_unique<ProgramFixture>();
        f->program->screens().define<ResultsStandIn>();
        f->program->shell.SoundOn = 1;
    }
    void cleanup() { f.reset(); }

    // A label's corner in a box's zone snaps it in; the zone is the box
    // widened by half its width to the left and half its height upwards,
    // and its edges are outside.
    void dropZonesAndScoringRules() {
        const Place box{3000, 1000, 2000, 400};
        const std::tuple<float, float, bool> corners[] = {
            {2000, 1000, false}, {2001, 1000, true},   {5000, 1000, false}, {4999, 1000, true},
            {3000, 800, false},  {3000, 800.5f, true}, {3000, 1400, false}, {3000, 1399, true}};
        for (const auto& [left, top, hit] : corners)
            QVERIFY2(drop_zone::hits(box, left, top) == hit, qPrintable(QString::number(left)));
        QVERIFY(drop_zone::liesIn({3000, 1000, 10, 10}, box));
        QVERIFY(!drop_zone::liesIn({3001, 1000, 2000, 400}, box));
        QVERIFY(!drop_zone::liesIn({3000, 1000.5f, 2000, 400}, box));
        // Label k in slot where[k]; the sorting counts a sentence in its
        // column (slots 0-3 true, 4-7 false).
        const auto score = [](std::vector<int> where) {
            const auto in = [where](int k, int m) { return where[k] == m; };
            return std::pair{scoring::ownSlot(in, 8), scoring::sameColumn(in, 8)};
        };
        QCOMPARE(score({0, 1, 2, 3, 4, 5, 6, 7}), std::pair(8, 8));
        QCOMPARE(score({3, 2, 1, 0, 7, 6, 5, 4}), std::pair(0, 8));
        QCOMPARE(score({1, 2, 3, 4, 5, 6, 7, 0}), std::pair(0, 6));
        QCOMPARE(score({0, 1, 2, 3, 4, 4, 6, 7}), std::pair(7, 8));
        QCOMPARE(score(std::vector<int>(8, -1)), std::pair(0, 0));
    }

    void aPupilDragsLabelsIntoTheBoxes() {
        // As a quiz of ten questions left it: seven right.
        results() = {7, 10, true};
        auto& s = open<RationingLab>();
        QCOMPARE(results().ScoreTotal, 4);
        QCOMPARE(results().Score, 0);
        // Any release drops, the right button's too: here back into its home
        // box.
        const Place home = s.labelPlace(0);
        s.Label2_MouseMove(0, Qt::LeftButton, 3000, 3000);
        QCOMPARE(s.labelPlace(0).left, home.left + 3000 - home.width / 2);
        s.setLabelPlace(0, home.left + 10, home.top + 10);
        QTest::mousePress(s.Label2[0], Qt::RightButton, {}, QPoint(3, 3));
        QTest::mouseRelease(s.Label2[0], Qt::RightButton, {}, QPoint(3, 3));
        QVERIFY(samePlace(s.labelPlace(0), home));
        QCOMPARE(f->sound->played, QStringList{heard::Thud});
        dragLabel(s, 1, centre(s.slotPlace(1)));
        QCOMPARE(s.Label2[1]->geometry(), s.Label1[1]->geometry());
        QCOMPARE(f->sound->played.size(), 2);
        // Let go outside every zone, it stays there, silently.
        dragLabel(s, 0, QPoint(-40, -40));
        QVERIFY(s.labelPlace(0).left < 0);
        QCOMPARE(f->sound->played.size(), 2);
        // Slot 1 (5280, 4080) and home box 3 (5280, 6480) are far apart: a
        // label let go in slot 1's zone snaps there once.
        s.setLabelPlace(2, 5280 - 700, 4080 - 200);
        s.Label2_MouseUp(2);
        QCOMPARE(s.labelPlace(2).left, 5280.f);
        QCOMPARE(f->sound->played.size(), 3);
        gui::click(s.Label3[ActivityScreen::StartAgain]);
        QCOMPARE(s.Label2[0]->geometry(), s.Label4[0]->geometry());
    }

    void checkScoreCountsTheLabelsWhereTheyRest() {
        auto& s = open<RationingLab>();
        for (int i = 0; i < 3; ++i)
            dragLabel(s, i, centre(s.slotPlace(i)));
        QVERIFY(s.Label3[ActivityScreen::CheckScore]->isHidden());
        // The last label shares a slot: both count, an empty slot or not.
        dragLabel(s, 3, centre(s.slotPlace(0)));
        QVERIFY(!s.Label3[ActivityScreen::CheckScore]->isHidden());
        dragLabel(s, 1, QPoint(20, 20));
        gui::click(s.Label3[ActivityScreen::CheckScore]);
        QCOMPARE(results().Score, 2);
        QCOMPARE(results().ScoreTotal, 4);
        QVERIFY(f->program->screens().isShowing(ScreenId::Welldone));
        QVERIFY(f->program->screens().isLoaded(RationingLab::Id));
        QCOMPARE(f->sound->played.last(), heard::Click);
    }

    // As a history teacher would check it: the dates run down the line in
    // order, and each event's answer slot lies beside its date.
    void theTimelineIsRightAndScoresOnlyTheRightOrder() {
        const QMap<QString, QDate> when = {
            {QStringLiteral("Germany invades Poland"), QDate(1939, 9, 1)},
            {QStringLiteral("Churchill becomes British Prime Minister"), QDate(1940, 5, 10)},
            {QStringLiteral("Start of the Battle of Britain"), QDate(1940, 7, 10)},
            {QStringLiteral("Japanese attack on Pearl Harbour"), QDate(1941, 12, 7)},
            {QStringLiteral("Hitler commits suicide"), QDate(1945, 4, 30)},
            {QStringLiteral("Atomic bomb dropped on Hiroshima"), QDate(1945, 8, 6)},
            {QStringLiteral("Atomic bomb dropped on Nagasaki"), QDate(1945, 8, 9)},
            {QStringLiteral("Japanese surrender"), QDate(1945, 8, 15)}};
        auto& s = open<ProgressOrd>();
        const auto dateOf = [](QString text) {
            text.remove(QRegularExpression(QStringLiteral("(?<=\\d)(st|nd|rd|th)")));
            return QDate::fromString(text, QStringLiteral("d MMMM yyyy"));
        };
        for (int d = 1; d < 8; ++d)
            QVERIFY(dateOf(s.Label5[d]->text()) > dateOf(s.Label5[d - 1]->text()));
        for (int i = 0; i < 8; ++i) {
            const auto beside = std::find_if(s.Label5.begin(), s.Label5.end(), [&](QLabel* date) {
                const float below = twips::fromPixels(date->y()) - s.slotPlace(i).top;
                return below >= 90 && below <= 120;
            });
            QVERIFY2(beside != s.Label5.end(), qPrintable(s.Label2[i]->text()));
            QCOMPARE(dateOf((*beside)->text()), when.value(s.Label2[i]->text()));
        }
        // A label dropped on a button never hides it, though it still rides
        // above the timeline's texts and pictures.
        for (int i = 0; i < 8; ++i)
            dragLabel(s, i, centre(s.slotPlace(i)));
        for (int b :
             {ActivityScreen::CheckScore, ActivityScreen::Exit, ActivityScreen::StartAgain}) {
            MenuEntry* button = s.Label3[b];
            dragLabel(s, b == ActivityScreen::Exit ? 0 : 1, button->geometry().center());
            QCOMPARE(s.client()->childAt(button->geometry().center()), button);
        }
        dragLabel(s, 2, s.Label8->geometry().center());
        QCOMPARE(s.client()->childAt(s.Label8->geometry().center()), s.Label2[2]);
        // Every event one box down scores nothing.
        const int byDate[] = {1, 3, 0, 4, 6, 2, 5, 7};
        for (int d = 0; d < 8; ++d) {
            const Place& below = s.slotPlace(byDate[(d + 1) % 8]);
            s.setLabelPlace(byDate[d], below.left, below.top);
        }
        s.Label2_MouseUp(0);
        s.Label3_Click(ActivityScreen::CheckScore);
        QCOMPARE(results().Score, 0);
        QCOMPARE(results().ScoreTotal, 8);
    }

    void keyDropsLandAsMouseDropsAtTheCentre() {
        auto& lab = open<RationingLab>();
        // Slots by height on the screen, then the home row left to right.
        QCOMPARE(lab.dropOrder(), (std::vector<int>{0, 2, 1, 3, 6, 4, 5, 7}));
        // Two columns of slots: each row's left slot first.
        auto& sort = open<RationingOrd>();
        QCOMPARE(std::vector<int>(sort.dropOrder().begin(), sort.dropOrder().begin() + 8),
                 (std::vector<int>{4, 2, 5, 1, 6, 0, 7, 3}));
        for (ActivityScreen* s :
             std::initializer_list<ActivityScreen*>{&lab, &open<ProgressOrd>()}) {
            s->Show();
            for (int i = 0; i < s->n(); ++i) {
                for (std::size_t step = 0; step < s->dropOrder().size(); ++step) {
                    const int box = s->dropOrder()[step];
                    s->Label3_Click(ActivityScreen::StartAgain);
                    f->sound->played.clear();
                    carry(*s, i, int(step));
                    const Place byKey = s->labelPlace(i);
                    const QStringList heardByKey = f->sound->played;
                    QVERIFY(s->carriedLabel() < 0 && !s->Label2[i]->isLifted());
                    s->Label3_Click(ActivityScreen::StartAgain);
                    f->sound->played.clear();
                    dragLabel(*s, i, centre(s->boxPlace(box)));
                    QVERIFY(samePlace(byKey, s->labelPlace(i)));
                    QVERIFY(samePlace(byKey, s->boxPlace(box)));
                    QCOMPARE(heardByKey, f->sound->played);
                    QVERIFY(!heardByKey.isEmpty());
                }
            }
        }
    }

    void aCarriedLabelIsLiftedAndMovesBoxToBox() {
        auto& s = open<RationingLab>();
        s.Label2[1]->setFocus(Qt::TabFocusReason);
        key(Qt::Key_Space);
        QCOMPARE(s.carriedLabel(), 1);
        QVERIFY(s.Label2[1]->isLifted());
        // It starts over the first slot, and rides above the other labels.
        QCOMPARE(s.carriedOver(), s.dropOrder()[0]);
        const QObjectList& order = s.client()->children();
        QVERIFY(order.indexOf(s.Label2[1]) > order.indexOf(s.Label2[3]));
        // Right and Down, Tab too, go on a box; Left and Up, Backtab too,
        // go back, round from the first box to the last.
        const int last = int(s.dropOrder().size()) - 1;
        for (const auto& [k, step] : {std::pair{Qt::Key_Right, 1},
                                      {Qt::Key_Down, 2},
                                      {Qt::Key_Tab, 3},
                                      {Qt::Key_Backtab, 2},
                                      {Qt::Key_Left, 1},
                                      {Qt::Key_Up, 0},
                                      {Qt::Key_Left, last}}) {
            key(k, k == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
            QCOMPARE(s.carriedOver(), s.dropOrder()[step]);
        }
        // The keyboard stayed with the label all along, and Escape puts it
        // back where it was, silently.
        QCOMPARE(focus(), s.Label2[1]);
        key(Qt::Key_Escape);
        QCOMPARE(s.Label2[1]->geometry(), twips::rect(s.homePlace(1)));
        QVERIFY(!s.Label2[1]->isLifted() && s.carriedLabel() == -1);
        QVERIFY(f->sound->played.isEmpty());
        // From a slot, a new carry starts over that slot.
        carry(s, 1, 2);
        QTest::keyClick(focus(), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(s.carriedOver(), s.dropOrder()[2]);
        // The keyboard leaving puts the label back.
        key(Qt::Key_Right);
        s.Label2[0]->setFocus(Qt::OtherFocusReason);
        QCOMPARE(s.carriedLabel(), -1);
        QVERIFY(samePlace(s.labelPlace(1), s.slotPlace(s.dropOrder()[2])));
        // Every label in a slot, one lifted out again: the score counts it
        // where it rests, not where it hovers.
        const auto& boxes = s.dropOrder();
        for (int i : {0, 2, 3})
            carry(s, i, int(std::find(boxes.begin(), boxes.end(), i) - boxes.begin()));
        s.Label2[3]->setFocus(Qt::TabFocusReason);
        key(Qt::Key_Space);
        key(Qt::Key_Right);
        gui::click(s.Label3[ActivityScreen::CheckScore]);
        QCOMPARE(results().Score, 4);
    }

    void tapThenTapPlacesAsADrag() {
        auto& s = open<RationingOrd>();
        // Each sentence in the right column, none in its own slot.
        const int order[] = {3, 0, 2, 1, 6, 7, 5, 4};
        for (int i = 0; i < 8; ++i) {
            f->sound->played.clear();
            // The tap itself snaps the label again, as a click always has.
            tap(s.Label2[i]);
            QVERIFY(s.chosenLabel() == i && s.Label2[i]->isLifted());
            tap(s.Label1[order[i]]);
            QVERIFY(s.chosenLabel() == -1 && !s.Label2[i]->isLifted());
            QVERIFY(samePlace(s.labelPlace(i), s.slotPlace(order[i])));
            QCOMPARE(f->sound->played, (QStringList{heard::Thud, heard::Thud}));
        }
        s.Label3_Click(ActivityScreen::CheckScore);
        QCOMPARE(results().Score, 8);
    }

    // A choice is let go by a drag, a tap on the screen or on the label
    // again.
    void aTapElsewhereOrADragLetsTheChoiceGo() {
        auto& s = open<RationingLab>();
        const Place home = s.labelPlace(1);
        tap(s.Label2[1]);
        dragLabel(s, 2, centre(s.slotPlace(2)));
        QVERIFY(s.chosenLabel() == -1 && !s.Label2[1]->isLifted());
        tap(s.Label1[3]);
        QVERIFY(samePlace(s.labelPlace(1), home));
        tap(s.Label2[1]);
        gui::click(s.client(), QPoint(3, 3));
        QVERIFY(s.chosenLabel() == -1 && !s.Label2[1]->isLifted());
        tap(s.Label2[1]);
        tap(s.Label2[1]);
        QCOMPARE(s.chosenLabel(), -1);
        // A drag chooses nothing.
        dragLabel(s, 1, centre(s.slotPlace(2)));
        QCOMPARE(s.chosenLabel(), -1);
        tap(s.Label1[0]);
        QVERIFY(samePlace(s.labelPlace(1), s.slotPlace(2)));
        // A home box takes a tapped label as a slot does.
        tap(s.Label2[1]);
        tap(s.Label4[1]);
        QVERIFY(samePlace(s.labelPlace(1), s.homePlace(1)));
    }

    // A pupil with a screen reader does the whole activity through the
    // labels' actions, each named by the box it puts the label in, and hears
    // where each label now lies.
    void theLabellingCanBeDoneThroughAScreenReader() {
        auto& s = open<RationingLab>();
        for (int i = 0; i < 4; ++i) {
            QAccessibleInterface* label = QAccessible::queryAccessibleInterface(s.Label2[i]);
            QVERIFY(label->text(QAccessible::Description)
                        .startsWith(QStringLiteral("In Starting box")));
            auto* actions = label->actionInterface();
            QVERIFY(s.Label1[i]->accessibleName().startsWith("Answer box for the picture of "));
            const QString own = drag_label_accessible::actionFor(s.Label1[i]->accessibleName());
            QVERIFY(actions->actionNames().contains(own));
            QCOMPARE(actions->actionNames().size(), 8);
            actions->doAction(own);
            QVERIFY(samePlace(s.labelPlace(i), s.slotPlace(i)));
            QCOMPARE(label->text(QAccessible::Description),
                     QStringLiteral("In ") + s.Label1[i]->accessibleName());
        }
        QVERIFY(!s.Label3[ActivityScreen::CheckScore]->isHidden());
    }
};

OSTERVALE_TEST(ActivitiesTest)
#include "test_activities.moc"
