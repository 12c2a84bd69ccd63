#include "catalogue_file.h"
#include "catalogue_repair.h"
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
QStringList titled(int from, int to) {
    QStringList titles;
    for (int i = from; i <= to; ++i)
        titles << QStringLiteral("Sheet %1").arg(i);
    return titles;
}
QuestionSheet sheet(const QString& title) {
    return test_sets::sheet(title, test_sets::kPattern);
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
    worksheet_store::Outcome save(const QuestionSheet& s) {
        return worksheet_store::saveworksheet(folder, s, state);
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
    // kept, and the next add keeps them too.
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
        if (whole) {
            QCOMPARE(add(QStringLiteral("New")), catalogue_file::Change::Done);
            QCOMPARE(catalogue_file::readAll(folder), titles.first(count) + QStringList{"New"});
            return;
        }
        // A list to repair takes no change, and the teacher is told which.
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

    // Titles as typed, in the order first saved, in the bytes the catalogue
    // has always had; the count in memory stays the one read before an add.
    // A save or a change clears what one cut short left behind, and nothing
    // of the teacher's that merely looks like it. A quoted title of a
    // hand-edited catalogue keeps its quotes, or it would come back as other
    // titles and shift the rest (found by fuzzing).
    void changesKeepTheOrderTheBytesAndHandEditedTitles() {
        catalogue(" 0\r\n");
        const QStringList leftovers{"track.txt.Ab12Cd", "Blitz.txt.x9Y8z7"};
        const QStringList kept{"notes.txt.old", "Blitz.txt.ab-cde", "Blitz.txt.Ab12Cde"};
        const auto leaveBehind = [&] {
            for (const QString& name : leftovers + kept)
                f->write(QStringLiteral("multiple/") + name, "bytes");
        };
        const auto cleared = [&] {
            for (const QString& name : leftovers)
                QVERIFY2(!QFile::exists(folder + u'/' + name), qPrintable(name));
            for (const QString& name : kept)
                QVERIFY2(QFile::exists(folder + u'/' + name), qPrintable(name));
        };
        leaveBehind();
        QCOMPARE(save(sheet(QStringLiteral("Blitz"))).saved, worksheet_store::Saved::Yes);
        cleared();
        leaveBehind();
        for (const char* title : {"Rationing", "rationing"})
            QCOMPARE(add(QString::fromUtf8(title)), catalogue_file::Change::Done);
        cleared();
        QCOMPARE(onDisk(), QByteArray(" 3\r\nBlitz\r\nRationing\r\nrationing\r\n"));
        QCOMPARE(state.WorksheetCount, 2);
        QCOMPARE(state.WorksheetTitles[3], QStringLiteral("rationing"));
        QCOMPARE(add(QStringLiteral("Blitz")), catalogue_file::Change::Unchanged);
        QCOMPARE(remove(QStringLiteral("Rationing")), catalogue_file::Change::Done);
        QCOMPARE(remove(QStringLiteral("Evacuation")), catalogue_file::Change::Unchanged);
        QCOMPARE(onDisk(), QByteArray(" 2\r\nBlitz\r\nrationing\r\n"));
        QCOMPARE(state.WorksheetCount, 2);
        QCOMPARE(remove(QStringLiteral("Blitz")), catalogue_file::Change::Done);
        QCOMPARE(remove(QStringLiteral("rationing")), catalogue_file::Change::Done);
        QCOMPARE(onDisk(), QByteArray(" 0\r\n"));
        QCOMPARE(state.WorksheetCount, 0);
        QVERIFY(QFile::exists(worksheet_folder::worksheetFile(folder, QStringLiteral("Blitz"))));

        catalogue(" 4\r\n\"Dunkirk, 1940\"\r\n\"  Blitz \"\r\n\"Two\r\nlines\"\r\nD-Day\r\n");
        const QStringList before{"Dunkirk, 1940", "  Blitz ", "Two\r\nlines", "D-Day"};
        QCOMPARE(add(QStringLiteral("Evacuation")), catalogue_file::Change::Done);
        QCOMPARE(catalogue_file::readAll(folder), before + QStringList{"Evacuation"});
        QCOMPARE(remove(QStringLiteral("D-Day")), catalogue_file::Change::Done);
        QCOMPARE(catalogue_file::readAll(folder), before.first(3) + QStringList{"Evacuation"});
        QCOMPARE(lines({"Blitz", "a \"quote\" inside"}),
                 QByteArray(" 2\r\nBlitz\r\na \"quote\" inside\r\n"));
    }

    // The catalogue holds 1000 titles. A new one past them is refused as
    // full, with the file as it was and every title still in the table; a
    // worksheet already listed can still be saved again, and a removal
    // makes room.
    void aFullCatalogueRefusesOnlyANewTitle() {
        const QStringList thousand = titled(1, 1000);
        catalogue(lines(thousand.first(999)));
        QCOMPARE(add(QStringLiteral("Sheet 1000")), catalogue_file::Change::Done);
        catalogue_file::Failure why = catalogue_file::Failure::None;
        QCOMPARE(catalogue_file::trackworksheets(folder, QStringLiteral("Sheet 1001"), state, &why),
                 catalogue_file::Change::Failed);
        QCOMPARE(why, catalogue_file::Failure::Full);
        QCOMPARE(onDisk(), lines(thousand));
        QCOMPARE(state.WorksheetCount, 1000);
        QCOMPARE(state.WorksheetTitles[1000], QStringLiteral("Sheet 1000"));
        QCOMPARE(add(QStringLiteral("Sheet 7")), catalogue_file::Change::Unchanged);

        QCOMPARE(save(sheet(QStringLiteral("Sheet 1000"))).saved, worksheet_store::Saved::Yes);
        const worksheet_store::Outcome refused = save(sheet(QStringLiteral("Evacuees")));
        QCOMPARE(refused.saved, worksheet_store::Saved::Failed);
        QCOMPARE(refused.message, catalogue_file::explain(catalogue_file::Failure::Full, folder));
        QVERIFY(
            !QFile::exists(worksheet_folder::worksheetFile(folder, QStringLiteral("Evacuees"))));
        QCOMPARE(onDisk(), lines(thousand));

        QCOMPARE(remove(QStringLiteral("Sheet 1")), catalogue_file::Change::Done);
        QCOMPARE(add(QStringLiteral("Sheet 1001")), catalogue_file::Change::Done);
        QCOMPARE(catalogue_file::readAll(folder), titled(2, 1001));
    }

    // A hand-edited catalogue may list a title more than once. A removal
    // takes the last copy, wherever it lies (the last slot of a full table,
    // or past the table), and the first stays in its place; a repair keeps
    // the first copy's place and lists the title once.
    void aTitleListedTwiceLosesItsLastCopyFirst() {
        catalogue(lines({"A", "B", "A", "C"}));
        QCOMPARE(remove(QStringLiteral("A")), catalogue_file::Change::Done);
        QCOMPARE(catalogue_file::readAll(folder), QStringList({"A", "B", "C"}));

        catalogue(lines(titled(1, 999) << QStringLiteral("Sheet 1")));
        QCOMPARE(remove(QStringLiteral("Sheet 1")), catalogue_file::Change::Done);
        QCOMPARE(catalogue_file::readAll(folder), titled(1, 999));
        QCOMPARE(state.WorksheetCount, 999);
        QCOMPARE(state.WorksheetTitles[1], QStringLiteral("Sheet 1"));

        catalogue(lines(titled(1, 1000) << QStringLiteral("Sheet 2")));
        QCOMPARE(add(QStringLiteral("Sheet 2")), catalogue_file::Change::Unchanged);
        QCOMPARE(remove(QStringLiteral("Sheet 2")), catalogue_file::Change::Done);
        QCOMPARE(catalogue_file::readAll(folder), titled(1, 1000));
        QCOMPARE(state.WorksheetCount, 1000);
        QCOMPARE(state.WorksheetTitles[2], QStringLiteral("Sheet 2"));

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
        }
    }
    void aFailureAtAnyPointLeavesTheFilesAsTheyWere() {
        QFETCH(int, change);
        QFETCH(int, step);
        QFETCH(int, nth);
        const QByteArray before = lines({QStringLiteral("Blitz"), QStringLiteral("Evacuation")});
        catalogue(before);
        const QByteArray blitz = composeQuestionFile(sheet(QStringLiteral("Blitz")));
        f->write(QStringLiteral("multiple/Blitz.txt"), blitz);
        f->write(QStringLiteral("multiple/Dunkirk.txt"), "an unlisted worksheet");
        const QStringList files = QDir(folder).entryList(QDir::Files);

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
        QCOMPARE(QDir(folder).entryList(QDir::Files), files);
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
        catalogue(lines({QStringLiteral("Blitz")}));
        f->write(QStringLiteral("multiple/Rationing.txt"), "the topic quiz");
        QStringList listed{QStringLiteral("Blitz")};
        for (const char* title : {"rations at home", "£1 a week", "COM10", "Conkers"}) {
            listed << QString::fromUtf8(title);
            QCOMPARE(save(sheet(listed.last())).saved, worksheet_store::Saved::Yes);
            QVERIFY(QFile::exists(worksheet_folder::worksheetFile(folder, listed.last())));
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
            {"Say \"cheese\"", -1, "", "cannot contain a double quotation mark,"},
            {"Fish & Chips", -1, "", "contain \"&\""},
            {"\tBlitz", -1, "", "begin with a tab"},
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
        const QStringList files = QDir(folder).entryList(QDir::Files);
        for (const auto& [s, words] : refused) {
            const worksheet_store::Outcome outcome = save(s);
            QCOMPARE(outcome.saved, worksheet_store::Saved::Refused);
            QVERIFY2(!outcome.message.isEmpty() && outcome.message.contains(words),
                     qPrintable(s.title + QStringLiteral(": ") + outcome.message));
            QCOMPARE(QDir(folder).entryList(QDir::Files), files);
            QCOMPARE(onDisk(), track);
        }
        QCOMPARE(onDisk(QStringLiteral("Rationing.txt")), QByteArray("the topic quiz"));
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
        QCOMPARE(QSet<QString>(titles->begin(), titles->end()).size(), 800);
        QCOMPARE(titles->size(), 800);
        for (const QString& title : *titles) {
            QuizTables tables;
            QVERIFY2(loadQuestionFile(worksheet_folder::worksheetFile(folder, title), tables),
                     qPrintable(title));
            QCOMPARE(tables.QuizTitle, title);
        }
    }
};

OSTERVALE_TEST(CatalogueFileTest)
#include "test_catalogue_file.moc"
