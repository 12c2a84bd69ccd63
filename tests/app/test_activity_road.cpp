#include "intro0.h"
#include "labelling.h"
#include "ordering.h"
#include "results.h"
#include "shell_fixture.h"
#include "support/gui.h"
#include "testmain.h"
#include "titlefrm.h"
#include "topic_menu.h"
#include "twips.h"
#include "welldone.h"

#include <QTest>
#include <QWindow>

namespace {
using gui::click;
} // namespace

class ActivityRoadTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ShellFixture> f;

    ScreenRegistry& screens() { return f->program->screens(); }

    void dragToSlot(ActivityScreen& s, int i, int slot) {
        gui::drag(s.Label2[i], s.client(), s.Label1[slot]->geometry().center(),
                  s.Label2[i]->rect().center());
    }

private Q_SLOTS:
    void init() { f = std::make_unique<ShellFixture>(); }
    void cleanup() { f.reset(); }

    void labellingFromTheTopicMenuToFullMarks() {
        TopicMenu& menu = f->openTopic(Intro0::Rationing);
        click(menu.label3.at(1));
        QVERIFY(screens().isShowing(ScreenId::rationinglab));
        auto& lab = screens().form<RationingLab>();
        QCOMPARE(lab.Label6->text(), QStringLiteral("Rationing"));
        for (int i = 0; i < 4; ++i)
            dragToSlot(lab, i, i);
        QVERIFY(!lab.Label3[2]->isHidden());
        click(lab.Label3[2]);
        QVERIFY(screens().isShowing(ScreenId::Welldone));
        auto& results = screens().form<Welldone>();
        QCOMPARE(results.Label1->text(),
                 QStringLiteral("Excellent work. You have scored 4 out of 4."));
        QCOMPARE(results.Label3[0]->text(), QStringLiteral("Print Certificate"));
        click(results.Label3[1]);
        QVERIFY(screens().isShowing(ScreenId::rationinglab));
        click(lab.Label3[0]);
        QVERIFY(screens().isShowing(ScreenId::rationing));
    }

    void timelineWithTwoEventsSwapped() {
        TopicMenu& menu = f->openTopic(Intro0::Progress);
        click(menu.label3.at(3));
        auto& timeline = screens().form<ProgressOrd>();
        QCOMPARE(timeline.Label6->text(), QStringLiteral("The Progress of the War"));
        const int slots[] = {0, 1, 2, 3, 4, 6, 5, 7};
        for (int i = 0; i < 8; ++i)
            dragToSlot(timeline, i, slots[i]);
        click(timeline.Label3[2]);
        QCOMPARE(screens().form<Welldone>().Label1->text(),
                 QStringLiteral("Good work. You have scored 6 out of 8."));
        QVERIFY(!screens().form<Welldone>().Label6->isHidden());
        QVERIFY(screens().form<Welldone>().Label3[0]->isHidden());
    }

    void eachMenuOpensItsOwnActivities_data() {
        QTest::addColumn<int>("topic");
        QTest::addColumn<int>("menu");
        QTest::addColumn<int>("entry");
        QTest::addColumn<int>("screen");
        QTest::newRow("rationing labels")
            << 2 << int(ScreenId::rationing) << 1 << int(ScreenId::rationinglab);
        QTest::newRow("rationing sort")
            << 2 << int(ScreenId::rationing) << 3 << int(ScreenId::rationingord);
        QTest::newRow("battles") << 9 << int(ScreenId::progress) << 1 << int(ScreenId::progresslab);
        QTest::newRow("timeline") << 9 << int(ScreenId::progress) << 3
                                  << int(ScreenId::progressord);
    }
    void eachMenuOpensItsOwnActivities() {
        QFETCH(int, topic);
        QFETCH(int, menu);
        QFETCH(int, entry);
        QFETCH(int, screen);
        TopicMenu& topicMenu = f->openTopic(topic);
        QCOMPARE(topicMenu.id(), ScreenId(menu));
        click(topicMenu.label3.at(entry));
        QVERIFY(screens().isShowing(ScreenId(screen)));
        auto& activity = *dynamic_cast<ActivityScreen*>(screens().find(ScreenId(screen)));
        QCOMPARE(activity.Label6->text(), topicMenu.Label1->text());
        QCOMPARE(f->program->state<Results>().ScoreTotal, activity.n());
    }
};

OSTERVALE_TEST(ActivityRoadTest)
#include "test_activity_road.moc"
