// The ten-question quiz, its results and its review, as a pupil goes
// through them.
#include "multiple.h"
#include "quiz_state.h"
#include "results.h"
#include "support/gui.h"
#include "support/program_fixture.h"
#include "support/question_sets.h"
#include "testmain.h"
#include "welldone.h"
#include "wrong.h"

#include <QAccessible>
#include <QTest>

using gui::click;

class QuizScreensTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ProgramFixture> f;

    ScreenRegistry& screens() { return f->program->screens(); }
    Results& result() { return f->program->state<Results>(); }
    Welldone& results() { return screens().form<Welldone>(); }
    Wrong& review() { return screens().form<Wrong>(); }

    Multiple& openQuiz(const QPixmap& picture = {}) {
        FieldReader file1(composeQuestionFile(test_sets::sheet("Blitz", test_sets::kPattern)));
        if (!LoadQuestions(file1, f->program->state<QuizTables>()))
            qFatal("test set did not load");
        f->program->shell.SoundOn = 1;
        Multiple::open(*f->program, picture, QStringLiteral("Ostervale"), QStringLiteral("A"));
        return screens().form<Multiple>();
    }

    // Answers each question right, except those listed, which get answer
    // "wrong" (0 = no answer at all).
    void answerAll(Multiple& quiz, const QList<int>& wrongOnes, int wrongAnswer = 0) {
        for (int q = 1; q <= 10; ++q) {
            const int chosen = wrongOnes.contains(q) ? wrongAnswer : test_sets::kPattern[q - 1];
            if (chosen > 0)
                click(quiz.Option1[chosen]);
            click(quiz.Label3[Multiple::Next]);
        }
    }

    bool celebrationOver() {
        return !results().Timer1->isActive() && !results().Timer2->isActive() &&
               !results().Timer3->isActive();
    }

