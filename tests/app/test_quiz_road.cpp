#include "intro0.h"
#include "multiple.h"
#include "shell_fixture.h"
#include "support/gui.h"
#include "support/question_sets.h"
#include "testmain.h"
#include "titlefrm.h"
#include "topic_menu.h"
#include "welldone.h"
#include "wrong.h"

#include <QTest>

namespace {
using gui::click;
} // namespace

class QuizRoadTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ShellFixture> f;

    ScreenRegistry& screens() { return f->program->screens(); }

    TopicMenu& openRationing() { return f->openTopic(Intro0::Rationing); }

private Q_SLOTS:
    void init() {
        f = std::make_unique<ShellFixture>();
        f->write(QStringLiteral("multiple/Rationing.txt"),
                 composeQuestionFile(test_sets::sheet("Rationing", test_sets::kPattern)));
    }
    void cleanup() { f.reset(); }

    void aWholeQuizFromTheTopicMenuAndBack() {
        TopicMenu& menu = openRationing();
        click(menu.label3.at(0));
        QVERIFY(screens().isShowing(ScreenId::multiple));
        auto& quiz = screens().form<Multiple>();
        QCOMPARE(quiz.Label5->text(), QStringLiteral("Ostervale"));
        QCOMPARE(quiz.Label6->text(), QStringLiteral("Rationing"));
        QVERIFY(!quiz.Picture1()->pixmap().isNull());
        for (int q = 1; q <= 10; ++q) {
            if (q != 3)
                click(quiz.Option1[test_sets::kPattern[q - 1]]);
            click(quiz.Label3[1]);
        }
        QVERIFY(screens().isShowing(ScreenId::Welldone));
        auto& results = screens().form<Welldone>();
        QCOMPARE(results.Label1->text(), QStringLiteral("Good work. You have scored 9 out of 10."));
        click(results.Label3[0]);
        QCOMPARE(screens().form<Wrong>().Label2[0]->text(), QStringLiteral(" 3. Question 3?"));
        click(screens().form<Wrong>().Label3);
        QVERIFY(screens().isShowing(ScreenId::rationing));
        QVERIFY(!screens().isLoaded(ScreenId::Welldone));
    }

    void aSecondQuizStartsAfresh() {
        TopicMenu& menu = openRationing();
        click(menu.label3.at(0));
        click(screens().form<Multiple>().Label3[1]);
        click(screens().form<Multiple>().Label3[2]);
        click(menu.label3.at(0));
        QCOMPARE(screens().form<Multiple>().Label4->text(), QStringLiteral("Question 1"));
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
        TopicMenu& menu = openRationing();
        click(menu.label3.at(0));
        QCOMPARE(f->messages->shown.size(), 1);
        QVERIFY(f->messages->shown[0].contains(QStringLiteral("quiz cannot start")));
        QVERIFY(!screens().isLoaded(ScreenId::multiple));
        QVERIFY(screens().isShowing(ScreenId::rationing));
    }
};

OSTERVALE_TEST(QuizRoadTest)
#include "test_quiz_road.moc"
