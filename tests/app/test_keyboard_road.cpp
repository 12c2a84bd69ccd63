#include "labelling.h"
#include "multiple.h"
#include "ordering.h"
#include "shell_fixture.h"
#include "support/question_sets.h"
#include "testmain.h"
#include "viewers.h"
#include "welldone.h"

#include <QAccessible>
#include <QTest>

// The pupil who has no mouse: from the title screen to the results with
// nothing but keys.
class KeyboardRoadTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ShellFixture> f;

    ScreenRegistry& screens() { return f->program->screens(); }
    QWidget* focus() { return screens().stage().focusWidget(); }
    void key(Qt::Key k) { QTest::keyClick(focus(), k); }
    QString result() { return screens().form<Welldone>().Label1->text(); }

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
        if (!screens().isShowing(Intro0::Id) || !press(screens().form<Intro0>().Label2.at(entry)))
            qFatal("the main menu does not answer the keyboard");
        const ScreenId id = entry == Intro0::Rationing ? ScreenId::rationing : ScreenId::progress;
        return *dynamic_cast<TopicMenu*>(screens().find(id));
    }

private Q_SLOTS:
    void init() {
        f = std::make_unique<ShellFixture>();
        f->write(QStringLiteral("multiple/Rationing.txt"),
                 composeQuestionFile(test_sets::sheet("Rationing", test_sets::kPattern)));
        f->program->shell.SoundOn = 1;
        // Focus rings come, as the keys do, only to an active window.
        Stage& stage = screens().stage();
        stage.show();
        stage.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&stage));
    }
    void cleanup() { f.reset(); }

    void aWholeQuizByKeys() {
        QVERIFY(press(topic(Intro0::Rationing).label3.at(TopicMenu::MultipleChoice)));
        QVERIFY(screens().isShowing(Multiple::Id));
        auto& quiz = screens().form<Multiple>();
        for (int q = 1; q <= 10; ++q) {
            const int right = test_sets::kPattern[q - 1];
            if (q % 2) {
                // By letter, from wherever the keyboard is.
                key(Qt::Key(Qt::Key_A + right - 1));
            } else {
                // Each question starts on the hidden no-answer button, and
                // Tab goes round the answers, then the entries, never back
                // to it.
                QCOMPARE(focus(), quiz.Option1[Multiple::NoAnswer]);
                if (q == 2) {
                    for (QWidget* stop : std::initializer_list<QWidget*>{
                             quiz.Option1[1], quiz.Option1[2], quiz.Option1[3], quiz.Option1[4],
                             quiz.Label3[Multiple::Next], quiz.Label3[Multiple::Previous],
                             quiz.Label3[Multiple::PrintWorksheet], quiz.Label3[Multiple::Exit],
                             quiz.Option1[1]}) {
                        key(Qt::Key_Tab);
                        QCOMPARE(focus(), stop);
                    }
                    QTest::keyClick(focus(), Qt::Key_Backtab, Qt::ShiftModifier);
                    QCOMPARE(focus(), quiz.Label3[Multiple::Exit]);
                    QAccessibleInterface* hidden =
                        QAccessible::queryAccessibleInterface(quiz.Option1[Multiple::NoAnswer]);
                    QVERIFY(hidden && hidden->state().invisible);
                    // Nor is it among the screen's controls a reader lists.
                    QCOMPARE(
                        QAccessible::queryAccessibleInterface(quiz.client())->indexOfChild(hidden),
                        -1);
                }
                // By arrows: down from no answer reaches A first.
                for (int a = 0; a < right; ++a)
                    key(a % 2 ? Qt::Key_Right : Qt::Key_Down);
            }
            if (q == 3) // changes its mind to a wrong answer
                key(Qt::Key(Qt::Key_A + right % 4));
            QCOMPARE(quiz.Option1[right]->isChecked(), q != 3);
            QVERIFY(press(quiz.Label3[Multiple::Next]));
        }
        QVERIFY(screens().isShowing(Welldone::Id));
        QCOMPARE(result(), QStringLiteral("Good work. You have scored 9 out of 10."));
    }

    // Through the key facts and back: the keyboard never slips on to Exit,
    // and comes back to the entry that opened them.
    void theKeyFactsByKeys() {
        TopicMenu& menu = topic(Intro0::Progress);
        MenuEntry* keyFacts = menu.label3.at(TopicMenu::KeyFacts);
        QVERIFY(press(keyFacts));
        auto& facts = screens().form<Teacher>();
        QVERIFY(screens().isShowing(Teacher::Id));
        QVERIFY(press(facts.Label3[PageViewer::Next]));
        key(Qt::Key_Return);
        QCOMPARE(facts.Label1->text(), QStringLiteral("Page 3 of 3"));
        QCOMPARE(focus(), facts.Label3[PageViewer::Previous]);
        key(Qt::Key_Return);
        key(Qt::Key_Return);
        QCOMPARE(facts.Label1->text(), QStringLiteral("Page 1 of 3"));
        QCOMPARE(focus(), facts.Label3[PageViewer::Next]);
        QVERIFY(screens().isShowing(Teacher::Id));
        QVERIFY(press(facts.Label3[PageViewer::Exit]));
        QVERIFY(!screens().isLoaded(Teacher::Id));
        QCOMPARE(focus(), keyFacts);
        QVERIFY(keyFacts->showsFocusRing());
    }

    void everyActivityByKeys_data() {
        QTest::addColumn<int>("topicEntry");
        QTest::addColumn<int>("activityEntry");
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("total");
        QTest::newRow("rationing labels")
            << int(Intro0::Rationing) << int(TopicMenu::Labelling) << int(RationingLab::Id) << 4;
        QTest::newRow("true or false")
            << int(Intro0::Rationing) << int(TopicMenu::Ordering) << int(RationingOrd::Id) << 8;
        QTest::newRow("battles") << int(Intro0::Progress) << int(TopicMenu::Labelling)
                                 << int(ProgressLab::Id) << 3;
        QTest::newRow("timeline") << int(Intro0::Progress) << int(TopicMenu::Ordering)
                                  << int(ProgressOrd::Id) << 8;
    }
    void everyActivityByKeys() {
        QFETCH(int, topicEntry);
        QFETCH(int, activityEntry);
        QFETCH(int, id);
        QFETCH(int, total);
        TopicMenu& menu = topic(topicEntry);
        QVERIFY(press(menu.label3.at(activityEntry)));
        auto* s = dynamic_cast<ActivityScreen*>(screens().find(ScreenId(id)));
        QVERIFY(s && screens().isShowing(ScreenId(id)));
        QCOMPARE(s->Label6->text(), menu.Label1->text());
        // A screen reader announces the heading the pupil sees.
        QVERIFY2(s->accessibleName().startsWith(menu.Label1->text() + QStringLiteral(": ")),
                 qPrintable(s->accessibleName()));
        // Each label carried to its own slot.
        for (int i = 0; i < s->n(); ++i) {
            QVERIFY(tabTo(s->Label2[i]));
            key(Qt::Key_Space);
            QCOMPARE(s->carriedLabel(), i);
            for (int step = 0; s->carriedOver() != i; ++step) {
                QVERIFY(step < 2 * s->n());
                key(step % 2 ? Qt::Key_Down : Qt::Key_Right);
            }
            key(Qt::Key_Return);
            QCOMPARE(s->carriedLabel(), -1);
        }
        QVERIFY(press(s->Label3[ActivityScreen::CheckScore]));
        QVERIFY(screens().isShowing(Welldone::Id));
        QCOMPARE(
            result(),
            QStringLiteral("Excellent work. You have scored %1 out of %2.").arg(total).arg(total));
    }
};

OSTERVALE_TEST(KeyboardRoadTest)
#include "test_keyboard_road.moc"
