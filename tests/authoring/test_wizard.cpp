#include "catalogue_file.h"
#include "question_file.h"
#include "safe_write.h"
#include "startup.h"
#include "support/gui.h"
#include "support/program_fixture.h"
#include "support/question_sets.h"
#include "testmain.h"
#include "wizard.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QMap>
#include <QTest>
#include <QTimer>
#include <algorithm>

Q_DECLARE_METATYPE(QuestionSheet)

namespace {
const QString kSaved = QStringLiteral("Your worksheet has been saved.");
const QString kProblem = QStringLiteral("There was a problem saving your worksheet");

// What stands in the way of a save; None leaves only the title or answer.
enum class Breakage { None, NoFolder, FileThere, NoList, FullList, FullDisk, ReadOnly, Unplugged };

// Types a whole question set into the boxes, as a teacher would leave them.
void enter(Wizard& w, const QuestionSheet& s) {
    w.Text1->setText(s.title);
    for (int q = 0; q < Wizard::Questions; ++q)
        w.Text2[q]->setText(s.questions[q]);
    for (int i = 0; i < Wizard::Answers; ++i) {
        w.Text3[i]->setText(s.answers[i]);
        w.Check1[i]->setChecked(s.ticked[i]);
    }
}

// Everything the boxes show, as one comparable value.
QByteArray shown(const Wizard& w) {
    QuestionSheet s;
    s.title = w.Text1->text();
    for (int q = 0; q < Wizard::Questions; ++q)
        s.questions[q] = w.Text2[q]->text();
    for (int i = 0; i < Wizard::Answers; ++i) {
        s.answers[i] = w.Text3[i]->text();
        s.ticked[i] = w.Check1[i]->isChecked();
    }
    return composeQuestionFile(s);
}

// Every file under a folder, by relative path, with its bytes.
QMap<QString, QByteArray> filesUnder(const QString& folder) {
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        file.open(QIODevice::ReadOnly);
        files.insert(QDir(folder).relativeFilePath(file.fileName()), file.readAll());
    }
    return files;
}

// The control with the keyboard, by its design name: "Text1", "Text3[39]".
QString focusOf(Wizard& w) {
    return w.window()->focusWidget()->objectName();
}

QuestionSheet complete(const QString& title = QStringLiteral("Blitz")) {
    return test_sets::sheet(title, test_sets::kPattern);
}

