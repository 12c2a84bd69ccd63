#include "multiple.h"
#include "quiz_session.h"
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

namespace {
using gui::click;
} // namespace

class QuizScreensTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ProgramFixture> f;

    ScreenRegistry& screens() { return f->program->screens(); }

    Multiple& openQuiz(const QPixmap& picture = {}) {
        FieldReader file1(composeQuestionFile(test_sets::sheet("Blitz", test_sets::kPattern)));
        if (!LoadQuestions(file1, f->program->state<QuizTables>()))
            qFatal("test set did not load");
        f->program->shell.SoundOn = 1;
        Multiple::open(*f->program, picture, QStringLiteral("Ostervale"),
                       QStringLiteral("A test picture"));
        return screens().form<Multiple>();
    }
    Welldone& results() { return screens().form<Welldone>(); }
    Wrong& review() { return screens().form<Wrong>(); }

    // Answers each question right, except those listed, which get answer
    // "wrong" (0 = no answer at all).
    void answerAll(Multiple& quiz, const QList<int>& wrongOnes, int wrongAnswer = 0) {
        for (int q = 1; q <= 10; ++q) {
            const int right = test_sets::kPattern[q - 1];
            const int chosen = wrongOnes.contains(q) ? wrongAnswer : right;
            if (chosen > 0)
                click(quiz.Option1[chosen]);
            click(quiz.Label3[1]);
        }
    }

