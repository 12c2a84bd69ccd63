#include "activity_tests.h"
#include "labelling.h"
#include "ordering.h"
#include "results.h"
#include "testmain.h"

#include <QPointingDevice>

using namespace activity_tests;

// Placing labels without dragging: carried by keyboard, or tapped and then
// tapped into a box. Both must end exactly as a drag would.
class ActivityKeysTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ProgramFixture> f;

    template <class T> T& open() { return openActivity<T>(*f); }
    QWidget* focus() { return f->program->screens().stage().focusWidget(); }
    void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::keyClick(focus(), k, m);
    }
    static void tap(QWidget* w) { gui::click(w, w->rect().center()); }

    // Carries label i by keyboard to the box `steps` stops along, and drops it.
    void carry(ActivityScreen& s, int i, int steps) {
        s.Label2[i]->setFocus(Qt::TabFocusReason);
        key(Qt::Key_Return);
        for (int k = 0; k < steps; ++k)
            key(Qt::Key_Tab);
        key(Qt::Key_Space);
    }

private Q_SLOTS:
    void init() { f = activityFixture(); }
    void cleanup() { f.reset(); }

    void boxesAreVisitedSlotsFirstInReadingOrder() {
        auto& lab = open<RationingLab>();
        // Slots by height on the screen, then the home row left to right.
        QCOMPARE(lab.dropOrder(), (std::vector<int>{0, 2, 1, 3, 6, 4, 5, 7}));
        auto& sort = open<RationingOrd>();
        // Two columns of slots: each row's left slot first.
        QCOMPARE(std::vector<int>(sort.dropOrder().begin(), sort.dropOrder().begin() + 8),
                 (std::vector<int>{4, 2, 5, 1, 6, 0, 7, 3}));
    }

    void keyDropsLandAsMouseDropsAtTheCentre_data() {
        QTest::addColumn<bool>("timeline");
        QTest::newRow("labelling") << false;
        QTest::newRow("timeline") << true;
    }
    void keyDropsLandAsMouseDropsAtTheCentre() {
        QFETCH(bool, timeline);
        ActivityScreen& s =
            timeline ? static_cast<ActivityScreen&>(open<ProgressOrd>()) : open<RationingLab>();
        for (int i = 0; i < s.n(); ++i) {
            for (std::size_t step = 0; step < s.dropOrder().size(); ++step) {
                const int box = s.dropOrder()[step];
                s.Label3_Click(ActivityScreen::StartAgain);
                f->sound->played.clear();
                carry(s, i, int(step));
                const Place byKey = s.labelPlace(i);
                const QStringList heardByKey = f->sound->played;
                QVERIFY(s.carriedLabel() < 0 && !s.Label2[i]->isLifted());

                s.Label3_Click(ActivityScreen::StartAgain);
                f->sound->played.clear();
                dragLabel(s, i, centre(s.boxPlace(box)));
                const QString where = QStringLiteral("label %1 box %2").arg(i).arg(box);
                QVERIFY2(samePlace(byKey, s.labelPlace(i)), qPrintable(where));
                QVERIFY2(samePlace(byKey, s.boxPlace(box)), qPrintable(where));
                QCOMPARE(heardByKey, f->sound->played);
                QVERIFY(!heardByKey.isEmpty());
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
        // The keyboard stayed with the label all along.
        QCOMPARE(focus(), s.Label2[1]);
        QVERIFY(f->sound->played.isEmpty());
        // From a slot, a new carry starts over that slot.
        for (int k = 0; k < 4; ++k)
            key(Qt::Key_Left);
        const int slot = s.carriedOver();
        QVERIFY(slot < s.n());
        key(Qt::Key_Return);
        key(Qt::Key_Return);
        QCOMPARE(s.carriedOver(), slot);
    }

    void escapePutsTheLabelBack() {
        auto& s = open<RationingLab>();
        carry(s, 2, 1);
        const Place placed = s.labelPlace(2);
        f->sound->played.clear();
        key(Qt::Key_Enter, Qt::KeypadModifier);
        key(Qt::Key_Right);
        key(Qt::Key_Right);
        QVERIFY(!samePlace(s.labelPlace(2), placed));
        key(Qt::Key_Escape);
        QVERIFY(samePlace(s.labelPlace(2), placed));
        QCOMPARE(s.Label2[2]->geometry(), twips::rect(placed));
        QVERIFY(!s.Label2[2]->isLifted());
        QCOMPARE(s.carriedLabel(), -1);
        QVERIFY(f->sound->played.isEmpty());
        // Escape with nothing carried does nothing.
        key(Qt::Key_Escape);
        QVERIFY(samePlace(s.labelPlace(2), placed));
    }

    void theKeyboardLeavingOrAButtonPutsTheLabelBack() {
        auto& s = open<RationingLab>();
        const Place home = s.labelPlace(0);
        s.Label2[0]->setFocus(Qt::TabFocusReason);
        key(Qt::Key_Space);
        s.Label2[1]->setFocus(Qt::OtherFocusReason);
        QCOMPARE(s.carriedLabel(), -1);
        QVERIFY(samePlace(s.labelPlace(0), home));
        // Every label in a slot, one lifted out again: the score counts it
        // where it rests, not where it hovers.
        const auto& boxes = s.dropOrder();
        for (int i = 0; i < 4; ++i)
            carry(s, i, int(std::find(boxes.begin(), boxes.end(), i) - boxes.begin()));
        QVERIFY(!s.Label3[ActivityScreen::CheckScore]->isHidden());
        s.Label2[3]->setFocus(Qt::TabFocusReason);
        key(Qt::Key_Space);
        key(Qt::Key_Right);
        gui::click(s.Label3[ActivityScreen::CheckScore]);
        QCOMPARE(f->program->state<Results>().Score, 4);
    }

    void tapThenTapScoresAsADrag() {
        auto& s = open<RationingOrd>();
        // Each sentence in the right column, none in its own slot.
        const int order[] = {3, 0, 2, 1, 6, 7, 5, 4};
        for (int i = 0; i < 8; ++i) {
            f->sound->played.clear();
            tap(s.Label2[i]);
            // The tap itself snaps the label again, as a click always has.
            QCOMPARE(f->sound->played, QStringList{heard::Thud});
            QCOMPARE(s.chosenLabel(), i);
            QVERIFY(s.Label2[i]->isLifted());
            tap(s.Label1[order[i]]);
            QCOMPARE(s.chosenLabel(), -1);
            QVERIFY(!s.Label2[i]->isLifted());
            QVERIFY(samePlace(s.labelPlace(i), s.slotPlace(order[i])));
            QCOMPARE(f->sound->played, (QStringList{heard::Thud, heard::Thud}));
        }
        QVERIFY(!s.Label3[ActivityScreen::CheckScore]->isHidden());
        s.Label3_Click(ActivityScreen::CheckScore);
        QCOMPARE(f->program->state<Results>().Score, 8);
    }

    void aTapElsewhereOrADragLetsTheChoiceGo() {
        auto& s = open<RationingLab>();
        const Place home = s.labelPlace(1);
        // Milk chosen, then Sugar dragged into its box: the empty meat box
        // tapped next takes nothing, and Milk no longer looks chosen.
        tap(s.Label2[1]);
        dragLabel(s, 2, centre(s.slotPlace(2)));
        QVERIFY(samePlace(s.labelPlace(2), s.slotPlace(2)));
        QCOMPARE(s.chosenLabel(), -1);
        QVERIFY(!s.Label2[1]->isLifted());
        tap(s.Label1[3]);
        QVERIFY(samePlace(s.labelPlace(1), home));
        // Dragging the chosen label itself lets the choice go too.
        tap(s.Label2[2]);
        dragLabel(s, 2, centre(s.homePlace(2)));
        QCOMPARE(s.chosenLabel(), -1);
        QVERIFY(!s.Label2[2]->isLifted());
        tap(s.Label2[1]);
        gui::click(s.client(), QPoint(3, 3));
        QCOMPARE(s.chosenLabel(), -1);
        QVERIFY(!s.Label2[1]->isLifted());
        tap(s.Label1[1]);
        QVERIFY(samePlace(s.labelPlace(1), home));
        // A second tap on the chosen label lets it go too.
        tap(s.Label2[1]);
        tap(s.Label2[1]);
        QCOMPARE(s.chosenLabel(), -1);
        // A drag chooses nothing.
        dragLabel(s, 1, centre(s.slotPlace(2)));
        QCOMPARE(s.chosenLabel(), -1);
        f->sound->played.clear();
        tap(s.Label1[0]);
        QVERIFY(samePlace(s.labelPlace(1), s.slotPlace(2)));
        QVERIFY(f->sound->played.isEmpty());
        // A home box takes a tapped label as a slot does.
        tap(s.Label2[1]);
        tap(s.Label4[1]);
        QVERIFY(samePlace(s.labelPlace(1), s.homePlace(1)));
    }

    void aFingersChoiceIsShown() {
        auto& s = open<RationingLab>();
        // The test's own device, gone with the test.
        const std::unique_ptr<QPointingDevice> device(QTest::createTouchDevice());
        QWidget* window = s.window();
        const auto touch = [&](QWidget* w) {
            const QPoint at = w->mapTo(window, w->rect().center());
            QTest::touchEvent(window, device.get()).press(0, at);
            QTest::touchEvent(window, device.get()).release(0, at);
        };
        touch(s.Label2[2]);
        QCOMPARE(s.chosenLabel(), 2);
        QVERIFY(s.Label2[2]->isLifted());
        touch(s.Label1[0]);
        QVERIFY(samePlace(s.labelPlace(2), s.slotPlace(0)));
        QVERIFY(!s.Label2[2]->isLifted());
    }
};

OSTERVALE_TEST(ActivityKeysTest)
#include "test_activity_keys.moc"
