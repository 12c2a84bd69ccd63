#include "activity_tests.h"
#include "labelling.h"
#include "ordering.h"
#include "results.h"
#include "testmain.h"

#include <QAccessible>
#include <QDate>
#include <QRegularExpression>

using namespace activity_tests;

class ActivityEngineTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ProgramFixture> f;

    template <class T> T& open() { return openActivity<T>(*f); }
    Results& results() { return f->program->state<Results>(); }
    static void putInOwnSlot(ActivityScreen& s, int i) {
        s.setLabelPlace(i, s.slotPlace(i).left, s.slotPlace(i).top);
    }

private Q_SLOTS:
    void init() { f = activityFixture(); }
    void cleanup() { f.reset(); }

    void loadEmptiesTheSlotsAndResetsTheScore() {
        // As a quiz of ten questions left it: seven right.
        results() = {7, 10, true};
        auto& s = open<RationingLab>();
        QCOMPARE(results().ScoreTotal, 4);
        QCOMPARE(results().Score, 0);
        for (int i = 0; i < 4; ++i) {
            QVERIFY(s.Label1[i]->text().isEmpty() && !s.Label1[i]->isHidden());
            QVERIFY(samePlace(s.labelPlace(i), s.homePlace(i)));
            QCOMPARE(s.Label4[i]->geometry(), s.Label2[i]->geometry());
        }
        QVERIFY(s.Label3[ActivityScreen::CheckScore]->isHidden());
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
            QVERIFY(actions);
            const QString own = drag_label_accessible::actionFor(s.Label1[i]->accessibleName());
            QVERIFY2(actions->actionNames().contains(own),
                     qPrintable(actions->actionNames().join(u'|')));
            QCOMPARE(actions->actionNames().size(), 8);
            actions->doAction(own);
            QVERIFY(samePlace(s.labelPlace(i), s.slotPlace(i)));
            QCOMPARE(label->text(QAccessible::Description),
                     QStringLiteral("In ") + s.Label1[i]->accessibleName());
        }
        QVERIFY(!s.Label3[ActivityScreen::CheckScore]->isHidden());
    }

    void aDragSnapsWithAThudOnlyWhileSoundIsOn() {
        auto& s = open<RationingLab>();
        dragLabel(s, 1, centre(s.slotPlace(1)));
        QVERIFY(samePlace(s.labelPlace(1), s.slotPlace(1)));
        QCOMPARE(s.Label2[1]->geometry(), s.Label1[1]->geometry());
        QCOMPARE(f->sound->played, QStringList{heard::Thud});
        // The dragged label stays above pictures, boxes and the other
        // labels, and below the buttons.
        const QObjectList& order = s.client()->children();
        const auto depth = [&](QObject* o) { return order.indexOf(o); };
        for (int i : {0, 2, 3})
            QVERIFY(depth(s.Label2[1]) > depth(s.Label2[i]));
        QVERIFY(depth(s.Label2[1]) > depth(s.Image1[1]));
        for (const auto& [index, button] : s.Label3)
            QVERIFY(depth(s.Label2[1]) < depth(button));

        f->program->shell.SoundOn = 0;
        dragLabel(s, 2, centre(s.slotPlace(2)));
        QVERIFY(samePlace(s.labelPlace(2), s.slotPlace(2)));
        QCOMPARE(f->sound->played.size(), 1);
    }

    void aReleaseOutsideEveryZoneLeavesTheLabelThere() {
        auto& s = open<RationingLab>();
        dragLabel(s, 0, QPoint(-40, -40));
        QVERIFY(s.labelPlace(0).left < 0);
        QVERIFY(f->sound->played.isEmpty());
        gui::click(s.Label3[ActivityScreen::StartAgain]);
        QVERIFY(samePlace(s.labelPlace(0), s.homePlace(0)));
        QCOMPARE(s.Label2[0]->geometry(), s.Label4[0]->geometry());
    }

    void onlyTheLeftButtonAloneDrags() {
        auto& s = open<RationingLab>();
        const Place before = s.labelPlace(0);
        s.Label2_MouseMove(0, Qt::RightButton, 3000, 3000);
        s.Label2_MouseMove(0, Qt::LeftButton | Qt::RightButton, 3000, 3000);
        QCOMPARE(s.labelPlace(0).left, before.left);
        s.Label2_MouseMove(0, Qt::LeftButton, 3000, 3000);
        QCOMPARE(s.labelPlace(0).left, before.left + 3000 - before.width / 2);
        // Any release drops, the right button's too: here back into its home box.
        s.setLabelPlace(0, before.left + 10, before.top + 10);
        QTest::mousePress(s.Label2[0], Qt::RightButton, {}, QPoint(3, 3));
        QTest::mouseRelease(s.Label2[0], Qt::RightButton, {}, QPoint(3, 3));
        QCOMPARE(s.labelPlace(0).left, before.left);
        QCOMPARE(f->sound->played, QStringList{heard::Thud});
    }

    void aClickOnAPlacedLabelSnapsAgainAndOverlapsSnapTwice() {
        auto& s = open<RationingLab>();
        putInOwnSlot(s, 2);
        s.Label2_MouseUp(2);
        QCOMPARE(f->sound->played.size(), 1);
        // Slot 1 (5280, 4080) and home box 3 (5280, 6480) are far apart; put the
        // label where slot 1's zone and then, after that snap, nothing else.
        s.setLabelPlace(2, 5280 - 700, 4080 - 200);
        s.Label2_MouseUp(2);
        QCOMPARE(s.labelPlace(2).left, 5280.f);
        QCOMPARE(f->sound->played.size(), 2);
    }

    void checkScoreAppearsOnceEveryLabelIsInASlot() {
        auto& s = open<RationingLab>();
        for (int i = 0; i < 3; ++i)
            dragLabel(s, i, centre(s.slotPlace(i)));
        QVERIFY(s.Label3[ActivityScreen::CheckScore]->isHidden());
        // The last label shares a slot: both count, an empty slot or not.
        dragLabel(s, 3, centre(s.slotPlace(0)));
        QVERIFY(!s.Label3[ActivityScreen::CheckScore]->isHidden());
        // Dragging one out again leaves the button shown.
        dragLabel(s, 1, QPoint(20, 20));
        QVERIFY(!s.Label3[ActivityScreen::CheckScore]->isHidden());

        gui::click(s.Label3[ActivityScreen::CheckScore]);
        QCOMPARE(results().Score, 2);
        QCOMPARE(results().ScoreTotal, 4);
        QVERIFY(f->program->screens().isShowing(ScreenId::Welldone));
        QVERIFY(f->program->screens().isLoaded(RationingLab::Id));
        QCOMPARE(f->sound->played.last(), heard::Click);
    }

    void everyButtonStartsTheScoreFromZero() {
        auto& s = open<ProgressLab>();
        for (int i = 0; i < 3; ++i)
            putInOwnSlot(s, i);
        s.Label3_Click(ActivityScreen::CheckScore);
        QCOMPARE(results().Score, 3);
        f->program->screens().unload(ScreenId::Welldone);
        s.Label3_Click(ActivityScreen::CheckScore);
        QCOMPARE(results().Score, 3);
        s.Label3_Click(ActivityScreen::StartAgain);
        QCOMPARE(results().Score, 0);
        QVERIFY(s.Label3[ActivityScreen::CheckScore]->isHidden());
        results().Score = 5;
        s.Label3_Click(ActivityScreen::Exit);
        QCOMPARE(results().Score, 0);
        QVERIFY(!f->program->screens().isLoaded(ProgressLab::Id));
    }

    void aLabelMovedOneTwipIsNoLongerInItsSlot() {
        auto& s = open<RationingLab>();
        for (int i = 0; i < 4; ++i)
            putInOwnSlot(s, i);
        s.setLabelPlace(3, s.slotPlace(3).left + 1, s.slotPlace(3).top);
        s.Label3_Click(ActivityScreen::CheckScore);
        QCOMPARE(results().Score, 3);
    }

    void timelineOneBoxDownScoresNothing() {
        auto& s = open<ProgressOrd>();
        // Slots by date, top to bottom.
        const int byDate[] = {1, 3, 0, 4, 6, 2, 5, 7};
        for (int d = 0; d < 8; ++d) {
            const Place& below = s.slotPlace(byDate[(d + 1) % 8]);
            s.setLabelPlace(byDate[d], below.left, below.top);
        }
        s.Label2_MouseUp(0);
        QVERIFY(!s.Label3[ActivityScreen::CheckScore]->isHidden());
        s.Label3_Click(ActivityScreen::CheckScore);
        QCOMPARE(results().Score, 0);
        QCOMPARE(results().ScoreTotal, 8);
    }

    // As a history teacher would check it: each event's answer slot lies
    // beside the date of that event, and the dates run down the line in order.
    void timelineDatesAreInOrderAndBesideTheirEvents() {
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
        QDate previous;
        for (QLabel* date : s.Label5) {
            QVERIFY2(dateOf(date->text()) > previous, qPrintable(date->text()));
            previous = dateOf(date->text());
        }
        for (int i = 0; i < 8; ++i) {
            QLabel* beside = nullptr;
            for (QLabel* date : s.Label5) {
                const float below = twips::fromPixels(date->y()) - s.slotPlace(i).top;
                if (below >= 90 && below <= 120)
                    beside = date;
            }
            QVERIFY2(beside, qPrintable(s.Label2[i]->text()));
            QCOMPARE(dateOf(beside->text()), when.value(s.Label2[i]->text()));
        }
    }

    void aLabelDroppedOnAButtonNeverHidesIt() {
        auto& s = open<ProgressOrd>();
        for (int i = 0; i < 8; ++i)
            dragLabel(s, i, centre(s.slotPlace(i)));
        for (int b :
             {ActivityScreen::CheckScore, ActivityScreen::Exit, ActivityScreen::StartAgain}) {
            MenuEntry* button = s.Label3[b];
            dragLabel(s, b == ActivityScreen::Exit ? 0 : 1, button->geometry().center());
            QCOMPARE(s.client()->childAt(button->geometry().center()), button);
        }
        // Still above the timeline's texts and pictures, though.
        dragLabel(s, 2, s.Label8->geometry().center());
        QCOMPARE(s.client()->childAt(s.Label8->geometry().center()), s.Label2[2]);
    }
};

OSTERVALE_TEST(ActivityEngineTest)
#include "test_activity_engine.moc"
