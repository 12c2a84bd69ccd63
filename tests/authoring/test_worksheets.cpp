// The teacher's worksheets: the catalogue file and the saves behind the
// Multiple Choice Wizard and the Worksheet Catalogue, and those two screens
// as a teacher goes through them from the main menu.
#include "app/shell_fixture.h"
#include "catalogue_file.h"
#include "catalogue_repair.h"
#include "catalogue_state.h"
#include "multiple.h"
#include "question_file.h"
#include "quiz_state.h"
#include "safe_write.h"
#include "support/fits.h"
#include "support/question_sets.h"
#include "testmain.h"
#include "wizard.h"
#include "worksheet_folder.h"
#include "worksheet_store.h"
#include "worksheets.h"

#include <QProcess>
#include <QTest>
#include <QTimer>

namespace {
const QString kSaved = QStringLiteral("Your worksheet has been saved.");
using catalogue_file::compose;
using gui::click;

QStringList numbered(int from, int to) {
    QStringList titles;
    for (int i = from; i <= to; ++i)
        titles << QStringLiteral("Sheet %1").arg(i);
    return titles;
}

QuestionSheet sheet(const QString& title = QStringLiteral("Blitz")) {
    return test_sets::sheet(title, test_sets::kPattern);
}

// Everything the wizard's boxes show, as one comparable value.
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

// The captions of the catalogue's title slots on show, slot 1 first.
QStringList shown(const Worksheets& w) {
    QStringList titles;
    for (int k = Worksheets::FirstSlot; k <= Worksheets::LastSlot; ++k)
        if (!w.Label2[k]->isHidden())
            titles << w.Label2[k]->text();
    return titles;
}

bool paging(const Worksheets& w, int which) {
    return !w.Label3[which]->isHidden();
}

} // namespace

class WorksheetsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ShellFixture> f;
    QString folder;
    CatalogueState state;

    ScreenRegistry& screens() { return f->program->screens(); }
    QByteArray onDisk(const QString& name = QStringLiteral("track.txt")) const {
        QFile file(folder + u'/' + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Null bytes stand for no catalogue at all.
    void catalogue(const QByteArray& bytes) {
        QFile::remove(folder + QStringLiteral("/track.txt"));
        if (!bytes.isNull())
            f->write(QStringLiteral("multiple/track.txt"), bytes);
    }
    void worksheet(const QString& title, const QByteArray& bytes = {}) {
        f->write(QStringLiteral("multiple/") + title + QStringLiteral(".txt"),
                 bytes.isEmpty() ? composeQuestionFile(sheet(title)) : bytes);
    }
    catalogue_file::Change add(const QString& title) {
        return catalogue_file::trackworksheets(folder, title, state);
    }
    catalogue_file::Change remove(const QString& title) {
        return catalogue_file::delworksheet(folder, title, state);
    }
    worksheet_store::Outcome save(const QuestionSheet& s) {
        return worksheet_store::saveworksheet(folder, s, state);
    }
    // As a teacher gets there: an entry of the main menu; what was heard and
    // said on the way is forgotten.
    template <typename Form> Form& open(int entry) {
        click(f->openMainMenu().Label2.at(entry));
        f->sound->played.clear();
        f->messages->shown.clear();
        return screens().form<Form>();
    }

    // One change with the nth arrival at one write step failing.
    void failAt(int change, int step, int nth) {
        const QByteArray before = compose({QStringLiteral("Blitz"), QStringLiteral("Evacuation")});
        catalogue(before);
        const QByteArray blitz = composeQuestionFile(sheet(QStringLiteral("Blitz")));
        f->write(QStringLiteral("multiple/Blitz.txt"), blitz);
        f->write(QStringLiteral("multiple/Dunkirk.txt"), "an unlisted worksheet");
        const QStringList names = QDir(folder).entryList(QDir::Files);

        int reached = 0;
        write_faults::Scope seam([&](WriteStep s) { return int(s) == step && ++reached == nth; });
        const auto saveFails = [&](const char* title) {
            QuestionSheet changed = sheet(QString::fromUtf8(title));
            changed.questions[0] = QStringLiteral("Changed?");
            return save(changed).saved == worksheet_store::Saved::Failed;
        };
        const bool failed =
            change == 3 ? add(QStringLiteral("New")) == catalogue_file::Change::Failed
            : change == 4
                ? remove(QStringLiteral("Blitz")) == catalogue_file::Change::Failed
                : saveFails(std::array{"Rationing at school", "Blitz", "Dunkirk"}[change]);
        // Only a new title's save writes two files; the other changes write
        // one, and every change takes the lock once, so a second time is
        // never reached there.
        const bool oneFile = change == 1 || change == 3 || change == 4;
        const bool unreached = nth == 2 && (step == int(WriteStep::Lock) || oneFile);
        QCOMPARE(failed, !unreached);
        if (unreached)
            return;
        QCOMPARE(onDisk(), before);
        QCOMPARE(onDisk(QStringLiteral("Blitz.txt")), blitz);
        QCOMPARE(onDisk(QStringLiteral("Dunkirk.txt")), QByteArray("an unlisted worksheet"));
        QCOMPARE(QDir(folder).entryList(QDir::Files), names);
    }

private Q_SLOTS:
    void initTestCase() {
        // As the program does at start, so that widths are Tahoma's.
        startup::registerFallbackFonts(QStringLiteral(OSTERVALE_HOME "/fonts"));
    }
    void init() {
        f = std::make_unique<ShellFixture>();
        folder = worksheet_folder::folder(f->program->paths());
        state = {};
        catalogue(" 0\r\n");
    }
    void cleanup() { f.reset(); }

    // A load shows what the file holds, never titles of an earlier reading
    // (a missing file aside); every title below a count edited too small is
    // kept. A list to repair takes no change, and the teacher is told which.
    void aListToRepairIsToldApartAndRefusesChanges() {
        const QStringList old{"old 1", "old 2", "old 3", "old 4"};
        const std::tuple<QByteArray, bool, int, QStringList> cases[] = {
            {"3\r\nRationing\r\nrationing\r\n  Blitz quiz  \r\n",
             true,
             3,
             {"Rationing", "rationing", "Blitz quiz", "old 4"}},
            {QByteArray(), false, 4, old},
            {" 3\r\nA\r\nB\r\n", false, 2, {"A", "B"}},
            {" 2\r\nA\r\nB\r\nC\r\n\r\nD\r\nE\r\n\r\n", true, 5, {"A", "B", "C", "D", "E"}},
            {"-2\r\nA\r\n", false, 0, old},
            {"three\r\nA\r\n", false, 0, old}};
        for (const auto& [bytes, whole, count, titles] : cases) {
            state.WorksheetCount = 4;
            std::copy(old.begin(), old.end(), state.WorksheetTitles.begin() + 1);
            catalogue(bytes);
            QCOMPARE(catalogue_file::load(folder, state) == catalogue_file::Health::Sound, whole);
            QCOMPARE(state.WorksheetCount, count);
            for (int i = 0; i < titles.size(); ++i)
                QCOMPARE(state.WorksheetTitles[i + 1], titles[i]);
            if (whole)
                continue;
            using catalogue_file::Failure;
            const Failure expected = bytes.isNull() ? Failure::Missing : Failure::Damaged;
            Failure why = Failure::None;
            QCOMPARE(catalogue_file::trackworksheets(folder, QStringLiteral("New"), state, &why),
                     catalogue_file::Change::Failed);
            QCOMPARE(why, expected);
            QCOMPARE(save(sheet(QStringLiteral("New"))).message,
                     catalogue_file::explain(expected, folder));
            QCOMPARE(onDisk(), bytes);
        }
    }

    // Titles as typed, in the order first saved, in the bytes the catalogue
    // has always had. A save or a change clears what one cut short left
    // behind, and nothing of the teacher's that merely looks like it. A
    // quoted title of a hand-edited catalogue keeps its quotes, or it would
    // come back as other titles and shift the rest.
    void changesKeepTheOrderTheBytesAndHandEditedTitles() {
        const auto clearedBy = [&](auto change) {
            for (const char* name : {"Blitz.txt.x9Y8z7", "Blitz.txt.ab-cde"})
                f->write(QStringLiteral("multiple/") + QString::fromUtf8(name), "bytes");
            change();
            QVERIFY(!QFile::exists(folder + QStringLiteral("/Blitz.txt.x9Y8z7")));
            QVERIFY(QFile::exists(folder + QStringLiteral("/Blitz.txt.ab-cde")));
        };
        clearedBy([&] { save(sheet(QStringLiteral("Blitz"))); });
        clearedBy([&] { add(QStringLiteral("Rationing")); });
        QCOMPARE(add(QStringLiteral("rationing")), catalogue_file::Change::Done);
        QCOMPARE(onDisk(), QByteArray(" 3\r\nBlitz\r\nRationing\r\nrationing\r\n"));
        for (const char* title : {"Rationing", "Blitz", "rationing"})
            QCOMPARE(remove(QString::fromUtf8(title)), catalogue_file::Change::Done);
        QCOMPARE(onDisk(), QByteArray(" 0\r\n"));

        catalogue(" 3\r\n\"Dunkirk, 1940\"\r\n\"  Blitz \"\r\n\"Two\r\nlines\"\r\n");
        QCOMPARE(add(QStringLiteral("Evacuation")), catalogue_file::Change::Done);
        QCOMPARE(catalogue_file::readAll(folder),
                 QStringList({"Dunkirk, 1940", "  Blitz ", "Two\r\nlines", "Evacuation"}));
    }

    // The catalogue holds 1000 titles. A new one past them is refused as
    // full, with the file as it was and every title still in the table; a
    // worksheet already listed can still be saved again, and a removal
    // makes room.
    void aFullCatalogueRefusesOnlyANewTitle() {
        const QStringList thousand = numbered(1, 1000);
        catalogue(compose(thousand.first(999)));
        QCOMPARE(add(QStringLiteral("Sheet 1000")), catalogue_file::Change::Done);
        catalogue_file::Failure why = catalogue_file::Failure::None;
        QCOMPARE(catalogue_file::trackworksheets(folder, QStringLiteral("Sheet 1001"), state, &why),
                 catalogue_file::Change::Failed);
        QCOMPARE(why, catalogue_file::Failure::Full);
        QCOMPARE(onDisk(), compose(thousand));
        QCOMPARE(state.WorksheetCount, 1000);
        QCOMPARE(state.WorksheetTitles[1000], QStringLiteral("Sheet 1000"));

        QCOMPARE(save(sheet(QStringLiteral("Sheet 1000"))).saved, worksheet_store::Saved::Yes);
        const worksheet_store::Outcome refused = save(sheet(QStringLiteral("Evacuees")));
        QCOMPARE(refused.saved, worksheet_store::Saved::Failed);
        QCOMPARE(refused.message, catalogue_file::explain(catalogue_file::Failure::Full, folder));
        QCOMPARE(onDisk(), compose(thousand));

        QCOMPARE(remove(QStringLiteral("Sheet 1")), catalogue_file::Change::Done);
        QCOMPARE(add(QStringLiteral("Sheet 1001")), catalogue_file::Change::Done);
        QCOMPARE(catalogue_file::readAll(folder), numbered(2, 1001));
    }

    // A hand-edited catalogue may list a title more than once. A removal
    // takes the last copy, wherever it lies (the last slot of a full table,
    // or past the table), and the first stays in its place; a repair keeps
    // the first copy's place and lists the title once.
    void aTitleListedTwiceLosesItsLastCopyFirst() {
        catalogue(compose(numbered(1, 999) << QStringLiteral("Sheet 1")));
        QCOMPARE(remove(QStringLiteral("Sheet 1")), catalogue_file::Change::Done);
        QCOMPARE(catalogue_file::readAll(folder), numbered(1, 999));

        catalogue(compose(numbered(1, 1000) << QStringLiteral("Sheet 2")));
        QCOMPARE(add(QStringLiteral("Sheet 2")), catalogue_file::Change::Unchanged);
        QCOMPARE(remove(QStringLiteral("Sheet 2")), catalogue_file::Change::Done);
        QCOMPARE(catalogue_file::readAll(folder), numbered(1, 1000));

        catalogue(" 4\r\nB\r\nA\r\nC\r\nB\r\n");
        for (const char* title : {"A", "B"})
            f->write(QStringLiteral("multiple/%1.txt").arg(title),
                     composeQuestionFile(sheet(QString::fromUtf8(title))));
        QVERIFY(catalogue_repair::repair(folder, QDateTime::currentDateTime()).done);
        QCOMPARE(catalogue_file::readAll(folder), QStringList({"B", "A"}));
    }

    // Every change, failing at every step of every file it touches, in
    // turn: the nth time the step is reached it fails, as a full disk, a
    // read-only folder or a plug pulled then would.
    void aFailureAtAnyPointLeavesTheFilesAsTheyWere() {
        for (int change = 0; change < 5; ++change)
            for (int step = 0; step <= int(WriteStep::Lock); ++step)
                for (int nth = 1; nth <= 2; ++nth)
                    failAt(change, step, nth);
    }

    // A title must name one file of its own, apart from the catalogue and
    // the topic quizzes, on any system the folder may be shared with; any
    // other is kept exactly as typed. A refusal names the box and the
    // character as the teacher sees them, and writes nothing. A text opening
    // with a quote would read back as another text, or, with no closing
    // quote, make the worksheet unreadable for good; a title that differs
    // from a listed one only in case would be written over it on a folder
    // that ignores case.
    void titlesAndTextsAreKeptExactlyOrRefusedWritingNothing() {
        catalogue(compose({QStringLiteral("Blitz")}));
        f->write(QStringLiteral("multiple/Rationing.txt"), "the topic quiz");
        QStringList listed{QStringLiteral("Blitz")};
        for (const char* title : {"rations at home", "£1 a week", "COM10", "Conkers"}) {
            listed << QString::fromUtf8(title);
            QCOMPARE(save(sheet(listed.last())).saved, worksheet_store::Saved::Yes);
        }
        QCOMPARE(catalogue_file::readAll(folder), listed);

        QList<std::pair<QuestionSheet, QString>> refused;
        for (const char* title : {"Paris, France", "Evacuees & billets", "\"Quoted", " Leading",
                                  "Trailing ", "a/b", "Tab\there", "Ends.", "nul.txt", "Lpt1",
                                  "COM9", "Track", "rationing", "THE PROGRESS OF THE WAR", "日本"})
            refused.append({sheet(QString::fromUtf8(title)), QString()});
        const std::tuple<const char*, int, const char*, const char*> said[] = {
            {"Home front", 101, "\"Dig for Victory\" meant what?",
             "Question 2 begins with a double quotation mark"},
            {"Home front", 18, "  \"Careless talk costs lives",
             "Answer C of Question 5 begins with a double quotation mark"},
            {"Fish & Chips", -1, "", "contain \"&\""},
            {"Snow \u2603", -1, "", "holds \"\u2603\", which"},
            {"Home front", 7, "\U0001F600 smile", "answer D of Question 2 holds \"\U0001F600\""},
            {"blitz", -1, "", "called \"Blitz\", and \"blitz\" differs"}};
        for (const auto& [title, box, text, words] : said) {
            QuestionSheet s = sheet(QString::fromUtf8(title));
            if (box >= 100)
                s.questions[box - 100] = QString::fromUtf8(text);
            else if (box >= 0)
                s.answers[box] = QString::fromUtf8(text);
            refused.append({s, QString::fromUtf8(words)});
        }
        const QByteArray track = onDisk();
        const QStringList names = QDir(folder).entryList(QDir::Files);
        for (const auto& [s, words] : refused) {
            const worksheet_store::Outcome outcome = save(s);
            QCOMPARE(outcome.saved, worksheet_store::Saved::Refused);
            QVERIFY(outcome.message.contains(words));
        }
        QCOMPARE(QDir(folder).entryList(QDir::Files), names);
        QCOMPARE(onDisk(), track);
        QCOMPARE(onDisk(QStringLiteral("Rationing.txt")), QByteArray("the topic quiz"));
    }

    // Eight copies of the program saving a hundred worksheets each into one
    // folder at once: every title is listed once, and every file reads back.
    void severalProgramsSavingAtOnceLoseNothing() {
        QList<QProcess*> programs;
        for (int p = 0; p < 8; ++p) {
            auto* process = new QProcess(this);
            process->start(
                QStringLiteral(TRACK_MANY),
                {folder, QStringLiteral("writer %1 sheet").arg(p), QStringLiteral("100")});
            programs << process;
        }
        for (QProcess* process : programs) {
            QVERIFY(process->waitForFinished(240000));
            QCOMPARE(process->exitCode(), 0);
        }
        const std::optional<QStringList> titles = catalogue_file::readAll(folder);
        QVERIFY(titles);
        QCOMPARE(QSet<QString>(titles->begin(), titles->end()).size(), 800);
        QCOMPARE(titles->size(), 800);
        for (const QString& title : *titles) {
            QuizTables tables;
            QVERIFY(loadQuestionFile(worksheet_folder::worksheetFile(folder, title), tables));
            QCOMPARE(tables.QuizTitle, title);
        }
    }

    // From the keyboard alone: the title box has it first; Tab visits each
    // question with its answers, then the ticks, then Save and Exit; no box
    // takes more than its limit. Ctrl+S saves (blanks are text, kept as
    // typed), and again under the same title replaces the file and keeps
    // one entry; with nothing left unsaved, Escape leaves without asking.
    void aWorksheetIsWrittenAndSavedFromTheKeyboard() {
        Wizard& w = open<Wizard>(Intro0::Wizard);
        QList<QWidget*> chain{w.Text1};
        for (int q = 0; q < Wizard::Questions; ++q) {
            chain << w.Text2[q];
            for (int a = 0; a < 4; ++a)
                chain << w.Text3[4 * q + a];
        }
        chain << QList<QWidget*>(w.Check1.begin(), w.Check1.end()) << w.Label3[Wizard::Save]
              << w.Label3[Wizard::Exit] << w.Text1;
        QCOMPARE(w.window()->focusWidget(), w.Text1);
        for (QWidget* next : chain.mid(1)) {
            QTest::keyClick(w.window()->focusWidget(), Qt::Key_Tab);
            QCOMPARE(w.window()->focusWidget(), next);
        }

        const QString typed = QStringLiteral(
            "The Home Guard, 1940-1944: Dad's Army & all that, in Walmington-on-Sea");
        for (const auto& [box, limit] :
             {std::pair{w.Text1, 25}, {w.Text2[4], 60}, {w.Text3[39], 30}}) {
            QTest::keyClicks(box, typed.left(limit + 1));
            QCOMPARE(box->text(), typed.left(limit));
        }

        QuestionSheet s = sheet();
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
        QCOMPARE(onDisk(), QByteArray(" 1\r\nBlitz\r\n"));
        QCOMPARE(onDisk(QStringLiteral("Blitz.txt")), composeQuestionFile(s));
        QCOMPARE(f->sound->played, (QStringList{heard::Click, heard::Click}));
        QTest::keyClick(w.Text1, Qt::Key_Escape);
        QVERIFY(!screens().isLoaded(Wizard::Id));
        QCOMPARE(f->messages->shown.size(), 2);
    }

    // What the teacher left out, first in screen order (the title, then
    // question by question its text, its answers, and one tick), a title
    // the folder cannot keep, a catalogue gone, another copy holding the
    // folder's lock past the wait: the teacher is told why, no file
    // changes, and the boxes keep what was typed.
    void aSaveThatCannotBeDoneSaysWhyAndKeepsEverything() {
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
            {"a/b", -1, -1, -1, -1,
             QStringLiteral("not allowed in a file name. Please change the title and save again.")},
            {"Blitz", -1, -1, -1, -1,
             QStringLiteral("There was a problem saving your worksheet\n\n") +
                 catalogue_file::explain(catalogue_file::Failure::Missing, folder)}};
        worksheet(QStringLiteral("Blitz"), "an earlier Blitz");
        Wizard& w = open<Wizard>(Intro0::Wizard);
        for (const Gap& g : gaps) {
            // The last, with the catalogue gone.
            if (&g == std::end(gaps) - 1)
                QVERIFY(QFile::remove(folder + QStringLiteral("/track.txt")));
            QuestionSheet s = sheet(QString::fromUtf8(g.title));
            if (g.emptyQuestion > 0)
                s.questions[g.emptyQuestion - 1].clear();
            if (g.emptyAnswer >= 0)
                s.answers[g.emptyAnswer].clear();
            if (g.untick > 0)
                std::fill_n(s.ticked.begin() + 4 * (g.untick - 1), 4, false);
            if (g.alsoTick >= 0)
                s.ticked[g.alsoTick] = true;
            enter(w, s);
            const QStringList names = QDir(folder).entryList();
            f->messages->shown.clear();
            click(w.Label3[Wizard::Save]);
            QCOMPARE(f->messages->shown.size(), 1);
            QVERIFY(f->messages->shown[0].endsWith(g.said));
            QCOMPARE(QDir(folder).entryList(), names);
            QCOMPARE(onDisk(QStringLiteral("Blitz.txt")), QByteArray("an earlier Blitz"));
            QCOMPARE(shown(w), composeQuestionFile(s));
        }
        catalogue(" 0\r\n");
        const catalogue_file::Lock otherCopy(folder);
        click(w.Label3[Wizard::Save]);
        QCOMPARE(f->messages->shown.last(),
                 catalogue_file::explain(catalogue_file::Failure::Busy, folder));
        QCOMPARE(onDisk(), QByteArray(" 0\r\n"));
        QCOMPARE(onDisk(QStringLiteral("Blitz.txt")), QByteArray("an earlier Blitz"));
    }

    // The pages reach every title the table holds, the thousandth on page
    // 42, however many the file lists; the longest title the wizard takes
    // (W is Tahoma's widest) fits its slot.
    void thePagesReachEveryTitleTheTableHolds() {
        catalogue(compose(numbered(1, 25)));
        Worksheets& first = open<Worksheets>(Intro0::Catalogue);
        QVERIFY(!paging(first, Worksheets::Previous) && paging(first, Worksheets::Next));
        const qsizetype heard = f->sound->played.size();
        click(first.Label2[Worksheets::Exit]);
        QCOMPARE(f->sound->played.size(), heard + 1);
        QVERIFY(screens().isShowing(ScreenId::intro0) && !screens().isLoaded(Worksheets::Id));
        QStringList titles = numbered(1, 1008);
        titles[0] = QString(25, u'W');
        catalogue(compose(titles));
        Worksheets& w = open<Worksheets>(Intro0::Catalogue);
        QCOMPARE(fits::misfits(&w), QStringList());
        QStringList seen = shown(w);
        while (paging(w, Worksheets::Next)) {
            click(w.Label3[Worksheets::Next]);
            QVERIFY(paging(w, Worksheets::Previous));
            seen += shown(w);
        }
        QCOMPARE(seen, titles.first(1000));
        QCOMPARE(w.Label4->text(), QStringLiteral("Page 42"));
        click(w.Label3[Worksheets::Previous]);
        QCOMPARE(w.Label4->text(), QStringLiteral("Page 41"));
        QVERIFY(paging(w, Worksheets::Next));
        QCOMPARE(f->sound->played.last(), heard::Click);
    }

    // Edit mode finds a worksheet by its exact title only, on the slot's
    // title even after another copy has changed the list, and fills the
    // wizard over the catalogue with long lines made by hand shown from
    // their start and kept whole by a save; a new title saves a copy beside
    // it, and the page follows the list as read anew. Escape asks once
    // something is typed, and Cancel keeps every box. Run mode opens the
    // quiz over the catalogue without loading the main menu, which would
    // switch the sound back on.
    void eachModeOpensItsScreenOverTheCatalogue() {
        QuestionSheet handMade = sheet();
        handMade.questions[4] = QStringLiteral(
            "Which English city was bombed on 14 November 1940, losing its great cathedral?");
        handMade.answers[17] = QStringLiteral("Coventry, in the West Midlands of England");
        const QByteArray old = composeQuestionFile(handMade);
        catalogue(compose(
            {QStringLiteral("Alpha"), QStringLiteral("Blitz"), QStringLiteral("Blitz sheet")}));
        worksheet(QStringLiteral("Blitz"), old);
        worksheet(QStringLiteral("Blitz Sheet"));
        Worksheets& w = open<Worksheets>(Intro0::Catalogue);
        click(w.Check1);
        click(w.Label2[3]);
        QCOMPARE(f->messages->shown,
                 QStringList{QStringLiteral("This worksheet seems to be corrupted.")});
        QVERIFY(!screens().isLoaded(Wizard::Id));

        CatalogueState otherCopy;
        QCOMPARE(catalogue_file::delworksheet(folder, QStringLiteral("Alpha"), otherCopy),
                 catalogue_file::Change::Done);
        click(w.Label2[2]);
        auto& wizard = screens().form<Wizard>();
        QVERIFY(screens().isShowing(Wizard::Id) && screens().isShowing(Worksheets::Id));
        QCOMPARE(shown(wizard), old);
        QCOMPARE(wizard.Text2[4]->cursorPosition(), 0);
        click(wizard.Label3[Wizard::Save]);
        wizard.Text1->setText(QStringLiteral("Blitz again"));
        click(wizard.Label3[Wizard::Save]);
        QCOMPARE(
            f->messages->shown,
            (QStringList{QStringLiteral("This worksheet seems to be corrupted."), kSaved, kSaved}));
        QCOMPARE(onDisk(), catalogue_file::compose({"Blitz", "Blitz sheet", "Blitz again"}));
        QCOMPARE(onDisk(QStringLiteral("Blitz.txt")), old);
        handMade.title = QStringLiteral("Blitz again");
        QCOMPARE(onDisk(QStringLiteral("Blitz again.txt")), composeQuestionFile(handMade));
        QCOMPARE(shown(w), QStringList({"Blitz", "Blitz sheet"}));

        wizard.Text2[3]->setText(QStringLiteral("Changed?"));
        const QByteArray typed = shown(wizard);
        f->messages->answers = {false, true};
        QTest::keyClick(wizard.Text2[3], Qt::Key_Escape);
        QCOMPARE(f->messages->shown.size(), 4);
        QVERIFY(screens().isShowing(Wizard::Id));
        QCOMPARE(shown(wizard), typed);
        QTest::keyClick(wizard.Text2[3], Qt::Key_Escape);
        QVERIFY(!screens().isLoaded(Wizard::Id));

        click(w.Check1);
        f->program->shell.SoundOn = 0;
        click(w.Label2[1]);
        QVERIFY(screens().isShowing(Multiple::Id) && screens().isShowing(Worksheets::Id));
        const QObjectList over = screens().stage().children();
        QVERIFY(over.indexOf(screens().find(Multiple::Id)) > over.indexOf(&w));
        QVERIFY(!screens().isLoaded(ScreenId::intro0));
        QCOMPARE(f->program->shell.SoundOn, 0);
        QCOMPARE(screens().form<Multiple>().Label6->text(), QStringLiteral("Blitz"));
    }

    // Delete mode asks first, with an empty title bar, about the title its
    // slot shows, never whatever the table holds at that place now; Cancel
    // keeps it. A write that fails is said so, and nothing goes. A deletion
    // takes the title out of the list and closes up the page on show, and
    // the worksheet file stays, unless it cannot be read: then it goes too,
    // or a broken entry would stay listed for ever.
    void aDeletionAsksFirstAndClosesUpThePage() {
        catalogue(compose(numbered(1, 26)));
        worksheet(QStringLiteral("Sheet 2"));
        const QByteArray whole = composeQuestionFile(sheet(QStringLiteral("Sheet 26")));
        worksheet(QStringLiteral("Sheet 26"), whole.left(whole.indexOf("Answer 10C")));
        Worksheets& w = open<Worksheets>(Intro0::Catalogue);
        click(w.Check2); // one mode at a time: ticking one box clears the other
        click(w.Check1);
        click(w.Check2);
        QVERIFY(!w.Check1->isChecked());
        f->program->state<CatalogueState>().WorksheetTitles[2] = QStringLiteral("Sheet 9");
        f->messages->answers = {false};
        click(w.Label2[2]);
        QCOMPARE(f->messages->shown,
                 QStringList{QStringLiteral(
                     "Are you sure that you want to delete the worksheet Sheet 2?")});
        QCOMPARE(f->messages->captions, QStringList{QString()});
        {
            write_faults::Scope seam([](WriteStep s) { return s == WriteStep::Commit; });
            click(w.Label2[2]);
        }
        QVERIFY(f->messages->shown.last().startsWith(
            QStringLiteral("The worksheet Sheet 2 could not be deleted, because the list of "
                           "worksheets could not be changed.\n\nThe folder")));
        QCOMPARE(onDisk(), catalogue_file::compose(numbered(1, 26)));
        QCOMPARE(shown(w), numbered(1, 24));
        click(w.Label2[2]);
        const QStringList left = numbered(1, 1) + numbered(3, 26);
        QCOMPARE(onDisk(), catalogue_file::compose(left));
        QCOMPARE(shown(w), left.first(24));
        QVERIFY(QFile::exists(f->path(QStringLiteral("multiple/Sheet 2.txt"))));

        click(w.Label3[Worksheets::Next]);
        click(w.Label2[1]);
        QCOMPARE(shown(w), QStringList());
        QCOMPARE(onDisk(), catalogue_file::compose(left.first(24)));
        QVERIFY(!QFile::exists(f->path(QStringLiteral("multiple/Sheet 26.txt"))));
    }

    // A damaged list is said so, with the way to repair it, and no title of
    // an earlier reading is offered in its place.
    void aDamagedListIsSaidSoOnOpening() {
        catalogue(compose({QStringLiteral("Blitz")}));
        QCOMPARE(catalogue_file::load(folder, f->program->state<CatalogueState>()),
                 catalogue_file::Health::Sound);
        catalogue(QByteArray("\x89PNG\r\n\x1a\n\0\0junk", 14));
        click(f->openMainMenu().Label2.at(Intro0::Catalogue));
        QVERIFY(f->messages->shown.isEmpty());
        QTRY_COMPARE(f->messages->shown, QStringList{catalogue_file::explain(
                                             catalogue_file::Failure::Damaged, folder)});
        QCOMPARE(shown(screens().form<Worksheets>()), QStringList{});
    }
};

OSTERVALE_TEST(WorksheetsTest)
#include "test_worksheets.moc"
