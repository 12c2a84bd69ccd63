#include "catalogue_file.h"
#include "support/program_fixture.h"
#include "support/question_sets.h"
#include "testmain.h"
#include "worksheet_folder.h"
#include "worksheet_store.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTest>

namespace {
QByteArray lines(const QStringList& titles) {
    return catalogue_file::compose(titles);
}
} // namespace

class CatalogueFileTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ProgramFixture> f;
    QString folder;
    CatalogueState state;

    QByteArray onDisk(const QString& name = QStringLiteral("track.txt")) {
        QFile file(folder + u'/' + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Null bytes stand for no catalogue at all.
    void catalogue(const QByteArray& bytes) {
        f->remove(QStringLiteral("multiple/track.txt"));
        if (!bytes.isNull())
            f->write(QStringLiteral("multiple/track.txt"), bytes);
    }
    catalogue_file::Change add(const QString& title) {
        return catalogue_file::trackworksheets(folder, title, state);
    }
    catalogue_file::Change remove(const QString& title) {
        return catalogue_file::delworksheet(folder, title, state);
    }

private Q_SLOTS:
    void init() {
        f = std::make_unique<ProgramFixture>();
        folder = worksheet_folder::folder(f->program->paths());
        state = {};
        state.WorksheetCount = 4;
        for (int i = 1; i <= 4; ++i)
            state.WorksheetTitles[i] = QStringLiteral("old %1").arg(i);
    }
    void cleanup() { f.reset(); }

    // A load shows what the file holds, never titles of an earlier reading
    // (a missing file aside); every title below a count edited too small is
    // kept. A damaged catalogue takes no new title and keeps its bytes.
    void loadingKeepsWhatWasReadBeforeAFailure_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("whole");
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("titles");
        const QStringList old{"old 1", "old 2", "old 3", "old 4"};
        QTest::newRow("titles as typed")
            << QByteArray("3\r\nRationing\r\nrationing\r\n  Blitz quiz  \r\n") << true << 3
            << QStringList{"Rationing", "rationing", "Blitz quiz", "old 4"};
        QTest::newRow("no file") << QByteArray() << false << 4 << old;
        QTest::newRow("shorter than its count")
            << QByteArray(" 3\r\nA\r\nB\r\n") << false << 2 << QStringList{"A", "B"};
        QTest::newRow("longer than its count")
            << QByteArray(" 2\r\nA\r\nB\r\nC\r\n\r\nD\r\nE\r\n\r\n") << true << 5
            << QStringList{"A", "B", "C", "D", "E"};
        QTest::newRow("negative count") << QByteArray("-2\r\nA\r\n") << false << 0 << old;
        QTest::newRow("count is not a number") << QByteArray("three\r\nA\r\n") << false << 0 << old;
        QTest::newRow("empty") << QByteArray("") << false << 0 << old;
    }
    void loadingKeepsWhatWasReadBeforeAFailure() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, whole);
        QFETCH(int, count);
        QFETCH(QStringList, titles);
        catalogue(bytes);
        QCOMPARE(catalogue_file::load(folder, state) == catalogue_file::Health::Sound, whole);
        QCOMPARE(state.WorksheetCount, count);
        for (int i = 0; i < titles.size(); ++i)
            QCOMPARE(state.WorksheetTitles[i + 1], titles[i]);
        if (!whole) {
            catalogue_file::Failure why = catalogue_file::Failure::None;
            QCOMPARE(catalogue_file::trackworksheets(folder, QStringLiteral("New"), state, &why),
                     catalogue_file::Change::Failed);
            QCOMPARE(why, bytes.isNull() ? catalogue_file::Failure::Missing
                                         : catalogue_file::Failure::Damaged);
            QCOMPARE(onDisk(), bytes);
        } else {
            QCOMPARE(add(QStringLiteral("New")), catalogue_file::Change::Done);
            QCOMPARE(catalogue_file::readAll(folder), titles.first(count) + QStringList{"New"});
        }
    }

    void addAndRemoveKeepTheOrderAndTheBytes() {
        catalogue(" 0\r\n");
        for (const char* title : {"Rationing", "rationing", "Blitz"})
            QCOMPARE(add(QString::fromUtf8(title)), catalogue_file::Change::Done);
        QCOMPARE(onDisk(), QByteArray(" 3\r\nRationing\r\nrationing\r\nBlitz\r\n"));
        // The count in memory stays the one read before the add.
        QCOMPARE(state.WorksheetCount, 2);
        QCOMPARE(state.WorksheetTitles[3], QStringLiteral("Blitz"));
        QCOMPARE(add(QStringLiteral("Blitz")), catalogue_file::Change::Unchanged);
        QCOMPARE(remove(QStringLiteral("rationing")), catalogue_file::Change::Done);
        QCOMPARE(remove(QStringLiteral("Evacuation")), catalogue_file::Change::Unchanged);
        QCOMPARE(onDisk(), QByteArray(" 2\r\nRationing\r\nBlitz\r\n"));
        QCOMPARE(state.WorksheetCount, 2);
        remove(QStringLiteral("Rationing"));
        remove(QStringLiteral("Blitz"));
        QCOMPARE(onDisk(), QByteArray(" 0\r\n"));
        QCOMPARE(state.WorksheetCount, 0);
    }

    // Found by fuzzing: a quoted title written back bare came back as two
    // titles, so an add lost the new title and shifted the ones after it.
    void quotedTitlesSurviveAChange() {
        catalogue(" 4\r\n\"Dunkirk, 1940\"\r\n\"  Blitz \"\r\n\"Two\r\nlines\"\r\nD-Day\r\n");
        const QStringList before{"Dunkirk, 1940", "  Blitz ", "Two\r\nlines", "D-Day"};
        QCOMPARE(catalogue_file::readAll(folder), before);
        QCOMPARE(add(QStringLiteral("Evacuation")), catalogue_file::Change::Done);
        QCOMPARE(catalogue_file::readAll(folder), before + QStringList{"Evacuation"});
        QCOMPARE(remove(QStringLiteral("D-Day")), catalogue_file::Change::Done);
        QCOMPARE(catalogue_file::readAll(folder), before.first(3) + QStringList{"Evacuation"});
        // The program's own titles stay bare, as they always were.
        QCOMPARE(lines({"Blitz", "a \"quote\" inside"}),
                 QByteArray(" 2\r\nBlitz\r\na \"quote\" inside\r\n"));
    }

    // Every change, failing at every step of every file it touches, in
    // turn: the nth time the step is reached it fails, as a plug pulled then
    // would. Steps that are always refused stand for a full disk (no write
    // gets through) and a read-only folder (no lock, no new file).
    void aFailureAtAnyPointLeavesTheFilesAsTheyWere_data() {
        QTest::addColumn<int>("change");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("nth");
        const char* changes[] = {"save new", "save listed", "save over unlisted", "add", "remove"};
        for (int c = 0; c < 5; ++c) {
            for (WriteStep step : {WriteStep::Lock, WriteStep::Open, WriteStep::Write,
                                   WriteStep::Flush, WriteStep::Commit})
                for (int nth = 1; nth <= 2; ++nth)
                    QTest::addRow("%s, step %d, time %d", changes[c], int(step), nth)
                        << c << int(step) << nth;
            QTest::addRow("%s, full disk", changes[c]) << c << int(WriteStep::Write) << 0;
            QTest::addRow("%s, read-only folder", changes[c]) << c << -1 << 0;
        }
    }
    void aFailureAtAnyPointLeavesTheFilesAsTheyWere() {
        QFETCH(int, change);
        QFETCH(int, step);
        QFETCH(int, nth);
        const QByteArray before = lines({QStringLiteral("Blitz"), QStringLiteral("Evacuation")});
        catalogue(before);
        const QByteArray blitz =
            composeQuestionFile(test_sets::sheet("Blitz", test_sets::kPattern));
        f->write(QStringLiteral("multiple/Blitz.txt"), blitz);
        f->write(QStringLiteral("multiple/Dunkirk.txt"), "an unlisted worksheet");
        const QStringList files = QDir(folder).entryList(QDir::Files);

        int reached = 0;
        write_faults::Scope seam([&](WriteStep s) {
            if (step < 0)
                return s == WriteStep::Lock || s == WriteStep::Open;
            return int(s) == step && (nth == 0 || ++reached == nth);
        });
        const auto saveFails = [&](const char* title) {
            QuestionSheet sheet = test_sets::sheet(QString::fromUtf8(title), test_sets::kPattern);
            sheet.questions[0] = QStringLiteral("Changed?");
            return worksheet_store::saveworksheet(folder, sheet, state).saved ==
                   worksheet_store::Saved::Failed;
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
        QCOMPARE(QDir(folder).entryList(QDir::Files), files);
    }

    // A title must name one file of its own, apart from the catalogue and
    // the topic quizzes, on any system the folder may be shared with.
    void titlesAreKeptExactlyOrRefusedWritingNothing_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("kept");
        for (const char* title : {"rations at home", "£1 a week", "COM10", "Conkers"})
            QTest::newRow(title) << QString::fromUtf8(title) << true;
        for (const char* title : {"Paris, France",
                                  "Evacuees & billets",
                                  "\"Quoted",
                                  " Leading",
                                  "Trailing ",
                                  "a/b",
                                  "a\\b",
                                  "What?",
                                  "Star*",
                                  "Colon:",
                                  "Pipe|",
                                  "<less",
                                  "more>",
                                  "Tab\there",
                                  ".",
                                  "..",
                                  "Ends.",
                                  "CON",
                                  "con",
                                  "Lpt1",
                                  "nul.txt",
                                  "COM9",
                                  "track",
                                  "Track",
                                  "rationing",
                                  "THE PROGRESS OF THE WAR",
                                  "Кириллица",
                                  "日本"})
            QTest::newRow(title) << QString::fromUtf8(title) << false;
    }
    void titlesAreKeptExactlyOrRefusedWritingNothing() {
        QFETCH(QString, title);
        QFETCH(bool, kept);
        catalogue(lines({QStringLiteral("Blitz")}));
        f->write(QStringLiteral("multiple/Rationing.txt"), "the topic quiz");
        const QStringList before = QDir(folder).entryList(QDir::Files);
        const auto outcome = worksheet_store::saveworksheet(
            folder, test_sets::sheet(title, test_sets::kPattern), state);
        QCOMPARE(outcome.saved,
                 kept ? worksheet_store::Saved::Yes : worksheet_store::Saved::Refused);
        QCOMPARE(onDisk(QStringLiteral("Rationing.txt")), QByteArray("the topic quiz"));
        if (kept) {
            QVERIFY(QFile::exists(worksheet_folder::worksheetFile(folder, title)));
            QCOMPARE(catalogue_file::readAll(folder),
                     (QStringList{QStringLiteral("Blitz"), title}));
            return;
        }
        QVERIFY(!outcome.message.isEmpty());
        QCOMPARE(QDir(folder).entryList(QDir::Files), before);
        QCOMPARE(onDisk(), lines({QStringLiteral("Blitz")}));
    }

    // A refusal names the box and the character as the teacher sees them.
    // A text opening with a quote would read back as another text, or, with
    // no closing quote, make the worksheet unreadable for good; a title that
    // differs from a listed one only in case would be written over it on a
    // folder that ignores case.
    void refusalsSayWhatToChangeAndWriteNothing_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("said");
        const int question2 = 100 + 1;
        QTest::newRow("question opening with a quote")
            << "Home front" << question2 << "\"Dig for Victory\" meant what?"
            << "Question 2 begins with a double quotation mark";
        QTest::newRow("answer opening with blanks and a quote")
            << "Home front" << 4 * 4 + 2 << "  \"Careless talk costs lives"
            << "Answer C of Question 5 begins with a double quotation mark";
        QTest::newRow("quote inside a title") << "Say \"cheese\"" << -1 << ""
                                              << "cannot contain a double quotation mark,";
        QTest::newRow("ampersand in a title") << "Fish & Chips" << -1 << ""
                                              << "contain \"&\"";
        QTest::newRow("title opening with a tab") << "\tBlitz" << -1 << ""
                                                  << "begin with a tab";
        QTest::newRow("character outside the code page") << "Snow \u2603" << -1 << ""
                                                         << "holds \"\u2603\", which";
        QTest::newRow("answer outside the code page")
            << "Home front" << 7 << "\U0001F600 smile"
            << "answer D of Question 2 holds \"\U0001F600\"";
        QTest::newRow("same title but for case") << "blitz" << -1 << ""
                                                 << "called \"Blitz\", and \"blitz\" differs";
    }
    void refusalsSayWhatToChangeAndWriteNothing() {
        QFETCH(QString, title);
        QFETCH(int, box);
        QFETCH(QString, text);
        QFETCH(QString, said);
        catalogue(lines({QStringLiteral("Blitz")}));
        QuestionSheet sheet = test_sets::sheet(title, test_sets::kPattern);
        if (box >= 100)
            sheet.questions[box - 100] = text;
        else if (box >= 0)
            sheet.answers[box] = text;
        const QStringList before = QDir(folder).entryList(QDir::Files);
        const auto outcome = worksheet_store::saveworksheet(folder, sheet, state);
        QCOMPARE(outcome.saved, worksheet_store::Saved::Refused);
        QVERIFY2(outcome.message.contains(said), qPrintable(outcome.message));
        QCOMPARE(QDir(folder).entryList(QDir::Files), before);
        QCOMPARE(onDisk(), lines({QStringLiteral("Blitz")}));
    }

    // What a save killed half way leaves behind goes at the next save; a
    // teacher's own files that merely look alike stay.
    void leftoversOfAnInterruptedSaveGoAtTheNextSave() {
        catalogue(lines({QStringLiteral("Blitz")}));
        const QStringList leftovers{"track.txt.Ab12Cd", "Blitz.txt.x9Y8z7"};
        const QStringList kept{"notes.txt.old", "Blitz.txt.ab-cde", "Blitz.txt.Ab12Cde",
                               "Blitz.txt"};
        for (const QString& name : leftovers + kept)
            f->write(QStringLiteral("multiple/") + name, "bytes");
        QCOMPARE(
            worksheet_store::saveworksheet(
                folder, test_sets::sheet(QStringLiteral("Evacuees"), test_sets::kPattern), state)
                .saved,
            worksheet_store::Saved::Yes);
        for (const QString& name : leftovers)
            QVERIFY2(!QFile::exists(folder + u'/' + name), qPrintable(name));
        for (const QString& name : kept)
            QVERIFY2(QFile::exists(folder + u'/' + name), qPrintable(name));
    }

    // A copy of the program killed while it holds the lock leaves nothing
    // behind that stops the next save.
    void aCopyThatDiesHoldingTheLockDoesNotBlockTheOthers() {
        catalogue(" 0\r\n");
        QProcess holder;
        holder.start(QStringLiteral(TRACK_MANY), {folder, QStringLiteral("--hold")});
        QVERIFY(holder.waitForReadyRead(10000));
        QCOMPARE(holder.readAll(), QByteArray("held\n"));
        holder.kill();
        QVERIFY(holder.waitForFinished(10000));
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(add(QStringLiteral("After")), catalogue_file::Change::Done);
        QVERIFY(clock.elapsed() < 5000);
        QCOMPARE(onDisk(), lines({QStringLiteral("After")}));
    }

    // Eight copies of the program saving a hundred worksheets each into one
    // folder at once: every title is listed once, and every file reads back.
    void severalProgramsSavingAtOnceLoseNothing() {
        catalogue(" 0\r\n");
        QList<QProcess*> programs;
        for (int p = 0; p < 8; ++p) {
            auto* process = new QProcess(this);
            process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
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
        QCOMPARE(titles->size(), 800);
        QCOMPARE(QSet<QString>(titles->begin(), titles->end()).size(), 800);
        QCOMPARE(onDisk(), lines(*titles));
        for (const QString& title : *titles) {
            QuizTables tables;
            QVERIFY2(loadQuestionFile(worksheet_folder::worksheetFile(folder, title), tables),
                     qPrintable(title));
            QCOMPARE(tables.QuizTitle, title);
        }
        QVERIFY(titles->contains(QStringLiteral("writer 7 sheet 99")));
    }
};

OSTERVALE_TEST(CatalogueFileTest)
#include "test_catalogue_file.moc"
