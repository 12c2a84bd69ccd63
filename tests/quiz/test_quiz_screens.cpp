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
        result().Score = 7;
        QPixmap tall(300, 600);
        tall.fill(Qt::red);
        Multiple& quiz = openQuiz(tall);
        QCOMPARE(result().Score, 0);
        QCOMPARE(result().ScoreTotal, 10);
        QCOMPARE(quiz.Label4->text(), QStringLiteral("Question 1"));
        QCOMPARE(quiz.Label6->text(), QStringLiteral("Blitz"));
        QCOMPARE(quiz.Option1[3]->text(), QStringLiteral("Answer 1C"));
        for (int i = 1; i <= 4; ++i)
            QVERIFY(!quiz.Option1[i]->isChecked());
        QVERIFY(quiz.Label3[Multiple::Previous]->isHidden());
        // The picture, fitted to its box, leaves "Print Worksheet" clear and
        // hides the no-answer button whole.
        const QRect picture = quiz.Picture1()->geometry();
        QCOMPARE(quiz.Picture1()->pixmap().size(), QSize(picture.height() / 2, picture.height()));
        QVERIFY(!picture.intersects(quiz.Label3[Multiple::PrintWorksheet]->geometry()));
        QVERIFY(picture.contains(quiz.Option1[5]->geometry()));
        QVERIFY(quiz.client()->children().indexOf(quiz.Picture1()) >
                quiz.client()->children().indexOf(quiz.Option1[5]));

        // The last click is heard with the results already up and the quiz gone.
        bool resultsShowingAtLastClick = false;
        f->sound->onPlay = [&](const QString&) {
            resultsShowingAtLastClick =
                screens().isShowing(ScreenId::Welldone) && !screens().isLoaded(ScreenId::multiple);
        };
        answerAll(quiz, wrong, answer);
        QVERIFY(resultsShowingAtLastClick);
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
    }

    // Going back shows a question afresh and takes back its mark.
    void theEntriesFollowTheQuestionBothWays() {
        Multiple& quiz = openQuiz();
        // A pupil clicking beside a short answer, at the right end of its box,
        // chooses that answer, and hears a key typed only with sound on.
        OptionButton* answer = quiz.Option1[2];
        click(answer, QPoint(answer->width() - 2, answer->height() / 2));
        QVERIFY(answer->isChecked());
        QCOMPARE(f->sound->played, QStringList{QStringLiteral("wav\\typekey.wav")});
        f->program->shell.SoundOn = 0;
        click(quiz.Option1[3]);
        QCOMPARE(f->sound->played.size(), 1);
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
        // Exit in the middle leaves no results.
        click(quiz.Label3[Multiple::Exit]);
        QVERIFY(!screens().isLoaded(ScreenId::multiple));
        QVERIFY(!screens().isLoaded(ScreenId::Welldone) && !screens().isLoaded(ScreenId::Wrong));
    }

    // Leaving the review, or the results under it, closes both.
    void leavingTheReviewOrTheResultsClosesBoth() {
        for (bool fromResults : {false, true}) {
            answerAll(openQuiz(), {5});
            click(results().Label3[Welldone::ReviewOrCertificate]);
            QVERIFY(screens().isShowing(ScreenId::Wrong));
            const qsizetype heard = f->sound->played.size();
            click(fromResults ? results().Label3[Welldone::Exit] : review().Label3);
            QVERIFY(!screens().isLoaded(ScreenId::Wrong));
            QVERIFY(!screens().isLoaded(ScreenId::Welldone));
            QCOMPARE(f->sound->played.size(), heard + (fromResults ? 1 : 0));
        }
    }

    void fullMarksAreCelebratedOnceAndOnlyAloud() {
        f->program->shell.SoundOn = 1;
        *f->random = FixedRandom({0.7});
        result() = {10, 10};
        // The pointer crosses the screen before the celebration lights the
        // entries.
        results().Form_MouseMove();
        QVERIFY(!results().Label3[Welldone::Exit]->isOpaque());
        results().Show();
        QTRY_VERIFY(celebrationOver());
        QCOMPARE(f->sound->played, QStringList{QStringLiteral("wav\\fanf3.wav")});
        QCOMPARE(f->random->seeds, 1);
        QVERIFY(results().Label3[0]->isOpaque() && results().Label3[1]->isOpaque());
        QCOMPARE(results().window()->focusWidget(), results().Text1);
        // The name box lies under the hint's empty area and must take the
        // pupil's click wherever they aim at it.
        QCOMPARE(results().Text1->maxLength(), 25);
        const QRect box = results().Text1->geometry();
        for (QPoint p : {box.center(), box.topLeft(), box.bottomRight()})
            QCOMPARE(results().client()->childAt(p), results().Text1);

        // Memory running out as the sound starts: the results stay up and
        // answer, and the timer that failed does not go round again.
        screens().unload(ScreenId::Welldone);
        int tries = 0;
        f->sound->onPlay = [&tries](const QString&) {
            ++tries;
            throw std::bad_alloc();
        };
        results().Show();
        QTRY_VERIFY(celebrationOver());
        QTest::qWait(50);
        QCOMPARE(tries, 1);
        QVERIFY(results().Label3[Welldone::Exit]->isOpaque());
        f->sound->onPlay = nullptr;
        screens().unload(ScreenId::Welldone);
        f->program->shell.SoundOn = 0;
        f->sound->played.clear();
        results().Show();
        QTRY_VERIFY(celebrationOver());
        QVERIFY(f->sound->played.isEmpty());
        click(results().Label3[Welldone::Exit]);
        QVERIFY(!screens().isLoaded(ScreenId::Welldone));
    }

    // The one way a result reaches the results screen: after a quiz the
    // review is made, unseen, from the same value; an activity's result has
    // none, its own bands, and keeps the heading the last quiz saved.
    void aResultIsHandedOnWhole() {
        Results quiz(7, 10, true);
        quiz.ResultHeading = QStringLiteral("Ostervale");
        quiz.reviewTitle = QStringLiteral("Blitz");
        quiz.wrongLines = QStringList{"2. Question 2?", "5. Question 5?", "9. Question 9?"};
        results::hand(*f->program, quiz);
        QVERIFY(screens().isShowing(ScreenId::Welldone));
        QVERIFY(!review().isVisible());
        QCOMPARE(review().Label2[2]->text(), QStringLiteral("9. Question 9?"));
        QVERIFY(review().Label2[3]->isHidden());
        // Read aloud in order: the wrong questions, then the advice.
        QAccessibleInterface* page =
            QAccessible::queryAccessibleInterface(review().Label2[0])->parent();
        QVERIFY(page->indexOfChild(QAccessible::queryAccessibleInterface(review().Label2[2])) <
                page->indexOfChild(QAccessible::queryAccessibleInterface(review().Label5)));

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
        const auto cutButShowingAll = [&](QWidget* control, const QString& shown) {
            QVERIFY2(shown.size() < 20000 && endless.startsWith(shown),
                     qPrintable(control->objectName()));
            const auto* label = qobject_cast<QLabel*>(control);
            if (label && label->wordWrap())
                QVERIFY(label->heightForWidth(label->width()) > label->height());
            else
                QVERIFY(control->sizeHint().width() > control->width());
        };
        for (QWidget* control :
             std::initializer_list<QWidget*>{quiz.Label2, quiz.Label5, quiz.Label6})
            cutButShowingAll(control, qobject_cast<QLabel*>(control)->text());
        for (int i = 1; i <= 4; ++i)
            cutButShowingAll(quiz.Option1[i], quiz.Option1[i]->text());
        answerAll(quiz, {3});
        QVERIFY(review().Label2[0]->text().size() < 20000);
        QVERIFY(review().Label6->text().size() < 20000);
    }
};

OSTERVALE_TEST(QuizScreensTest)
#include "test_quiz_screens.moc"