private Q_SLOTS:
    void init() {
        f = std::make_unique<ProgramFixture>();
        // The quiz hands its result on by the screens' ids, as the program's
        // start-up defines them.
        f->program->screens().define<Welldone>();
        f->program->screens().define<Wrong>();
    }
    void cleanup() { f.reset(); }

    void loadStartsAtQuestionOneWithNothingChosen() {
        f->program->state<Results>().Score = 7;
        QPixmap tall(300, 600);
        tall.fill(Qt::red);
        Multiple& quiz = openQuiz(tall);
        QCOMPARE(f->program->state<Results>().Score, 0);
        QCOMPARE(f->program->state<Results>().ScoreTotal, 10);
        QCOMPARE(quiz.Label4->text(), QStringLiteral("Question 1"));
        QCOMPARE(quiz.Label2->text(), QStringLiteral("Question 1?"));
        QCOMPARE(quiz.Label6->text(), QStringLiteral("Blitz"));
        QCOMPARE(quiz.Option1[3]->text(), QStringLiteral("Answer 1C"));
        for (int i = 1; i <= 4; ++i)
            QVERIFY(!quiz.Option1[i]->isChecked());
        QVERIFY(quiz.Label3[0]->isHidden());
        QVERIFY(!quiz.Label3[3]->isHidden());
        // The picture, fitted to its box, leaves "Print Worksheet" and the
        // question clear...
        const QRect picture = quiz.Picture1()->geometry();
        QCOMPARE(quiz.Picture1()->pixmap().size(), QSize(picture.height() / 2, picture.height()));
        QVERIFY(!picture.intersects(quiz.Label3[3]->geometry()));
        QVERIFY(!picture.intersects(quiz.Label2->geometry()));
        QVERIFY(quiz.client()->rect().contains(picture));
        // ...and hides the no-answer button whole.
        QVERIFY(picture.contains(quiz.Option1[5]->geometry()));
        QVERIFY(quiz.client()->children().indexOf(quiz.Picture1()) >
                quiz.client()->children().indexOf(quiz.Option1[5]));
    }

    // Going back shows a question afresh and takes back its mark.
    void theEntriesFollowTheQuestionBothWays() {
        Multiple& quiz = openQuiz();
        for (int q = 1; q <= 3; ++q)
            click(quiz.Label3[1]);
        QVERIFY(!quiz.Label3[0]->isHidden());
        click(quiz.Option1[test_sets::kPattern[3]]);
        click(quiz.Label3[1]);
        QCOMPARE(f->program->state<QuizState>().QuestionRight[4], 1);
        click(quiz.Label3[0]);
        QCOMPARE(quiz.Label4->text(), QStringLiteral("Question 4"));
        for (int i = 1; i <= 4; ++i)
            QVERIFY(!quiz.Option1[i]->isChecked());
        click(quiz.Label3[1]);
        QCOMPARE(f->program->state<QuizState>().QuestionRight[4], 0);
        for (int q = 5; q < 10; ++q)
            click(quiz.Label3[1]);
        QCOMPARE(quiz.Label4->text(), QStringLiteral("Question 10"));
        QCOMPARE(quiz.Label3[1]->text(), QStringLiteral("Check Score >>"));
        click(quiz.Label3[0]);
        QCOMPARE(quiz.Label4->text(), QStringLiteral("Question 9"));
        QCOMPARE(quiz.Label3[1]->text(), QStringLiteral("Next Question >>"));
    }

    void pickingAnAnswerTypesOnlyWithSoundOn() {
        Multiple& quiz = openQuiz();
        click(quiz.Option1[2]);
        QCOMPARE(f->sound->played, QStringList{QStringLiteral("wav\\typekey.wav")});
        f->program->shell.SoundOn = 0;
        click(quiz.Option1[3]);
        QCOMPARE(f->sound->played.size(), 1);
        QVERIFY(quiz.Option1[3]->isChecked());
    }

    // A pupil clicking beside a short answer, at the right end of its box,
    // chooses that answer.
    void theWholeBoxOfAnAnswerTakesTheClick() {
        Multiple& quiz = openQuiz();
        quiz.grab();
        for (int i = 1; i <= 4; ++i) {
            OptionButton* answer = quiz.Option1[i];
            const QPoint end(answer->width() - 2, answer->height() / 2);
            QVERIFY(answer->fontMetrics().horizontalAdvance(answer->text()) < end.x() / 2);
            click(answer, end);
            QVERIFY2(answer->isChecked(), qPrintable(answer->text()));
        }
    }

    // The last click is heard with the results already up and the quiz gone.
    void theMarkAndTheWrongQuestionsAreShown_data() {
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
    void theMarkAndTheWrongQuestionsAreShown() {
        QFETCH(QList<int>, wrong);
        QFETCH(int, answer);
        QFETCH(QString, line);
        Multiple& quiz = openQuiz();
        bool resultsShowingAtLastClick = false;
        f->sound->onPlay = [&](const QString&) {
            resultsShowingAtLastClick =
                screens().isShowing(ScreenId::Welldone) && !screens().isLoaded(ScreenId::multiple);
        };
        answerAll(quiz, wrong, answer);
        QVERIFY(resultsShowingAtLastClick);
        QCOMPARE(f->program->state<Results>().Score, 10 - wrong.size());
        QCOMPARE(f->program->state<Results>().ResultHeading, QStringLiteral("Ostervale"));
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
        QVERIFY(!results().Label3[0]->isHidden());
        QCOMPARE(results().Text1->isHidden(), !full);
        QCOMPARE(results().Label2->isHidden(), !full);
        QVERIFY(!results().Label5->isHidden());
        QVERIFY(results().Label6->isHidden());
    }

    // Leaving the review, or the results under it, closes both.
    void leavingTheReviewOrTheResultsClosesBoth() {
        for (bool fromResults : {false, true}) {
            answerAll(openQuiz(), {5});
            click(results().Label3[0]);
            QVERIFY(screens().isShowing(ScreenId::Wrong));
            const qsizetype heard = f->sound->played.size();
            click(fromResults ? results().Label3[1] : review().Label3);
            QVERIFY(!screens().isLoaded(ScreenId::Wrong));
            QVERIFY(!screens().isLoaded(ScreenId::Welldone));
            if (fromResults)
                QCOMPARE(f->sound->played.size(), heard + 1);
        }
    }

    void exitLeavesNoResults() {
        Multiple& quiz = openQuiz();
        click(quiz.Option1[1]);
        click(quiz.Label3[1]);
        click(quiz.Label3[2]);
        QVERIFY(!screens().isLoaded(ScreenId::multiple));
        QVERIFY(!screens().isLoaded(ScreenId::Welldone));
        QVERIFY(!screens().isLoaded(ScreenId::Wrong));
        QCOMPARE(f->sound->played.last(), heard::Click);
    }

    void celebrationLightsTheEntriesAndFocusesTheName_data() {
        QTest::addColumn<int>("soundOn");
        QTest::addColumn<QStringList>("heard");
        QTest::newRow("sound on") << 1 << QStringList{QStringLiteral("wav\\fanf3.wav")};
        QTest::newRow("sound off") << 0 << QStringList{};
    }
    void celebrationLightsTheEntriesAndFocusesTheName() {
        QFETCH(int, soundOn);
        QFETCH(QStringList, heard);
        f->program->shell.SoundOn = soundOn;
        *f->random = FixedRandom({0.7});
        f->program->state<Results>() = {10, 10};
        auto& results = screens().form<Welldone>();
        // The pointer crosses the screen before the celebration starts.
        results.Form_MouseMove();
        QVERIFY(!results.Label3[1]->isOpaque());
        results.Show();
        QTRY_VERIFY(!results.Timer3->isActive() && !results.Timer2->isActive() &&
                    !results.Timer1->isActive());
        QCOMPARE(f->sound->played, heard);
        QVERIFY(results.Label3[0]->isOpaque());
        QVERIFY(results.Label3[1]->isOpaque());
        QCOMPARE(results.window()->focusWidget(), results.Text1);
        QCOMPARE(f->random->seeds, 1);
        // The name box lies under the hint's empty area and must take the
        // pupil's click wherever they aim at it.
        QCOMPARE(results.Text1->maxLength(), 25);
        const QRect box = results.Text1->geometry();
        for (QPoint p : {box.center(), box.topLeft(), box.bottomRight()})
            QCOMPARE(results.client()->childAt(p), results.Text1);
    }

    // Memory running out as the celebration's sound starts: the timer's
    // handler fails, the results stay up and answer, and the timer that
    // failed does not go round again.
    void aCelebrationThatFailsLeavesTheResultsWorking() {
        f->program->shell.SoundOn = 1;
        f->program->state<Results>() = {10, 10};
        int tries = 0;
        f->sound->onPlay = [&tries](const QString&) {
            ++tries;
            throw std::bad_alloc();
        };
        auto& results = screens().form<Welldone>();
        results.Show();
        QTRY_VERIFY(!results.Timer3->isActive() && !results.Timer2->isActive() &&
                    !results.Timer1->isActive());
        QTest::qWait(50);
        QCOMPARE(tries, 1);
        QVERIFY(results.Label3[Welldone::Exit]->isOpaque());
        f->sound->onPlay = nullptr;
        click(results.Label3[Welldone::Exit]);
        QVERIFY(!screens().isLoaded(ScreenId::Welldone));
    }

    // The one way a result reaches the results screen, with no quiz run:
    // after a quiz the review is made, unseen, from the same value; an
    // activity's result has none, and its certificate keeps the heading the
    // last quiz saved.
    void aResultIsHandedOnWhole() {
        Results quiz(7, 10, true);
        quiz.ResultHeading = QStringLiteral("Ostervale");
        quiz.reviewTitle = QStringLiteral("Blitz");
        quiz.wrongLines = QStringList{"2. Question 2?", "5. Question 5?", "9. Question 9?"};
        results::hand(*f->program, quiz);
        QVERIFY(screens().isShowing(ScreenId::Welldone));
        QVERIFY(screens().isLoaded(ScreenId::Wrong));
        QVERIFY(!review().isVisible());
        QCOMPARE(review().Label6->text(), QStringLiteral("Blitz"));
        QCOMPARE(review().Label2[2]->text(), QStringLiteral("9. Question 9?"));
        QVERIFY(review().Label2[3]->isHidden());
        // Read aloud in order: the wrong questions, then the advice.
        QAccessibleInterface* page =
            QAccessible::queryAccessibleInterface(review().Label2[0])->parent();
        QVERIFY(page->indexOfChild(QAccessible::queryAccessibleInterface(review().Label2[2])) <
                page->indexOfChild(QAccessible::queryAccessibleInterface(review().Label5)));

        results::hand(*f->program, Results(4, 4));
        QVERIFY(screens().isShowing(ScreenId::Welldone));
        QVERIFY(!screens().isLoaded(ScreenId::Wrong));
        QCOMPARE(f->program->state<Results>().ResultHeading, QStringLiteral("Ostervale"));
        QCOMPARE(screens().form<Welldone>().Label3[Welldone::ReviewOrCertificate]->text(),
                 QStringLiteral("Print Certificate"));
    }

    void activitiesGetTheirOwnBands() {
        f->program->state<Results>() = {1, 3};
        auto& results = screens().form<Welldone>();
        QCOMPARE(results.Label1->text(), QStringLiteral("Good work. You have scored 1 out of 3."));
        QVERIFY(!results.Label6->isHidden());
        QVERIFY(results.Label3[0]->isHidden());
        QVERIFY(results.Label5->isHidden());
    }

    // Lines a million characters long: each control gets only what it can
    // show, the start of the text, and still overflows its box, so nothing
    // that could be seen is lost. Laying out the whole text froze the window
    // for seconds.
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
            QVERIFY2(shown.size() < 20000, qPrintable(control->objectName()));
            QVERIFY(endless.startsWith(shown));
            const auto* label = qobject_cast<QLabel*>(control);
            if (label && label->wordWrap())
                QVERIFY(label->heightForWidth(label->width()) > label->height());
            else
                QVERIFY(control->sizeHint().width() > control->width());
        };
        for (int q = 1; q <= 10; ++q) {
            cutButShowingAll(quiz.Label2, quiz.Label2->text());
            for (int i = 1; i <= 4; ++i)
                cutButShowingAll(quiz.Option1[i], quiz.Option1[i]->text());
            click(quiz.Label3[1]);
        }
        cutButShowingAll(quiz.Label6, quiz.Label6->text());
        cutButShowingAll(quiz.Label5, quiz.Label5->text());
        QVERIFY(review().Label2[9]->text().size() < 20000);
        QVERIFY(review().Label6->text().size() < 20000);
    }
};

OSTERVALE_TEST(QuizScreensTest)
#include "test_quiz_screens.moc"
