#include "activity_tests.h"
#include "labelling.h"
#include "ordering.h"
#include "results.h"
#include "support/program_fixture.h"
#include "testmain.h"
#include "twips.h"

#include <QDate>
#include <QRegularExpression>
#include <QTest>
#include <QWindow>

using namespace activity_tests;

class ActivityEngineTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ProgramFixture> f;

    template <class T> T& open() {
        f->program->shell.SoundOn = 1;
        auto& screen = f->program->screens().form<T>();
        screen.Show();
        return screen;
    }

    // Drags label i with the left button so that the pointer ends on `to`,
    // a point of the screen's client area, and releases it there.
    // The events go to the window, as the pointer's would, so the label
    // keeps them only through the press's implicit grab.
    void drag(ActivityScreen& s, int i, QPoint to) {
        QWindow* window = s.window()->windowHandle();
        const auto inWindow = [&](QPoint p) { return s.client()->mapTo(s.window(), p); };
        const QPoint from = s.Label2[i]->geometry().topLeft() + QPoint(5, 5);
        QTest::mousePress(window, Qt::LeftButton, {}, inWindow(from));
        QTest::mouseMove(window, inWindow((from + to) / 2));
        QTest::mouseMove(window, inWindow(to));
        QTest::mouseRelease(window, Qt::LeftButton, {}, inWindow(to));
    }

