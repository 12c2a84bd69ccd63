#include "intro0.h"
#include "labelling.h"
#include "multiple.h"
#include "ordering.h"
#include "shell_fixture.h"
#include "support/question_sets.h"
#include "testmain.h"
#include "titlefrm.h"
#include "topic_menu.h"
#include "welldone.h"

#include <QTest>

// The pupil who has no mouse: from the title screen to the results with
// nothing but keys.
class KeyboardRoadTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ShellFixture> f;

    ScreenRegistry& screens() { return f->program->screens(); }
    QWidget* focus() { return screens().stage().focusWidget(); }
    void key(Qt::Key k) { QTest::keyClick(focus(), k); }

    // Tabs on until the control has the keyboard; a screen never needs
    // more than a round of its stops.
    bool tabTo(QWidget* control) {
        for (int i = 0; i < 60 && focus() != control; ++i)
            key(Qt::Key_Tab);
        return focus() == control;
    }
    bool press(QWidget* entry) {
        if (!tabTo(entry))
            return false;
        key(Qt::Key_Return);
        return true;
    }

    TopicMenu& topic(int entry) {
        startup::showTitleScreen(*f->program);
        // Enter answers the title's "OK" as Space does.
        key(Qt::Key_Return);
        auto& menu = screens().form<Intro0>();
        if (!screens().isShowing(Intro0::Id) || !press(menu.Label2.at(entry)))
            qFatal("the main menu does not answer the keyboard");
        const ScreenId id = entry == Intro0::Rationing ? ScreenId::rationing : ScreenId::progress;
        return *dynamic_cast<TopicMenu*>(screens().find(id));
    }

    // Each label carried to its own slot by keyboard.
    void carryEveryLabelHome(ActivityScreen& s, const std::vector<int>& slotOf) {
        for (int i = 0; i < s.n(); ++i) {
            QVERIFY(tabTo(s.Label2[i]));
            key(Qt::Key_Space);
            QCOMPARE(s.carriedLabel(), i);
            for (int step = 0; s.carriedOver() != slotOf[i]; ++step) {
                QVERIFY(step < 2 * s.n());
                key(step % 2 ? Qt::Key_Down : Qt::Key_Right);
            }
            key(Qt::Key_Return);
            QCOMPARE(s.carriedLabel(), -1);
        }
    }

private Q_SLOTS:
    void init() {
        f = std::make_unique<ShellFixture>();
        f->write(QStringLiteral("multiple/Rationing.txt"),
                 composeQuestionFile(test_sets::sheet("Rationing", test_sets::kPattern)));
        f->program->shell.SoundOn = 1;
    }
    void cleanup() { f.reset(); }

    void aWholeQuizByKeys() {
        TopicMenu& menu = topic(Intro0::Rationing);
        QVERIFY(press(menu.label3.at(TopicMenu::MultipleChoice)));
        QVERIFY(screens().isShowing(Multiple::Id));
        auto& quiz = screens().form<Multiple>();
        for (int q = 1; q <= 10; ++q) {
            const int right = test_sets::kPattern[q - 1];
            if (q % 2) {
                // By letter, from wherever the keyboard is.
                key(Qt::Key(Qt::Key_A + right - 1));
            } else {
                // By arrows: down from no answer reaches A first.
                QVERIFY(tabTo(quiz.Option1[Multiple::NoAnswer]));
                for (int a = 0; a < right; ++a)
                    key(a % 2 ? Qt::Key_Right : Qt::Key_Down);
            }
            if (q == 3) // changes its mind to a wrong answer
                key(Qt::Key(Qt::Key_A + right % 4));
            QCOMPARE(quiz.Option1[right]->isChecked(), q != 3);
            QVERIFY(press(quiz.Label3[Multiple::Next]));
        }
        QVERIFY(screens().isShowing(Welldone::Id));
        QCOMPARE(screens().form<Welldone>().Label1->text(),
                 QStringLiteral("Good work. You have scored 9 out of 10."));
    }

    void everyActivityByKeys_data() {
        QTest::addColumn<int>("topicEntry");
        QTest::addColumn<int>("activityEntry");
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("result");
        QTest::newRow("rationing labels")
            << int(Intro0::Rationing) << int(TopicMenu::Labelling) << int(RationingLab::Id)
            << QStringLiteral("Excellent work. You have scored 4 out of 4.");
        QTest::newRow("true or false")
            << int(Intro0::Rationing) << int(TopicMenu::Ordering) << int(RationingOrd::Id)
            << QStringLiteral("Excellent work. You have scored 8 out of 8.");
        QTest::newRow("battles") << int(Intro0::Progress) << int(TopicMenu::Labelling)
                                 << int(ProgressLab::Id)
                                 << QStringLiteral("Excellent work. You have scored 3 out of 3.");
        QTest::newRow("timeline") << int(Intro0::Progress) << int(TopicMenu::Ordering)
                                  << int(ProgressOrd::Id)
                                  << QStringLiteral("Excellent work. You have scored 8 out of 8.");
    }
    void everyActivityByKeys() {
        QFETCH(int, topicEntry);
        QFETCH(int, activityEntry);
        QFETCH(int, id);
        QFETCH(QString, result);
        TopicMenu& menu = topic(topicEntry);
        QVERIFY(press(menu.label3.at(activityEntry)));
        auto* s = dynamic_cast<ActivityScreen*>(screens().find(ScreenId(id)));
        QVERIFY(s && screens().isShowing(ScreenId(id)));
        std::vector<int> slotOf(s->n());
        for (int i = 0; i < s->n(); ++i)
            slotOf[i] = i;
        carryEveryLabelHome(*s, slotOf);
        QVERIFY(press(s->Label3[ActivityScreen::CheckScore]));
        QVERIFY(screens().isShowing(Welldone::Id));
        QCOMPARE(screens().form<Welldone>().Label1->text(), result);
    }
};

OSTERVALE_TEST(KeyboardRoadTest)
#include "test_keyboard_road.moc"