// The test class stays in the unnamed namespace with the helpers it holds:
// the unity build includes this file into a bigger one, where GCC warns of a
// class with linkage holding a member of a type without it.
class WizardTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ProgramFixture> f;

    ScreenRegistry& screens() { return f->program->screens(); }
    QString folder() const { return f->path(QStringLiteral("multiple")); }
    QByteArray onDisk(const QString& name) const {
        QFile file(f->path(QStringLiteral("multiple/") + name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Opened as the main menu opens it: loaded, then shown in front.
    Wizard& open() {
        auto& wizard = screens().form<Wizard>();
        wizard.Show();
        return wizard;
    }
    Wizard& openWith(const QuestionSheet& s) {
        enter(open(), s);
        return screens().form<Wizard>();
    }

private Q_SLOTS:
    void initTestCase() {
        // As the program does at start, so that widths are Tahoma's.
        startup::registerFallbackFonts(QStringLiteral(OSTERVALE_HOME "/fonts"));
    }
    void init() {
        f = std::make_unique<ProgramFixture>();
        f->write(QStringLiteral("multiple/track.txt"), " 0\r\n");
        f->program->shell.SoundOn = 1;
    }
    void cleanup() { f.reset(); }

    void opensEmptyWithTheKeyboardInTheTitle() {
        Wizard& w = open();
        QCOMPARE(w.window()->focusWidget(), w.Text1);
        QCOMPARE(shown(w), composeQuestionFile(QuestionSheet{}));
        QCOMPARE(w.Label1[0]->text(), QStringLiteral("Multiple Choice Wizard"));
        QCOMPARE(w.Label1[1]->text(), QStringLiteral("Worksheet Title"));
        QCOMPARE(w.Label3[Wizard::Save]->text(), QStringLiteral("Save Worksheet"));
        QCOMPARE(w.Label3[Wizard::Exit]->text(), QStringLiteral("Exit"));
        // Save and Exit are lit until the pointer crosses the screen, then
        // only the entry under it.
        QVERIFY(w.Label3[Wizard::Save]->isOpaque() && w.Label3[Wizard::Exit]->isOpaque());
        w.Form_MouseMove();
        QVERIFY(!w.Label3[Wizard::Save]->isOpaque() && !w.Label3[Wizard::Exit]->isOpaque());
        QTest::mouseMove(w.Label3[Wizard::Exit], QPoint(5, 5));
        QVERIFY(!w.Label3[Wizard::Save]->isOpaque() && w.Label3[Wizard::Exit]->isOpaque());
    }

    // "Question n" just above its question; a letter, then a tick, then the
    // answer on each answer's line, at Tahoma's widths.
    void captionsFitBesideTheirBoxes() {
        Wizard& w = open();
        for (int q = 0; q < Wizard::Questions; ++q) {
            QLabel* heading = w.Label1[2 + 5 * q];
            QCOMPARE(heading->text(), QStringLiteral("Question %1").arg(q + 1));
            QCOMPARE(heading->geometry().bottomLeft() + QPoint(0, 1), w.Text2[q]->pos());
            for (int a = 0; a < 4; ++a) {
                QLabel* letter = w.Label1[3 + 5 * q + a];
                const QRect tick = w.Check1[4 * q + a]->geometry();
                const QRect answer = w.Text3[4 * q + a]->geometry();
                QCOMPARE(letter->text(), QString(QChar(u'A' + a)) + u'.');
                QVERIFY(letter->y() == answer.y() && tick.y() == answer.y());
                QVERIFY(tick.right() <= answer.x() + 1);
                QVERIFY(w.Check1[4 * q + a]->text().isEmpty());
                // The tick box lies over the end of the caption's box, never
                // over its letters.
                const QRect ink = letter->fontMetrics().boundingRect(letter->text());
                QVERIFY(letter->x() + ink.right() < tick.x());
            }
        }
        // A word too long for its line would be clipped, not wrapped.
        for (QLabel* label : w.findChildren<QLabel*>())
            for (const QString& word : label->text().split(u' '))
                QVERIFY2(label->fontMetrics().horizontalAdvance(word) <= label->width(),
                         qPrintable(word));
    }

    void boxesTakeNoMoreThanTheirLimit() {
        Wizard& w = open();
        const QString typed = QStringLiteral(
            "The Home Guard, 1940-1944: Dad's Army & all that, in Walmington-on-Sea");
        for (const auto& [box, limit] :
             {std::pair{w.Text1, 25}, {w.Text2[4], 60}, {w.Text3[17], 30}, {w.Text3[39], 30}}) {
            QTest::keyClicks(box, typed.left(limit + 1));
            QCOMPARE(box->text(), typed.left(limit));
        }
    }

    // A complete set, then what the teacher left out: whole questions
    // emptied, single answers emptied (by box), questions left unticked, and
    // boxes ticked as well. The first gap in screen order is named.
    void theFirstGapIsNamedAndNothingIsWritten_data() {
        using L = QList<int>;
        QTest::addColumn<QString>("title");
        QTest::addColumn<L>("emptyQuestions");
        QTest::addColumn<L>("emptyAnswers");
        QTest::addColumn<L>("untick");
        QTest::addColumn<L>("alsoTick");
        QTest::addColumn<QString>("message");
        const auto row = [](const char* name, const char* title, L emptyQuestions, L emptyAnswers,
                            L untick, L alsoTick, const char* message, int n = 0) {
            QTest::newRow(name) << QString::fromUtf8(title) << emptyQuestions << emptyAnswers
                                << untick << alsoTick
                                << QString::fromUtf8(message) +
                                       (n ? QStringLiteral(" %1").arg(n) : QString());
        };
        const char* done = "You have not completed Question";
        const char* noTick = "You have not ticked the correct answer for Question";
        const char* many = "You have ticked more than one correct answer for Question";
        row("no title, nothing else", "", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {}, {}, {},
            "You have not chosen a title for your worksheet");
        row("question 1 not ticked, question 2 empty", "Blitz", {2}, {}, {1, 2}, {}, noTick, 1);
        row("question 3 has no text", "Blitz", {3}, {}, {}, {}, done, 3);
        row("answer C of question 7 missing", "Blitz", {}, {26}, {}, {}, done, 7);
        row("a missing answer before a missing tick", "Blitz", {}, {19}, {5}, {}, done, 5);
        row("B and D ticked on question 4", "Blitz", {}, {}, {4}, {13, 15}, many, 4);
        row("question 9 not ticked, question 10 empty", "Blitz", {10}, {}, {9}, {}, noTick, 9);
        row("question 10 ticked twice", "Blitz", {}, {}, {}, {36}, many, 10);
    }
    void theFirstGapIsNamedAndNothingIsWritten() {
        QFETCH(QString, title);
        QFETCH(QList<int>, emptyQuestions);
        QFETCH(QList<int>, emptyAnswers);
        QFETCH(QList<int>, untick);
        QFETCH(QList<int>, alsoTick);
        QFETCH(QString, message);
        QuestionSheet s = complete(title);
        for (int n : emptyQuestions) {
            s.questions[n - 1].clear();
            emptyAnswers << 4 * n - 4 << 4 * n - 3 << 4 * n - 2 << 4 * n - 1;
        }
        for (int i : emptyAnswers)
            s.answers[i].clear();
        for (int n : untick)
            std::fill_n(s.ticked.begin() + 4 * (n - 1), 4, false);
        for (int i : alsoTick)
            s.ticked[i] = true;
        Wizard& w = openWith(s);
        const QByteArray before = shown(w);
        const auto files = filesUnder(folder());
        qsizetype toldBeforeClick = -1;
        f->sound->onPlay = [&](const QString&) { toldBeforeClick = f->messages->shown.size(); };
        gui::click(w.Label3[Wizard::Save]);
        QCOMPARE(f->messages->shown, QStringList{message});
        QCOMPARE(filesUnder(folder()), files);
        QCOMPARE(shown(w), before);
        QCOMPARE(f->sound->played, QStringList{heard::Click});
        QCOMPARE(toldBeforeClick, 1);
    }

    // Blanks are text as typed, not a gap, and go to disk as typed.
    void blanksCountAsTyped() {
        QuestionSheet s = complete();
        s.questions[2] = QStringLiteral(" ");
        s.answers[5] = QStringLiteral("   ");
        gui::click(openWith(s).Label3[Wizard::Save]);
        QCOMPARE(f->messages->shown, QStringList{kSaved});
        QCOMPARE(onDisk(QStringLiteral("Blitz.txt")), composeQuestionFile(s));
        QVERIFY(onDisk(QStringLiteral("Blitz.txt")).contains("\r\nAnswer 2A\r\n   \r\n"));
    }

    // Either Enter key moves on and types nothing; the last box keeps it.
    void enterMovesOnThroughTheBoxes() {
        Wizard& w = openWith(complete());
        const QByteArray before = shown(w);
        const std::pair<const char*, const char*> moves[] = {
            {"Text1", "Text2[0]"},     {"Text2[0]", "Text3[0]"},   {"Text2[6]", "Text3[24]"},
            {"Text3[0]", "Text3[1]"},  {"Text3[2]", "Text3[3]"},   {"Text3[3]", "Text2[1]"},
            {"Text3[35]", "Text2[9]"}, {"Text3[38]", "Text3[39]"}, {"Text3[39]", "Text3[39]"}};
        for (const auto& [from, to] : moves) {
            for (bool keypad : {false, true}) {
                auto* box = w.findChild<QLineEdit*>(QString::fromUtf8(from));
                box->setFocus();
                QTest::keyClick(box, keypad ? Qt::Key_Enter : Qt::Key_Return,
                                keypad ? Qt::KeypadModifier : Qt::NoModifier);
                QCOMPARE(focusOf(w), QString::fromUtf8(to));
            }
        }
        QCOMPARE(shown(w), before);
        // The next key lands in the box that now has the focus.
        QTest::keyClicks(w.window()->focusWidget(), QStringLiteral("VE"));
        QCOMPARE(w.Text3[39]->text(), QStringLiteral("Answer 10DVE"));
    }

    void tabVisitsEachQuestionWithItsAnswersThenTheTicksThenSaveAndExit() {
        Wizard& w = open();
        QStringList expected{QStringLiteral("Text1")};
        for (int q = 0; q < Wizard::Questions; ++q) {
            expected << QStringLiteral("Text2[%1]").arg(q);
            for (int a = 0; a < 4; ++a)
                expected << QStringLiteral("Text3[%1]").arg(4 * q + a);
        }
        for (int i = 0; i < Wizard::Answers; ++i)
            expected << QStringLiteral("Check1[%1]").arg(i);
        expected << QStringLiteral("Label3[1]") << QStringLiteral("Label3[0]")
                 << QStringLiteral("Text1");
        QStringList visited{focusOf(w)};
        for (int step = 1; step < expected.size(); ++step) {
            QTest::keyClick(w.window()->focusWidget(), Qt::Key_Tab);
            visited << focusOf(w);
        }
        QCOMPARE(visited, expected);
    }

    // The second save is Ctrl+S from a box, without tabbing to Save.
    void savingTwiceUnderOneTitleKeepsOneEntry() {
        Wizard& w = openWith(complete());
        gui::click(w.Label3[Wizard::Save]);
        w.Text2[7]->setText(QStringLiteral("Who led the Free French?"));
        w.Check1[31]->setChecked(false);
        w.Check1[28]->setChecked(true);
        const QByteArray before = shown(w);
        QTest::keyClick(w.Text3[7], Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(f->messages->shown, (QStringList{kSaved, kSaved}));
        QCOMPARE(onDisk(QStringLiteral("track.txt")), QByteArray(" 1\r\nBlitz\r\n"));
        QCOMPARE(onDisk(QStringLiteral("Blitz.txt")), before);
        QCOMPARE(shown(w), before);
        QVERIFY(screens().isShowing(Wizard::Id));
        QCOMPARE(f->sound->played, (QStringList{heard::Click, heard::Click}));
    }

    // The catalogue's edit mode: the tables hold a saved worksheet, the
    // wizard shows it, and a new title saves a copy beside it. Lines made by
    // hand longer than the boxes take are kept whole by an unchanged save.
    void editingUnderANewTitleKeepsTheOldWorksheet() {
        QuestionSheet handMade = complete();
        handMade.questions[4] = QStringLiteral(
            "Which English city was bombed on 14 November 1940, losing its great cathedral?");
        handMade.answers[4 * 4 + 1] = QStringLiteral("Coventry, in the West Midlands of England");
        QCOMPARE(handMade.questions[4].size(), 78);
        QCOMPARE(handMade.answers[17].size(), 41);
        const QByteArray old = composeQuestionFile(handMade);
        f->write(QStringLiteral("multiple/Blitz.txt"), old);
        f->write(QStringLiteral("multiple/track.txt"), " 1\r\nBlitz\r\n");
        QVERIFY(loadQuestionFile(f->path(QStringLiteral("multiple/Blitz.txt")),
                                 f->program->state<QuizTables>()));
        auto& w = screens().form<Wizard>();
        w.fillFromTables();
        w.Show();
        QCOMPARE(shown(w), old);
        gui::click(w.Label3[Wizard::Save]);
        QCOMPARE(onDisk(QStringLiteral("Blitz.txt")), old);
        f->messages->shown.clear();
        w.Text1->setText(QStringLiteral("Blitz again"));
        gui::click(w.Label3[Wizard::Save]);
        QCOMPARE(f->messages->shown, QStringList{kSaved});
        QCOMPARE(onDisk(QStringLiteral("track.txt")), QByteArray(" 2\r\nBlitz\r\nBlitz again\r\n"));
        QCOMPARE(onDisk(QStringLiteral("Blitz.txt")), old);
        handMade.title = QStringLiteral("Blitz again");
        QCOMPARE(onDisk(QStringLiteral("Blitz again.txt")), composeQuestionFile(handMade));
    }

    // Another copy holds the folder's lock and does not let go: the save
    // shows the hourglass, the window goes on painting, and after the wait
    // the teacher is told to try again, with nothing written.
    void aSaveGivesUpOnAnotherCopysLockWithTheWindowAlive() {
        Wizard& w = openWith(complete());
        const catalogue_file::Lock otherCopy(folder());
        QVERIFY(otherCopy.held());
        const auto files = filesUnder(f->dir.path());
        const QByteArray before = shown(w);
        bool hourglass = false;
        bool painted = false;
        QTimer::singleShot(300, &w, [&] {
            hourglass = QApplication::overrideCursor() &&
                        QApplication::overrideCursor()->shape() == Qt::WaitCursor;
            painted = !w.grab().isNull();
        });
        QElapsedTimer clock;
        clock.start();
        gui::click(w.Label3[Wizard::Save]);
        const qint64 waited = clock.elapsed();
        QVERIFY2(waited >= catalogue_file::Lock::WaitMs - 200 &&
                     waited < catalogue_file::Lock::WaitMs + 2000,
                 qPrintable(QString::number(waited)));
        QVERIFY(hourglass);
        QVERIFY(painted);
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(f->messages->shown,
                 QStringList{catalogue_file::explain(catalogue_file::Failure::Busy, folder())});
        QCOMPARE(filesUnder(f->dir.path()), files);
        QCOMPARE(shown(w), before);
    }

    void fillingTicksOnlyTheRightAnswer() {
        QuizTables& tables = f->program->state<QuizTables>();
        auto& w = screens().form<Wizard>();
        // The right answer of question 3, and the box it ticks (none: -1).
        for (const auto& [correct, ticked] :
             {std::pair{"1", 8}, {"4", 11}, {"5", -1}, {"not a number", -1}}) {
            FieldReader file1(composeQuestionFile(complete()));
            QVERIFY(LoadQuestions(file1, tables));
            tables.CorrectChoice[3] = QString::fromUtf8(correct);
            tables.ChoiceC[3] = QStringLiteral("A ration book, and a gas mask");
            // Whatever was ticked before, the set's own answer is what shows.
            w.Check1[9]->setChecked(true);
            w.fillFromTables();
            for (int i = 8; i < 12; ++i)
                QCOMPARE(w.Check1[i]->isChecked(), i == ticked);
            QCOMPARE(w.Text3[10]->text(), tables.ChoiceC[3]);
            // A long answer shows its beginning, not its end.
            QCOMPARE(w.Text3[10]->cursorPosition(), 0);
            QVERIFY(w.Check1[4 * 9 + test_sets::kPattern[9] - 1]->isChecked());
        }
    }

    // A title or answer the folder cannot keep is refused with its reason;
    // a save that breaks on the way says there was a problem. Either way no
    // file changes and the boxes keep what was typed.
    void aSaveThatCannotBeDoneSaysSoAndKeepsWhatWasThere_data() {
        QTest::addColumn<Breakage>("breakage");
        QTest::addColumn<QuestionSheet>("sheet");
        QuestionSheet foreign = complete();
        foreign.answers[22] = QStringLiteral("東京");
        QTest::newRow("a topic quiz's title") << Breakage::None << complete("Rationing");
        QTest::newRow("a slash") << Breakage::None << complete("a/b");
        QTest::newRow("a device name") << Breakage::None << complete("CON");
        QTest::newRow("an answer outside the code page") << Breakage::None << foreign;
        const std::pair<const char*, Breakage> breakages[] = {
            {"no folder", Breakage::NoFolder},
            {"a file where the folder should be", Breakage::FileThere},
            {"no catalogue", Breakage::NoList},
            {"a full catalogue", Breakage::FullList},
            {"a full disk", Breakage::FullDisk},
            {"a read-only folder", Breakage::ReadOnly},
            {"the plug pulled before the catalogue lands", Breakage::Unplugged}};
        for (const auto& [name, breakage] : breakages)
            QTest::newRow(name) << breakage << complete();
    }
    void aSaveThatCannotBeDoneSaysSoAndKeepsWhatWasThere() {
        QFETCH(Breakage, breakage);
        QFETCH(QuestionSheet, sheet);
        // An earlier worksheet of the same title, which the save would replace.
        QuestionSheet earlier = complete();
        earlier.questions[0] = QStringLiteral("An earlier question?");
        f->write(QStringLiteral("multiple/Blitz.txt"), composeQuestionFile(earlier));
        if (breakage == Breakage::NoFolder || breakage == Breakage::FileThere)
            QVERIFY(QDir(folder()).removeRecursively());
        if (breakage == Breakage::FileThere)
            f->write(QStringLiteral("multiple"), "not a folder");
        if (breakage == Breakage::NoList)
            f->remove(QStringLiteral("multiple/track.txt"));
        if (breakage == Breakage::FullList) {
            QByteArray bytes = " 1000\r\n";
            for (int i = 1; i <= 1000; ++i)
                bytes += "Sheet " + QByteArray::number(i) + "\r\n";
            f->write(QStringLiteral("multiple/track.txt"), bytes);
        }
        int commits = 0;
        write_faults::Scope seam([&](WriteStep step) {
            if (breakage == Breakage::FullDisk)
                return step == WriteStep::Write;
            if (breakage == Breakage::ReadOnly)
                return step == WriteStep::Lock || step == WriteStep::Open;
            // The worksheet lands; the catalogue's commit is cut off.
            return breakage == Breakage::Unplugged && step == WriteStep::Commit && ++commits == 2;
        });
        const auto files = filesUnder(f->dir.path());
        Wizard& w = openWith(sheet);
        const QByteArray before = shown(w);
        gui::click(w.Label3[Wizard::Save]);
        QCOMPARE(f->messages->shown.size(), 1);
        const QString said = f->messages->shown[0];
        if (breakage == Breakage::None)
            QVERIFY2(!said.isEmpty() && said != kSaved && said != kProblem, qPrintable(said));
        else
            QVERIFY2(said.startsWith(kProblem), qPrintable(said));
        // The teacher is told what to do about a list that needs repair.
        QCOMPARE(said.contains(QStringLiteral("--repair-catalogue")), breakage == Breakage::NoList);
        QCOMPARE(filesUnder(f->dir.path()), files);
        QCOMPARE(shown(w), before);
        QVERIFY(screens().isShowing(Wizard::Id));
    }

    // Exit asks nothing and keeps nothing. Escape leaves at once only when
    // nothing is typed since the wizard opened or last saved; otherwise it
    // asks, and Cancel keeps every box as it was.
    void exitClosesWithoutAskingAndEscapeAsksBeforeLosingTyping() {
        Wizard& w = openWith(complete());
        gui::click(w.Label3[Wizard::Exit]);
        QVERIFY(!screens().isLoaded(Wizard::Id));
        QVERIFY(f->messages->shown.isEmpty());
        QCOMPARE(filesUnder(folder()).keys(), QStringList{QStringLiteral("track.txt")});
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        Wizard& typed = openWith(complete());
        const QByteArray before = shown(typed);
        f->messages->answers = {false, true};
        QTest::keyClick(typed.Text2[3], Qt::Key_Escape);
        QCOMPARE(f->messages->shown.size(), 1);
        QVERIFY(screens().isShowing(Wizard::Id));
        QCOMPARE(shown(typed), before);
        QTest::keyClick(typed.Text2[3], Qt::Key_Escape);
        QVERIFY(!screens().isLoaded(Wizard::Id));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        // Saved, or untouched: nothing to lose, nothing asked.
        f->messages->shown.clear();
        Wizard& saved = openWith(complete());
        QTest::keyClick(saved.Text1, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(f->messages->shown, QStringList{kSaved});
        QTest::keyClick(saved.Text1, Qt::Key_Escape);
        QVERIFY(!screens().isLoaded(Wizard::Id));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QTest::keyClick(open().Text1, Qt::Key_Escape);
        QVERIFY(!screens().isLoaded(Wizard::Id));
        QCOMPARE(f->messages->shown, QStringList{kSaved});
    }
};

} // namespace

OSTERVALE_TEST(WizardTest)
#include "test_wizard.moc"