private Q_SLOTS:
    void init() {
        f = std::make_unique<ProgramFixture>();
        ResultsStandIn::loads = 0;
        f->program->screens().define<ResultsStandIn>();
    }
    void cleanup() { f.reset(); }

    void loadEmptiesTheSlotsIntoTheLabels() {
        // As a quiz of ten questions left it: seven right.
        f->program->state<Results>() = {7, 10, true};
        auto& s = open<RationingLab>();
        QCOMPARE(f->program->state<Results>().ScoreTotal, 4);
        QCOMPARE(f->program->state<Results>().Score, 0);
        QCOMPARE(s.Label2[0]->text(), QStringLiteral("Cheese"));
        QCOMPARE(s.Label2[3]->text(), QStringLiteral("Meat"));
        for (int i = 0; i < 4; ++i) {
            QVERIFY(s.Label1[i]->text().isEmpty());
            QVERIFY(!s.Label1[i]->isHidden());
            QVERIFY(!s.Label1[i]->autoFillBackground());
            QCOMPARE(s.homePlace(i).left, s.labelPlace(i).left);
            QCOMPARE(s.homePlace(i).top, s.labelPlace(i).top);
            QCOMPARE(s.Label4[i]->geometry(), s.Label2[i]->geometry());
        }
        QCOMPARE(s.labelPlace(2).left, 600.f);
        QVERIFY(s.Label3[2]->isHidden());
    }

    void aDragFollowsThePointerAndSnapsWithAThud() {
        auto& s = open<RationingLab>();
        drag(s, 1, centre(s.slotPlace(1)));
        QCOMPARE(s.labelPlace(1).left, s.slotPlace(1).left);
        QCOMPARE(s.labelPlace(1).top, s.slotPlace(1).top);
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
    }

    void aReleaseOutsideEveryZoneLeavesTheLabelThere() {
        auto& s = open<RationingLab>();
        drag(s, 0, QPoint(-40, -40));
        QVERIFY(s.labelPlace(0).left < 0);
        QVERIFY(f->sound->played.isEmpty());
        QTest::mouseClick(s.Label3[1], Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(s.labelPlace(0).left, s.homePlace(0).left);
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
        s.setLabelPlace(2, s.slotPlace(2).left, s.slotPlace(2).top);
        s.Label2_MouseUp(2);
        QCOMPARE(f->sound->played.size(), 1);
        // Slot 1 (5280, 4080) and home box 3 (5280, 6480) are far apart; put the
        // label where slot 1's zone and then, after that snap, nothing else.
        s.setLabelPlace(2, 5280 - 700, 4080 - 200);
        s.Label2_MouseUp(2);
        QCOMPARE(s.labelPlace(2).left, 5280.f);
        QCOMPARE(f->sound->played.size(), 2);
    }

    void thudOnlyWithSoundOn() {
        auto& s = open<RationingLab>();
        f->program->shell.SoundOn = 0;
        drag(s, 1, centre(s.slotPlace(1)));
        QCOMPARE(s.labelPlace(1).left, s.slotPlace(1).left);
        QVERIFY(f->sound->played.isEmpty());
    }

    void checkScoreAppearsWhenEveryLabelIsInASlot() {
        auto& s = open<RationingLab>();
        for (int i = 0; i < 3; ++i)
            drag(s, i, centre(s.slotPlace(i)));
        QVERIFY(s.Label3[2]->isHidden());
        // The last label shares a slot: both count, an empty slot or not.
        drag(s, 3, centre(s.slotPlace(0)));
        QVERIFY(!s.Label3[2]->isHidden());
        // Dragging one out again leaves the button shown.
        drag(s, 1, QPoint(20, 20));
        QVERIFY(!s.Label3[2]->isHidden());

        QTest::mouseClick(s.Label3[2], Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(f->program->state<Results>().Score, 2);
        QCOMPARE(f->program->state<Results>().ScoreTotal, 4);
        QVERIFY(f->program->screens().isShowing(ScreenId::Welldone));
        QVERIFY(f->program->screens().isLoaded(RationingLab::Id));
        QCOMPARE(f->sound->played.last(), QStringLiteral("wav\\click.wav"));
    }

    void everyButtonStartsTheScoreFromZero() {
        auto& s = open<ProgressLab>();
        for (int i = 0; i < 3; ++i)
            s.setLabelPlace(i, s.slotPlace(i).left, s.slotPlace(i).top);
        s.Label3_Click(2);
        QCOMPARE(f->program->state<Results>().Score, 3);
        f->program->screens().unload(ScreenId::Welldone);
        s.Label3_Click(2);
        QCOMPARE(f->program->state<Results>().Score, 3);
        s.Label3_Click(1);
        QCOMPARE(f->program->state<Results>().Score, 0);
        QVERIFY(s.Label3[2]->isHidden());
        f->program->state<Results>().Score = 5;
        s.Label3_Click(0);
        QCOMPARE(f->program->state<Results>().Score, 0);
        QVERIFY(!f->program->screens().isLoaded(ProgressLab::Id));
    }

    void aLabelMovedOneTwipIsNoLongerInItsSlot() {
        auto& s = open<RationingLab>();
        for (int i = 0; i < 4; ++i)
            s.setLabelPlace(i, s.slotPlace(i).left, s.slotPlace(i).top);
        s.setLabelPlace(3, s.slotPlace(3).left + 1, s.slotPlace(3).top);
        s.Label3_Click(2);
        QCOMPARE(f->program->state<Results>().Score, 3);
    }

    void timelineOneBoxDownScoresNothing() {
        auto& s = open<ProgressOrd>();
        // Slots by date, top to bottom.
        const int byDate[] = {1, 3, 0, 4, 6, 2, 5, 7};
        for (int d = 0; d < 8; ++d) {
            const int event = byDate[d];
            const int slotBelow = byDate[(d + 1) % 8];
            s.setLabelPlace(event, s.slotPlace(slotBelow).left, s.slotPlace(slotBelow).top);
        }
        s.Label2_MouseUp(0);
        QVERIFY(!s.Label3[2]->isHidden());
        s.Label3_Click(2);
        QCOMPARE(f->program->state<Results>().Score, 0);
        QCOMPARE(f->program->state<Results>().ScoreTotal, 8);
    }

    void timelineDatesAreInOrderAndBesideTheirEvents() {
        // What happened when, as a history teacher would check it: each
        // event's answer slot lies beside the date of that event, and the
        // dates run in time order down the line.
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
        const auto dateOf = [](const QString& text) {
            QString plain = text;
            plain.remove(QRegularExpression(QStringLiteral("(?<=\\d)(st|nd|rd|th)")));
            return QDate::fromString(plain, QStringLiteral("d MMMM yyyy"));
        };
        QDate previous;
        for (QLabel* date : s.Label5) {
            QVERIFY2(dateOf(date->text()).isValid(), qPrintable(date->text()));
            QVERIFY(!previous.isValid() || dateOf(date->text()) > previous);
            previous = dateOf(date->text());
        }
        for (int i = 0; i < 8; ++i) {
            const float slotTop = s.slotPlace(i).top;
            QLabel* beside = nullptr;
            for (QLabel* date : s.Label5) {
                const float dateTop = twips::fromPixels(date->y());
                if (dateTop - slotTop >= 90 && dateTop - slotTop <= 120)
                    beside = date;
            }
            QVERIFY2(beside, qPrintable(s.Label2[i]->text()));
            QCOMPARE(dateOf(beside->text()), when.value(s.Label2[i]->text()));
        }
    }

    void sortingByColumn() {
        auto& s = open<RationingOrd>();
        const int order[] = {3, 0, 2, 1, 6, 7, 5, 4};
        for (int i = 0; i < 8; ++i)
            drag(s, i, centre(s.slotPlace(order[i])));
        QVERIFY(!s.Label3[2]->isHidden());
        s.Label3_Click(2);
        QCOMPARE(f->program->state<Results>().Score, 8);
    }

    void aLabelDroppedOnAButtonNeverHidesIt() {
        auto& s = open<ProgressOrd>();
        for (int i = 0; i < 8; ++i)
            drag(s, i, centre(s.slotPlace(i)));
        for (int b :
             {ActivityScreen::CheckScore, ActivityScreen::Exit, ActivityScreen::StartAgain}) {
            MenuEntry* button = s.Label3[b];
            drag(s, b == ActivityScreen::Exit ? 0 : 1, button->geometry().center());
            QCOMPARE(s.client()->childAt(button->geometry().center()), button);
        }
        // Still above the timeline's texts and pictures, though.
        drag(s, 2, s.Label8->geometry().center());
        QCOMPARE(s.client()->childAt(s.Label8->geometry().center()), s.Label2[2]);
    }

    void buttonsLightUpUnderThePointer() {
        auto& s = open<RationingLab>();
        QVERIFY(s.Label3[0]->isOpaque());
        QTest::mouseMove(s.client(), QPoint(400, 20));
        QVERIFY(!s.Label3[0]->isOpaque());
        QTest::mouseMove(s.Label3[1], QPoint(5, 5));
        QVERIFY(s.Label3[1]->isOpaque());
        QVERIFY(!s.Label3[0]->isOpaque());
    }
};

OSTERVALE_TEST(ActivityEngineTest)
#include "test_activity_engine.moc"
