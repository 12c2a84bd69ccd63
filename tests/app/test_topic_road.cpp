// From a topic menu to an activity or the quiz, on to the results and back,
// as a pupil goes with the mouse.
#include "labelling.h"
#include "multiple.h"
#include "shell_fixture.h"
#include "support/question_sets.h"
#include "testmain.h"
#include "welldone.h"
#include "wrong.h"

#include <QTest>

class TopicRoadTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ShellFixture> f;

    ScreenRegistry& screens() { return f->program->screens(); }
    Welldone& results() { return screens().form<Welldone>(); }

private Q_SLOTS:
    void init() {
        f = std::make_unique<ShellFixture>();
        f->write(QStringLiteral("multiple/Rationing.txt"),
                 composeQuestionFile(test_sets::sheet("Rationing", test_sets::kPattern)));
    }
    void cleanup() { f.reset(); }

    void labellingToFullMarksAndBack() {
        TopicMenu& menu = f->openTopic(Intro0::Rationing);
        gui::click(menu.label3.at(TopicMenu::Labelling));
        auto& lab = screens().form<RationingLab>();
        QVERIFY(screens().isShowing(RationingLab::Id));
        for (int i = 0; i < 4; ++i)
            gui::drag(lab.Label2[i], lab.client(), lab.Label1[i]->geometry().center());
        gui::click(lab.Label3[ActivityScreen::CheckScore]);
        QVERIFY(screens().isShowing(ScreenId::Welldone));
        QCOMPARE(results().Label1->text(),
                 QStringLiteral("Excellent work. You have scored 4 out of 4."));
        QCOMPARE(results().Label3[Welldone::ReviewOrCertificate]->text(),
                 QStringLiteral("Print Certificate"));
        // A triple click on "Exit" closes the results and leaves the
        // activity beneath, with its labels where they were.
        Stage& stage = screens().stage();
        const QPoint exit = results().Label3[Welldone::Exit]->mapTo(&stage, QPoint(6, 6));
        gui::tripleClickAt(&stage, exit);
        QVERIFY(!screens().isLoaded(ScreenId::Welldone));
        QVERIFY(screens().isShowing(RationingLab::Id));
        // The later clicks fell on the activity's own "Exit".
        QCOMPARE(stage.childAt(exit), lab.Label3[ActivityScreen::Exit]);
        QCOMPARE(stage.frontScreen(), &lab);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(lab.labelPlace(i).left, lab.slotPlace(i).left);
        gui::click(lab.Label3[ActivityScreen::Exit]);
        QVERIFY(screens().isShowing(ScreenId::rationing));
    }

    // Left half-way, the quiz starts afresh; done, its review goes back to
    // the topic menu.
    void theQuizFromTheTopicMenuTwiceThenItsReview() {
        TopicMenu& menu = f->openTopic(Intro0::Rationing);
        gui::click(menu.label3.at(TopicMenu::MultipleChoice));
        auto& quiz = screens().form<Multiple>();
        QVERIFY(screens().isShowing(ScreenId::multiple));
        QCOMPARE(quiz.Label5->text(), QStringLiteral("Ostervale"));
        QCOMPARE(quiz.Label6->text(), QStringLiteral("Rationing"));
        QVERIFY(!quiz.Picture1()->pixmap().isNull());
        gui::click(quiz.Label3[Multiple::Next]);
        gui::click(quiz.Label3[Multiple::Exit]);
        QVERIFY(screens().isShowing(ScreenId::rationing));

        gui::click(menu.label3.at(TopicMenu::MultipleChoice));
        auto& again = screens().form<Multiple>();
        QCOMPARE(again.Label4->text(), QStringLiteral("Question 1"));
        for (int q = 1; q <= 10; ++q) {
            if (q != 3)
                gui::click(again.Option1[test_sets::kPattern[q - 1]]);
            gui::click(again.Label3[Multiple::Next]);
        }
        QCOMPARE(results().Label1->text(),
                 QStringLiteral("Good work. You have scored 9 out of 10."));
        gui::click(results().Label3[Welldone::ReviewOrCertificate]);
        QCOMPARE(screens().form<Wrong>().Label2[0]->text(), QStringLiteral(" 3. Question 3?"));
        gui::click(screens().form<Wrong>().Label3);
        QVERIFY(screens().isShowing(ScreenId::rationing));
        QVERIFY(!screens().isLoaded(ScreenId::Welldone));
    }

    void aMissingOrDamagedQuestionFileKeepsTheMenu_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("short") << QByteArray("Rationing\r\n \r\nQ1\r\n");
        QByteArray badDigit = composeQuestionFile(test_sets::sheet("R", test_sets::kPattern));
        badDigit.replace("\r\n3\r\n", "\r\n7\r\n");
        QTest::newRow("bad digit") << badDigit;
    }
    void aMissingOrDamagedQuestionFileKeepsTheMenu() {
        QFETCH(QByteArray, bytes);
        f->remove("multiple/Rationing.txt");
        if (!bytes.isEmpty())
            f->write(QStringLiteral("multiple/Rationing.txt"), bytes);
        gui::click(f->openTopic(Intro0::Rationing).label3.at(TopicMenu::MultipleChoice));
        QCOMPARE(f->messages->shown.size(), 1);
        QVERIFY(f->messages->shown[0].contains(QStringLiteral("quiz cannot start")));
        QVERIFY(!screens().isLoaded(ScreenId::multiple));
        QVERIFY(screens().isShowing(ScreenId::rationing));
    }
};

OSTERVALE_TEST(TopicRoadTest)
#include "test_topic_road.moc"
