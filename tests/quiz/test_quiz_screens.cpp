#include "multiple.h"
#include "quiz_rules.h"
#include "quiz_session.h"
#include "quiz_state.h"
#include "results.h"
#include "support/gui.h"
#include "support/program_fixture.h"
#include "support/question_sets.h"
#include "testmain.h"
#include "welldone.h"
#include "wrong.h"

#include <QTest>

namespace {
const QString kClick = QStringLiteral("wav\\click.wav");
const QString kTypeKey = QStringLiteral("wav\\typekey.wav");

using gui::click;
} // namespace

class QuizScreensTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ProgramFixture> f;

    ScreenRegistry& screens() { return f->program->screens(); }

    Multiple& openQuiz() {
        FieldReader file1(composeQuestionFile(test_sets::sheet("Blitz", test_sets::kPattern)));
        if (!LoadQuestions(file1, f->program->state<QuizTables>()))
            qFatal("test set did not load");
        f->program->shell.SoundOn = 1;
        quiz_session::start(*f->program, QPixmap(), QStringLiteral("Ostervale"));
        return screens().form<Multiple>();
    }

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
    void init() { f = std::make_unique<ProgramFixture>(); }
    void cleanup() { f.reset(); }

    void loadStartsAtQuestionOneWithNothingChosen() {
        f->program->state<Results>().Score = 7;
        Multiple& quiz = openQuiz();
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
        // The picture leaves "Print Worksheet" and the question clear...
        const QRect picture = quiz.Picture1()->geometry();
        QVERIFY(!picture.intersects(quiz.Label3[3]->geometry()));
        QVERIFY(!picture.intersects(quiz.Label2->geometry()));
        QVERIFY(quiz.client()->rect().contains(picture));
        // ...and hides the no-answer button whole.
        QVERIFY(quiz.Picture1()->geometry().contains(quiz.Option1[5]->geometry()));
        QVERIFY(quiz.client()->children().indexOf(quiz.Picture1()) >
                quiz.client()->children().indexOf(quiz.Option1[5]));
    }

    void theQuizPictureIsFittedToItsBox() {
        FieldReader file1(composeQuestionFile(test_sets::sheet("Blitz", test_sets::kPattern)));
        QVERIFY(LoadQuestions(file1, f->program->state<QuizTables>()));
        QPixmap tall(300, 600);
        tall.fill(Qt::red);
        quiz_session::start(*f->program, tall, QStringLiteral("Ostervale"));
        auto& quiz = screens().form<Multiple>();
        const QSize shown = quiz.Picture1()->pixmap().size();
        QCOMPARE(shown.height(), quiz.Picture1()->height());
        QCOMPARE(shown.width(), 300 * quiz.Picture1()->height() / 600);
    }

    void theEntriesFollowTheQuestion() {
        Multiple& quiz = openQuiz();
        click(quiz.Label3[1]);
        QVERIFY(!quiz.Label3[0]->isHidden());
        for (int q = 2; q < 10; ++q)
            click(quiz.Label3[1]);
        QCOMPARE(quiz.Label4->text(), QStringLiteral("Question 10"));
        QCOMPARE(quiz.Label3[1]->text(), QStringLiteral("Check Score >>"));
        click(quiz.Label3[0]);
        QCOMPARE(quiz.Label4->text(), QStringLiteral("Question 9"));
        QCOMPARE(quiz.Label3[1]->text(), QStringLiteral("Next Question >>"));
    }

    void goingBackShowsTheQuestionAgainWithNoAnswer() {
        Multiple& quiz = openQuiz();
        for (int q = 1; q <= 3; ++q)
            click(quiz.Label3[1]);
        click(quiz.Option1[test_sets::kPattern[3]]);
        click(quiz.Label3[1]);
        QCOMPARE(f->program->state<QuizState>().QuestionRight[4], 1);
        click(quiz.Label3[0]);
        QCOMPARE(quiz.Label4->text(), QStringLiteral("Question 4"));
        for (int i = 1; i <= 4; ++i)
            QVERIFY(!quiz.Option1[i]->isChecked());
        click(quiz.Label3[1]);
        QCOMPARE(f->program->state<QuizState>().QuestionRight[4], 0);
    }

    void pickingAnAnswerTypesOnlyWithSoundOn() {
        Multiple& quiz = openQuiz();
        click(quiz.Option1[2]);
        QCOMPARE(f->sound->played, QStringList{kTypeKey});
        f->program->shell.SoundOn = 0;
        click(quiz.Option1[3]);
        QCOMPARE(f->sound->played.size(), 1);
        QVERIFY(quiz.Option1[3]->isChecked());
    }

    void endOfQuizWithQuestionsTwoAndSevenWrong() {
        Multiple& quiz = openQuiz();
        bool resultsShowingAtLastClick = false;
        f->sound->onPlay = [&](const QString&) {
            resultsShowingAtLastClick =
                screens().isShowing(ScreenId::Welldone) && !screens().isLoaded(ScreenId::multiple);
        };
        answerAll(quiz, {2, 7}, 4);
        QVERIFY(resultsShowingAtLastClick);
        QCOMPARE(f->program->state<Results>().Score, 8);
        QCOMPARE(f->program->state<QuizState>().ResultHeading, QStringLiteral("Ostervale"));

        auto& review = screens().form<Wrong>();
        QVERIFY(!review.isVisible());
        QCOMPARE(review.Label6->text(), QStringLiteral("Blitz"));
        QCOMPARE(review.Label2[0]->text(), QStringLiteral(" 2. Question 2?"));
        QCOMPARE(review.Label2[1]->text(), QStringLiteral(" 7. Question 7?"));
        QVERIFY(!review.Label2[0]->isHidden());
        for (int k = 2; k < 10; ++k)
            QVERIFY(review.Label2[k]->isHidden());

        auto& results = screens().form<Welldone>();
        QCOMPARE(results.Label1->text(), QStringLiteral("Good work. You have scored 8 out of 10."));
        QVERIFY(!results.Label5->isHidden());
        QVERIFY(results.Label6->isHidden());
        QCOMPARE(results.Label3[0]->text(), QStringLiteral("Check Wrong Answers"));
        QVERIFY(!results.Label3[0]->isHidden());
        QVERIFY(results.Text1->isHidden());

        click(results.Label3[0]);
        QVERIFY(screens().isShowing(ScreenId::Wrong));
        click(review.Label3);
        QVERIFY(!screens().isLoaded(ScreenId::Wrong));
        QVERIFY(!screens().isLoaded(ScreenId::Welldone));
    }

    void tenRightLeavesTheReviewEmptyAndOffersACertificate() {
        answerAll(openQuiz(), {});
        QCOMPARE(f->program->state<Results>().Score, 10);
        for (QLabel* line : screens().form<Wrong>().Label2)
            QVERIFY(line->isHidden());
        auto& results = screens().form<Welldone>();
        QCOMPARE(results.Label1->text(),
                 QStringLiteral("Excellent work. You have scored 10 out of 10."));
        QCOMPARE(results.Label3[0]->text(), QStringLiteral("Print Certificate"));
        QVERIFY(!results.Text1->isHidden());
        QVERIFY(!results.Label2->isHidden());
        QCOMPARE(results.Text1->maxLength(), 25);
        // The name box lies under the hint's empty area and must take the
        // pupil's click wherever they aim at it.
        for (QPoint p : {results.Text1->geometry().center(), results.Text1->geometry().topLeft(),
                         results.Text1->geometry().bottomRight()})
            QCOMPARE(results.client()->childAt(p), results.Text1);
        const int heard = f->sound->played.size();
        click(results.Label3[0]);
        QCOMPARE(f->sound->played.size(), heard);
        QVERIFY(!screens().isLoaded(ScreenId::Wrong) || !screens().isShowing(ScreenId::Wrong));
    }

    void noAnswersAtAllFillEveryReviewLine() {
        answerAll(openQuiz(), {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
        auto& review = screens().form<Wrong>();
        for (int k = 0; k < 10; ++k)
            QCOMPARE(review.Label2[k]->text(), QStringLiteral(" %1. Question %1?").arg(k + 1));
        QCOMPARE(screens().form<Welldone>().Label1->text(),
                 QStringLiteral("You have scored 0 out of 10."));
    }

    void exitLeavesNoResults() {
        Multiple& quiz = openQuiz();
        click(quiz.Option1[1]);
        click(quiz.Label3[1]);
        click(quiz.Label3[2]);
        QVERIFY(!screens().isLoaded(ScreenId::multiple));
        QVERIFY(!screens().isLoaded(ScreenId::Welldone));
        QVERIFY(!screens().isLoaded(ScreenId::Wrong));
        QCOMPARE(f->sound->played.last(), kClick);
    }

    void printWorksheetLeavesTheQuestionAsItWas() {
        Multiple& quiz = openQuiz();
        click(quiz.Label3[1]);
        click(quiz.Option1[3]);
        click(quiz.Label3[3]);
        QCOMPARE(quiz.Label4->text(), QStringLiteral("Question 2"));
        QVERIFY(quiz.Option1[3]->isChecked());
        QCOMPARE(f->sound->played.last(), kClick);
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
    }

    void activitiesGetTheirOwnBands() {
        f->program->state<Results>() = {1, 3};
        auto& results = screens().form<Welldone>();
        QCOMPARE(results.Label1->text(), QStringLiteral("Good work. You have scored 1 out of 3."));
        QVERIFY(!results.Label6->isHidden());
        QVERIFY(results.Label3[0]->isHidden());
        QVERIFY(results.Label5->isHidden());
    }

    void installedQuestionsFitTheScreen_data() {
        QTest::addColumn<QString>("file");
        QTest::newRow("Rationing") << "multiple/Rationing.txt";
        QTest::newRow("Progress") << "multiple/The Progress of the War.txt";
    }
    void installedQuestionsFitTheScreen() {
        QFETCH(QString, file);
        QVERIFY(loadQuestionFile(QStringLiteral(OSTERVALE_HOME) + u'/' + file,
                                 f->program->state<QuizTables>()));
        Multiple& quiz = screens().form<Multiple>();
        QLabel* reviewLine = screens().form<Wrong>().Label2[9];
        const int reviewRoom = screens().form<Wrong>().client()->width() - reviewLine->x();
        QVERIFY(quiz.Label6->sizeHint().width() <= quiz.Label6->width());
        for (int q = 1; q <= 10; ++q) {
            f->program->state<QuizState>().CurrentQuestion = q;
            quiz.showquest();
            QVERIFY2(quiz.Label2->heightForWidth(quiz.Label2->width()) <= quiz.Label2->height(),
                     qPrintable(quiz.Label2->text()));
            for (int i = 1; i <= 4; ++i)
                QVERIFY2(quiz.Option1[i]->sizeHint().width() <= quiz.Option1[i]->width(),
                         qPrintable(quiz.Option1[i]->text()));
            // The review lists a wrong question on one line across the screen.
            reviewLine->setText(quiz_rules::wrongLine(q, quiz.Label2->text()));
            QVERIFY2(reviewLine->sizeHint().width() <= reviewRoom, qPrintable(reviewLine->text()));
        }
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
        quiz_session::start(*f->program, QPixmap(), endless);
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
        const Wrong& review = screens().form<Wrong>();
        QVERIFY(review.Label2[9]->text().size() < 20000);
        QVERIFY(review.Label6->text().size() < 20000);
    }

    void resultsExitClosesTheReviewToo() {
        answerAll(openQuiz(), {5});
        click(screens().form<Welldone>().Label3[0]);
        QVERIFY(screens().isLoaded(ScreenId::Wrong));
        const int heard = f->sound->played.size();
        click(screens().form<Welldone>().Label3[1]);
        QVERIFY(!screens().isLoaded(ScreenId::Wrong));
        QVERIFY(!screens().isLoaded(ScreenId::Welldone));
        QCOMPARE(f->sound->played.size(), heard + 1);
    }
};

OSTERVALE_TEST(QuizScreensTest)
#include "test_quiz_screens.moc"
