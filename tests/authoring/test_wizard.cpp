#include "catalogue_file.h"
#include "question_file.h"
#include "startup.h"
#include "support/gui.h"
#include "support/program_fixture.h"
#include "support/question_sets.h"
#include "testmain.h"
#include "wizard.h"
#include "worksheet_store.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QMap>
#include <QTest>
#include <QTimer>

namespace {
const QString kSaved = QStringLiteral("Your worksheet has been saved.");
const QString kProblem = QStringLiteral("There was a problem saving your worksheet\n\n");

QuestionSheet complete(const QString& title = QStringLiteral("Blitz")) {
    return test_sets::sheet(title, test_sets::kPattern);
}

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
    // Opened as the main menu opens it, then typed into.
    Wizard& open(const QuestionSheet& typed = {}) {
        auto& wizard = screens().form<Wizard>();
        wizard.Show();
        enter(wizard, typed);
        return wizard;
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

    // Each question's caption just above it, and on each answer's line its
    // letter, then its tick, then its box; no box lies over another.
    void theBoxesStandApartWithTheirCaptionsBesideThem() {
        Wizard& w = open();
        for (int q = 0; q < Wizard::Questions; ++q) {
            QCOMPARE(w.Label1[2 + 5 * q]->geometry().bottomLeft() + QPoint(0, 1),
                     w.Text2[q]->pos());
            for (int a = 0; a < 4; ++a) {
                QLabel* letter = w.Label1[3 + 5 * q + a];
                const QRect tick = w.Check1[4 * q + a]->geometry();
                const QRect answer = w.Text3[4 * q + a]->geometry();
                QVERIFY(letter->y() == answer.y() && tick.y() == answer.y());
                QVERIFY(tick.right() <= answer.x() + 1);
                const QRect ink = letter->fontMetrics().boundingRect(letter->text());
                QVERIFY(letter->x() + ink.right() < tick.x());
            }
        }
        QList<QWidget*> boxes(w.Text2.begin(), w.Text2.end());
        boxes.append(QList<QWidget*>(w.Text3.begin(), w.Text3.end()));
        for (qsizetype i = 0; i < boxes.size(); ++i)
            for (qsizetype j = i + 1; j < boxes.size(); ++j)
                QVERIFY2(!boxes[i]->geometry().intersects(boxes[j]->geometry()),
                         qPrintable(boxes[i]->objectName() + u' ' + boxes[j]->objectName()));
    }

    // From the keyboard alone: the title box has it first; Tab visits each
    // question with its answers, then the ticks, then Save and Exit; Enter
    // moves on from box to box; no box takes more than its limit. Ctrl+S
    // saves (blanks are text, kept as typed), and again under the same title
    // replaces the file and keeps one entry; with nothing left unsaved,
    // Escape leaves without asking.
    void aWorksheetIsWrittenAndSavedFromTheKeyboard() {
        Wizard& w = open();
        QStringList expected{QStringLiteral("Text1")};
        for (int q = 0; q < Wizard::Questions; ++q) {
            expected << QStringLiteral("Text2[%1]").arg(q);
            for (int a = 0; a < 4; ++a)
                expected << QStringLiteral("Text3[%1]").arg(4 * q + a);
        }
        for (int i = 0; i < Wizard::Answers; ++i)
            expected << QStringLiteral("Check1[%1]").arg(i);
        expected << QStringLiteral("Label3[1]") << QStringLiteral("Label3[0]") << expected[0];
        QStringList visited{focusOf(w)};
        while (visited.size() < expected.size()) {
            QTest::keyClick(w.window()->focusWidget(), Qt::Key_Tab);
            visited << focusOf(w);
        }
        QCOMPARE(visited, expected);

        const QString typed = QStringLiteral(
            "The Home Guard, 1940-1944: Dad's Army & all that, in Walmington-on-Sea");
        for (const auto& [box, limit] :
             {std::pair{w.Text1, 25}, {w.Text2[4], 60}, {w.Text3[39], 30}}) {
            QTest::keyClicks(box, typed.left(limit + 1));
            QCOMPARE(box->text(), typed.left(limit));
        }
        const std::pair<const char*, const char*> moves[] = {
            {"Text1", "Text2[0]"},     {"Text2[6]", "Text3[24]"}, {"Text3[2]", "Text3[3]"},
            {"Text3[3]", "Text2[1]"},  {"Text3[35]", "Text2[9]"}, {"Text3[38]", "Text3[39]"},
            {"Text3[39]", "Text3[39]"}};
        for (const auto& [from, to] : moves) {
            auto* box = w.findChild<QLineEdit*>(QString::fromUtf8(from));
            box->setFocus();
            QTest::keyClick(box, Qt::Key_Return);
            QCOMPARE(focusOf(w), QString::fromUtf8(to));
        }

        QuestionSheet s = complete();
        s.questions[2] = QStringLiteral(" ");
        s.answers[5] = QStringLiteral("   ");
        enter(w, s);
        QTest::keyClick(w.Text3[7], Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(onDisk(QStringLiteral("Blitz.txt")), composeQuestionFile(s));
        s.questions[7] = QStringLiteral("Who led the Free French?");
        s.ticked[31] = false;
        s.ticked[28] = true;
        enter(w, s);
        QTest::keyClick(w.Text1, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(f->messages->shown, (QStringList{kSaved, kSaved}));
        QCOMPARE(onDisk(QStringLiteral("track.txt")), QByteArray(" 1\r\nBlitz\r\n"));
        QCOMPARE(onDisk(QStringLiteral("Blitz.txt")), composeQuestionFile(s));
        QCOMPARE(shown(w), composeQuestionFile(s));
        QCOMPARE(f->sound->played, (QStringList{heard::Click, heard::Click}));
        QTest::keyClick(w.Text1, Qt::Key_Escape);
        QVERIFY(!screens().isLoaded(Wizard::Id));
        QCOMPARE(f->messages->shown.size(), 2);
    }

    // What the teacher left out, first in screen order: the title, then
    // question by question its text, its answers, and one tick.
    void theFirstGapIsNamed() {
        const QString done = QStringLiteral("You have not completed Question %1");
        const QString none =
            QStringLiteral("You have not ticked the correct answer for Question %1");
        const QString many =
            QStringLiteral("You have ticked more than one correct answer for Question %1");
        struct Gap {
            const char* title;
            int emptyQuestion, emptyAnswer, untick, alsoTick;
            QString said;
        };
        const Gap gaps[] = {
            {"", 1, -1, -1, -1, QStringLiteral("You have not chosen a title for your worksheet")},
            {"Blitz", 2, -1, 1, -1, none.arg(1)},
            {"Blitz", 3, -1, -1, -1, done.arg(3)},
            {"Blitz", -1, 26, -1, -1, done.arg(7)},
            {"Blitz", -1, 19, 5, -1, done.arg(5)},
            {"Blitz", -1, -1, -1, 13, many.arg(4)},
            {"Blitz", 10, -1, 9, -1, none.arg(9)},
            {"Blitz", -1, -1, -1, 36, many.arg(10)},
            {"Blitz", -1, -1, -1, -1, QString()}};
        for (const Gap& g : gaps) {
            QuestionSheet s = complete(QString::fromUtf8(g.title));
            if (g.emptyQuestion > 0)
                s.questions[g.emptyQuestion - 1].clear();
            if (g.emptyAnswer >= 0)
                s.answers[g.emptyAnswer].clear();
            if (g.untick > 0)
                std::fill_n(s.ticked.begin() + 4 * (g.untick - 1), 4, false);
            if (g.alsoTick >= 0)
                s.ticked[g.alsoTick] = true;
            QCOMPARE(worksheet_store::firstGap(s), g.said);
        }
    }

    // A gap, a title the folder cannot keep, a catalogue gone: the
    // teacher is told why (a list to repair with the way to repair it), no
    // file changes, and the boxes keep what was typed.
    void aSaveThatCannotBeDoneSaysWhyAndKeepsEverything() {
        QuestionSheet gap = complete();
        gap.answers[26].clear();
        using catalogue_file::Failure;
        const std::tuple<QuestionSheet, QByteArray, QString> cases[] = {
            {gap, " 0\r\n", QStringLiteral("You have not completed Question 7")},
            {complete(QStringLiteral("a/b")), " 0\r\n",
             QStringLiteral("not allowed in a file name")},
            {complete(), QByteArray(),
             kProblem + catalogue_file::explain(Failure::Missing, folder())}};
        for (const auto& [sheet, track, said] : cases) {
            f->remove(QStringLiteral("multiple/track.txt"));
            if (!track.isNull())
                f->write(QStringLiteral("multiple/track.txt"), track);
            f->write(QStringLiteral("multiple/Blitz.txt"), "an earlier Blitz");
            const auto files = filesUnder(f->dir.path());
            f->messages->shown.clear();
            f->sound->played.clear();
            Wizard& w = open(sheet);
            const QByteArray before = shown(w);
            gui::click(w.Label3[Wizard::Save]);
            QCOMPARE(f->messages->shown.size(), 1);
            QVERIFY2(f->messages->shown[0].contains(said), qPrintable(f->messages->shown[0]));
            QCOMPARE(filesUnder(f->dir.path()), files);
            QCOMPARE(shown(w), before);
            QVERIFY(screens().isShowing(Wizard::Id));
            QCOMPARE(f->sound->played, QStringList{heard::Click});
        }
    }

    // The catalogue's edit mode fills the wizard from the question tables:
    // the set's own right answer ticked (none for one out of range), long
    // lines made by hand shown from their start and kept whole by a save. A
    // new title saves a copy beside the old worksheet. Escape then asks
    // only once something is typed, and Cancel keeps every box.
    void editingAWorksheetKeepsWhatWasMadeByHand() {
        QuestionSheet handMade = complete();
        handMade.questions[4] = QStringLiteral(
            "Which English city was bombed on 14 November 1940, losing its great cathedral?");
        handMade.answers[17] = QStringLiteral("Coventry, in the West Midlands of England");
        const QByteArray old = composeQuestionFile(handMade);
        f->write(QStringLiteral("multiple/Blitz.txt"), old);
        f->write(QStringLiteral("multiple/track.txt"), " 1\r\nBlitz\r\n");
        QuizTables& tables = f->program->state<QuizTables>();
        auto& w = screens().form<Wizard>();
        for (const auto& [correct, ticked] :
             {std::pair{"1", 8}, {"4", 11}, {"5", -1}, {"not a number", -1}}) {
            QVERIFY(loadQuestionFile(f->path(QStringLiteral("multiple/Blitz.txt")), tables));
            tables.CorrectChoice[3] = QString::fromUtf8(correct);
            w.Check1[9]->setChecked(true);
            w.fillFromTables();
            for (int i = 8; i < 12; ++i)
                QCOMPARE(w.Check1[i]->isChecked(), i == ticked);
        }
        QVERIFY(loadQuestionFile(f->path(QStringLiteral("multiple/Blitz.txt")), tables));
        w.fillFromTables();
        w.Show();
        QCOMPARE(shown(w), old);
        QCOMPARE(w.Text2[4]->cursorPosition(), 0);
        gui::click(w.Label3[Wizard::Save]);
        QCOMPARE(onDisk(QStringLiteral("Blitz.txt")), old);
        w.Text1->setText(QStringLiteral("Blitz again"));
        gui::click(w.Label3[Wizard::Save]);
        QCOMPARE(f->messages->shown, (QStringList{kSaved, kSaved}));
        QCOMPARE(onDisk(QStringLiteral("track.txt")), QByteArray(" 2\r\nBlitz\r\nBlitz again\r\n"));
        QCOMPARE(onDisk(QStringLiteral("Blitz.txt")), old);
        handMade.title = QStringLiteral("Blitz again");
        QCOMPARE(onDisk(QStringLiteral("Blitz again.txt")), composeQuestionFile(handMade));

        w.Text2[3]->setText(QStringLiteral("Changed?"));
        const QByteArray typed = shown(w);
        f->messages->answers = {false, true};
        QTest::keyClick(w.Text2[3], Qt::Key_Escape);
        QCOMPARE(f->messages->shown.size(), 3);
        QVERIFY(screens().isShowing(Wizard::Id));
        QCOMPARE(shown(w), typed);
        QTest::keyClick(w.Text2[3], Qt::Key_Escape);
        QVERIFY(!screens().isLoaded(Wizard::Id));
    }

    // Another copy holds the folder's lock and does not let go: the save
    // shows the hourglass, the window goes on painting, and after the wait
    // the teacher is told to try again, with nothing written.
    void aSaveGivesUpOnAnotherCopysLockWithTheWindowAlive() {
        Wizard& w = open(complete());
        const catalogue_file::Lock otherCopy(folder());
        QVERIFY(otherCopy.held());
        const auto files = filesUnder(f->dir.path());
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
        QVERIFY(hourglass && painted && !QApplication::overrideCursor());
        QCOMPARE(f->messages->shown,
                 QStringList{catalogue_file::explain(catalogue_file::Failure::Busy, folder())});
        QCOMPARE(filesUnder(f->dir.path()), files);
        QCOMPARE(shown(w), composeQuestionFile(complete()));
    }
};

} // namespace

OSTERVALE_TEST(WizardTest)
#include "test_wizard.moc"