private Q_SLOTS:
    void init() {
        f = std::make_unique<ProgramFixture>();
        // The quiz hands its result on by the screens' ids, as the program's
        // start-up defines them.
        screens().define<Welldone>();
        screens().define<Wrong>();
    }
    void cleanup() { f.reset(); }

    void aPupilTakesTheQuiz_data() {
        QTest::addColumn<QList<int>>("wrong");
        QTest::addColumn<int>("answer"); // given to the wrong ones; 0: none
        QTest::addColumn<QString>("line");
        QTest::newRow("2 and 7 wrong")
            << QList<int>{2, 7} << 4 << "Good work. You have scored 8 out of 10.";
        QTest::newRow("all right")
            << QList<int>{} << 0 << "Excellent work. You have scored 10 out of 10.";
        QTest::newRow("nothing answered")
            << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10} << 0 << "You have scored 0 out of 10.";
    }
    void aPupilTakesTheQuiz() {
        QFETCH(QList<int>, wrong);
        QFETCH(int, answer);
        QFETCH(QString, line);
        QPixmap tall(300, 600);
        tall.fill(Qt::red);
        Multiple& quiz = openQuiz(tall);
        QCOMPARE(quiz.Label4->text(), QStringLiteral("Question 1"));
        QCOMPARE(quiz.Label6->text(), QStringLiteral("Blitz"));
        QCOMPARE(quiz.Option1[3]->text(), QStringLiteral("Answer 1C"));
        QVERIFY(quiz.Label3[Multiple::Previous]->isHidden());
        // The picture, fitted to its box, hides the no-answer button whole.
        const QRect picture = quiz.Picture1()->geometry();
        QCOMPARE(quiz.Picture1()->pixmap().size(), QSize(picture.height() / 2, picture.height()));
        QVERIFY(picture.contains(quiz.Option1[5]->geometry()));
        QVERIFY(quiz.client()->children().indexOf(quiz.Picture1()) >
                quiz.client()->children().indexOf(quiz.Option1[5]));

        answerAll(quiz, wrong, answer);
        QVERIFY(screens().isShowing(ScreenId::Welldone) && !screens().isLoaded(ScreenId::multiple));
        QCOMPARE(result().Score, 10 - wrong.size());
        QCOMPARE(result().ResultHeading, QStringLiteral("Ostervale"));
        QVERIFY(!review().isVisible());
        QCOMPARE(review().Label6->text(), QStringLiteral("Blitz"));
        for (int k = 0; k < 10; ++k) {
            QCOMPARE(review().Label2[k]->isHidden(), k >= wrong.size());
            if (k < wrong.size())
                QCOMPARE(review().Label2[k]->text(),
                         QStringLiteral(" %1. Question %1?").arg(wrong[k]));
        }
        const bool full = wrong.isEmpty();
        QCOMPARE(results().Label1->text(), line);
        QCOMPARE(results().Label3[0]->text(), full ? QStringLiteral("Print Certificate")
                                                   : QStringLiteral("Check Wrong Answers"));
        QVERIFY(!results().Label3[0]->isHidden() && !results().Label5->isHidden());
        QCOMPARE(results().Text1->isHidden(), !full);
        QCOMPARE(results().Label2->isHidden(), !full);
        QVERIFY(results().Label6->isHidden());
        // A screen reader reads the wrong questions, then the advice.
        QAccessibleInterface* page = QAccessible::queryAccessibleInterface(review().client());
        const int first =
            page->indexOfChild(QAccessible::queryAccessibleInterface(review().Label2[0]));
        QVERIFY(full ||
                (first >= 0 && first < page->indexOfChild(QAccessible::queryAccessibleInterface(
                                           review().Label5))));
        // Leaving the results takes the review, unseen or not, with them.
        click(results().Label3[Welldone::Exit]);
        QVERIFY(!screens().isLoaded(ScreenId::Wrong) && !screens().isLoaded(ScreenId::Welldone));
    }

    // Going back shows a question afresh and takes back its mark.
    void theEntriesFollowTheQuestionBothWays() {
        Multiple& quiz = openQuiz();
        // A pupil clicking beside a short answer, at the right end of its box,
        // chooses that answer, and hears a key typed.
        OptionButton* answer = quiz.Option1[2];
        click(answer, QPoint(answer->width() - 2, answer->height() / 2));
        QVERIFY(answer->isChecked());
        QCOMPARE(f->sound->played, QStringList{QStringLiteral("wav\\typekey.wav")});
        for (int q = 1; q <= 3; ++q)
            click(quiz.Label3[Multiple::Next]);
        QVERIFY(!quiz.Label3[Multiple::Previous]->isHidden());
        click(quiz.Option1[test_sets::kPattern[3]]);
        click(quiz.Label3[Multiple::Next]);
        QCOMPARE(f->program->state<QuizState>().QuestionRight[4], 1);
        click(quiz.Label3[Multiple::Previous]);
        QCOMPARE(quiz.Label4->text(), QStringLiteral("Question 4"));
        for (int i = 1; i <= 4; ++i)
            QVERIFY(!quiz.Option1[i]->isChecked());
        click(quiz.Label3[Multiple::Next]);
        QCOMPARE(f->program->state<QuizState>().QuestionRight[4], 0);
        for (int q = 5; q < 10; ++q)
            click(quiz.Label3[Multiple::Next]);
        QCOMPARE(quiz.Label4->text(), QStringLiteral("Question 10"));
        QCOMPARE(quiz.Label3[Multiple::Next]->text(), QStringLiteral("Check Score >>"));
        click(quiz.Label3[Multiple::Previous]);
        QCOMPARE(quiz.Label3[Multiple::Next]->text(), QStringLiteral("Next Question >>"));
    }

    void fullMarksAreCelebratedOnce() {
        f->program->shell.SoundOn = 1;
        *f->random = FixedRandom({0.7});
        result() = {10, 10};
        results().Show();
        // The pointer crosses the screen before the celebration lights the
        // entries.
        results().Form_MouseMove();
        QTRY_VERIFY(celebrationOver());
        QCOMPARE(f->sound->played, QStringList{QStringLiteral("wav\\fanf3.wav")});
        QCOMPARE(f->random->seeds, 1);
        QVERIFY(results().Label3[0]->isOpaque() && results().Label3[1]->isOpaque());
        QCOMPARE(results().window()->focusWidget(), results().Text1);
        // The name box lies under the hint's empty area and must take the
        // pupil's click all the same.
        const QRect box = results().Text1->geometry();
        QCOMPARE(results().client()->childAt(box.bottomRight()), results().Text1);
    }

    // An activity's result has no review, its own bands, and keeps the
    // heading the last quiz saved.
    void anActivitysResult() {
        result().ResultHeading = QStringLiteral("Ostervale");
        results::hand(*f->program, Results(1, 3));
        QVERIFY(screens().isShowing(ScreenId::Welldone));
        QVERIFY(!screens().isLoaded(ScreenId::Wrong));
        QCOMPARE(result().ResultHeading, QStringLiteral("Ostervale"));
        QCOMPARE(results().Label1->text(),
                 QStringLiteral("Good work. You have scored 1 out of 3."));
        QVERIFY(!results().Label6->isHidden());
        QVERIFY(results().Label3[0]->isHidden() && results().Label5->isHidden());
        results::hand(*f->program, Results(4, 4));
        QCOMPARE(results().Label3[Welldone::ReviewOrCertificate]->text(),
                 QStringLiteral("Print Certificate"));
    }

    // Lines a million characters long: each control gets only the start of
    // the text, and still overflows its box, so nothing that could be seen
    // is lost. Laying out the whole text froze the window for seconds.
    void endlessLinesAreCutWhereTheyStopBeingVisible() {
        const QString endless = QStringLiteral("Rations were ").repeated(80000);
        QuestionSheet sheet = test_sets::sheet(endless, test_sets::kPattern);
        sheet.questions.fill(endless);
        sheet.answers.fill(endless);
        FieldReader file1(composeQuestionFile(sheet));
        QVERIFY(LoadQuestions(file1, f->program->state<QuizTables>()));
        Multiple::open(*f->program, QPixmap(), endless, QString());
        Multiple& quiz = screens().form<Multiple>();
        for (QLabel* label : {quiz.Label2, quiz.Label5, quiz.Label6}) {
            QVERIFY(label->text().size() < 20000 && endless.startsWith(label->text()));
            QVERIFY(label->heightForWidth(label->width()) > label->height());
        }
        OptionButton* answer = quiz.Option1[4];
        QVERIFY(answer->text().size() < 20000 && endless.startsWith(answer->text()));
        QVERIFY(answer->sizeHint().width() > answer->width());
        answerAll(quiz, {3});
        QVERIFY(review().Label2[0]->text().size() < 20000);
    }
};

OSTERVALE_TEST(QuizScreensTest)
#include "test_quiz_screens.moc"
